// The poll: what each tick sends and reads, what reaches the log, and the tuning commands
// with their order, on a serial port double.

#include "rig/RigPoller.h"

#include "core/QStringPrinter.h"
#include "support/FakeDevices.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

class RigPolling : public ::testing::Test {
protected:
    RigPolling()
    {
        port.open();
        poller.setRigName(QStringLiteral("Kenwood"));
        poller.requests = {QStringLiteral("FA;"), QStringLiteral("MD;")};
        poller.extraBandPlan = {{"160", "E", "CW", 1.8f, 2.0f},  {"40", "E", "CW", 7.0f, 7.125f},
                                {"40", "E", "PH", 7.125f, 7.3f}, {"20", "E", "CW", 14.0f, 14.15f}};
        poller.bandFreqConversion = [this](float f) { frequencies.push_back(f); };
        poller.modeSelection = [this](const QString& m) { modes.push_back(m); };
        poller.showError = [this](const QString& title, const QString& text) { errors.push_back(title + ": " + text); };
        poller.radioSilent = [this](const QString& why) { silences.push_back(why); };
        poller.radioAnswering = [this] { ++answeredAgain; };
        poller.reopenPort = [this] {
            ++reopenings;
            return port.open();
        };
    }

    void poll(const QByteArray& reply)
    {
        poller.tmrGetData_Timer();
        port.received += reply;
        poller.tmrGetData_Timer();
    }

    FakeSerialPort port;
    qint64 clockMs = 0;
    std::vector<qint64> eventsAt;
    RigPoller poller{port, {[this] { return ++clockMs; }, [this] { eventsAt.push_back(clockMs); }}};
    std::vector<float> frequencies;
    std::vector<QString> modes;
    std::vector<QString> errors;
    std::vector<QString> silences;
    int answeredAgain = 0;
    int reopenings = 0;
};

TEST_F(RigPolling, SendThenReadAndHandOverEveryReply)
{
    poll("FA00014074000;MD3;");
    EXPECT_EQ(port.written, "FA;MD;");
    ASSERT_EQ(frequencies.size(), 1u);
    EXPECT_FLOAT_EQ(frequencies[0], 14.074f);
    EXPECT_EQ(modes, std::vector<QString>{"CW"});
    poll("garbage;");
    EXPECT_EQ(frequencies.size(), 2u) << "the last good values go over again";
    EXPECT_EQ(modes.back(), "CW");
    poll("");
    EXPECT_EQ(frequencies.size(), 2u) << "no reply, nothing handed over";
    EXPECT_EQ(poller.RigPollPhase, 0);
}

TEST_F(RigPolling, NoFrequencyIsHandedOverUntilOneDecodes)
{
    poll("MD2;");
    EXPECT_TRUE(frequencies.empty());
    EXPECT_EQ(modes, std::vector<QString>{"PH"});
}

TEST_F(RigPolling, ASendWhileOutputIsQueuedSendsNothingButStillReads)
{
    port.queued = 3;
    poll("FA00007030000;MD3;");
    EXPECT_EQ(port.written, "");
    ASSERT_EQ(frequencies.size(), 1u);
    EXPECT_FLOAT_EQ(frequencies[0], 7.03f);
}

TEST_F(RigPolling, ModeSources)
{
    poller.modeSource = ModeSource::Frequency;
    poll("FA00014200000;MD3;");
    EXPECT_EQ(modes.back(), "PH");
    poller.modeSource = ModeSource::DontUse;
    poller.useFrequency = false;
    poll("FA00014074000;MD3;");
    EXPECT_EQ(modes.size(), 1u);
    EXPECT_EQ(frequencies.size(), 1u);
}

TEST_F(RigPolling, AFailedSendKeepsThePhase)
{
    port.close();
    poller.tmrGetData_Timer();
    EXPECT_EQ(poller.RigPollPhase, 0);
}

TEST_F(RigPolling, TogglingTypesAskInTurn)
{
    poller.setRigName(QStringLiteral("Yaesu FTdx9000"));
    poller.requests = {QStringLiteral("FA;"), QStringLiteral("MD0;")};
    poll("FA14074000;");
    poll("MD03;");
    EXPECT_EQ(port.written, "FA;MD0;");
    EXPECT_FLOAT_EQ(frequencies.back(), 14.074f);
    EXPECT_EQ(modes.back(), "CW");
}

// A slow radio is not asked again while its answer may still come: the next request waits
// for the answer, or for the time the answer may take on the line.
TEST_F(RigPolling, ASlowAnswerIsWaitedForBeforeTheNextQuestion)
{
    poller.setLine({1200, 'N', 8, 1});
    EXPECT_GE(poller.answerTimeMs(6), (6 + 80) * 10 * 1000 / 1200) << "a request and a long answer at 1200 baud";
    poll("FA00014");
    poll({});
    clockMs += poller.answerTimeMs(6) - 50;
    poll({});
    EXPECT_EQ(port.written, "FA;MD;") << "held while the answer may still come";
    poll("074000;MD3;");
    ASSERT_EQ(frequencies.size(), 1u);
    EXPECT_FLOAT_EQ(frequencies.back(), 14.074f);
    EXPECT_EQ(modes.back(), "CW");
    EXPECT_EQ(port.written, "FA;MD;FA;MD;") << "the answer came: asked again";
    poll({});
    EXPECT_EQ(port.written, "FA;MD;FA;MD;") << "held for its answer";
    clockMs += poller.answerTimeMs(6);
    poll({});
    EXPECT_EQ(port.written, "FA;MD;FA;MD;FA;MD;") << "a radio that does not answer is asked again after the answer's time";
}

// A request of two commands is answered by its second reply, not its first: the next request
// would otherwise go out while the second answer is still on the line, and on a slow line
// the answers would queue up. A reply the radio refuses ("?;") is a reply all the same.
TEST_F(RigPolling, ARequestOfTwoCommandsWaitsForBothReplies)
{
    const struct {
        const char* rig;
        RigRequests requests;
        QByteArray request, first, second;
    } cases[] = {
        {"Kenwood", {QStringLiteral("FA;"), QStringLiteral("MD;")}, "FA;MD;", "FA00014074000;", "MD3;"},
        {"Elecraft", {QStringLiteral("FA;"), QStringLiteral("MD;")}, "FA;MD;", "FA00014074000;", "?;"},
        {"Ten Tec Orion", {QStringLiteral("?AF"), QStringLiteral("?RMM")}, "?AF\r?RMM\r", "@AF14074000\r", "@RMM3\r"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rig);
        port.written.clear();
        poller.setRigName(QString::fromLatin1(c.rig));
        poller.requests = c.requests;
        poller.setLine({1200, 'N', 8, 1});
        poller.tmrGetData.start(3600 * 1000);
        poller.beginPolling();
        poller.RigPollPhase = 0;
        poller.tmrGetData_Timer(); // the request
        ASSERT_EQ(port.written, c.request);
        port.arrive(c.first);
        poller.tmrGetData_Timer(); // the read tick
        poller.tmrGetData_Timer();
        poller.tmrGetData_Timer();
        EXPECT_EQ(port.written, c.request) << "the second answer is still on the line";
        port.arrive(c.second);
        poller.tmrGetData_Timer();
        EXPECT_EQ(port.written, c.request + c.request) << "both came: asked again";
        poller.tmrGetData.stop();
    }
    ASSERT_FALSE(frequencies.empty());
    EXPECT_FLOAT_EQ(frequencies.back(), 14.074f);
}

// The answer is read as its bytes arrive, not at the next read tick, and of answers that
// queued up only the newest counts.
TEST_F(RigPolling, AnAnswerIsReadAsItArrives)
{
    poller.tmrGetData.start(3600 * 1000);
    poller.tmrGetData_Timer(); // the request
    port.arrive("FA00007030");
    EXPECT_TRUE(frequencies.empty());
    port.arrive("000;");
    ASSERT_EQ(frequencies.size(), 1u) << "handed over as it came";
    EXPECT_FLOAT_EQ(frequencies[0], 7.03f);
    port.arrive("MD3;FA00014074000;MD3;FA00021074000;MD2;");
    ASSERT_EQ(frequencies.size(), 2u) << "answers read together are handed over once";
    EXPECT_FLOAT_EQ(frequencies.back(), 21.074f);
    EXPECT_EQ(modes.back(), "PH");
    poller.tmrGetData.stop();
    port.arrive("FA00014074000;");
    EXPECT_EQ(frequencies.size(), 2u) << "nothing is read while the poll is stopped";
}

// A reply cut anywhere by the read tick is read whole at the next read, with its rest.
TEST_F(RigPolling, RepliesCutAtAnyByteAreReadWhole)
{
    const struct {
        const char* rig;
        RigRequests requests;
        QByteArray replies;
        float frequency;
        const char* mode;
    } rows[] = {
        {"Kenwood", {QStringLiteral("FA;"), QStringLiteral("MD;")}, "FA00007030000;MD3;", 7.03f, "CW"},
        {"Kenwood 2", {QStringLiteral("IF;"), {}}, "IF00021074000     +00000000002000000;", 21.074f, "PH"},
        {"Ten Tec Orion", {QStringLiteral("?AF"), QStringLiteral("?RMM")}, "@AF 7030000\r@RMM3\r", 7.03f, "CW"},
        // The echo of the request on the line, then the answers to both questions.
        {"Icom", {QStringLiteral("FE FE 64 E0 03 FD"), QStringLiteral("FE FE 64 E0 04 FD")},
         QByteArray("\xFE\xFE\x64\xE0\x03\xFD\xFE\xFE\xE0\x64\x03\x00\x30\x07\x21\x00\xFD"
                    "\xFE\xFE\xE0\x64\x04\x03\x01\xFD",
                    25),
         21.073f, "CW"},
    };
    for (const auto& row : rows) {
        for (qsizetype cut = 1; cut < row.replies.size(); ++cut) {
            SCOPED_TRACE(std::string(row.rig) + " cut after " + std::to_string(cut));
            poller.setRigName(QLatin1String(row.rig));
            poller.requests = row.requests;
            poller.report = {};
            poll(row.replies.left(cut));
            poll(row.replies.mid(cut));
            EXPECT_FLOAT_EQ(poller.report.frequency, row.frequency);
            EXPECT_EQ(poller.report.mode, QLatin1String(row.mode));
        }
    }
}

TEST_F(RigPolling, IcomReadsEveryWholeFrameWhicheverWasAsked)
{
    poller.setRigName(QStringLiteral("Icom"));
    poller.requests = {QStringLiteral("FE FE 64 E0 03 FD"), QStringLiteral("FE FE 64 E0 04 FD")};
    // The frequency was asked; a late answer to the mode came along with its answer.
    poll(QByteArray("\xFE\xFE\xE0\x64\x04\x03\x01\xFD\xFE\xFE\xE0\x64\x03\x00\x40\x07\x14\x00\xFD", 19));
    EXPECT_FLOAT_EQ(frequencies.back(), 14.074f);
    EXPECT_EQ(modes.back(), "CW");
    EXPECT_EQ(port.written, QByteArray("\xFE\xFE\x64\xE0\x03\xFD", 6));
}

TEST_F(RigPolling, AnUnfinishedReplyIsDroppedOncePastAFewReplies)
{
    std::vector<QByteArray> read;
    poller.replyRead = [&](const QByteArray& reply) { read.push_back(reply); };
    poll(QByteArray(150, 'x')); // noise at the wrong speed, no ";" in it
    poll("FA00014074000;");
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0], "FA00014074000;");
}

TEST_F(RigPolling, ABlockReadByPositionWaitsForItsRest)
{
    poller.setRigName(QStringLiteral("Yaesu"));
    poller.requests = {QStringLiteral("00 00 00 00 03"), {}};
    poll(QByteArray("\x01\x40", 2)); // the tick came while the block was on its way
    EXPECT_TRUE(frequencies.empty());
    poll(QByteArray("\x74\x00\x02", 3));
    EXPECT_EQ(port.written, QByteArray("\0\0\0\0\x03", 5)) << "no new question while the block is unfinished";
    EXPECT_EQ(frequencies, std::vector<float>{14.074f});
    EXPECT_EQ(modes.back(), "CW");

    // A block whose rest still comes after the read: the next question waits until the
    // line is quiet, so that the rest is not read as the next block.
    poller.setRigName(QStringLiteral("Yaesu 757 GX II"));
    poller.requests = {QStringLiteral("00 00 00 00 10"), {}};
    port.written.clear();
    const QByteArray block = QByteArray::fromHex("1122334455003070000200000000000000000000");
    poll(block.left(12));
    EXPECT_FLOAT_EQ(frequencies.back(), 7.03f);
    port.received = block.mid(12, 4);
    poller.tmrGetData_Timer();
    port.received = block.mid(16);
    poller.tmrGetData_Timer();
    EXPECT_EQ(port.written, QByteArray("\0\0\0\0\x10", 5)) << "held while the rest came";
    poller.tmrGetData_Timer();
    EXPECT_EQ(port.written, QByteArray("\0\0\0\0\x10", 5).repeated(2));
    EXPECT_EQ(poller.RigPollPhase, 1);

    // A block that never ends is given up after two held sends.
    poller.setRigName(QStringLiteral("Ten Tec Fnt Pnl"));
    poller.requests = {QStringLiteral("3F 41 0D"), QStringLiteral("3F 4D 0D")};
    poller.RigPollPhase = 0;
    poller.RigRequestToggle = 0;
    port.written.clear();
    poll(QByteArray("A\x00", 2));
    poll({});
    clockMs += poller.answerTimeMs(3);
    poll({});
    poll("M33\r");
    EXPECT_EQ(port.written, "?A\r?M\r") << "asked again once the answer's time is over";
    EXPECT_EQ(modes.back(), "CW") << "the cut frequency block is not read as a mode reply";
}

TEST_F(RigPolling, ASilentRadioIsToldAfterThreeSecondsAndBackWhenItAnswers)
{
    poll("FA00014074000;MD3;");
    for (int second = 0; second < 3; ++second) {
        EXPECT_TRUE(silences.empty()) << "after " << second << " s";
        clockMs += 1000;
        poll({});
    }
    clockMs += 1000;
    poll({});
    EXPECT_EQ(silences, std::vector<QString>{"No Response from the radio on COM1"});
    EXPECT_TRUE(poller.silent());
    const qsizetype asked = port.written.size();
    clockMs += 1000;
    poll({});
    EXPECT_EQ(port.written.size(), asked + 6) << "the poll keeps asking, once in each answer's time";
    poll("FA0001407");
    EXPECT_EQ(silences.size(), 1u) << "told once";
    EXPECT_EQ(answeredAgain, 0) << "half a reply is no answer";
    poll("4000;MD3;");
    EXPECT_EQ(answeredAgain, 1);
    EXPECT_FALSE(poller.silent());
    EXPECT_FLOAT_EQ(frequencies.back(), 14.074f);
}

TEST_F(RigPolling, AFailedPortIsToldAtOnceAndOpenedAgainNowAndThen)
{
    poll("FA00014074000;MD3;");
    port.fail(QStringLiteral("COM1 (/dev/ttyUSB0) failed: Input/output error"));
    EXPECT_EQ(silences, std::vector<QString>{"No Response: COM1 (/dev/ttyUSB0) failed: Input/output error"});
    port.refuseOpen = true;
    port.written.clear();
    for (int tick = 0; tick < 40; ++tick) {
        clockMs += 100;
        poller.tmrGetData_Timer();
    }
    EXPECT_EQ(reopenings, 1) << "once in the first 3 s, not at every tick";
    EXPECT_EQ(port.written, "");
    port.refuseOpen = false;
    clockMs += 3000;
    poll("FA00007030000;MD3;");
    EXPECT_EQ(reopenings, 2);
    EXPECT_EQ(port.written, "FA;MD;");
    EXPECT_EQ(answeredAgain, 1);
    EXPECT_FLOAT_EQ(frequencies.back(), 7.03f);
}

TEST_F(RigPolling, ChangeFrequencySendsTheBandPlanModeThenTheFrequency)
{
    poller.tmrGetData.start(250);
    port.received = "stale";
    float frequency = 7.03f;
    poller.ChangeFrequency(frequency);
    EXPECT_EQ(port.written, "MD3;FA00007030000;");
    EXPECT_EQ(frequency, 7.03f);
    EXPECT_TRUE(port.received.isEmpty()) << "what waited on the port is dropped";
    EXPECT_TRUE(poller.polling());
    EXPECT_GE(clockMs, 99 + 205);
}

TEST_F(RigPolling, ChangeFrequencyOnlyWhilePolling)
{
    poller.ChangeFrequency(7.03f);
    EXPECT_EQ(port.written, "");
    poller.tmrGetData.start(250);
    poller.ChangeFrequency(1.83f);
    EXPECT_EQ(port.written, "FA00001830000;") << "no mode on 160 m";
}

TEST_F(RigPolling, ChangeFrequencySendsNothingForAFrequencyNoRadioTakes)
{
    poller.tmrGetData.start(250);
    for (const float mhz : {1e35f, 1e7f, 300000.1f, 0.0f, -14.074f, std::numeric_limits<float>::quiet_NaN()}) {
        SCOPED_TRACE(mhz);
        errors.clear();
        poller.ChangeFrequency(mhz);
        EXPECT_EQ(port.written, "");
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_TRUE(errors[0].startsWith("Error Changing Frequency: ")) << errors[0].toStdString();
        EXPECT_TRUE(poller.polling());
    }
    poller.ChangeFrequency(250000.0f);
    EXPECT_EQ(port.written, "") << "past the eleven digits of the Kenwood field: no command";
    poller.ChangeFrequency(14.074f);
    EXPECT_EQ(port.written, "MD3;FA00014074000;");
}

TEST_F(RigPolling, ElecraftWaitsASecondBeforeTheFrequency)
{
    poller.setRigName(QStringLiteral("Elecraft"));
    poller.tmrGetData.start(250);
    poller.ChangeFrequency(14.074f);
    EXPECT_EQ(port.written, "MD3;FA00014074000;");
    EXPECT_GE(clockMs, 99 + 205 + 1000);
}

TEST_F(RigPolling, TheDrainWaitGivesUpAfterTwoSeconds)
{
    port.queued = 5;
    const qint64 start = clockMs;
    EXPECT_FALSE(poller.WaitForRigOutput());
    EXPECT_GE(clockMs - start, 2000);
    EXPECT_LT(clockMs - start, 2010);
    port.queued = 0;
    EXPECT_TRUE(poller.WaitForRigOutput());
}

// A tune that cannot reach the radio ends at once with one message, and polling goes on.
TEST_F(RigPolling, ATuneTheRadioDoesNotTakeEndsWithAMessage)
{
    const struct {
        const char* name;
        std::function<void()> radio;
        QByteArray sent;
        const char* error;
    } rows[] = {
        {"the output does not drain", [this] { port.queued = 5; }, "",
         "Error Changing Frequency: The radio on COM1 took nothing for 2 seconds: is it on and connected?"},
        {"the port failed", [this] { port.fail(QStringLiteral("COM1 (/dev/pts/9) failed: the line hung up")); }, "",
         "Error Changing Frequency: No Response: COM1 (/dev/pts/9) failed: the line hung up"},
        {"the port is closed", [this] { port.close(); }, "",
         "Error Changing Frequency: The radio's port COM1 is not open."},
        {"the radio does not answer",
         [this] {
             for (int i = 0; i < 4; ++i) {
                 clockMs += 2000;
                 poll({});
             }
         },
         "MD3;FA00007030000;",
         "Error Changing Frequency: No Response from the radio on COM1: the frequency was sent, but the radio is not "
         "answering."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        port.open();
        port.queued = 0;
        poller.beginPolling();
        row.radio();
        port.written.clear();
        errors.clear();
        poller.tmrGetData.start(250);
        const qint64 start = clockMs;
        poller.ChangeFrequency(7.03f);
        EXPECT_EQ(port.written, row.sent);
        EXPECT_EQ(errors, std::vector<QString>{QLatin1String(row.error)});
        EXPECT_LT(clockMs - start, 2400) << "no more than one drain wait";
        EXPECT_TRUE(poller.polling());
    }
    port.queued = 5;
    errors.clear();
    QString mode = QStringLiteral("USB");
    poller.ChangeMode(14.2f, mode);
    EXPECT_EQ(errors, std::vector<QString>{"Error Changing Mode: The radio on COM1 took nothing for 2 seconds: is it on "
                                           "and connected? USB"});
}

TEST_F(RigPolling, AModeErrorNamesTheMode)
{
    port.close();
    QString mode = QStringLiteral("USB");
    poller.ChangeMode(14.2f, mode);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].startsWith("Error Changing Mode: ")) << errors[0].toStdString();
    EXPECT_TRUE(errors[0].endsWith(" USB"));
}

TEST_F(RigPolling, ChangeModeTakesTheBandPlanModeIntoTheCallersText)
{
    QString mode;
    poller.ChangeMode(7.2f, mode);
    EXPECT_EQ(mode, "LSB");
    EXPECT_EQ(port.written, "MD1;");
    mode = QStringLiteral("CW-R");
    poller.ChangeMode(7.2f, mode);
    EXPECT_EQ(port.written, "MD1;") << "no Kenwood command for CW-R";
}

TEST_F(RigPolling, PegasusPollsTheExchangeFileWithoutThePort)
{
    port.close();
    poller.setRigName(QStringLiteral("Ten Tec Pegasus"), {QStringLiteral("/nonexistent")});
    poll("");
    EXPECT_EQ(poller.RigPollPhase, 0);
    EXPECT_TRUE(frequencies.empty());
    EXPECT_EQ(modes.size(), 1u) << "each read tick hands the mode over, empty as it is";
    for (int i = 0; i < 10; ++i) {
        clockMs += 1000;
        poll("");
    }
    EXPECT_TRUE(silences.empty()) << "a missing exchange file is not reported";
}

} // namespace
