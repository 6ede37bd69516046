// A rover in Texas changing the county it sends: the "County Change" window, the county
// line of "County Change for Rovers", and every contact logged once for each county of
// the line.

#include "ShellFixture.h"

#include "entry/windows/frmCountyChange.h"
#include "entry/windows/frmCountyChangeRover.h"

#include <stdexcept>

namespace {

class RoverCounty : public ShellTest {
protected:
    Infrm& w = openRover();

    Infrm& openRover()
    {
        state().station.OwnRover = 1;
        Infrm& window = openIn();
        window.cmdLogOn_Click();
        return window;
    }

    // "Cha&nge County" with the script acting on the window while it shows; then the
    // log window is at the front again with the cursor in the call field.
    void changeCounty(const std::function<void(frmCountyChange&)>& script)
    {
        const bool shown = whileShown<frmCountyChange>(w.mnuChangeCounty, [&](frmCountyChange& change) {
            focusIn(&change, change.Text1);
            script(change);
        });
        EXPECT_TRUE(shown);
        focusIn(&w, w.txtCall);
    }

    // The county-line button of the County Change window, the script acting on the
    // County Change for Rovers window while it shows.
    void countyLine(frmCountyChange& change, const std::function<void(frmCountyChangeRover&)>& script)
    {
        bool shown = false;
        onceShown<frmCountyChangeRover>([&](frmCountyChangeRover& rover) {
            shown = true;
            EXPECT_EQ(rover.focusWidget(), rover.Text1) << "the window opens in its county field";
            focusIn(&rover, rover.Text1);
            script(rover);
        });
        QTest::mouseClick(change.cmdMultipleCounties, Qt::LeftButton);
        EXPECT_TRUE(shown);
    }

    // The operator enters the counties of the line one by one and closes both windows
    // with their Done buttons.
    void standOnCountyLine(const QStringList& typed)
    {
        changeCounty([&](frmCountyChange& change) {
            countyLine(change, [&](frmCountyChangeRover& rover) {
                for (const QString& county : typed)
                    keys(county + QStringLiteral("{Enter}"));
                QTest::mouseClick(rover.Command1, Qt::LeftButton);
            });
        });
    }

    static QStringList listed(const QListWidget* list)
    {
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->item(i)->text();
        return items;
    }

    // The record K5XYZ in Travis County gets, sent from the county given.
    static QByteArray travisRecord(const QString& countySent, const QString& time = QStringLiteral("18:05:00"))
    {
        return logRecord(Qso{.call = QStringLiteral("K5XYZ"), .county = QStringLiteral("TRAV"), .time = time,
                             .spc = QStringLiteral("TX"), .countySent = countySent, .rstSent = QStringLiteral("589"),
                             .rstRcvd = QStringLiteral("579")}
                             .entry());
    }

    // K5XYZ, Texas, Travis County, 579 received and 589 sent, as the operator keys it.
    void keyTravisContact() { keys(QStringLiteral("K5XYZ579  trav{Tab}589")); }
};

// ---- County Change ----

TEST_F(RoverCounty, CountyFieldCompletesFromTheEndOfTheTable)
{
    // Table order: BEXA, BEEE, HARR, HARN, TRAV, ANDE.
    changeCounty([&](frmCountyChange& change) {
        EXPECT_EQ(change.Text1->text(), QStringLiteral("TRAV"));
        EXPECT_EQ(change.Text1->selectedText(), QStringLiteral("TRAV")) << "the field is selected on entry";
        const struct {
            const char* typed;
            const char* text;
            const char* selected;
        } cases[] = {
            {"b", "BEEE", "EEE"}, // a key at the start replaces the text; the last B in the table
            {"x", "BX", ""},      // what the caret has before it counts: "BX" matches nothing
            {"{BS}e", "BEEE", "EE"},
            {"x", "BEXA", "A"},
            {"^h", "HARN", "ARN"}, // ^: the caret put at the start first
            {"a", "HARN", "RN"},
            {"r", "HARN", "N"},
            {"r", "HARR", ""},
            {"^z", "Z", ""},
        };
        for (const auto& c : cases) {
            QString typed = QString::fromLatin1(c.typed);
            if (typed.startsWith(QLatin1Char('^'))) {
                change.Text1->setCursorPosition(0);
                typed.remove(0, 1);
            }
            keys(typed);
            EXPECT_EQ(change.Text1->text(), QString::fromLatin1(c.text)) << c.typed;
            EXPECT_EQ(change.Text1->selectedText(), QString::fromLatin1(c.selected)) << c.typed;
        }
        QTest::mouseClick(change.Command1, Qt::LeftButton);
    });
}

TEST_F(RoverCounty, LeavingTheFieldWithNoCountyShowsInvalid)
{
    changeCounty([&](frmCountyChange& change) {
        EXPECT_FALSE(change.Label2->isVisible());
        keys(QStringLiteral("zz{Tab}"));
        QCoreApplication::processEvents();
        EXPECT_TRUE(change.Label2->isVisible());
        EXPECT_EQ(change.Label2->text(), QStringLiteral("   Invalid!"));
        EXPECT_EQ(background(change.Label2), QColor(128, 0, 0));
        EXPECT_EQ(textColor(change.Label2), QColor(Qt::white));
        EXPECT_EQ(beeper.beeps, 1);
        EXPECT_EQ(QApplication::focusWidget(), change.Text1) << "the focus goes back into the field";

        // A county of the table clears the label when the field is left again.
        keys(QStringLiteral("{BS}{BS}h{Tab}"));
        QCoreApplication::processEvents();
        EXPECT_FALSE(change.Label2->isVisible());
        EXPECT_EQ(beeper.beeps, 1);
        QTest::mouseClick(change.Command1, Qt::LeftButton);
    });
    EXPECT_EQ(state().station.OwnCounty, QStringLiteral("HARN"));
}

TEST_F(RoverCounty, DoneRefusesATextThatIsNoCounty)
{
    for (const char* typed : {"zz{Enter}", "{BS}{Enter}"}) {
        changeCounty([&](frmCountyChange& change) {
            keys(QString::fromLatin1(typed));
            EXPECT_TRUE(change.Label2->isVisible()) << typed;
            EXPECT_TRUE(change.isVisible()) << "Done did not close the window";
            EXPECT_EQ(state().station.OwnCounty, QStringLiteral("TRAV"));

            // The button refuses it as well.
            QTest::mouseClick(change.Command1, Qt::LeftButton);
            EXPECT_TRUE(change.isVisible());
            EXPECT_EQ(state().station.OwnCounty, QStringLiteral("TRAV"));
            change.hide(); // closed without Done
        });
        EXPECT_EQ(state().station.OwnCounty, QStringLiteral("TRAV")) << typed;
        EXPECT_EQ(w.Label25->text(), QStringLiteral("TRAV"));
    }
    EXPECT_GE(beeper.beeps, 2);
}

TEST_F(RoverCounty, DoneMakesTheCountyTheOwnCounty)
{
    changeCounty([&](frmCountyChange&) { keys(QStringLiteral("h{Enter}")); });

    EXPECT_EQ(state().station.OwnCounty, QStringLiteral("HARN"));
    EXPECT_EQ(prefItem(7), "\"HARN\"");
    EXPECT_EQ(w.Label25->text(), QStringLiteral("HARN"));
    EXPECT_EQ(state().keyer.CWOwnCounty, QStringLiteral("HARN"));

    // The next contact is sent from the new county.
    keys(QStringLiteral("W5ABC ok {Enter}"));
    ASSERT_EQ(state().log.QsoCount, 1);
    EXPECT_EQ(state().log.Log[1].CountySent, QStringLiteral("HARN"));
}

// ---- County Change for Rovers ----

TEST_F(RoverCounty, CountyLineListTakesOnlyCounties)
{
    changeCounty([&](frmCountyChange& change) {
        EXPECT_EQ(change.windowTitle(), QStringLiteral("County Change"));
        countyLine(change, [&](frmCountyChangeRover& rover) {
            EXPECT_EQ(rover.windowTitle(), QStringLiteral("County Change for Rovers"));
            EXPECT_EQ(rover.Text1->text(), QStringLiteral("TRAV")) << "the own county to start with";
            keys(QStringLiteral("{Enter}"));
            EXPECT_EQ(listed(rover.List1), QStringList{QStringLiteral("TRAV")});
            EXPECT_TRUE(rover.Text1->text().isEmpty());

            // Kept sorted; the same county may stand twice.
            keys(QStringLiteral("h{Enter}bex{Enter}h{Enter}"));
            EXPECT_EQ(listed(rover.List1), (QStringList{QStringLiteral("BEXA"), QStringLiteral("HARN"),
                                                        QStringLiteral("HARN"), QStringLiteral("TRAV")}));

            // Nothing, or no county: "   Invalid!", nothing added, the text kept.
            const int beeps = beeper.beeps;
            keys(QStringLiteral("{Enter}"));
            EXPECT_TRUE(rover.Label2->isVisible());
            EXPECT_EQ(beeper.beeps, beeps + 1);
            keys(QStringLiteral("zz{Enter}"));
            EXPECT_EQ(rover.Text1->text(), QStringLiteral("ZZ"));
            EXPECT_EQ(QApplication::focusWidget(), rover.Text1);
            EXPECT_EQ(rover.List1->count(), 4);
            EXPECT_EQ(background(rover.Label2), QColor(128, 0, 0));
            EXPECT_EQ(textColor(rover.Label2), QColor(Qt::white));
            keys(QStringLiteral("{BS}{BS}a{Enter}"));
            EXPECT_FALSE(rover.Label2->isVisible());
            EXPECT_EQ(rover.List1->count(), 5);

            // A click takes an entry off.
            const QRect second = rover.List1->visualItemRect(rover.List1->item(1));
            QTest::mouseClick(rover.List1->viewport(), Qt::LeftButton, {}, second.center());
            EXPECT_EQ(listed(rover.List1), (QStringList{QStringLiteral("ANDE"), QStringLiteral("HARN"),
                                                        QStringLiteral("HARN"), QStringLiteral("TRAV")}));
            EXPECT_EQ(QApplication::focusWidget(), rover.Command1);

            // So does moving the selection with the keys.
            rover.List1->setFocus();
            QTest::keyClick(rover.List1, Qt::Key_Down);
            EXPECT_EQ(listed(rover.List1), (QStringList{QStringLiteral("ANDE"), QStringLiteral("HARN"),
                                                        QStringLiteral("TRAV")}));
            EXPECT_EQ(QApplication::focusWidget(), rover.Command1);

            QTest::mouseClick(rover.Command1, Qt::LeftButton);
            EXPECT_FALSE(rover.isVisible());
            EXPECT_EQ(change.Text1->text(), QStringLiteral("ANDE")) << "entry 0 goes into County Change";
        });
        EXPECT_FALSE(change.isVisible()) << "Done of County Change ran after the county line";
    });
    EXPECT_EQ(state().station.OwnCounty, QStringLiteral("ANDE"));
    EXPECT_EQ(w.Label25->text(), QStringLiteral("ANDE"));
    EXPECT_EQ(prefItem(7), "\"ANDE\"");

    // The list stays for the next opening.
    changeCounty([&](frmCountyChange& change) {
        countyLine(change, [&](frmCountyChangeRover& rover) {
            EXPECT_EQ(rover.List1->count(), 3);
            QTest::mouseClick(rover.Command1, Qt::LeftButton);
        });
    });
}

TEST_F(RoverCounty, EmptyCountyLineLeavesTheCountyTyped)
{
    changeCounty([&](frmCountyChange& change) {
        keys(QStringLiteral("h"));
        countyLine(change, [&](frmCountyChangeRover& rover) { QTest::mouseClick(rover.Command1, Qt::LeftButton); });
    });
    EXPECT_EQ(state().station.OwnCounty, QStringLiteral("HARN"));
}

// ---- a contact logged once for each county of the line ----

TEST_F(RoverCounty, ContactIsLoggedOnceForEachCountyOfTheLine)
{
    standOnCountyLine({QStringLiteral("harr"), QStringLiteral("bex")});
    EXPECT_EQ(state().station.OwnCounty, QStringLiteral("BEXA"));
    EXPECT_EQ(w.Label25->text(), QStringLiteral("BEXA"));

    keyTravisContact();
    ASSERT_EQ(w.txtRSTR->text(), QStringLiteral("579"));
    ASSERT_EQ(w.txtRSTS->text(), QStringLiteral("589"));
    keys(QStringLiteral("{Enter}"));

    EXPECT_EQ(logBytes(), travisRecord(QStringLiteral("BEXA")) + travisRecord(QStringLiteral("HARR")));
    EXPECT_EQ(state().log.QsoCount, 2);
    EXPECT_EQ(state().station.OwnCounty, QStringLiteral("BEXA"));
    EXPECT_EQ(w.Label25->text(), QStringLiteral("BEXA"));
    EXPECT_EQ(state().keyer.CWOwnCounty, QStringLiteral("BEXA"));
    EXPECT_EQ(w.RoverRelogIndex, 0);
    EXPECT_EQ(listedRecords(w), (std::vector<qint32>{2, 1}));
    EXPECT_TRUE(w.txtCall->text().isEmpty());
}

TEST_F(RoverCounty, CopiesTakeTheirOwnTime)
{
    standOnCountyLine({QStringLiteral("bex"), QStringLiteral("harr")});
    keyTravisContact();
    // The clock moves on while the first contact is being stored.
    QObject::connect(w.txtCall, &QLineEdit::textChanged, &w, [this](const QString& text) {
        if (text == QLatin1String("K5XYZ"))
            clock.local = clock.local.addSecs(1);
    });
    keys(QStringLiteral("{Enter}"));
    EXPECT_EQ(logBytes(), travisRecord(QStringLiteral("BEXA")) + travisRecord(QStringLiteral("HARR"), QStringLiteral("18:05:01")));
}

TEST_F(RoverCounty, SecondCopyForTheSameCountyIsRefusedAsADuplicate)
{
    standOnCountyLine({QStringLiteral("bex"), QStringLiteral("harr"), QStringLiteral("harr")});
    keyTravisContact();
    keys(QStringLiteral("{Enter}"));
    EXPECT_EQ(logBytes(), travisRecord(QStringLiteral("BEXA")) + travisRecord(QStringLiteral("HARR")));

    keys(QStringLiteral("W5ABC ok {Enter}"));
    ASSERT_EQ(state().log.QsoCount, 4);
    EXPECT_EQ(state().log.Log[3].CountySent, QStringLiteral("BEXA"));
    EXPECT_EQ(state().log.Log[4].CountySent, QStringLiteral("HARR"));
    EXPECT_EQ(state().log.Log[4].Call, QStringLiteral("W5ABC"));
    EXPECT_EQ(state().station.OwnCounty, QStringLiteral("BEXA"));
}

TEST_F(RoverCounty, OneCountyStartsNoPass)
{
    standOnCountyLine({QStringLiteral("harr")});
    EXPECT_EQ(state().station.OwnCounty, QStringLiteral("HARR"));
    keyTravisContact();
    keys(QStringLiteral("{Enter}"));
    EXPECT_EQ(logBytes(), travisRecord(QStringLiteral("HARR")));
}

TEST_F(RoverCounty, RefusedContactStartsNoPass)
{
    // K5XYZ is in the log from Bexar only: logged again from Bexar it is a duplicate,
    // and no copy from Harris may follow.
    const QByteArray before = travisRecord(QStringLiteral("BEXA"));
    writeBytes(work(QStringLiteral("log.txt")), before);
    w.ReloadLog();
    standOnCountyLine({QStringLiteral("bex"), QStringLiteral("harr")});

    keyTravisContact();
    w.Mains();
    EXPECT_EQ(state().entry.DupeFound, 1);
    EXPECT_EQ(logBytes(), before);
    EXPECT_EQ(state().station.OwnCounty, QStringLiteral("BEXA"));

    // A missing county likewise.
    keys(QStringLiteral("{Esc}K5ABC  {Enter}"));
    EXPECT_EQ(w.lblDialog->text(), QStringLiteral("Need County!"));
    EXPECT_EQ(logBytes(), before);
}

// Ends the pass at its first beep, as a failure anywhere in it would.
class FailingBeeper final : public Beeper {
public:
    bool armed = false;
    void beep() override
    {
        if (armed)
            throw std::runtime_error("beep failed");
    }
};

TEST_F(RoverCounty, OwnCountyReturnsToTheFirstEvenWhenACopyFails)
{
    standOnCountyLine({QStringLiteral("bex"), QStringLiteral("harr"), QStringLiteral("harr"), QStringLiteral("t")});
    keyTravisContact();
    auto failing = std::make_unique<FailingBeeper>();
    failing->armed = true;
    app->services().beeper = std::move(failing);

    // The second Harris copy is refused with a beep, which fails.
    EXPECT_THROW(w.Mains(), std::runtime_error);
    EXPECT_EQ(logBytes(), travisRecord(QStringLiteral("BEXA")) + travisRecord(QStringLiteral("HARR")));
    EXPECT_EQ(state().station.OwnCounty, QStringLiteral("BEXA"));
    EXPECT_EQ(w.Label25->text(), QStringLiteral("BEXA"));
    EXPECT_EQ(w.RoverRelogIndex, 0);
}

} // namespace
