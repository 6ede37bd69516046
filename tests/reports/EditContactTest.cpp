// Correcting a logged contact: the log list's "Edit Contact" opens the window's edit
// dialog on the chosen record, the operator types into its boxes, and "Done" (or Enter)
// saves; the log window then rewrites log.txt and reloads. The tests look at the boxes,
// the markers, the beeps and the bytes of log.txt.

#include "mainwindow/ShellFixture.h"

#include "core/QStringPrinter.h"
#include "platform/WriteFaults.h"
#include "reports/CabrilloLog.h"
#include "reports/windows/DEEditInfrm.h"
#include "reports/windows/DEEditOut.h"

#include <QBuffer>
#include <QClipboard>
#include <QHeaderView>

namespace {

class EditContact : public ShellTest {
protected:
    // Clicks the row of record n in the log list, as the operator picks a contact.
    void pickRecord(MainForm& w, qint32 n, Qt::MouseButton button = Qt::LeftButton)
    {
        for (int row = 0; row < w.logModel->rowCount(); ++row) {
            if (w.logModel->recordAt(row) != n)
                continue;
            const QModelIndex index = w.logModel->index(row, 1);
            w.ListView1->scrollTo(index);
            QTest::mouseClick(w.ListView1->viewport(), button, {}, w.ListView1->visualRect(index).center());
            QCoreApplication::processEvents();
            return;
        }
        ADD_FAILURE() << "record " << n << " is not listed";
    }

    // Picks record n and clicks "Edit Contact"; the script acts on the dialog while it
    // shows, the cursor in its Callsign box. A dialog the script leaves open is closed
    // with its frame button. False when no dialog showed.
    template <class D>
    bool edit(MainForm& w, qint32 n, const std::function<void(D&)>& script)
    {
        pickRecord(w, n);
        EXPECT_TRUE(w.cmdEdit->isVisible());
        bool shown = false;
        onceShown<D>([&](D& dialog) {
            shown = true;
            focusIn(&dialog, dialog.txtEditCall);
            script(dialog);
        });
        QTest::mouseClick(w.cmdEdit, Qt::LeftButton);
        return shown;
    }

    // Moves into the box as Tab would, its text selected.
    static void tabInto(KeyField* box)
    {
        box->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }

    // log.txt with line n (from 1) replaced by the record given.
    QByteArray withLine(const QByteArray& log, int n, const LogEntry& entry) const
    {
        QList<QByteArray> lines = log.split('\n');
        lines[n - 1] = logRecord(entry).chopped(1);
        return lines.join('\n');
    }

    static LogEntry entryOf(const Qso& q) { return toEntry(q); }

    // The QSO lines of the Cabrillo file the log makes now.
    QByteArray cabrilloQsoLines(bool inHostState = false)
    {
        const LogStoreState& log = state().log;
        CabrilloInput in;
        in.ownCall = QStringLiteral("K5TRV");
        in.ownSpc = QStringLiteral("CT");
        in.hostState = QStringLiteral("TX");
        in.inHostState = inHostState;
        in.contacts = std::span<const LogEntry>(&log.Log[1], size_t(log.QsoCount));
        QBuffer file;
        file.open(QIODevice::WriteOnly);
        EXPECT_TRUE(WriteCabrilloLog(file, in));
        QByteArray lines;
        for (const QByteArray& line : file.data().split('\n')) {
            if (line.startsWith("QSO:"))
                lines += line + '\n';
        }
        return lines;
    }

    // The records of File > Export ADIF File, without power or comment.
    QByteArray adifRecords(MainForm& w)
    {
        const QString dataFolder = folders.documents + QStringLiteral("/Vexol Software/Texas");
        writeBytes(dataFolder + QStringLiteral("/ADIFCnt.txt"), "\"USA\",291\r\n");
        const QString path = dataFolder + QStringLiteral("/TX.adi");
        dialogs.inputAnswers = {std::nullopt, std::nullopt};
        dialogs.fileAnswers = {path};
        w.mnuexportADIF->trigger();
        const QByteArray bytes = readBytes(path);
        const QByteArray header = "<EOH>\r\n\r\n";
        EXPECT_TRUE(bytes.contains(header));
        return bytes.mid(bytes.indexOf(header) + header.size());
    }
};

const Qso K5A{QStringLiteral("K5A"), QStringLiteral("BEXA")};
const Qso W5B{QStringLiteral("W5B"), QStringLiteral("TRAV"), QStringLiteral("40"), QStringLiteral("PH")};
const Qso N5C{QStringLiteral("N5C"), QStringLiteral("HARR"), QStringLiteral("2")};
// A contact of the in-state log: from Bexar, in Texas, sent from Travis.
const Qso K5AInState{QStringLiteral("K5A"), QStringLiteral("BEXA"), QStringLiteral("20"), QStringLiteral("CW"),
                     QStringLiteral("17:00:00"), QStringLiteral("TX"), QStringLiteral("TRAV")};

// ---- opening, the boxes and an unchanged Done ----

TEST_F(EditContact, OutOfStateBoxesHoldTheContactAndAnUnchangedDoneKeepsTheFile)
{
    writeLog({K5A, W5B, N5C});
    Outfrm& w = openOut();
    const QByteArray before = logBytes();

    EXPECT_TRUE(edit<DEEditOut>(w, 2, [&](DEEditOut& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Edit Contact Entry"));
        EXPECT_EQ(d.lblEditTitle->text(), QStringLiteral("Edit Contact:"));
        EXPECT_TRUE(d.lblEditTitle->font().bold());
        EXPECT_EQ(d.txtEditCall->text(), QStringLiteral("W5B"));
        EXPECT_EQ(d.txtEditPre->text(), QStringLiteral("TRAV")) << "the county box of this dialog";
        EXPECT_EQ(d.txtEditBnd->text(), QStringLiteral("PH")) << "the mode";
        EXPECT_EQ(d.Text1->text(), QStringLiteral("40")) << "the band";
        EXPECT_EQ(d.txtEditDate->text(), QStringLiteral("2026/04/25"));
        EXPECT_EQ(d.txtEditTime->text(), QStringLiteral("17:00:00"));
        for (QWidget* hidden : std::initializer_list<QWidget*>{d.Label1, d.Label2, d.Label3, d.Label6,
                                                               d.cmdDeleteDupe})
            EXPECT_FALSE(hidden->isVisible());
        EXPECT_EQ(d.Label1->text(), QStringLiteral("  Dupe!"));
        EXPECT_EQ(d.Label6->text(), QStringLiteral("   Invalid!"));
        // Tab runs down the rows to Done.
        for (QWidget* box : std::initializer_list<QWidget*>{d.txtEditCall, d.txtEditCk, d.txtEditPre, d.txtEditNum,
                                                            d.txtEditDate, d.txtEditTime, d.txtEditBnd, d.Text1}) {
            EXPECT_EQ(QApplication::focusWidget(), box);
            keys(QStringLiteral("{Tab}"));
        }
        EXPECT_EQ(QApplication::focusWidget(), d.cmdDone);
        QTest::mouseClick(d.cmdDone, Qt::LeftButton);
        EXPECT_FALSE(d.isVisible());
    }));
    EXPECT_EQ(logBytes(), before);
    EXPECT_FALSE(w.cmdEdit->isVisible());
    EXPECT_FALSE(w.cmdDelete->isVisible());
    EXPECT_EQ(beeper.beeps, 0);
}

TEST_F(EditContact, InStateOldContactIsSavedAsStoredThoughItsCountySentIsEmpty)
{
    // A 2 m contact from a log written before the county sent was kept.
    writeLog({K5AInState,
              {QStringLiteral("W1AW"), {}, QStringLiteral("2"), QStringLiteral("PH"), QStringLiteral("17:05"),
               QStringLiteral("CT"), {}}});
    Infrm& w = openIn();
    const QByteArray before = logBytes();

    EXPECT_TRUE(edit<DEEditInfrm>(w, 2, [&](DEEditInfrm& d) {
        EXPECT_EQ(d.txtEditPre->text(), QStringLiteral("CT")) << "St/Prv/Country";
        EXPECT_EQ(d.txtEditSec->text(), QString());
        EXPECT_EQ(d.Text3->text(), QString());
        EXPECT_EQ(d.Text1->text(), QStringLiteral("2"));
        // Through every box to Done: nothing the operator left alone is refused.
        for (int i = 0; i < 10; ++i)
            keys(QStringLiteral("{Tab}"));
        EXPECT_EQ(QApplication::focusWidget(), d.cmdDone);
        QTest::keyClick(d.cmdDone, Qt::Key_Space);
        EXPECT_FALSE(d.isVisible());
    }));
    EXPECT_EQ(logBytes(), before);
    EXPECT_EQ(beeper.beeps, 0);
}

// ---- changing values ----

TEST_F(EditContact, CountyOfContactTwoChangesOnlyThatValue)
{
    writeLog({K5A, W5B, N5C});
    Outfrm& w = openOut();
    const QByteArray before = logBytes();

    edit<DEEditOut>(w, 2, [&](DEEditOut& d) {
        keys(QStringLiteral("{Tab}{Tab}"));
        ASSERT_EQ(QApplication::focusWidget(), d.txtEditPre);
        // The first key replaces the text and completes to the last H county of the table.
        keys(QStringLiteral("h"));
        EXPECT_EQ(d.txtEditPre->text(), QStringLiteral("HARN"));
        EXPECT_EQ(d.txtEditPre->selectedText(), QStringLiteral("ARN"));
        // Every letter is a capital, as in the main windows.
        keys(QStringLiteral("arr"));
        EXPECT_EQ(d.txtEditPre->text(), QStringLiteral("HARR"));
        keys(QStringLiteral("{Enter}"));
    });
    Qso changed = W5B;
    changed.county = QStringLiteral("HARR");
    EXPECT_EQ(logBytes(), withLine(before, 2, entryOf(changed)));
    EXPECT_EQ(state().log.Log[2].County, QStringLiteral("HARR"));
    EXPECT_EQ(w.lblStation[5]->text(), QStringLiteral("Counties Worked - 2")) << "the window reloaded";
    // The cursor is back in the call field, and the refilled county lists pick nothing.
    EXPECT_EQ(w.focusWidget(), w.txtCall);
    EXPECT_TRUE(w.txtSec->text().isEmpty());
}

TEST_F(EditContact, FailedRewriteSaysSoAndTheWindowShowsWhatTheFileHolds)
{
    writeLog({K5A, W5B});
    Outfrm& w = openOut();
    const QByteArray before = logBytes();
    {
        ScopedWriteFault broken({QStringLiteral("log.txt"), 20, false});
        edit<DEEditOut>(w, 2, [&](DEEditOut& d) {
            tabInto(d.txtEditPre);
            keys(QStringLiteral("h{Enter}"));
        });
    }
    const ScriptedDialogs::Shown* box = dialogs.last(QStringLiteral("message"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->title, QStringLiteral("Unable to write file."));
    EXPECT_TRUE(box->text.startsWith(QStringLiteral("The contact was not changed."))) << box->text.toStdString();
    EXPECT_TRUE(box->text.contains(QStringLiteral("No space left on device")));
    EXPECT_EQ(logBytes(), before);
    EXPECT_EQ(state().log.Log[2].County, QStringLiteral("TRAV"));
    EXPECT_EQ(w.logModel->cellText(0, 3), QStringLiteral("TRAV"));
}

TEST_F(EditContact, DateAndTimeAreStoredInTheLogsForms)
{
    writeLog({K5A, W5B});
    Outfrm& w = openOut();
    const QByteArray before = logBytes();

    edit<DEEditOut>(w, 1, [&](DEEditOut& d) {
        tabInto(d.txtEditTime);
        keys(QStringLiteral("7:05"));
        tabInto(d.txtEditDate);
        keys(QStringLiteral("2026/4/5{Enter}"));
    });
    LogEntry changed = entryOf(K5A);
    changed.Time = QStringLiteral("07:05");
    changed.Date = QStringLiteral("2026/04/05");
    EXPECT_EQ(logBytes(), withLine(before, 1, changed));
}

TEST_F(EditContact, KeysOfTheBoxes)
{
    writeLog({K5A});
    Outfrm& w = openOut();

    edit<DEEditOut>(w, 1, [&](DEEditOut& d) {
        // Letters become capitals, typed or pasted; a double quote is no key and cannot
        // be pasted.
        d.txtEditCall->selectAll();
        QApplication::clipboard()->setText(QStringLiteral("/m"));
        keys(QStringLiteral("n5\"zz{Paste}"));
        EXPECT_EQ(d.txtEditCall->text(), QStringLiteral("N5ZZ/M"));
        QApplication::clipboard()->setText(QStringLiteral("K5\"Q"));
        keys(QStringLiteral("{Paste}"));
        EXPECT_EQ(d.txtEditCall->text(), QStringLiteral("N5ZZ/M"));
        tabInto(d.txtEditBnd);
        keys(QStringLiteral("ph"));
        EXPECT_EQ(d.txtEditBnd->text(), QStringLiteral("PH"));
        // The date takes digits and "/", the time digits and ":".
        tabInto(d.txtEditDate);
        keys(QStringLiteral("2026x-/4:/5"));
        EXPECT_EQ(d.txtEditDate->text(), QStringLiteral("2026/4/5"));
        tabInto(d.txtEditTime);
        keys(QStringLiteral("1a/8:0.5"));
        EXPECT_EQ(d.txtEditTime->text(), QStringLiteral("18:05"));
        // In the county box a blank at the start is typed without emptying the box, and a
        // letter is a capital wherever it is typed.
        tabInto(d.txtEditPre);
        d.txtEditPre->setCursorPosition(0);
        keys(QStringLiteral(" "));
        EXPECT_EQ(d.txtEditPre->text(), QStringLiteral(" BEXA"));
        d.txtEditPre->setText(QStringLiteral("ab cd"));
        d.txtEditPre->setCursorPosition(3);
        keys(QStringLiteral("x"));
        EXPECT_EQ(d.txtEditPre->text(), QStringLiteral("ab Xcd"));
        d.txtEditPre->setCursorPosition(1);
        keys(QStringLiteral("y"));
        EXPECT_EQ(d.txtEditPre->text(), QStringLiteral("aYb Xcd"));
        // Copying the whole text leaves it in place; Backspace at the start empties it.
        d.txtEditPre->selectAll();
        QTest::keyClick(d.txtEditPre, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(d.txtEditPre->text(), QStringLiteral("aYb Xcd"));
        d.txtEditPre->setCursorPosition(0);
        keys(QStringLiteral("{BS}"));
        EXPECT_EQ(d.txtEditPre->text(), QString());
    });
}

TEST_F(EditContact, OutOfStateSavesCallReportsAndCountyWithoutOuterBlanks)
{
    writeLog({K5A});
    Outfrm& w = openOut();
    const QByteArray before = logBytes();

    edit<DEEditOut>(w, 1, [&](DEEditOut& d) {
        d.txtEditCall->selectAll();
        keys(QStringLiteral(" k5x {Tab}"));
        EXPECT_EQ(d.txtEditCall->text(), QStringLiteral(" K5X "));
        keys(QStringLiteral(" 57{Enter}"));
    });
    LogEntry changed = entryOf(K5A);
    changed.Call = QStringLiteral("K5X");
    changed.RstRcvd = QStringLiteral("57");
    EXPECT_EQ(logBytes(), withLine(before, 1, changed));
}

// ---- refusals ----

TEST_F(EditContact, BandTwelveIsRefusedWithTheBandsMarker)
{
    writeLog({K5A, W5B});
    Outfrm& w = openOut();
    const QByteArray before = logBytes();

    edit<DEEditOut>(w, 1, [&](DEEditOut& d) {
        tabInto(d.Text1);
        keys(QStringLiteral("12{Enter}"));
        EXPECT_TRUE(d.isVisible()) << "Enter runs Done, which refuses the band";
        EXPECT_TRUE(d.Label6->isVisible());
        EXPECT_EQ(beeper.beeps, 1);
        EXPECT_EQ(QApplication::focusWidget(), d.Text1);
        // Leaving the box repeats the test; the focus comes back.
        keys(QStringLiteral("{BackTab}"));
        QCoreApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), d.Text1);
        EXPECT_EQ(beeper.beeps, 2);
        // 2 m is a contest band.
        d.Text1->selectAll();
        keys(QStringLiteral("2{BackTab}"));
        EXPECT_FALSE(d.Label6->isVisible());
        EXPECT_EQ(QApplication::focusWidget(), d.txtEditBnd);
        QTest::mouseClick(d.cmdDone, Qt::LeftButton);
    });
    Qso changed = K5A;
    changed.band = QStringLiteral("2");
    EXPECT_EQ(logBytes(), withLine(before, 1, entryOf(changed)));
}

TEST_F(EditContact, EveryCheckedBoxRefusesOnLeavingAndOnDone)
{
    writeLog({K5A});
    Outfrm& w = openOut();
    const QByteArray before = logBytes();

    struct Case {
        const char* name;
        KeyField* DEEditOut::*box;
        const char* typed;
        QLabel* DEEditOut::*marker; // or the message box's title
        const char* title;
    };
    const Case cases[] = {
        {"mode", &DEEditOut::txtEditBnd, "SS", &DEEditOut::Label3, nullptr},
        {"band", &DEEditOut::Text1, "30", &DEEditOut::Label6, nullptr},
        {"county", &DEEditOut::txtEditPre, "zz", &DEEditOut::Label2, nullptr},
        {"empty county", &DEEditOut::txtEditPre, "{BS}", &DEEditOut::Label2, nullptr},
        {"date", &DEEditOut::txtEditDate, "2026/2/30", nullptr, "Invalid Date Format!"},
        {"time", &DEEditOut::txtEditTime, "25:00", nullptr, "Invalid Time Format!"},
    };
    for (const Case& c : cases) {
        beeper.beeps = 0;
        dialogs.shown.clear();
        edit<DEEditOut>(w, 1, [&](DEEditOut& d) {
            KeyField* box = d.*c.box;
            tabInto(box);
            keys(QString::fromLatin1(c.typed));
            // Leaving by the mouse: the focus comes back, with the row's own message.
            QTest::mouseClick(d.txtEditCall, Qt::LeftButton);
            QCoreApplication::processEvents();
            EXPECT_EQ(QApplication::focusWidget(), box) << c.name;
            // Enter in the box: Done refuses the same way and saves nothing.
            keys(QStringLiteral("{Enter}"));
            EXPECT_TRUE(d.isVisible()) << c.name;
            EXPECT_EQ(beeper.beeps, 2) << c.name;
            if (c.marker) {
                EXPECT_TRUE((d.*c.marker)->isVisible()) << c.name;
            } else {
                ASSERT_EQ(dialogs.count(QStringLiteral("message")), 2) << c.name;
                EXPECT_EQ(dialogs.last(QStringLiteral("message"))->title, QLatin1String(c.title)) << c.name;
                EXPECT_EQ(dialogs.last(QStringLiteral("message"))->text,
                          QStringLiteral("You have entered an invalid %1 format!").arg(c.name));
            }
        });
        EXPECT_EQ(logBytes(), before) << c.name;
    }
}

TEST_F(EditContact, InStateCountiesAndStateOrProvince)
{
    writeLog({K5AInState});
    Infrm& w = openIn();
    const QByteArray before = logBytes();

    edit<DEEditInfrm>(w, 1, [&](DEEditInfrm& d) {
        // An empty county passes here (a contact outside Texas has none); an empty county
        // sent does not.
        tabInto(d.txtEditSec);
        keys(QStringLiteral("{BS}{Tab}"));
        EXPECT_EQ(QApplication::focusWidget(), d.txtEditNum);
        tabInto(d.Text3);
        keys(QStringLiteral("{BS}{Enter}"));
        EXPECT_TRUE(d.Label9->isVisible());
        EXPECT_EQ(QApplication::focusWidget(), d.Text3);
        // The county sent completes from the table like the county, in capitals.
        keys(QStringLiteral("ha"));
        EXPECT_EQ(d.Text3->text(), QStringLiteral("HARN"));
        EXPECT_EQ(d.Text3->selectedText(), QStringLiteral("RN"));
        // A state typed in small letters; ZZ is no state or province.
        tabInto(d.txtEditPre);
        keys(QStringLiteral("zz{Enter}"));
        EXPECT_EQ(d.txtEditPre->text(), QStringLiteral("ZZ"));
        EXPECT_TRUE(d.Label2->isVisible());
        EXPECT_FALSE(d.Label9->isVisible());
        EXPECT_TRUE(d.isVisible());
        d.txtEditPre->selectAll();
        keys(QStringLiteral("ok{Enter}"));
        EXPECT_FALSE(d.isVisible());
    });
    LogEntry changed = entryOf({QStringLiteral("K5A"), {}, QStringLiteral("20"), QStringLiteral("CW"),
                                QStringLiteral("17:00:00"), QStringLiteral("OK"), QStringLiteral("HARN")});
    EXPECT_EQ(logBytes(), withLine(before, 1, changed));
}

TEST_F(EditContact, StateOrCountryCompletesFromTheEndOfTheCountryTable)
{
    writeLog({{QStringLiteral("EA1XX"), {}, QStringLiteral("20"), QStringLiteral("CW"), QStringLiteral("17:00:00"),
               QStringLiteral("Spain"), QStringLiteral("TRAV")}});
    Infrm& w = openIn();

    edit<DEEditInfrm>(w, 1, [&](DEEditInfrm& d) {
        tabInto(d.txtEditPre);
        const struct {
            const char* typed;
            const char* text;
            const char* selected;
        } cases[] = {
            {"c", "Canada", "anada"}, // the first key replaces the text, as a capital
            {"x", "Cx", ""},
            {"{BS}{BS}g", "Guantanamo Bay", "uantanamo Bay"},
            {"u", "Guantanamo Bay", "antanamo Bay"},
        };
        for (const auto& c : cases) {
            keys(QString::fromLatin1(c.typed));
            EXPECT_EQ(d.txtEditPre->text(), QLatin1String(c.text)) << c.typed;
            EXPECT_EQ(d.txtEditPre->selectedText(), QLatin1String(c.selected)) << c.typed;
        }
    });
}

// ---- duplicates ----

TEST_F(EditContact, DuplicateMadeByAnEditBeepsOncePerDuplicate)
{
    // An older log already holds K5A twice on 20 m CW from Bexar.
    writeLog({K5A, K5A, {QStringLiteral("W5B"), QStringLiteral("BEXA")}});
    Outfrm& w = openOut();
    const QByteArray before = logBytes();

    edit<DEEditOut>(w, 3, [&](DEEditOut& d) {
        d.txtEditCall->selectAll();
        keys(QStringLiteral("k5a{Enter}"));
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(beeper.beeps, 2);
        EXPECT_TRUE(d.Label1->isVisible());
        EXPECT_TRUE(d.cmdDeleteDupe->isVisible());
        // Another county makes it a new contact: the Dupe marker goes, Delete Dupe stays.
        tabInto(d.txtEditPre);
        keys(QStringLiteral("trav{Enter}"));
        EXPECT_FALSE(d.isVisible());
        EXPECT_TRUE(d.Label1->isHidden());
        EXPECT_FALSE(d.cmdDeleteDupe->isHidden());
    });
    EXPECT_EQ(beeper.beeps, 2);
    Qso changed = K5A;
    changed.county = QStringLiteral("TRAV");
    EXPECT_EQ(logBytes(), withLine(before, 3, entryOf(changed)));
}

TEST_F(EditContact, InStateDuplicatesCompareTheCountySentButNotTheState)
{
    writeLog({K5AInState,
              {QStringLiteral("K5A"), QStringLiteral("BEXA"), QStringLiteral("20"), QStringLiteral("CW"),
               QStringLiteral("17:10:00"), QStringLiteral("OK"), QStringLiteral("HARR")}});
    Infrm& w = openIn();
    const QByteArray before = logBytes();

    edit<DEEditInfrm>(w, 2, [&](DEEditInfrm& d) {
        tabInto(d.Text3);
        keys(QStringLiteral("trav{Enter}"));
        EXPECT_EQ(beeper.beeps, 1);
        EXPECT_TRUE(d.Label1->isVisible());
    });
    EXPECT_EQ(logBytes(), before);
}

TEST_F(EditContact, DeleteDupeAsksAndDeletesTheContactBeingEdited)
{
    writeLog({K5A, W5B, {QStringLiteral("W5C"), QStringLiteral("BEXA")}});
    Outfrm& w = openOut();

    for (const Dialogs::Answer answer : {Dialogs::Answer::No, Dialogs::Answer::Yes}) {
        edit<DEEditOut>(w, 3, [&](DEEditOut& d) {
            d.txtEditCall->selectAll();
            keys(QStringLiteral("K5A{Enter}"));
            dialogs.messageAnswers.push_back(answer);
            QTest::mouseClick(d.cmdDeleteDupe, Qt::LeftButton);
            EXPECT_FALSE(d.isVisible());
        });
        EXPECT_EQ(dialogs.last(QStringLiteral("message"))->text, QStringLiteral("Are you sure?"));
    }
    EXPECT_EQ(state().log.QsoCount, 2);
    EXPECT_EQ(logBytes(), logRecord(entryOf(K5A)) + logRecord(entryOf(W5B)));
    EXPECT_EQ(listedRecords(w), (std::vector<qint32>{2, 1}));
}

// ---- the log list ----

TEST_F(EditContact, RightButtonOnTheListEditsTheContactUnderIt)
{
    writeLog({K5A, W5B, N5C});
    Outfrm& w = openOut();
    // After a sort by call the rows change places; the record is still the one clicked.
    QHeaderView* header = w.ListView1->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(1) + header->sectionSize(1) / 2, header->height() / 2));
    EXPECT_EQ(w.logModel->recordAt(0), 1);

    QString edited;
    onceShown<DEEditOut>([&](DEEditOut& d) { edited = d.txtEditCall->text(); });
    pickRecord(w, 3, Qt::RightButton);
    EXPECT_EQ(edited, QStringLiteral("N5C"));
    EXPECT_FALSE(w.cmdEdit->isVisible());
    // The reload brings the newest first again.
    EXPECT_EQ(listedRecords(w), (std::vector<qint32>{3, 2, 1}));
}

// ---- what the exports make of an edit ----

TEST_F(EditContact, ACountyTypedInSmallLettersIsStoredInCapitalsAndExportsWithItsName)
{
    writeLog({W5B});
    Outfrm& w = openOut();
    edit<DEEditOut>(w, 1, [&](DEEditOut& d) {
        tabInto(d.txtEditPre);
        keys(QStringLiteral("bexa"));
        EXPECT_EQ(d.txtEditPre->text(), QStringLiteral("BEXA"));
        keys(QStringLiteral("{Enter}"));
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(state().log.Log[1].County, QStringLiteral("BEXA"));
    EXPECT_EQ(cabrilloQsoLines(), "QSO:     1  7000 PH 2026-04-25 1700 K5TRV     599 CT       W5B       599 BEXA\r\n");
    EXPECT_TRUE(adifRecords(w).contains("<Cnty:8>TX,Bexar "));
}

TEST_F(EditContact, InStateCountyPastedInSmallLettersIsStoredInCapitals)
{
    // An older log holds the county in small letters.
    Qso older = K5AInState;
    older.county = QStringLiteral("bexa");
    writeLog({older});
    Infrm& w = openIn();
    edit<DEEditInfrm>(w, 1, [&](DEEditInfrm& d) {
        tabInto(d.Text3);
        QApplication::clipboard()->setText(QStringLiteral("harr"));
        keys(QStringLiteral("{Paste}{Enter}"));
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(state().log.Log[1].CountySent, QStringLiteral("HARR"));
    EXPECT_EQ(state().log.Log[1].County, QStringLiteral("bexa")) << "the county left alone is kept as stored";
    EXPECT_EQ(cabrilloQsoLines(true),
              "QSO:     1 14000 CW 2026-04-25 1700 K5TRV     599 HARR     K5A       599 bexa\r\n");
    EXPECT_TRUE(adifRecords(w).contains("<Cnty:8>TX,Bexar ")) << "the county is looked up whatever its case";
}

TEST_F(EditContact, AnEmptiedCallIsRefusedAndTheDialogStaysOpen)
{
    writeLog({K5A, W5B});
    Outfrm& w = openOut();
    const QByteArray before = logBytes();
    edit<DEEditOut>(w, 2, [&](DEEditOut& d) {
        // Emptied, too short for a call, blanks only: refused as the main windows refuse them.
        for (const char* typed : {"{BS}", "k5", "   "}) {
            SCOPED_TRACE(typed);
            d.txtEditCall->selectAll();
            keys(QString::fromLatin1(typed) + QStringLiteral("{Enter}"));
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(QApplication::focusWidget(), d.txtEditCall);
            const ScriptedDialogs::Shown* box = dialogs.last(QStringLiteral("message"));
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->text, QStringLiteral("Need Call Sign!"));
            EXPECT_EQ(box->title, QStringLiteral("Edit Contact Entry"));
        }
        EXPECT_EQ(beeper.beeps, 3);
    });
    EXPECT_EQ(logBytes(), before);
    EXPECT_EQ(cabrilloQsoLines(), "QSO:     1 14000 CW 2026-04-25 1700 K5TRV     599 CT       K5A       599 BEXA\r\n"
                                  "QSO:     2  7000 PH 2026-04-25 1700 K5TRV     599 CT       W5B       599 TRAV\r\n");
    EXPECT_TRUE(adifRecords(w).contains("<eor>\r\n\r\n<Call:3>W5B "));

    // The in-state dialog refuses it the same way.
    writeLog({K5AInState});
    w.hide();
    delete &w;
    Infrm& in = openIn();
    const QByteArray inBefore = logBytes();
    edit<DEEditInfrm>(in, 1, [&](DEEditInfrm& d) {
        d.txtEditCall->selectAll();
        keys(QStringLiteral("{BS}{Enter}"));
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(dialogs.last(QStringLiteral("message"))->text, QStringLiteral("Need Call Sign!"));
    });
    EXPECT_EQ(logBytes(), inBefore);
    EXPECT_TRUE(adifRecords(in).startsWith("<Call:3>K5A "));
}

TEST_F(EditContact, AChangedBandDropsAFrequencyOutsideItAndKeepsOneInside)
{
    Qso on20 = K5A;
    on20.frequency = QStringLiteral("14.025");
    Qso radioOn40 = W5B; // logged on 20 m with the radio on 40 m
    radioOn40.band = QStringLiteral("20");
    radioOn40.frequency = QStringLiteral("7.185");
    writeLog({on20, radioOn40});
    Outfrm& w = openOut();
    edit<DEEditOut>(w, 1, [&](DEEditOut& d) {
        tabInto(d.Text1);
        keys(QStringLiteral("2{Enter}"));
        EXPECT_FALSE(d.isVisible());
    });
    edit<DEEditOut>(w, 2, [&](DEEditOut& d) {
        tabInto(d.Text1);
        keys(QStringLiteral("40{Enter}"));
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(state().log.Log[1].Frequency, QString()) << "14.025 lies outside 2 m";
    EXPECT_EQ(state().log.Log[2].Frequency, QStringLiteral("7.185"));
    // Both files then give the band, as for a contact logged without a radio.
    EXPECT_EQ(cabrilloQsoLines(), "QSO:     1   144 CW 2026-04-25 1700 K5TRV     599 CT       K5A       599 BEXA\r\n"
                                  "QSO:     2  7000 PH 2026-04-25 1700 K5TRV     599 CT       W5B       599 TRAV\r\n");
    const QByteArray adif = adifRecords(w);
    EXPECT_TRUE(adif.contains("<Call:3>K5A <Qso_Date:8:d>20260425 <Band:2>2M <Mode:2>CW\r\n<Time_On:4>1700 ")) << adif.toStdString();
    EXPECT_TRUE(adif.contains("<Band:3>40M <Mode:3>SSB\r\n<Freq:5>7.185 <Time_On:4>1700 ")) << adif.toStdString();
}

} // namespace
