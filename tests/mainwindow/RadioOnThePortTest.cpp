// The log following a radio on a real serial port: the program's port opens a
// pseudo-terminal (BREVANT_COM1) with the fake radio at the far end, which answers as the
// radio would, as slowly as its line if asked, and records what the program sent and when;
// the radio going silent and its line going dead; then hamlib's TS-2000 emulator, a radio
// program written by others, in its place.

#include "ShellFixture.h"

#include "FakeRadio.h"
#include "core/QStringPrinter.h"
#include "platform/SerialPort.h"
#include "rig/RigSession.h"
#include "rig/RigText.h"
#include "rig/windows/RigControlfrm.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <sys/resource.h>

namespace {

// The processor time this thread has used, in ms.
qint64 threadCpuMs()
{
    rusage used{};
    ::getrusage(RUSAGE_THREAD, &used);
    return (used.ru_utime.tv_sec + used.ru_stime.tv_sec) * 1000 + (used.ru_utime.tv_usec + used.ru_stime.tv_usec) / 1000;
}

// What the log window fixtures add: the program's own serial ports, COM n found as the
// program finds it (BREVANT_COM<n> first).
class RealPortTest : public ShellTest {
protected:
    void useRealPorts()
    {
        app->services().makeSerialPort = [environment = ts.environment, &settings = settings] {
            return std::make_unique<QtSerialPort>(
                [environment, &settings](int com) { return comPortDevice(com, *environment, settings); });
        };
        // The Extra-class 40 m segments tuning reads.
        writeBytes(work(QStringLiteral("BandPlan.txt")),
                   "\"March 5, 2012\"\r\n\"40\",\"E\",\"CW\",7,7.125\r\n\"40\",\"E\",\"PH\",7.125,7.3\r\n");
    }

    // RigCntrl.txt for the radio on COM1 at 4800 baud (8N2 unless another speed is given,
    // then 8N1), polled every 500 ms (two ticks of 250; rate "F" is every 100 ms), "Use
    // Frequency" ticked, the mode from the radio.
    void settingsFor(const char* rigName, const char* modeRequest, const char* frequencyRequest, const char* rate = "M",
                     int baud = 0)
    {
        state().station.RigName = QString::fromLatin1(rigName);
        const QByteArray speed = baud > 0 ? QByteArray::number(baud) : QByteArray("4800");
        const QByteArray stopBits = baud > 0 ? "1" : "2";
        writeBytes(work(QStringLiteral("RigCntrl.txt")),
                   "\"" + speed.leftJustified(5, ' ') + "\"\r\n\"N\"\r\n\"8\"\r\n\"" + stopBits + "\"\r\n\"" + modeRequest
                       + "\"\r\n\"" + frequencyRequest + "\"\r\n\"" + speed + ",N,8," + stopBits + "\"\r\n1\r\n\"N\"\r\n\""
                       + rate + "\"\r\n\"" + rigName + "\"\r\n0\r\n1\r\n1\r\n");
    }

    bool followed(const char* band, const char* mode, int withinMs = 3000)
    {
        return QTest::qWaitFor(
            [&] { return state().station.CurrentBand == band && state().station.CurrentMode == mode; }, withinMs);
    }

    // Logs a contact and gives the frequency it was stored with.
    QByteArray logAContact(Outfrm& w, const QString& call)
    {
        if (state().clock.TimedOn == 0)
            w.cmdLogOn_Click();
        w.txtCall->setFocus();
        keys(call + QStringLiteral(" h{Enter}"));
        const QByteArray log = logBytes();
        const qsizetype lastValue = log.lastIndexOf(",\"");
        return lastValue < 0 ? QByteArray() : log.mid(lastValue + 2).chopped(3);
    }
};

class RadioOnThePort : public RealPortTest {
protected:
    RadioOnThePort()
    {
        EXPECT_FALSE(radio.name().isEmpty()) << "no pseudo-terminal";
        ts.environment->variables["BREVANT_COM1"] = radio.name();
        useRealPorts();
        state().station.CurrentBand = QStringLiteral("40");
        state().station.CurrentMode = QStringLiteral("PH");
    }

    // The times of the commands with that text.
    std::vector<qint64> timesOf(const QByteArray& command) const
    {
        std::vector<qint64> times;
        QByteArray seen;
        for (const FakeRadio::Received& r : radio.received) {
            for (char c : r.bytes) {
                seen += c;
                if (seen.endsWith(command))
                    times.push_back(r.atMs);
            }
        }
        return times;
    }

    // A Kenwood on 20 m CW polled every 100 ms, the log window open and following it.
    Outfrm& openFollowingKenwood()
    {
        settingsFor("Kenwood", "MD;", "FA;", "F");
        radio.replies["FA"] = "FA00014074000;";
        radio.replies["MD"] = "MD3;";
        Outfrm& w = openOut();
        EXPECT_TRUE(followed("20", "CW"));
        return w;
    }

    FakeRadio radio{FakeRadio::Family::Kenwood};
};

TEST_F(RadioOnThePort, KenwoodIsPolledAndTheLogFollowsIt)
{
    settingsFor("Kenwood", "MD;", "FA;");
    radio.replies["FA"] = "FA00014074000;";
    radio.replies["MD"] = "MD3;";
    Outfrm& w = openOut();
    ASSERT_TRUE(app->rigSession().polling());
    ASSERT_TRUE(app->rigSession().port().isOpen());
    for (const auto& box : dialogs.shown)
        EXPECT_NE(box.title, "Invalid Comm Settings.");

    ASSERT_TRUE(QTest::qWaitFor([&] { return radio.commands.size() >= 6; }, 3000));
    EXPECT_EQ(radio.allReceived().left(18), "FA;MD;FA;MD;FA;MD;");
    const std::vector<qint64> polls = timesOf("FA;");
    ASSERT_GE(polls.size(), 3u);
    for (size_t i = 1; i < 3; ++i) {
        EXPECT_GE(polls[i] - polls[i - 1], 400) << "poll " << i;
        EXPECT_LE(polls[i] - polls[i - 1], 700) << "poll " << i;
    }
    EXPECT_EQ(state().station.CurrentBand, "20");
    EXPECT_EQ(state().station.CurrentMode, "CW");
    EXPECT_EQ(w.Label24->text(), "20");

    w.cmdLogOn_Click();
    w.txtCall->setFocus();
    keys(QStringLiteral("W5ABC h{Enter}"));
    EXPECT_TRUE(logBytes().endsWith(",\"14.074\"\r\n")) << logBytes().toStdString();

    // A spot on 7.030 MHz: the Extra CW segment gives the mode, sent before the frequency.
    const size_t before = radio.commands.size();
    float spot = 7.03f;
    app->form1().ChangeFrequency(spot);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return std::find(radio.commands.begin() + qsizetype(before), radio.commands.end(), "FA00007030000")
                   != radio.commands.end();
        },
        3000));
    const std::vector<QByteArray> tuning(radio.commands.begin() + qsizetype(before), radio.commands.end());
    const auto mode = std::find(tuning.begin(), tuning.end(), "MD3");
    const auto frequency = std::find(tuning.begin(), tuning.end(), "FA00007030000");
    EXPECT_LT(mode, frequency) << "the mode goes first";
    ASSERT_TRUE(QTest::qWaitFor([&] { return state().station.CurrentBand == "40"; }, 3000))
        << "the next poll reads the new frequency";
}

TEST_F(RadioOnThePort, KenwoodTwoReadsFrequencyAndModeFromTheIfReply)
{
    settingsFor("Kenwood 2", "", "IF;");
    radio.replies["IF"] = "IF00014074000     +00000000003100000;";
    openOut();
    ASSERT_TRUE(QTest::qWaitFor([&] { return state().station.CurrentBand == "20"; }, 3000));
    EXPECT_EQ(state().station.CurrentMode, "CW");
    EXPECT_EQ(state().RigFrequencyText, "14.074");
    ASSERT_TRUE(QTest::qWaitFor([&] { return radio.commands.size() >= 2; }, 3000));
    EXPECT_EQ(radio.allReceived().left(6), "IF;IF;");
}


TEST_F(RadioOnThePort, OrionIsWokenPolledAndTuned)
{
    FakeRadio orion(FakeRadio::Family::Orion);
    ts.environment->variables["BREVANT_COM1"] = orion.name();
    settingsFor("Ten Tec Orion", "?RMM", "?AF");
    orion.replies["AF"] = "@AF14074000\r";
    orion.replies["RMM"] = "@RMM3\r";
    openOut();
    ASSERT_TRUE(QTest::qWaitFor([&] { return state().station.CurrentBand == "20"; }, 3000));
    EXPECT_EQ(state().station.CurrentMode, "CW");
    EXPECT_EQ(state().RigFrequencyText, "14.074");
    ASSERT_GE(orion.commands.size(), 3u);
    EXPECT_EQ(orion.commands[0], "X") << "the wake-up comes first";

    float spot = 7.03f;
    app->form1().ChangeFrequency(spot);
    ASSERT_TRUE(QTest::qWaitFor([&] { return state().station.CurrentBand == "40"; }, 3000))
        << "the radio took \"*AF7.03\" and the next poll read it";
    EXPECT_NE(std::find(orion.commands.begin(), orion.commands.end(), "*AF7.03"), orion.commands.end());
}

// A Kenwood at 4800 baud (8 data bits, 2 stop bits) polled every 100 ms: the request and
// its reply take longer than the 50 ms between the poll's ticks, so every reply is read in
// two pieces.
TEST_F(RadioOnThePort, AKenwoodSlowerThanTheReadTickIsFollowed)
{
    radio.pace(4800, 2);
    Outfrm& w = openFollowingKenwood();

    radio.replies["FA"] = "FA00021074000;"; // the operator turns the band switch
    radio.replies["MD"] = "MD2;";
    ASSERT_TRUE(followed("15", "PH"));
    EXPECT_EQ(logAContact(w, QStringLiteral("W5ABC")), "21.074");
}

// A Kenwood paced at the line's speed and polled every 100 ms, turned to another band
// every 0.4 s: it is never asked faster than it answers (no answers queue on the line), so
// the log follows each change within a poll and two answers' time, however slow the line.
class RadioAtItsSpeed : public RadioOnThePort, public ::testing::WithParamInterface<int> {};

TEST_P(RadioAtItsSpeed, TheLogFollowsTheRadioWithoutFallingBehind)
{
    const int baud = GetParam();
    radio.pace(baud);
    settingsFor("Kenwood", "MD;", "FA;", "F", baud);
    radio.replies["FA"] = "FA00014074000;";
    radio.replies["MD"] = "MD3;";
    openOut();
    ASSERT_TRUE(followed("20", "CW"));
    std::vector<qint64> lags;
    QElapsedTimer since;
    for (int change = 0; change < 8; ++change) {
        const bool to40 = change % 2 == 0;
        radio.replies["FA"] = to40 ? "FA00007030000;" : "FA00014074000;";
        since.start();
        ASSERT_TRUE(followed(to40 ? "40" : "20", "CW", 5000)) << "change " << change;
        lags.push_back(since.elapsed());
        QTest::qWait(400 - int(std::min<qint64>(since.elapsed(), 400)));
    }
    // A poll's answer is 18 characters; asked faster than that, the answers pile up.
    EXPECT_LE(radio.longestBacklog, 2 * 18) << "answers queued on the line";
    // 100 ms between polls and two answers (the request and the answer, 24 characters):
    // 0.5 s at 1200 baud. A loaded machine adds its own delays.
    const qint64 bound = 100 + 2 * 24 * 10 * 1000 / baud;
    for (size_t i = 0; i < lags.size(); ++i)
        EXPECT_LT(lags[i], bound + 700) << "change " << i;
}

INSTANTIATE_TEST_SUITE_P(Speeds, RadioAtItsSpeed, ::testing::Values(1200, 4800, 38400));

// A radio that holds the program's output with flow control: a write the line cannot take
// is no port failure. While the radio holds it longer than an answer's time the radio is
// shown silent, as one that does not answer; let go, the output goes and polling picks up.
TEST_F(RadioOnThePort, ARadioHoldingItsLineIsSilentNotFailedAndIsFollowedWhenItLetsGo)
{
    Outfrm& w = openFollowingKenwood();
    RigSession& rig = app->rigSession();
    radio.holdOutput(true);
    // More than the line holds, then more: the last write is refused for now (EAGAIN).
    rig.send(QByteArray(256 * 1024, ';'));
    rig.send(";");
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.lblDialog->text() == "No Response from the radio on COM1"; }, 8000))
        << w.lblDialog->text().toStdString();
    EXPECT_TRUE(rig.port().isOpen()) << "the port is not failed, closed or opened again";
    EXPECT_GT(rig.port().outputQueued(), 0);

    radio.replies["FA"] = "FA00007030000;";
    radio.holdOutput(false);
    // The quarter megabyte held back goes first; a loaded machine takes its time over it.
    ASSERT_TRUE(followed("40", "CW", 20000)) << "polling goes on by itself";
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.lblDialog->text().isEmpty(); }, 2000)) << w.lblDialog->text().toStdString();
    EXPECT_TRUE(rig.port().isOpen());
}

// The rig window brought to the front again with the focus still in a request box, as the
// operator left it: that is no edit of the box, and polling goes on.
TEST_F(RadioOnThePort, TheRigWindowBroughtBackToTheFrontKeepsPolling)
{
    Outfrm& w = openFollowingKenwood();
    RigControlfrm& rig = app->rigControlfrm();
    rig.show();
    focusIn(&rig, rig.txtFreq); // a click into the box ends the test, as it should
    ASSERT_FALSE(app->rigSession().polling());
    rig.Command1_Click();
    ASSERT_TRUE(app->rigSession().polling());
    ASSERT_TRUE(rig.txtFreq->hasFocus());

    focusIn(&w, w.txtCall);
    ASSERT_FALSE(rig.txtFreq->hasFocus());
    QApplication::setActiveWindow(&rig);
    rig.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.txtFreq->hasFocus(); }, 2000)) << "the box has the focus back";
    EXPECT_TRUE(app->rigSession().polling());
    radio.replies["FA"] = "FA00007030000;";
    EXPECT_TRUE(followed("40", "CW")) << "the log still follows the radio";
}

TEST_F(RadioOnThePort, ARadioThatGoesSilentIsShownAndComesBack)
{
    Outfrm& w = openFollowingKenwood();
    RigControlfrm& rig = app->rigControlfrm();

    radio.silent = true;
    QElapsedTimer silentFor;
    silentFor.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.lblDialog->text() == "No Response from the radio on COM1"; }, 8000));
    EXPECT_LT(silentFor.elapsed(), 5000);
    EXPECT_EQ(rig.lblFreq->text(), "14.07400 stale");
    EXPECT_EQ(rig.lblMode->text(), "No Response");
    EXPECT_TRUE(app->rigSession().polling());
    EXPECT_EQ(logAContact(w, QStringLiteral("K5DEF")), "14.074") << "the last good frequency still goes with contacts";
    const size_t asked = radio.commands.size();
    ASSERT_TRUE(QTest::qWaitFor([&] { return radio.commands.size() > asked + 2; }, 2000)) << "the poll keeps asking";

    radio.silent = false;
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.lblMode->text() == "CW"; }, 3000)) << "it clears itself";
    EXPECT_EQ(rig.lblFreq->text(), "14.07400");
}

// The line going dead under the open port (the radio's USB adapter pulled): the port is
// closed, the operator told, and the program no longer spins on the dead device.
TEST_F(RadioOnThePort, APortThatVanishesIsShownAndLeavesTheProcessorIdle)
{
    Outfrm& w = openFollowingKenwood();
    RigControlfrm& rig = app->rigControlfrm();

    const QString device = radio.name();
    radio.hangUp();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.lblDialog->text().startsWith("No Response: COM1 ("); }, 3000))
        << w.lblDialog->text().toStdString();
    EXPECT_TRUE(w.lblDialog->text().startsWith("No Response: COM1 (" + device + ") failed: "));
    EXPECT_EQ(rig.lblMode->text(), "No Response");
    EXPECT_FALSE(app->rigSession().port().isOpen());

    const qint64 cpu = threadCpuMs();
    QTest::qWait(1000);
    EXPECT_LT(threadCpuMs() - cpu, 300) << "the program idles while it waits for the radio";
    EXPECT_TRUE(app->rigSession().polling()) << "and keeps trying the port";

    dialogs.shown.clear();
    float spot = 7.03f;
    QElapsedTimer tune;
    tune.start();
    app->form1().ChangeFrequency(spot);
    EXPECT_LT(tune.elapsed(), 1000) << "no drain waits on a dead port";
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Error Changing Frequency");
}

// The binary radios on the port: a radio of the family at the far end, polled and tuned.
class BinaryRadioOnThePort : public RealPortTest {
protected:
    void plug(FakeRadio& radio)
    {
        EXPECT_FALSE(radio.name().isEmpty()) << "no pseudo-terminal";
        ts.environment->variables["BREVANT_COM1"] = radio.name();
        useRealPorts();
        state().station.CurrentBand = QStringLiteral("40");
        state().station.CurrentMode = QStringLiteral("PH");
    }

    // Where the command stands among those the radio took, or -1.
    static qsizetype indexOf(const FakeRadio& radio, const QByteArray& command)
    {
        const auto at = std::find(radio.commands.begin(), radio.commands.end(), command);
        return at == radio.commands.end() ? -1 : at - radio.commands.begin();
    }

    // Tunes to the 40 m CW segment and waits for the next poll to read the radio there.
    void tuneTo7030(FakeRadio& radio)
    {
        float spot = 7.03f;
        app->form1().ChangeFrequency(spot);
        EXPECT_EQ(spot, 7.03f);
        EXPECT_TRUE(QTest::qWaitFor([&] { return state().station.CurrentBand == "40"; }, 3000))
            << "the radio is now on " << radio.hertz << " Hz";
    }
};

QByteArray bytes(const char* hexPairs) { return *hexPairsToBytes(QLatin1String(hexPairs)); }

TEST_F(BinaryRadioOnThePort, IcomEchoingEachRequestIsPolledAndTuned)
{
    FakeRadio icom(FakeRadio::Family::Icom);
    icom.echo = true;
    plug(icom);
    settingsFor("Icom", "FE FE 64 E0 04 FD", "FE FE 64 E0 03 FD");
    openOut();
    ASSERT_TRUE(followed("20", "CW"));
    EXPECT_EQ(state().RigFrequencyText, "14.074");
    ASSERT_GE(icom.commands.size(), 2u);
    EXPECT_EQ(icom.commands[0], bytes("FE FE 64 E0 03 FD")) << "the frequency is asked first";
    EXPECT_EQ(icom.commands[1], bytes("FE FE 64 E0 04 FD"));

    tuneTo7030(icom);
    const qsizetype mode = indexOf(icom, bytes("FE FE 64 E0 06 03 FD"));
    const qsizetype frequency = indexOf(icom, bytes("FE FE 64 E0 05 00 00 03 07 00 FD"));
    ASSERT_GE(mode, 0);
    EXPECT_GT(frequency, mode) << "the mode goes first";
}

// An Icom at 1200 baud on a shared CI-V line polled every 100 ms: the echo of the request
// and the answer take about 140 ms, so each answer is read after the next question went out.
TEST_F(BinaryRadioOnThePort, AnIcomSlowerThanTheReadTickIsFollowed)
{
    FakeRadio icom(FakeRadio::Family::Icom);
    icom.echo = true;
    icom.pace(1200);
    plug(icom);
    settingsFor("Icom", "FE FE 64 E0 04 FD", "FE FE 64 E0 03 FD", "F");
    Outfrm& w = openOut();
    ASSERT_TRUE(followed("20", "CW"));
    icom.hertz = 21074000;
    icom.modeCode = 0x01; // USB
    ASSERT_TRUE(followed("15", "PH"));
    EXPECT_EQ(logAContact(w, QStringLiteral("W5ABC")), "21.074");
}

// A second Icom (address 76) on the same CI-V line answering the program with 3.530 MHz:
// only our radio (64) is read.
TEST_F(BinaryRadioOnThePort, AnotherIcomOnTheLineChangesNothing)
{
    FakeRadio icom(FakeRadio::Family::Icom);
    icom.echo = true;
    plug(icom);
    settingsFor("Icom", "FE FE 64 E0 04 FD", "FE FE 64 E0 03 FD", "F");
    Outfrm& w = openOut();
    ASSERT_TRUE(followed("20", "CW"));
    QTimer other;
    QObject::connect(&other, &QTimer::timeout, [&] {
        icom.send(bytes("FE FE E0 76 03 00 00 53 03 00 FD"));
        icom.send(bytes("FE FE E0 76 04 01 01 FD"));
    });
    other.start(20);
    QTest::qWait(1000);
    EXPECT_EQ(state().station.CurrentBand, "20");
    EXPECT_EQ(state().station.CurrentMode, "CW");
    EXPECT_EQ(logAContact(w, QStringLiteral("W5ABC")), "14.074");
}

TEST_F(BinaryRadioOnThePort, AnIcomFrameCutBeforeItsEndChangesNothing)
{
    FakeRadio icom(FakeRadio::Family::Icom);
    plug(icom);
    settingsFor("Icom", "FE FE 64 E0 04 FD", "FE FE 64 E0 03 FD", "F");
    openOut();
    ASSERT_TRUE(followed("20", "CW"));
    icom.cutAnswers = 3; // FE FE E0 64 03 00 40 07: no "14 00 FD"
    const size_t before = icom.commands.size();
    // Each request is read before the next goes out: two cut frequency answers have been read.
    ASSERT_TRUE(QTest::qWaitFor([&] { return icom.commands.size() >= before + 5; }, 4000));
    EXPECT_EQ(state().RigFrequencyText, "14.074");
    EXPECT_EQ(state().station.CurrentBand, "20");
    EXPECT_EQ(state().station.CurrentMode, "CW");
}

TEST_F(BinaryRadioOnThePort, YaesuIsAskedForFrequencyAndModeTogetherAndTuned)
{
    FakeRadio yaesu(FakeRadio::Family::Yaesu);
    yaesu.modeCode = 0x02; // CW
    plug(yaesu);
    settingsFor("Yaesu", "", "00 00 00 00 03");
    openOut();
    ASSERT_TRUE(followed("20", "CW"));
    EXPECT_EQ(state().RigFrequencyText, "14.074");
    ASSERT_TRUE(QTest::qWaitFor([&] { return yaesu.commands.size() >= 3; }, 3000));
    EXPECT_EQ(yaesu.commands[0], QByteArray(5, '\0')) << "woken when the port opens";
    EXPECT_EQ(yaesu.commands[1], bytes("00 00 00 00 03"));
    EXPECT_EQ(yaesu.commands[2], bytes("00 00 00 00 03")) << "the mode is never asked apart";

    tuneTo7030(yaesu);
    const qsizetype mode = indexOf(yaesu, bytes("02 00 00 00 07"));
    ASSERT_GE(mode, 0);
    EXPECT_GT(indexOf(yaesu, bytes("00 70 30 00 01")), mode);
}

TEST_F(BinaryRadioOnThePort, AnOlderYaesuIsReadFromItsStatusBlockAndTuned)
{
    FakeRadio yaesu(FakeRadio::Family::Yaesu);
    yaesu.yaesuModel = FakeRadio::YaesuModel::Ft890;
    yaesu.hertz = 14250000;
    yaesu.modeCode = 0x01; // USB
    plug(yaesu);
    settingsFor("Yaesu 890", "", "00 00 00 02 10");
    openOut();
    ASSERT_TRUE(followed("20", "PH"));
    EXPECT_EQ(state().RigFrequencyText, "14.250");

    tuneTo7030(yaesu);
    const qsizetype mode = indexOf(yaesu, bytes("00 00 00 02 0C"));
    ASSERT_GE(mode, 0);
    EXPECT_GT(indexOf(yaesu, bytes("00 30 70 00 0A")), mode);
    EXPECT_TRUE(followed("40", "CW"));
}

TEST_F(BinaryRadioOnThePort, TenTecFrontPanelIsAskedInTurnAndTuned)
{
    FakeRadio panel(FakeRadio::Family::TenTecPanel);
    plug(panel);
    settingsFor("Ten Tec Fnt Pnl", "3F 4D 0D", "3F 41 0D");
    openOut();
    ASSERT_TRUE(followed("20", "CW"));
    EXPECT_EQ(state().RigFrequencyText, "14.074");
    ASSERT_GE(panel.commands.size(), 2u);
    EXPECT_EQ(panel.commands[0], "?A\r");
    EXPECT_EQ(panel.commands[1], "?M\r");

    const size_t before = panel.commands.size();
    tuneTo7030(panel);
    std::vector<QByteArray> sets;
    for (size_t i = before; i < panel.commands.size(); ++i)
        if (panel.commands[i].startsWith('*'))
            sets.push_back(panel.commands[i]);
    EXPECT_EQ(sets, std::vector<QByteArray>{bytes("2A 41 00 6B 44 F0 0D")}) << "the frequency, and no mode command";
}

// Hamlib's TS-2000 emulator as the radio: rigctlcom on one end of a socat pseudo-terminal
// pair, rigctld's dummy radio behind it (its push-to-talk by the radio, which the emulator's
// IF reply needs), the program on the other end as COM1.
class HamlibPeer : public RealPortTest {
protected:
    HamlibPeer()
    {
        for (const char* tool : {"rigctld", "rigctlcom", "rigctl", "socat"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                m_missing = tool;
    }
    ~HamlibPeer() override
    {
        for (QProcess* p : {&m_emulator, &m_pair, &m_daemon}) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(2000);
            }
        }
    }

    // Starts the three; the dummy radio starts in CW on the frequency (Hz).
    bool start(const char* hz)
    {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHost, 0))
            return false;
        m_address = QStringLiteral("127.0.0.1:%1").arg(probe.serverPort());
        const QString port = QString::number(probe.serverPort());
        probe.close();
        m_daemon.start(QStringLiteral("rigctld"), {"-m", "1", "-P", "RIG", "-T", "127.0.0.1", "-t", port});
        if (!QTest::qWaitFor([&] { return rigctl({"f"}).isEmpty() == false; }, 5000))
            return false;
        // The emulator of this hamlib ends on a query while the dummy is in FM: set CW first.
        rigctl({"M", "CW", "500", "F", hz});
        const QString program = m_folder.filePath(QStringLiteral("emulator"));
        m_radioEnd = m_folder.filePath(QStringLiteral("radio"));
        m_pair.start(QStringLiteral("socat"), {"pty,raw,echo=0,link=" + program, "pty,raw,echo=0,link=" + m_radioEnd});
        if (!QTest::qWaitFor([&] { return QFile::exists(program) && QFile::exists(m_radioEnd); }, 5000))
            return false;
        m_emulator.start(QStringLiteral("rigctlcom"), {"-m", "2", "-r", m_address, "-R", program, "-S", "4800"});
        if (!m_emulator.waitForStarted(5000))
            return false;
        QTest::qWait(300); // it opens its end
        ts.environment->variables["BREVANT_COM1"] = m_radioEnd;
        useRealPorts();
        return true;
    }

    // One rigctl call to the dummy radio; its output lines.
    QStringList rigctl(QStringList arguments)
    {
        QProcess p;
        p.start(QStringLiteral("rigctl"), QStringList{"-m", "2", "-r", m_address} + arguments);
        if (!p.waitForFinished(3000) || p.exitCode() != 0)
            return {};
        return QString::fromLatin1(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    const char* m_missing = nullptr;
    QTemporaryDir m_folder;
    QString m_address;
    QString m_radioEnd;
    QProcess m_daemon, m_pair, m_emulator;
};

TEST_F(HamlibPeer, PolledAsKenwoodTheLogFollowsAndATuneReachesTheRadio)
{
    if (m_missing)
        GTEST_SKIP() << m_missing << " is not installed";
    ASSERT_TRUE(start("14074000"));
    state().station.CurrentBand = QStringLiteral("40");
    state().station.CurrentMode = QStringLiteral("PH");
    settingsFor("Kenwood", "MD;", "FA;");
    Outfrm& w = openOut();
    ASSERT_TRUE(app->rigSession().port().isOpen());

    // The answers to FA; and MD; are read as each comes: the mode follows the band.
    ASSERT_TRUE(followed("20", "CW", 5000));
    w.cmdLogOn_Click();
    w.txtCall->setFocus();
    keys(QStringLiteral("W5ABC h{Enter}"));
    EXPECT_TRUE(logBytes().endsWith(",\"14.074\"\r\n")) << logBytes().toStdString();

    float spot = 7.03f;
    app->form1().ChangeFrequency(spot);
    EXPECT_TRUE(QTest::qWaitFor([&] { return rigctl({"f"}).value(0) == "7030000"; }, 5000))
        << rigctl({"f"}).join(' ').toStdString();
    EXPECT_EQ(rigctl({"m"}).value(0), "CW");
    // This emulator answers the mode command with a stray "MD2;", which one poll reads as
    // phone; the polls after it read the radio again.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return state().station.CurrentBand == "40" && state().station.CurrentMode == "CW"; }, 5000));
}

TEST_F(HamlibPeer, PolledEveryHundredMillisecondsTheLogFollowsAndAPeerThatEndsIsShown)
{
    if (m_missing)
        GTEST_SKIP() << m_missing << " is not installed";
    ASSERT_TRUE(start("14074000"));
    state().station.CurrentBand = QStringLiteral("40");
    state().station.CurrentMode = QStringLiteral("PH");
    settingsFor("Kenwood", "MD;", "FA;", "F");
    Outfrm& w = openOut();
    ASSERT_TRUE(followed("20", "CW", 5000));
    rigctl({"F", "21074000"});
    ASSERT_TRUE(followed("15", "CW", 5000));
    EXPECT_EQ(logAContact(w, QStringLiteral("W5ABC")), "21.074");

    m_pair.kill(); // the line between the emulator and the program goes
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.lblDialog->text().startsWith("No Response"); }, 5000))
        << w.lblDialog->text().toStdString();
}

TEST_F(HamlibPeer, PolledAsKenwoodTwoTheIfReplyReachesTheLog)
{
    if (m_missing)
        GTEST_SKIP() << m_missing << " is not installed";
    ASSERT_TRUE(start("14074000"));
    state().station.CurrentBand = QStringLiteral("40");
    state().station.CurrentMode = QStringLiteral("PH");
    settingsFor("Kenwood 2", "", "IF;");
    openOut();
    ASSERT_TRUE(app->rigSession().port().isOpen());
    ASSERT_TRUE(QTest::qWaitFor([&] { return state().station.CurrentBand == "20"; }, 5000));
    EXPECT_EQ(state().station.CurrentMode, "CW");
    EXPECT_EQ(state().RigFrequencyText, "14.074");

    float spot = 7.03f;
    app->form1().ChangeFrequency(spot);
    EXPECT_TRUE(QTest::qWaitFor([&] { return rigctl({"f"}).value(0) == "7030000"; }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return state().station.CurrentBand == "40"; }, 5000));
}

} // namespace
