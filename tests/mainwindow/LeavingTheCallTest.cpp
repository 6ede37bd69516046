// Leaving the call field every way an operator does (Space, the digit jump, Tab, Enter, a
// click in another field): the keystroke finishes first, then the duplicate check of the
// call runs, and a move back to the call field comes after it.

#include "support/LogWindowFixture.h"

#include <functional>

namespace {

// One way of leaving the call field and what the window shows afterwards.
struct Leaving {
    const char* way;
    const char* keys;                        // typed after the call
    KeyField* MainForm::* clicked = nullptr; // or the field the mouse clicks
    const char* message;
    int beeps;
    bool refused;
    const char* county;
    const char* countySelected;
    const char* stPrvCountry;
    const char* reportReceived;
    const char* reportSent;
    KeyField* MainForm::* focus;
};

class LeavingTheCall : public LogWindowTest {
protected:
    // Each row from an empty entry, the message line reset: the call typed, then left.
    void leaveEachWay(MainForm& w, const char* call, const Leaving* rows, size_t count,
                      const std::function<void(const Leaving&)>& more = {})
    {
        for (size_t i = 0; i < count; ++i) {
            const Leaving& row = rows[i];
            SCOPED_TRACE(row.way);
            w.ClearEntry();
            clock.monotonic += 10000; // past any hold of the row before
            const size_t sleeps = clock.sleeps.size();
            keys(QString::fromLatin1(call));
            beeper.beeps = 0;
            if (row.clicked) {
                QTest::mouseClick(w.*row.clicked, Qt::LeftButton);
                QCoreApplication::processEvents();
            } else {
                keys(QString::fromLatin1(row.keys));
            }
            expectShown(w, row);
            EXPECT_EQ(clock.sleeps.size(), sleeps) << "nothing waits inside the keystroke";
            EXPECT_EQ(state().log.QsoCount, 1);
            if (more)
                more(row);
        }
    }

    void expectShown(MainForm& w, const Leaving& row)
    {
        EXPECT_EQ(w.lblDialog->text(), QString::fromLatin1(row.message));
        EXPECT_EQ(background(w.lblDialog), color(MainForm::DialogRedColor));
        EXPECT_EQ(beeper.beeps, row.beeps);
        EXPECT_EQ(state().entry.DupeFound, row.refused ? 1 : 0);
        EXPECT_EQ(w.txtCall->text().isEmpty(), row.refused);
        EXPECT_EQ(w.txtSec->text(), QString::fromLatin1(row.county));
        EXPECT_EQ(w.txtSec->selectedText(), QString::fromLatin1(row.countySelected));
        EXPECT_EQ(w.txtCntry->text(), QString::fromLatin1(row.stPrvCountry));
        EXPECT_EQ(w.txtRSTR->text(), QString::fromLatin1(row.reportReceived));
        EXPECT_EQ(w.txtRSTS->text(), QString::fromLatin1(row.reportSent));
        EXPECT_EQ(QApplication::focusWidget(), w.*row.focus);
    }
};

TEST_F(LeavingTheCall, OutOfStateWarnsOfAStationWorkedOnThisBandAndMode)
{
    const char* warning = "Duplicate Unless Rover!  W5ABC  2026/04/25  17:00:00   Rec#  1";
    const Leaving rows[] = {
        {"Space", " ", nullptr, warning, 1, false, "HARR", "HARR", "", "599", "599", &MainForm::txtRSTR},
        {"digit jump", "5", nullptr, warning, 1, false, "HARR", "HARR", "", "5", "599", &MainForm::txtRSTR},
        {"Tab", "{Tab}", nullptr, warning, 1, false, "HARR", "HARR", "", "599", "599", &MainForm::txtRSTR},
        {"mouse", "", &MainForm::txtRSTS, warning, 1, false, "HARR", "HARR", "", "599", "599", &MainForm::txtRSTS},
        // Enter logs: the missing fields and the county beep, then the county taken from
        // the earlier contact makes it a duplicate, refused and cleared.
        {"Enter", "{Enter}", nullptr, "Duplicate W5ABC  2026/04/25  17:00:00   Rec#  1", 5, true, "", "", "", "", "",
         &MainForm::txtCall},
    };
    writeLog({{QStringLiteral("W5ABC"), QStringLiteral("HARR")}});
    Outfrm& w = openOut();
    w.cmdLogOn_Click();
    leaveEachWay(w, "w5abc", rows, std::size(rows));
}

TEST_F(LeavingTheCall, InStateWarnsOfATexasStationWorkedFromThisCounty)
{
    const char* warning = "Dupe if not rover!  K5AA  04/25  17:00:00   Rec#  1";
    const Leaving rows[] = {
        {"Space", " ", nullptr, warning, 1, false, "HARR", "HARR", "TX", "599", "599", &MainForm::txtRSTR},
        {"digit jump", "5", nullptr, warning, 1, false, "HARR", "HARR", "TX", "5", "599", &MainForm::txtRSTR},
        {"Tab", "{Tab}", nullptr, warning, 1, false, "HARR", "HARR", "TX", "599", "599", &MainForm::txtRSTR},
        {"mouse", "", &MainForm::txtRSTS, warning, 1, false, "HARR", "HARR", "TX", "599", "599",
         &MainForm::txtRSTS},
        // Enter: the missing reports and country beep before the refusal.
        {"Enter", "{Enter}", nullptr, "Duplicate K5AA 04/25 17:00:00  Rec#  1", 4, true, "", "", "", "", "",
         &MainForm::txtCall},
    };
    writeLog({{QStringLiteral("K5AA"), QStringLiteral("HARR"), QStringLiteral("20"), QStringLiteral("CW"),
               QStringLiteral("17:00:00"), QStringLiteral("TX"), QStringLiteral("TRAV")}});
    Infrm& w = openIn();
    w.cmdLogOn_Click();
    leaveEachWay(w, "k5aa", rows, std::size(rows));
}

TEST_F(LeavingTheCall, InStateRefusesAStationOutsideTexasAtOnceAndHoldsTheNextKey)
{
    const char* refusal = "Duplicate W1AW 09/28 14:00:00  Rec#  1";
    const Leaving rows[] = {
        {"Space", " ", nullptr, refusal, 1, true, "", "", "", "", "", &MainForm::txtCall},
        {"digit jump", "5", nullptr, refusal, 1, true, "", "", "", "", "", &MainForm::txtCall},
        {"Tab", "{Tab}", nullptr, refusal, 1, true, "", "", "", "", "", &MainForm::txtCall},
        {"mouse", "", &MainForm::txtRSTS, refusal, 1, true, "", "", "", "", "", &MainForm::txtCall},
        {"Enter", "{Enter}", nullptr, refusal, 4, true, "", "", "", "", "", &MainForm::txtCall},
    };
    writeLog({{QStringLiteral("W1AW"), {}, QStringLiteral("20"), QStringLiteral("CW"), QStringLiteral("14:00:00"),
               QStringLiteral("CT"), QStringLiteral("TRAV"), QStringLiteral("2026/09/28")}});
    Infrm& w = openIn();
    w.cmdLogOn_Click();
    leaveEachWay(w, "w1aw", rows, std::size(rows), [&](const Leaving&) {
        EXPECT_FALSE(w.lblStation[4]->isEnabled());
        // The next key, a second later, waits for the rest of the three seconds; the
        // message line turns back from red with it.
        clock.monotonic += 1000;
        keys(QStringLiteral("k"));
        EXPECT_GE(clock.monotonic, state().entry.LastDupeAtMs + 3000);
        EXPECT_EQ(state().entry.DupeFound, 0);
        EXPECT_EQ(w.txtCall->text(), QStringLiteral("K"));
        EXPECT_EQ(background(w.lblDialog), color(MainForm::DialogNormalColor));
    });
}

} // namespace
