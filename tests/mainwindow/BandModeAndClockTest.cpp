// Band and mode from the menus, the displays and the radio; the operating clock, the
// clocks and the contact rates.

#include "support/LogWindowFixture.h"

#include "core/forms/Form1.h"

#include <QLocale>

namespace {

class BandAndMode : public LogWindowTest {
protected:
    // QSOpref.txt once the preferences saved a moment after a change are written.
    QList<QByteArray> prefLines() const
    {
        app->services().delayedWrites->flush();
        return readBytes(work(QStringLiteral("QSOpref.txt"))).split('\n');
    }

    static QStringList checkedBands(const MainForm& w)
    {
        QStringList checked;
        for (const auto& [name, item] : w.bandItems) {
            if (item->isChecked())
                checked << name;
        }
        return checked;
    }
};

TEST_F(BandAndMode, BandMenuSavesTheBandAndReloadsTheLog)
{
    writeLog({{QStringLiteral("W5ABC"), QStringLiteral("HARR")}});
    Outfrm& w = openOut();
    EXPECT_EQ(checkedBands(w), QStringList{QStringLiteral("20")});

    // A contact written by another program since the load shows up with the reload.
    writeLog({{QStringLiteral("W5ABC"), QStringLiteral("HARR")}, {QStringLiteral("K5ZZ"), QStringLiteral("TRAV")}});
    w.bandItems.at(QStringLiteral("40"))->trigger();

    EXPECT_EQ(state().station.CurrentBand, QStringLiteral("40"));
    EXPECT_EQ(w.Label24->text(), QStringLiteral("40"));
    EXPECT_EQ(checkedBands(w), QStringList{QStringLiteral("40")});
    ASSERT_GE(prefLines().size(), 10);
    EXPECT_EQ(prefLines()[9], "\"40\"\r");
    EXPECT_EQ(state().log.QsoCount, 2);
    EXPECT_EQ(w.lblTotSec->text(), QStringLiteral("2"));

    // The band display steps on, from the last band back to the first.
    w.selectBand(QStringLiteral("2"));
    w.Label24_Click();
    EXPECT_EQ(state().station.CurrentBand, QStringLiteral("160"));
    EXPECT_EQ(checkedBands(w), QStringList{QStringLiteral("160")});
}

TEST_F(BandAndMode, RadioFrequencyIsStoredWithTheNextContactOnly)
{
    Outfrm& w = openOut();
    w.cmdLogOn_Click();

    app->form1().BandFreqConversion(14.025f);
    EXPECT_EQ(state().RigFrequencyText, QStringLiteral("14.025"));
    EXPECT_EQ(state().station.CurrentBand, QStringLiteral("20"));
    EXPECT_FALSE(QFile::exists(work(QStringLiteral("QSOpref.txt")))) << "the same band: nothing rerun";

    keys(QStringLiteral("W5ABC h{Enter}"));
    EXPECT_TRUE(logBytes().endsWith(",\"14.025\"\r\n"));
    EXPECT_TRUE(state().RigFrequencyText.isEmpty());

    keys(QStringLiteral("K5ZZ h{Enter}"));
    EXPECT_TRUE(logBytes().endsWith(",\"\"\r\n"));

    app->form1().BandFreqConversion(7.1f);
    EXPECT_EQ(state().station.CurrentBand, QStringLiteral("40"));
    EXPECT_EQ(w.Label24->text(), QStringLiteral("40"));
    EXPECT_EQ(state().RigFrequencyText, QStringLiteral("7.100"));
    EXPECT_EQ(prefLines()[9], "\"40\"\r");

    // A frequency outside the contest bands changes no band.
    app->form1().BandFreqConversion(10.12f);
    EXPECT_EQ(state().station.CurrentBand, QStringLiteral("40"));
    EXPECT_EQ(state().RigFrequencyText, QStringLiteral("10.120"));
    // Nor does the 10 GHz row, though it bears the 10 m band's name.
    app->form1().BandFreqConversion(10368.1f);
    EXPECT_EQ(state().station.CurrentBand, QStringLiteral("40"));
    EXPECT_EQ(state().RigFrequencyText, QStringLiteral("10368.100"));
}

// A radio tuned across the bands changes band and mode at every poll: the preferences are
// written once for the run, a moment later, with the last band and mode, by the file writer
// as the program has it (off the window thread), and the writes that wait are made when the
// program ends.
TEST_F(BandAndMode, ARunOfRadioChangesWritesThePreferencesOnceAndBeforeTheEnd)
{
    Services& services = app->services();
    services.delayedWrites.reset();
    services.fileWriter = std::make_unique<FileWriter>();
    services.delayedWrites = std::make_unique<DelayedWrites>(services.fileWriter.get());
    Outfrm& w = openOut();
    w.cmdLogOn_Click();
    const QString pref = work(QStringLiteral("QSOpref.txt"));
    for (const float f : {7.1f, 14.2f, 21.2f, 3.55f}) {
        app->form1().BandFreqConversion(f);
        app->form1().ModeSelection(QString::fromLatin1(f < 10 ? "PH" : "CW"));
    }
    EXPECT_EQ(w.Label24->text(), QStringLiteral("80"));
    EXPECT_EQ(w.Label30->text(), QStringLiteral("PH"));
    EXPECT_FALSE(QFile::exists(pref)) << "written at once";

    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(pref); }, 5000));
    const QList<QByteArray> lines = readBytes(pref).split('\n');
    ASSERT_GE(lines.size(), 10);
    EXPECT_EQ(lines[8], "\"PH\"\r");
    EXPECT_EQ(lines[9], "\"80\"\r");
    EXPECT_FALSE(app->services().delayedWrites->pending());

    app->form1().BandFreqConversion(28.4f);
    w.mnuExit_Click();
    EXPECT_TRUE(app->quitRequested());
    EXPECT_EQ(readBytes(pref).split('\n')[9], "\"10\"\r") << "File > Exit wrote it";
    app->form1().BandFreqConversion(7.1f);
    EXPECT_THROW(app->services().endProgram(1), ProgramEnded);
    EXPECT_EQ(readBytes(pref).split('\n')[9], "\"40\"\r") << "an end at once wrote it";
}

TEST_F(BandAndMode, TheForwardingObjectReachesOnlyTheRunningMainWindow)
{
    Outfrm& w = openOut();
    w.cmdLogOn_Click();
    app->form1().BandFreqConversion(7.1f);
    EXPECT_EQ(state().station.CurrentBand, QStringLiteral("40"));

    // Closed, the window detaches itself: the calls that follow reach nothing.
    w.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(app->mainWindow(), nullptr);
    app->form1().BandFreqConversion(14.025f);
    app->form1().ModeSelection(QStringLiteral("PH"));
    EXPECT_EQ(state().station.CurrentBand, QStringLiteral("40"));
    EXPECT_EQ(state().station.CurrentMode, QStringLiteral("CW"));
}

TEST_F(BandAndMode, PhoneModeTakesTwoCharacterReports)
{
    Outfrm& w = openOut();
    w.cmdLogOn_Click();

    for (const char* ignored : {"", "DG", "cw"}) {
        app->form1().ModeSelection(QString::fromLatin1(ignored));
        EXPECT_EQ(state().station.CurrentMode, QStringLiteral("CW")) << ignored;
    }
    app->form1().ModeSelection(QStringLiteral("ph"));
    EXPECT_EQ(state().station.CurrentMode, QStringLiteral("PH"));
    EXPECT_EQ(w.Label30->text(), QStringLiteral("PH"));
    EXPECT_TRUE(w.mnuSSB->isChecked());
    EXPECT_FALSE(w.mnu160->isChecked());
    EXPECT_EQ(prefLines()[8], "\"PH\"\r");

    keys(QStringLiteral("W5ABC{Tab}"));
    EXPECT_EQ(w.txtRSTR->text(), QStringLiteral("59"));
    EXPECT_EQ(w.txtRSTS->text(), QStringLiteral("59"));
    keys(QStringLiteral("578"));
    EXPECT_EQ(w.txtRSTR->text(), QStringLiteral("57"));
    keys(QStringLiteral("{Tab}h{Enter}"));
    ASSERT_EQ(state().log.QsoCount, 1);
    EXPECT_EQ(state().log.Log[1].Mode, QStringLiteral("PH"));
    EXPECT_EQ(w.lblTotCon->text(), QStringLiteral("1"));
    EXPECT_EQ(w.lblTotScore->text(), QStringLiteral("2"));

    // The mode display toggles back to CW, with three-character reports.
    w.Label30_Click();
    EXPECT_EQ(state().station.CurrentMode, QStringLiteral("CW"));
    EXPECT_EQ(w.txtRSTR->maxLength(), 3);
}

// ---- clocks ----

class Clocks : public LogWindowTest {};

TEST_F(Clocks, TimeOnAndOffAddUpTheOperatingTime)
{
    state().station.StoredOperatingSeconds = 600;
    Outfrm& w = openOut();
    EXPECT_EQ(w.clocks->lblttrack->text(), QStringLiteral("00:10:00"));

    w.cmdLogOn->click();
    EXPECT_EQ(w.cmdLogOn->text(), QStringLiteral("&Log \"Time Off\""));
    EXPECT_EQ(w.lblDialog->text(), QStringLiteral(" "));
    EXPECT_EQ(QApplication::focusWidget(), w.txtCall);

    clock.local = clock.local.addSecs(3661);
    w.clocks->Timer2_Timer();
    EXPECT_EQ(w.clocks->lblttrack->text(), QStringLiteral("01:11:01"));
    EXPECT_EQ(w.clocks->lblCurTime->text(), QStringLiteral("2:06:01"));
    EXPECT_EQ(w.clocks->Label16->text(), QStringLiteral("PM"));
    EXPECT_EQ(w.clocks->lblutctime->text(), QStringLiteral("19:06:01"));

    w.cmdLogOn->click();
    EXPECT_EQ(w.cmdLogOn->text(), QStringLiteral("&Log \"Time On\""));
    EXPECT_EQ(w.lblDialog->text(), QStringLiteral("Logged Off at ")
                                       + QLocale().toString(QDate(2026, 4, 25), QLocale::ShortFormat)
                                       + QStringLiteral(" 19:06:01"));
    EXPECT_FLOAT_EQ(state().station.StoredOperatingSeconds, 4261);
    const QList<QByteArray> pref = readBytes(work(QStringLiteral("QSOpref.txt"))).split('\n');
    ASSERT_GE(pref.size(), 18);
    EXPECT_EQ(pref[17], "4261\r");

    // Stopped, the time stands; started again, it goes on from the total.
    clock.local = clock.local.addSecs(500);
    w.clocks->Timer2_Timer();
    EXPECT_EQ(w.clocks->lblttrack->text(), QStringLiteral("01:11:01"));
    w.cmdLogOn->click();
    clock.local = clock.local.addSecs(100);
    w.clocks->Timer2_Timer();
    EXPECT_EQ(w.clocks->lblttrack->text(), QStringLiteral("01:12:41"));
}

TEST_F(Clocks, RatesCountTheLastTwentyAndSixtyMinutes)
{
    // UTC now is 18:05:00. Exactly an hour old ends the count; exactly twenty minutes old
    // counts only in the hour.
    std::vector<Qso> contacts;
    for (const char* time : {"17:05:00", "17:10:00", "17:20:00", "17:30:00", "17:40:00", "17:45:00"})
        contacts.push_back({QStringLiteral("K5A"), QStringLiteral("HARR"), QStringLiteral("20"), QStringLiteral("CW"),
                            QString::fromLatin1(time)});
    for (int m = 46; m < 56; ++m)
        contacts.push_back({QStringLiteral("K5B"), QStringLiteral("HARR"), QStringLiteral("20"), QStringLiteral("CW"),
                            QStringLiteral("17:%1:30").arg(m)});
    QByteArray bytes;
    for (const Qso& q : contacts)
        bytes += logRecord(toEntry(q));
    writeBytes(work(QStringLiteral("log.txt")), bytes);
    Outfrm& w = openOut();

    EXPECT_EQ(w.clocks->lblAQSO60->text(), QStringLiteral("15"));
    EXPECT_EQ(w.clocks->lblAQSO20->text(), QStringLiteral("30"));

    clock.local = clock.local.addSecs(30 * 60);
    w.clocks->Timer1_Timer();
    EXPECT_EQ(w.clocks->lblAQSO60->text(), QStringLiteral("12"));
    EXPECT_EQ(w.clocks->lblAQSO20->text(), QStringLiteral("0"));
}

} // namespace
