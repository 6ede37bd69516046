// The out-of-state window's entry line: what the operator's keys log, what Enter refuses
// and why, and what stays in the fields after a refusal.

#include "support/LogWindowFixture.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QMenu>

namespace {

class OutOfStateEntry : public LogWindowTest {
protected:
    Outfrm& w = openWithClockOn();

    Outfrm& openWithClockOn()
    {
        Outfrm& window = openOut();
        window.cmdLogOn_Click();
        return window;
    }
};

const QByteArray FirstContactLine =
    "\"W5ABC\",\"599\",\"599\",\"\",\"HARR\",\"\",\"\",\"\",\"\",\"\",\"\",\"2026/04/25\",\"18:05:00\","
    "\"CW\",\"20\",0,\"\",\"\",\"\"\r\n";

TEST_F(OutOfStateEntry, TypedContactIsAppendedScoredAndRefusedTheSecondTime)
{
    keys(QStringLiteral("W5ABC{Tab}599{Tab}HARR{Tab}599{BackTab}{Enter}"));

    EXPECT_EQ(logBytes(), FirstContactLine);
    EXPECT_EQ(state().log.QsoCount, 1);
    EXPECT_EQ(w.lblTotScore->text(), QStringLiteral("3"));
    EXPECT_EQ(w.lblsectogo->text(), QStringLiteral("1"));
    EXPECT_EQ(w.lblTotSec->text(), QStringLiteral("1"));
    EXPECT_EQ(QApplication::focusWidget(), w.txtCall);
    for (KeyField* f : {w.txtCall, w.txtRSTR, w.txtSec, w.txtRSTS})
        EXPECT_TRUE(f->text().isEmpty());
    EXPECT_EQ(listedRecords(w), std::vector<qint32>{1});

    // The same call again, Enter straight from the call field: the county comes from the
    // first contact, which makes it a duplicate on this band and mode.
    const int beepsBefore = beeper.beeps;
    keys(QStringLiteral("W5ABC{Enter}"));

    EXPECT_TRUE(w.lblDialog->text().startsWith(QStringLiteral("Duplicate W5ABC  ")));
    EXPECT_EQ(w.lblDialog->text(), QStringLiteral("Duplicate W5ABC  2026/04/25  18:05:00   Rec#  1"));
    EXPECT_EQ(background(w.lblDialog), color(MainForm::DialogRedColor));
    EXPECT_GT(beeper.beeps, beepsBefore);
    EXPECT_EQ(state().entry.DupeFound, 1);
    for (KeyField* f : {w.txtCall, w.txtRSTR, w.txtSec, w.txtRSTS})
        EXPECT_TRUE(f->text().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), w.txtCall);
    EXPECT_EQ(logBytes(), FirstContactLine);
    EXPECT_EQ(state().log.QsoCount, 1);
    EXPECT_EQ(w.lblTotScore->text(), QStringLiteral("3"));

    // The next key in the call field ends the red.
    keys(QStringLiteral("K"));
    EXPECT_EQ(background(w.lblDialog), color(MainForm::DialogNormalColor));
}

TEST_F(OutOfStateEntry, CarriedKeysFillTheExchangeWithoutTabs)
{
    keys(QStringLiteral("w5abc h{Enter}"));

    const LogEntry& first = state().log.Log[1];
    EXPECT_EQ(state().log.QsoCount, 1);
    EXPECT_EQ(first.Call, QStringLiteral("W5ABC"));
    EXPECT_EQ(first.RstRcvd, QStringLiteral("599"));
    EXPECT_EQ(first.County, QStringLiteral("HARR"));
    EXPECT_EQ(first.RstSent, QStringLiteral("599"));
    EXPECT_TRUE(logBytes().startsWith("\"W5ABC\",\"599\",\"599\",\"\",\"HARR\","));
    EXPECT_EQ(QApplication::focusWidget(), w.txtCall);

    // On 40 m the same station is no duplicate. A digit after the complete call starts the
    // report received; a letter there starts the county at its first character, so the
    // county filled in from the first contact gives way; a digit in the county starts the
    // report sent.
    w.selectBand(QStringLiteral("40"));
    w.txtCall->setFocus();
    keys(QStringLiteral("W5ABC599b579{Enter}"));

    ASSERT_EQ(state().log.QsoCount, 2);
    const LogEntry& second = state().log.Log[2];
    EXPECT_EQ(second.Call, QStringLiteral("W5ABC"));
    EXPECT_EQ(second.RstRcvd, QStringLiteral("599"));
    EXPECT_EQ(second.County, QStringLiteral("BEXA"));
    EXPECT_EQ(second.RstSent, QStringLiteral("579"));
    EXPECT_EQ(second.Band, QStringLiteral("40"));
}

TEST_F(OutOfStateEntry, CarriedDigitStartsTheReportOnlyAfterACompleteCall)
{
    // The digit goes on to the report received: the call is left as it was.
    keys(QStringLiteral("K5ABC7"));
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("K5ABC"));
    EXPECT_EQ(w.txtRSTR->text(), QStringLiteral("7"));
    EXPECT_EQ(QApplication::focusWidget(), w.txtRSTR);
    EXPECT_EQ(state().entry.CarryTarget, CarryField::None);

    // After a stroke, after a call that ends in a digit, or after two characters the digit
    // belongs to the call; so does a digit typed with the caret inside the call.
    for (const char* typed : {"K5ABC/7", "KH67", "W5"}) {
        keys(QStringLiteral("{Esc}"));
        keys(QString::fromLatin1(typed));
        EXPECT_EQ(w.txtCall->text(), QString::fromLatin1(typed));
        EXPECT_EQ(QApplication::focusWidget(), w.txtCall) << typed;
    }
    keys(QStringLiteral("{Esc}K5ABC{Left}{Left}7"));
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("K5A7BC"));
    EXPECT_EQ(QApplication::focusWidget(), w.txtCall);
}

TEST_F(OutOfStateEntry, CountyCompletesAndSpaceMovesOn)
{
    keys(QStringLiteral("W5ABC{Tab}{Tab}HA"));
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("HARR"));
    EXPECT_EQ(w.txtSec->selectedText(), QStringLiteral("RR"));

    // Space with the rest still selected keeps the whole abbreviation and moves on; the
    // report sent takes no letter.
    keys(QStringLiteral(" "));
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("HARR"));
    EXPECT_EQ(QApplication::focusWidget(), w.txtRSTS);
    keys(QStringLiteral("x"));
    EXPECT_EQ(w.txtRSTS->text(), QStringLiteral("599"));
    EXPECT_EQ(QApplication::focusWidget(), w.txtRSTS);

    // Back in the county, a letter at its start replaces it; with no abbreviation for
    // what is typed, the letters are typed as they are.
    w.txtSec->setFocus();
    w.txtSec->setCursorPosition(0);
    keys(QStringLiteral("BEE"));
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("BEEE"));
    keys(QStringLiteral("{Esc}W5ABC{Tab}{Tab}XY"));
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("XY"));

    // A letter carried from the report received that begins no abbreviation stands alone.
    keys(QStringLiteral("{Esc}W5ABC x"));
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("X"));
    EXPECT_EQ(QApplication::focusWidget(), w.txtSec);
}

TEST_F(OutOfStateEntry, CountyPastedInSmallLettersIsLoggedInCapitals)
{
    keys(QStringLiteral("W5ABC{Tab}{Tab}"));
    QApplication::clipboard()->setText(QStringLiteral("harr"));
    keys(QStringLiteral("{Paste}{Enter}"));

    ASSERT_EQ(state().log.QsoCount, 1);
    EXPECT_EQ(state().log.Log[1].County, QStringLiteral("HARR"));
    EXPECT_EQ(logBytes(), FirstContactLine);
    EXPECT_EQ(w.lblTotSec->text(), QStringLiteral("1"));
}

// A call pasted in small letters is logged in capitals, as typed keys are, whichever way
// it is pasted.
TEST_F(OutOfStateEntry, CallPastedInSmallLettersIsLoggedInCapitals)
{
    const struct {
        const char* way;
        std::function<void(KeyField*)> paste;
    } ways[] = {
        {"Ctrl+V", [](KeyField* f) { QTest::keyClick(f, Qt::Key_V, Qt::ControlModifier); }},
        {"Shift+Insert", [](KeyField* f) { QTest::keyClick(f, Qt::Key_Insert, Qt::ShiftModifier); }},
        {"context menu",
         [](KeyField* f) {
             QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, f->rect().center(),
                                         f->mapToGlobal(f->rect().center()));
             QCoreApplication::sendEvent(f, &menuEvent);
             auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
             ASSERT_NE(menu, nullptr);
             QAction* paste = nullptr;
             for (QAction* action : menu->actions())
                 paste = action->text().startsWith(QCoreApplication::translate("QLineEdit", "&Paste")) ? action : paste;
             ASSERT_NE(paste, nullptr);
             menu->close();
             paste->trigger();
         }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.way);
        clock.local = clock.local.addSecs(60);
        QApplication::clipboard()->setText(QStringLiteral("k5zz/m"));
        way.paste(w.txtCall);
        QCoreApplication::processEvents();
        EXPECT_EQ(w.txtCall->text(), QStringLiteral("K5ZZ/M"));
        // The closed menu hands the activation back, as the window manager does.
        QApplication::setActiveWindow(&w);
        QCoreApplication::processEvents();
        keys(QStringLiteral("{Tab}{Tab}h{Enter}"));
        ASSERT_GT(state().log.QsoCount, 0);
        const QList<QByteArray> lines = logBytes().trimmed().split('\n');
        EXPECT_TRUE(lines.back().startsWith("\"K5ZZ/M\",\"599\",\"599\",\"\",\"HARR\","))
            << lines.back().toStdString();
        // The next way logs the call on another band, so that it is no duplicate.
        w.bandItems.at(QString::number(state().log.QsoCount == 1 ? 40 : 15))->trigger();
        w.txtCall->setFocus();
    }
    EXPECT_EQ(state().log.QsoCount, 3);
}

TEST_F(OutOfStateEntry, ContactAfterLocalMidnightInUtcTakesTheNextDay)
{
    clock.local = QDateTime(QDate(2026, 4, 25), QTime(23, 30, 15));
    keys(QStringLiteral("W5ABC h{Enter}"));

    ASSERT_EQ(state().log.QsoCount, 1);
    EXPECT_EQ(state().log.Log[1].Date, QStringLiteral("2026/04/26"));
    EXPECT_EQ(state().log.Log[1].Time, QStringLiteral("04:30:15"));
}

TEST_F(OutOfStateEntry, FullLogRefusesTheNextContact)
{
    state().log.QsoCount = MaxLogEntries;
    const int beepsBefore = beeper.beeps;
    keys(QStringLiteral("W5ABC h{Enter}"));

    EXPECT_EQ(state().log.QsoCount, MaxLogEntries);
    EXPECT_GT(beeper.beeps, beepsBefore);
    EXPECT_TRUE(w.lblDialog->text().contains(QStringLiteral("11000"))) << w.lblDialog->text().toStdString();
    EXPECT_FALSE(QFile::exists(work(QStringLiteral("log.txt"))));
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("W5ABC"));
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("HARR"));
}

TEST_F(OutOfStateEntry, FailedAppendKeepsTheEntryUncountedUntilEnterSucceeds)
{
    ASSERT_TRUE(QDir().mkdir(work(QStringLiteral("log.txt"))));
    keys(QStringLiteral("W5ABC h{Enter}"));

    const ScriptedDialogs::Shown* box = dialogs.last(QStringLiteral("message"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->title, QStringLiteral("Unable to write file."));
    EXPECT_EQ(state().log.QsoCount, 0);
    EXPECT_EQ(w.lblTotScore->text(), QStringLiteral("0"));
    EXPECT_EQ(w.lblsectogo->text(), QStringLiteral("0"));
    EXPECT_EQ(w.List2->ListCount(), 0);
    EXPECT_EQ(w.logModel->rowCount(), 0);
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("W5ABC"));
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("HARR"));

    // Once the file can be written, Enter again logs what is still in the fields.
    ASSERT_TRUE(QDir().rmdir(work(QStringLiteral("log.txt"))));
    keys(QStringLiteral("{Enter}"));
    EXPECT_EQ(state().log.QsoCount, 1);
    EXPECT_EQ(logBytes(), FirstContactLine);
    EXPECT_EQ(w.lblTotScore->text(), QStringLiteral("3"));
}

TEST_F(OutOfStateEntry, KeyPreviewKeepsQuotesOutAndEscClears)
{
    keys(QStringLiteral("W5'A\"BC{Tab}"));
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("W5ABC"));
    keys(QStringLiteral("{Tab}'\"H"));
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("HARR"));

    // A double quote cannot be pasted into the call field either.
    keys(QStringLiteral("{Esc}"));
    QApplication::clipboard()->setText(QStringLiteral("K5\"XY"));
    keys(QStringLiteral("{Paste}"));
    EXPECT_TRUE(w.txtCall->text().isEmpty());

    keys(QStringLiteral("K5XY{Tab}"));
    keys(QStringLiteral("{Esc}"));
    for (KeyField* f : {w.txtCall, w.txtRSTR, w.txtSec, w.txtRSTS})
        EXPECT_TRUE(f->text().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), w.txtCall);
    EXPECT_TRUE(w.lblDialog->text().isEmpty());
    EXPECT_EQ(state().log.QsoCount, 0);
}

// ---- refusals by Enter ----

struct Refusal {
    const char* name;
    const char* keys;
    const char* message;
    KeyField* MainForm::*field;
    int beeps;
};

void PrintTo(const Refusal& r, std::ostream* os) { *os << r.name; }

class OutOfStateRefusal : public OutOfStateEntry, public ::testing::WithParamInterface<Refusal> {};

TEST_P(OutOfStateRefusal, EnterRefusesWithTheLastFailingCheck)
{
    const Refusal& r = GetParam();
    const int beepsBefore = beeper.beeps;
    keys(QString::fromLatin1(r.keys));

    EXPECT_EQ(w.lblDialog->text(), QString::fromLatin1(r.message));
    EXPECT_EQ(QApplication::focusWidget(), w.*r.field);
    EXPECT_EQ(beeper.beeps - beepsBefore, r.beeps);
    EXPECT_EQ(state().log.QsoCount, 0);
    EXPECT_FALSE(QFile::exists(work(QStringLiteral("log.txt"))));
}

INSTANTIATE_TEST_SUITE_P(
    Checks, OutOfStateRefusal,
    ::testing::Values(
        // Four missing fields and an empty county that is no county: the county message
        // is the last one written.
        Refusal{"AllEmpty", "{Enter}", " is not a valid county!", &MainForm::txtSec, 5},
        Refusal{"ReportSentMissing", "W5ABC{Tab}{Tab}HARR{Tab}{BS}{Enter}", "Need Report Sent!",
                &MainForm::txtRSTS, 1},
        Refusal{"ReportReceivedMissing", "W5ABC{Tab}{BS}{Tab}HARR{Enter}", "Report Received!",
                &MainForm::txtRSTR, 1},
        Refusal{"TwoCharacterCall", "W5{Tab}{Tab}HARR{Enter}", "Need Call Sign!", &MainForm::txtCall, 1},
        Refusal{"CountyNameInsteadOfAbbreviation", "W5ABC{Tab}{Tab}HARRIS{Enter}",
                "HARRIS is not a valid county!", &MainForm::txtSec, 1}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

TEST_F(OutOfStateEntry, ThreeCharacterCallPassesTheCallCheck)
{
    keys(QStringLiteral("W5A h{Enter}"));
    ASSERT_EQ(state().log.QsoCount, 1);
    EXPECT_EQ(state().log.Log[1].Call, QStringLiteral("W5A"));
}

} // namespace
