// The poll: what each tick sends and reads, what reaches the log, and the tuning commands
// with their order, on a serial port double.

#include "rig/RigPoller.h"

#include "core/QStringPrinter.h"
#include "support/FakeDevices.h"

#include <gtest/gtest.h>

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
        poller.pollingLost = [this] { lost = true; };
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
    bool lost = false;
};

TEST_F(RigPolling, SendThenReadAndHandOverEveryReply)
{
    poll("FA00014074000;MD3;");
    EXPECT_EQ(port.written, "FA;MD;");
    ASSERT_EQ(frequencies.size(), 1u);
    EXPECT_FLOAT_EQ(frequencies[0], 14.074f);
    EXPECT_EQ(modes, std::vector<QString>{"CW"});
    poll("garbage");
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

TEST_F(RigPolling, IcomAsksInTurnAndEachReadTakesTheFramesOfItsQuestion)
{
    poller.setRigName(QStringLiteral("Icom"));
    poller.requests = {QStringLiteral("FE FE 64 E0 03 FD"), QStringLiteral("FE FE 64 E0 04 FD")};
    const QByteArray frequencyAnswer("\xFE\xFE\xE0\x64\x03\x00\x40\x07\x14\x00\xFD", 11);
    const QByteArray modeAnswer("\xFE\xFE\xE0\x64\x04\x03\x01\xFD", 8);
    poll(frequencyAnswer + modeAnswer);
    EXPECT_FLOAT_EQ(frequencies.back(), 14.074f);
    EXPECT_EQ(modes.back(), "") << "the mode was not asked";
    poll(frequencyAnswer.left(8));
    EXPECT_EQ(modes.back(), "") << "the rest of a late frequency answer is no mode";
    poll(QByteArray("\xFE\xFE\xE0\x64\x03\x00\x40\x07", 8));
    EXPECT_FLOAT_EQ(frequencies.back(), 14.074f) << "a frame cut before its end changes nothing";
    poll(modeAnswer);
    EXPECT_EQ(modes.back(), "CW");
    EXPECT_EQ(port.written, QByteArray("\xFE\xFE\x64\xE0\x03\xFD\xFE\xFE\x64\xE0\x04\xFD").repeated(2));
}

TEST_F(RigPolling, ATailLeftByTheReadTickIsDroppedBeforeTheNextRequest)
{
    poller.setRigName(QStringLiteral("Yaesu"));
    poller.requests = {QStringLiteral("00 00 00 00 03"), {}};
    poll(QByteArray("\x01\x40", 2)); // the tick came while the reply was on its way
    port.received += QByteArray("\x74\x00\x02", 3);
    poll(QByteArray("\x00\x70\x30\x00\x02", 5));
    EXPECT_EQ(frequencies, std::vector<float>{7.03f}) << "the tail is no reply of its own";
    EXPECT_EQ(modes.back(), "CW");
    EXPECT_EQ(port.written, QByteArray("\0\0\0\0\x03", 5).repeated(2));

    poller.setRigName(QStringLiteral("Ten Tec Fnt Pnl"));
    poller.requests = {QStringLiteral("3F 41 0D"), QStringLiteral("3F 4D 0D")};
    poller.RigRequestToggle = 0;
    poll(QByteArray("A\x00\xD6", 3));
    port.received += QByteArray("\xC0\x90\r", 3);
    poll("M33\r");
    EXPECT_EQ(frequencies.back(), 7.03f) << "the frequency's tail is not read as a mode reply";
    EXPECT_EQ(modes.back(), "CW");
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
    poller.WaitForRigOutput();
    EXPECT_GE(clockMs - start, 2000);
    EXPECT_LT(clockMs - start, 2010);
}

TEST_F(RigPolling, ATuningErrorRestartsPollingOrReportsItLost)
{
    poller.setRigName(QStringLiteral("Orion"));
    poller.setRigName(QStringLiteral("Ten Tec Orion"));
    poller.tmrGetData.start(250);
    port.close();
    poller.ChangeFrequency(7.03f);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].startsWith("Error Changing Frequency: ")) << errors[0].toStdString();
    EXPECT_FALSE(poller.polling());
    EXPECT_TRUE(lost) << "the port is closed: the window shows polling stopped";
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
}

} // namespace
