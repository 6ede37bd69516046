// Leaving the call field every way an operator does (Space, the digit jump, Tab, Enter, a
// click in another field): the keystroke finishes first, then the duplicate check of the
// call runs, and a move back to the call field comes after it.

#include "support/LogWindowFixture.h"

namespace {

// One way of leaving the call field and what the window shows afterwards.
struct Leaving {
    const char* way;
    const char* keys;                     // typed after the call
    KeyField* MainForm::* clicked = nullptr; // or the field the mouse clicks
    const char* message;
    int beeps;
    const char* county;
    const char* countySelected;
    const char* reportReceived;
    const char* reportSent;
    KeyField* MainForm::* focus;
};

class LeavingTheCall : public LogWindowTest {
protected:
    void leave(MainForm& w, const char* call, const Leaving& row)
    {
        keys(QString::fromLatin1(call));
        beeper.beeps = 0;
        if (row.clicked) {
            QTest::mouseClick(w.*row.clicked, Qt::LeftButton);
            QCoreApplication::processEvents();
        } else {
            keys(QString::fromLatin1(row.keys));
        }
    }

    void expectShown(MainForm& w, const Leaving& row)
    {
        EXPECT_EQ(w.lblDialog->text(), QString::fromLatin1(row.message));
        EXPECT_EQ(background(w.lblDialog), color(MainForm::DialogRedColor));
        EXPECT_EQ(beeper.beeps, row.beeps);
        EXPECT_EQ(w.txtSec->text(), QString::fromLatin1(row.county));
        EXPECT_EQ(w.txtSec->selectedText(), QString::fromLatin1(row.countySelected));
        EXPECT_EQ(w.txtRSTR->text(), QString::fromLatin1(row.reportReceived));
        EXPECT_EQ(w.txtRSTS->text(), QString::fromLatin1(row.reportSent));
        EXPECT_EQ(QApplication::focusWidget(), w.*row.focus);
    }
};

TEST_F(LeavingTheCall, OutOfStateWarnsOfAStationWorkedOnThisBandAndMode)
{
    const char* warning = "Duplicate Unless Rover!  W5ABC  2026/04/25  17:00:00   Rec#  1";
    const Leaving rows[] = {
        {"Space", " ", nullptr, warning, 1, "HARR", "HARR", "599", "599", &MainForm::txtRSTR},
        {"digit jump", "5", nullptr, warning, 1, "HARR", "HARR", "5", "599", &MainForm::txtRSTR},
        {"Tab", "{Tab}", nullptr, warning, 1, "HARR", "HARR", "599", "599", &MainForm::txtRSTR},
        {"mouse", "", &MainForm::txtRSTS, warning, 1, "HARR", "HARR", "599", "599", &MainForm::txtRSTS},
        // Enter logs: the missing fields and the county beep, then the county taken from
        // the earlier contact makes it a duplicate, refused and cleared.
        {"Enter", "{Enter}", nullptr, "Duplicate W5ABC  2026/04/25  17:00:00   Rec#  1", 5, "", "", "", "",
         &MainForm::txtCall},
    };
    writeLog({{QStringLiteral("W5ABC"), QStringLiteral("HARR")}});
    Outfrm& w = openOut();
    w.cmdLogOn_Click();
    for (const Leaving& row : rows) {
        SCOPED_TRACE(row.way);
        w.ClearEntry();
        leave(w, "w5abc", row);
        expectShown(w, row);
        EXPECT_EQ(state().entry.DupeFound, row.beeps > 1 ? 1 : 0);
        EXPECT_EQ(state().log.QsoCount, 1);
    }
}

TEST_F(LeavingTheCall, InStateRefusesAStationOutsideTexasAtOnceAndHoldsTheNextKey)
{
    const char* refusal = "Duplicate W1AW 09/28 14:00:00  Rec#  1";
    const Leaving rows[] = {
        {"Space", " ", nullptr, refusal, 1, "", "", "", "", &MainForm::txtCall},
        {"digit jump", "5", nullptr, refusal, 1, "", "", "", "", &MainForm::txtCall},
        {"Tab", "{Tab}", nullptr, refusal, 1, "", "", "", "", &MainForm::txtCall},
        {"mouse", "", &MainForm::txtRSTS, refusal, 1, "", "", "", "", &MainForm::txtCall},
        // Enter: the missing reports and country beep before the refusal.
        {"Enter", "{Enter}", nullptr, refusal, 4, "", "", "", "", &MainForm::txtCall},
    };
    writeLog({{QStringLiteral("W1AW"), {}, QStringLiteral("20"), QStringLiteral("CW"), QStringLiteral("14:00:00"),
               QStringLiteral("CT"), QStringLiteral("TRAV"), QStringLiteral("2026/09/28")}});
    Infrm& w = openIn();
    w.cmdLogOn_Click();
    for (const Leaving& row : rows) {
        SCOPED_TRACE(row.way);
        w.ClearEntry();
        clock.monotonic += 10000;
        const size_t sleeps = clock.sleeps.size();
        leave(w, "w1aw", row);
        expectShown(w, row);
        EXPECT_TRUE(w.txtCall->text().isEmpty());
        EXPECT_TRUE(w.txtCntry->text().isEmpty());
        EXPECT_FALSE(w.lblStation[4]->isEnabled());
        EXPECT_EQ(state().entry.DupeFound, 1);
        EXPECT_EQ(clock.sleeps.size(), sleeps) << "the refusing keystroke itself is not held";

        // The next key, a second later, waits for the rest of the three seconds; the
        // message line turns back from red with it.
        clock.monotonic += 1000;
        keys(QStringLiteral("k"));
        EXPECT_GE(clock.monotonic, state().entry.LastDupeAtMs + 3000);
        EXPECT_EQ(state().entry.DupeFound, 0);
        EXPECT_EQ(w.txtCall->text(), QStringLiteral("K"));
        EXPECT_EQ(background(w.lblDialog), color(MainForm::DialogNormalColor));
        EXPECT_EQ(state().log.QsoCount, 1);
    }
}

} // namespace
