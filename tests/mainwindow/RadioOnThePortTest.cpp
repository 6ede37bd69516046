// The log following a radio on a real serial port: the program's port opens a
// pseudo-terminal (BREVANT_COM1) with the fake radio at the far end, which answers as the
// radio would and records what the program sent and when.

#include "ShellFixture.h"

#include "FakeRadio.h"
#include "core/QStringPrinter.h"
#include "platform/SerialPort.h"
#include "rig/windows/RigControlfrm.h"

namespace {

class RadioOnThePort : public ShellTest {
protected:
    RadioOnThePort()
    {
        EXPECT_FALSE(radio.name().isEmpty()) << "no pseudo-terminal";
        ts.environment->variables["BREVANT_COM1"] = radio.name();
        app->services().makeSerialPort = [environment = ts.environment, &settings = settings] {
            return std::make_unique<QtSerialPort>(
                [environment, &settings](int com) { return comPortDevice(com, *environment, settings); });
        };
        // The Extra-class 40 m segments tuning reads.
        writeBytes(work(QStringLiteral("BandPlan.txt")),
                   "\"March 5, 2012\"\r\n\"40\",\"E\",\"CW\",7,7.125\r\n\"40\",\"E\",\"PH\",7.125,7.3\r\n");
        state().station.CurrentBand = QStringLiteral("40");
        state().station.CurrentMode = QStringLiteral("PH");
    }

    // RigCntrl.txt for the radio on COM1, polled every 500 ms (two ticks of 250), "Use
    // Frequency" ticked, the mode from the radio.
    void settingsFor(const char* rigName, const char* modeRequest, const char* frequencyRequest)
    {
        state().station.RigName = QString::fromLatin1(rigName);
        writeBytes(work(QStringLiteral("RigCntrl.txt")),
                   QByteArray("\"4800 \"\r\n\"N\"\r\n\"8\"\r\n\"2\"\r\n\"") + modeRequest + "\"\r\n\"" + frequencyRequest
                       + "\"\r\n\"4800,N,8,2\"\r\n1\r\n\"N\"\r\n\"M\"\r\n\"" + rigName + "\"\r\n0\r\n1\r\n1\r\n");
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

    FakeRadio radio{FakeRadio::Family::Kenwood};
};

TEST_F(RadioOnThePort, KenwoodIsPolledAndTheLogFollowsIt)
{
    settingsFor("Kenwood", "MD;", "FA;");
    radio.replies["FA"] = "FA00014074000;";
    radio.replies["MD"] = "MD3;";
    Outfrm& w = openOut();
    ASSERT_TRUE(app->rigControlfrmLoaded());
    RigControlfrm& rig = app->rigControlfrm();
    ASSERT_TRUE(rig.comComm1().isOpen());
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

} // namespace
