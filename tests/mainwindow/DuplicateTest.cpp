// Duplicates as the operator meets them: the warning on leaving the call field, the
// previous contacts in the log list, the possible duplicates while typing, and the
// in-state window's refusal and hold.

#include "support/LogWindowFixture.h"

#include <QPointer>
#include <QTimer>
#include <algorithm>

namespace {

class OutOfStateDupes : public LogWindowTest {
protected:
    Outfrm& openWithClockOn()
    {
        Outfrm& window = openOut();
        window.cmdLogOn_Click();
        return window;
    }
};

TEST_F(OutOfStateDupes, LeavingAWorkedCallWarnsAndAnotherCountyStillLogs)
{
    writeLog({{QStringLiteral("K5ZZ"), QStringLiteral("TRAV")},
              {QStringLiteral("W5ABC"), QStringLiteral("HARR"), QStringLiteral("20"), QStringLiteral("CW"),
               QStringLiteral("17:10:00")}});
    Outfrm& w = openWithClockOn();

    keys(QStringLiteral("W5ABC{Tab}"));
    EXPECT_EQ(w.lblDialog->text(),
              QStringLiteral("Duplicate Unless Rover!  W5ABC  2026/04/25  17:10:00   Rec#  2"));
    EXPECT_EQ(background(w.lblDialog), color(MainForm::DialogRedColor));
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("HARR"));
    EXPECT_EQ(state().entry.DupeFound, 0) << "a warning only";

    // A rover in another county: the letter replaces the county filled in.
    keys(QStringLiteral("b{Enter}"));
    ASSERT_EQ(state().log.QsoCount, 3);
    EXPECT_EQ(state().log.Log[3].County, QStringLiteral("BEXA"));
}

TEST_F(OutOfStateDupes, ListPreviousContactsShowsEveryEarlierContactOfTheCall)
{
    writeLog({{QStringLiteral("W5ABC"), QStringLiteral("HARR")},
              {QStringLiteral("K5ZZ"), QStringLiteral("TRAV")},
              {QStringLiteral("W5ABC"), QStringLiteral("HARR"), QStringLiteral("40")},
              {QStringLiteral("W5ABC"), QStringLiteral("BEXA"), QStringLiteral("20"), QStringLiteral("CW"),
               QStringLiteral("17:20:00")}});
    Outfrm& w = openWithClockOn();
    w.mnuListPrevious->trigger();
    EXPECT_EQ(state().station.ListPreviousContacts, 1);
    EXPECT_TRUE(readBytes(work(QStringLiteral("QSOpref.txt"))).endsWith("\r\n1\r\n"));

    keys(QStringLiteral("W5ABC{Tab}"));
    EXPECT_EQ(listedRecords(w), (std::vector<qint32>{1, 3, 4}));
    EXPECT_EQ(beeper.beeps, 2) << "one beep for each contact on this band and mode";
    EXPECT_EQ(w.lblDialog->text(),
              QStringLiteral("Duplicate Unless Rover!  W5ABC  2026/04/25  17:20:00   Rec#  4"));
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("HARR")) << "from the oldest contact";

    // Back in the empty call field the usual list returns; a call never worked lists nothing.
    keys(QStringLiteral("{Esc}"));
    EXPECT_EQ(listedRecords(w), (std::vector<qint32>{4, 3, 2, 1}));
    keys(QStringLiteral("N5NEW{Tab}"));
    EXPECT_TRUE(listedRecords(w).empty());
}

TEST_F(OutOfStateDupes, TypingListsTheCallsWorkedOnThisBandAndMode)
{
    writeLog({{QStringLiteral("W5ABC"), QStringLiteral("HARR")},
              {QStringLiteral("W5ABD"), QStringLiteral("HARR")},
              {QStringLiteral("W5ABE"), QStringLiteral("HARR"), QStringLiteral("40")},
              {QStringLiteral("W5ABF"), QStringLiteral("HARR"), QStringLiteral("20"), QStringLiteral("PH")}});
    Outfrm& w = openWithClockOn();

    keys(QStringLiteral("W5A"));
    EXPECT_EQ(w.lblDupe->text(), QStringLiteral("W5ABD W5ABC "));
    EXPECT_EQ(background(w.lblDupe), color(MainForm::DialogNormalColor));
    EXPECT_EQ(w.lblDialog->text(), QStringLiteral(" ")) << "the call held only two characters";

    keys(QStringLiteral("B"));
    EXPECT_EQ(w.lblDupe->text(), QStringLiteral("W5ABD W5ABC "));
    EXPECT_EQ(w.lblDialog->text(), QStringLiteral("Possible Duplicate!"));

    keys(QStringLiteral("X"));
    EXPECT_TRUE(w.lblDupe->text().isEmpty());
    EXPECT_EQ(background(w.lblDupe), color(ColorButtonFace));
    EXPECT_EQ(w.lblDialog->text(), QStringLiteral(" "));

    // Backspace lists nothing, and neither does any key once the listing is switched off.
    keys(QStringLiteral("{BS}{BS}"));
    EXPECT_TRUE(w.lblDupe->text().isEmpty());
    w.cmdDup->click();
    EXPECT_EQ(w.cmdDup->text(), QStringLiteral("Off"));
    keys(QStringLiteral("B"));
    EXPECT_TRUE(w.lblDupe->text().isEmpty());
}

TEST_F(OutOfStateDupes, ThirdCharacterChecksTheCallFormat)
{
    Outfrm& w = openWithClockOn();
    const struct {
        const char* typed;
        bool warns;
    } cases[] = {{"ABC", true}, {"A5C", false}, {"AB5", false}, {"AB/", false}, {"AB-", false}};
    for (const auto& c : cases) {
        keys(QStringLiteral("{Esc}"));
        const int beepsBefore = beeper.beeps;
        keys(QString::fromLatin1(c.typed));
        EXPECT_EQ(beeper.beeps - beepsBefore, c.warns ? 1 : 0) << c.typed;
        EXPECT_EQ(w.lblDialog->text() == QLatin1String("The second or third character is not numeric!"), c.warns)
            << c.typed;
    }
}

TEST_F(OutOfStateDupes, KeysWithTheClockOffAskForTimeOn)
{
    Outfrm& w = openOut();
    keys(QStringLiteral("K5"));
    EXPECT_EQ(beeper.beeps, 2);
    EXPECT_EQ(w.lblDialog->text(), QStringLiteral("Click Log \"Time On\"!"));

    // Logging starts the clock.
    keys(QStringLiteral("ABC h{Enter}"));
    EXPECT_EQ(state().log.QsoCount, 1);
    EXPECT_EQ(state().clock.TimedOn, 1);
    EXPECT_EQ(w.cmdLogOn->text(), QStringLiteral("&Log \"Time Off\""));
}

TEST_F(OutOfStateDupes, DupePromptWaitIsCapped)
{
    writeLog({{QStringLiteral("W5ABC"), QStringLiteral("HARR")}});
    writeBytes(work(QStringLiteral("Dupe.wav")), "RIFF");
    state().station.VoiceNavigationLevel = 1;
    Outfrm& w = openWithClockOn();

    // The prompt never ends by itself here: the wait gives up after the player's margin.
    const qint64 before = clock.monotonic;
    keys(QStringLiteral("W5ABC{Enter}"));
    EXPECT_TRUE(w.lblDialog->text().startsWith(QStringLiteral("Duplicate W5ABC  ")));
    const bool played = std::any_of(ts.wavePlayers->begin(), ts.wavePlayers->end(), [](const FakeWavePlayer* p) {
        return p->plays > 0 && std::any_of(p->opened.begin(), p->opened.end(), [](const QString& path) {
                   return path.endsWith(QStringLiteral("/Dupe.wav"));
               });
    });
    EXPECT_TRUE(played);
    EXPECT_GE(clock.monotonic - before, WavePlayer::EndMarginMs);
    EXPECT_LT(clock.monotonic - before, WavePlayer::EndMarginMs + 100);
}

// The program closed while the hold after a duplicate waits for "Dupe": the voice
// navigation window the wait runs in goes with the program, and the wait's callers touch
// nothing of it after (the sanitizers watch this one).
TEST_F(OutOfStateDupes, ClosingTheProgramDuringTheDupeHoldEndsItCleanly)
{
    writeLog({{QStringLiteral("W5ABC"), QStringLiteral("HARR")}});
    writeBytes(work(QStringLiteral("Dupe.wav")), "RIFF");
    state().station.VoiceNavigationLevel = 1;
    Outfrm& w = openWithClockOn();

    // The window is closed from the wait itself, as soon as "Dupe" plays: the close is
    // taken up once the wait has returned.
    bool asked = false;
    const QPointer<Outfrm> window(&w);
    QTimer closer;
    closer.setInterval(0);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        for (const FakeWavePlayer* p : *ts.wavePlayers)
            if (p->mode() == WavePlayer::ModePlaying && p->opened.last().endsWith(QStringLiteral("/Dupe.wav"))) {
                closer.stop();
                w.close();
                asked = true;
                return;
            }
    });
    keys(QStringLiteral("W5ABC"));
    closer.start();
    const qint64 before = clock.monotonic;
    keys(QStringLiteral("{Enter}"));
    EXPECT_TRUE(asked);
    EXPECT_TRUE(app->quitRequested());
    EXPECT_TRUE(!window || !window->isVisible()) << "the window closed once the hold had returned";
    EXPECT_LT(clock.monotonic - before, WavePlayer::EndMarginMs) << "the hold ended with the program";
    EXPECT_EQ(state().log.QsoCount, 1) << "the duplicate is not logged";
}

// ---- in-state window ----

class InStateDupes : public LogWindowTest {
protected:
    Infrm& openWithClockOn()
    {
        Infrm& window = openIn();
        window.cmdLogOn_Click();
        return window;
    }
};

TEST_F(InStateDupes, SameStationFromAnotherOwnCountyIsNoDuplicate)
{
    writeLog({{QStringLiteral("W5ABC"), {}, QStringLiteral("20"), QStringLiteral("CW"), QStringLiteral("17:00:00"),
               QStringLiteral("OK"), QStringLiteral("BEXA")}});
    Infrm& w = openWithClockOn();

    keys(QStringLiteral("W5ABC{Tab}"));
    EXPECT_FALSE(w.lblDialog->text().contains(QStringLiteral("upe"))) << w.lblDialog->text().toStdString();
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("OK")) << "from the earlier contact";
    keys(QStringLiteral("{Enter}"));

    ASSERT_EQ(state().log.QsoCount, 2);
    EXPECT_EQ(state().log.Log[2].Spc, QStringLiteral("OK"));
    EXPECT_EQ(state().log.Log[2].CountySent, QStringLiteral("TRAV"));
}

TEST_F(InStateDupes, TexasStationWorkedFromThisCountyIsWarnedOnly)
{
    writeLog({{QStringLiteral("W5ABC"), QStringLiteral("HARR"), QStringLiteral("20"), QStringLiteral("CW"),
               QStringLiteral("17:00:00"), QStringLiteral("TX"), QStringLiteral("TRAV")}});
    Infrm& w = openWithClockOn();

    keys(QStringLiteral("W5ABC{Tab}"));
    EXPECT_EQ(w.lblDialog->text(), QStringLiteral("Dupe if not rover!  W5ABC  04/25  17:00:00   Rec#  1"));
    EXPECT_EQ(background(w.lblDialog), color(MainForm::DialogRedColor));
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("TX"));
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("HARR"));
    EXPECT_EQ(state().entry.DupeFound, 0);
}

TEST_F(InStateDupes, StationOutsideTexasWorkedFromThisCountyIsRefusedOnLeavingTheCall)
{
    writeLog({{QStringLiteral("W5ABC"), {}, QStringLiteral("20"), QStringLiteral("CW"), QStringLiteral("17:00:00"),
               QStringLiteral("OK"), QStringLiteral("TRAV")}});
    Infrm& w = openWithClockOn();

    keys(QStringLiteral("W5ABC{Tab}"));
    EXPECT_EQ(w.lblDialog->text(), QStringLiteral("Duplicate W5ABC 04/25 17:00:00  Rec#  1"));
    EXPECT_EQ(background(w.lblDialog), color(MainForm::DialogRedColor));
    EXPECT_EQ(state().entry.DupeFound, 1);
    EXPECT_TRUE(w.txtCall->text().isEmpty());
    EXPECT_TRUE(w.txtCntry->text().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), w.txtCall);
    EXPECT_EQ(state().log.QsoCount, 1);

    // A key within three seconds waits for the rest of them on the monotonic clock, then
    // the flag is down and the key is typed.
    clock.monotonic += 1000;
    keys(QStringLiteral("K"));
    EXPECT_GE(clock.monotonic, state().entry.LastDupeAtMs + 3000);
    EXPECT_LT(clock.monotonic, state().entry.LastDupeAtMs + 3020);
    EXPECT_EQ(state().entry.DupeFound, 0);
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("K"));

    // Once the flag is down, keys do not wait.
    const size_t sleeps = clock.sleeps.size();
    keys(QStringLiteral("5"));
    EXPECT_EQ(clock.sleeps.size(), sleeps);
}

TEST_F(InStateDupes, LoggingFillsEachEmptyFieldFromTheOldestContactThatHasAValueForIt)
{
    // Worked first outside Texas (no county), then in Harris County on this band.
    writeLog({{QStringLiteral("W5ABC"), {}, QStringLiteral("40"), QStringLiteral("CW"), QStringLiteral("16:00:00"),
               QStringLiteral("OK"), QStringLiteral("TRAV")},
              {QStringLiteral("W5ABC"), QStringLiteral("HARR"), QStringLiteral("20"), QStringLiteral("CW"),
               QStringLiteral("17:00:00"), QStringLiteral("TX"), QStringLiteral("TRAV")}});
    Infrm& w = openWithClockOn();
    const QByteArray logBefore = logBytes();

    // The county comes from the second contact, the St/Prv/Country from the first, and
    // with that county the entry is the second contact again.
    keys(QStringLiteral("W5ABC{Enter}"));
    EXPECT_EQ(w.lblDialog->text(), QStringLiteral("Duplicate W5ABC 04/25 17:00:00  Rec#  2"));
    EXPECT_EQ(state().entry.DupeFound, 1);
    EXPECT_TRUE(w.txtCall->text().isEmpty());
    EXPECT_EQ(logBytes(), logBefore);
}

TEST_F(InStateDupes, AStationEnteredOutsideTexasGetsNoCountyFromAnEarlierTexasContact)
{
    // Worked first in Harris County on 40 m; the second case has also worked it from
    // Oklahoma on this band and mode.
    const Qso inHarris{.call = QStringLiteral("W5ABC"), .county = QStringLiteral("HARR"), .band = QStringLiteral("40"),
                       .time = QStringLiteral("16:00:00"), .spc = QStringLiteral("TX"),
                       .countySent = QStringLiteral("TRAV")};
    const Qso inOklahoma{.call = QStringLiteral("W5ABC"), .spc = QStringLiteral("OK"),
                         .countySent = QStringLiteral("TRAV")};
    const struct {
        const char* name;
        std::vector<Qso> log;
        bool refused;
    } cases[] = {{"new on this band: stored without a county", {inHarris}, false},
                 {"worked from Oklahoma on this band: a duplicate", {inHarris, inOklahoma}, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<LogEntry> entries;
        for (const Qso& q : c.log)
            entries.push_back(q.entry());
        writeBytes(work(QStringLiteral("log.txt")), logFileBytes(entries));
        Infrm& w = openWithClockOn();
        const QByteArray logBefore = logBytes();

        // Leaving the call fills in Harris County and TX; the operator types OK over TX.
        keys(QStringLiteral("W5ABC{Tab}599{Tab}"));
        ASSERT_EQ(QApplication::focusWidget(), w.txtCntry);
        ASSERT_EQ(w.txtSec->text(), QStringLiteral("HARR"));
        keys(QStringLiteral("OK{Enter}"));

        if (c.refused) {
            EXPECT_EQ(w.lblDialog->text(), QStringLiteral("Duplicate W5ABC 04/25 17:00:00  Rec#  2"));
            EXPECT_EQ(logBytes(), logBefore);
        } else {
            ASSERT_EQ(state().log.QsoCount, 2) << w.lblDialog->text().toStdString();
            EXPECT_EQ(state().log.Log[2].Spc, QStringLiteral("OK"));
            EXPECT_EQ(state().log.Log[2].County, QString());
            EXPECT_TRUE(logBytes().endsWith(logRecord(state().log.Log[2])));
        }
        w.hide();
        delete &w;
    }
}

TEST_F(InStateDupes, AnotherWindowComingToTheFrontDoesNotLeaveTheCall)
{
    writeLog({{QStringLiteral("W5ABC"), {}, QStringLiteral("20"), QStringLiteral("CW"), QStringLiteral("17:00:00"),
               QStringLiteral("OK"), QStringLiteral("TRAV")}});
    Infrm& w = openWithClockOn();
    keys(QStringLiteral("W5ABC"));

    // The operator clicks another window (the keyer, the spots) and comes back.
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("W5ABC"));
    EXPECT_EQ(state().entry.DupeFound, 0);
    EXPECT_EQ(beeper.beeps, 0);
    EXPECT_TRUE(w.txtRSTR->text().isEmpty());

    other.hide();
    QApplication::setActiveWindow(&w);
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), w.txtCall);

    // Leaving the call field for the next field still refuses the station.
    keys(QStringLiteral("{Tab}"));
    EXPECT_EQ(state().entry.DupeFound, 1);
    EXPECT_TRUE(w.txtCall->text().isEmpty());
}

TEST_F(InStateDupes, EnterOnAnInStateDuplicateIsRefusedAndCleared)
{
    writeLog({{QStringLiteral("W5ABC"), QStringLiteral("HARR"), QStringLiteral("20"), QStringLiteral("CW"),
               QStringLiteral("17:00:00"), QStringLiteral("TX"), QStringLiteral("TRAV")}});
    Infrm& w = openWithClockOn();
    const QByteArray logBefore = logBytes();

    keys(QStringLiteral("W5ABC{Tab}{Enter}"));
    EXPECT_EQ(w.lblDialog->text(), QStringLiteral("Duplicate W5ABC 04/25 17:00:00  Rec#  1"));
    EXPECT_TRUE(w.txtCall->text().isEmpty());
    EXPECT_TRUE(w.txtSec->text().isEmpty());
    EXPECT_EQ(logBytes(), logBefore);
}

} // namespace
