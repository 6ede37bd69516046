// The keyer device's calls against the fake keyer on a pseudo-terminal, through the
// program's real serial port: the open sequence and its failures, each setting as the
// keyer's command, the status the feed reads, and WK.txt read and written.

#include "keying/WinKeyDevice.h"
#include "keying/WinKeyProtocol.h"
#include "keying/WinKeySettings.h"

#include "FakeWinKey.h"
#include "core/QStringPrinter.h"
#include "core/RecordFile.h"
#include "platform/Clock.h"
#include "platform/EventWait.h"
#include "platform/SerialPort.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QByteArray hex(const char* text) { return QByteArray::fromHex(text); }

class WinKeyOnThePort : public ::testing::Test {
protected:
    WinKeyOnThePort()
    {
        EXPECT_FALSE(keyer.name().isEmpty()) << "no pseudo-terminal";
        device.timing.settleMs = 20;
        device.timing.answerMs = 300;
    }

    // The device on COM port n, which is the fake keyer's line for port 5 only.
    std::unique_ptr<SerialPort> port()
    {
        return std::make_unique<QtSerialPort>([this](int com) {
            return com == 5 ? keyer.name() : QStringLiteral("/nonexistent/ttyWK%1").arg(com);
        });
    }

    int open(quint8& version) { return device.wk_open(version, 5); }

    // Waits until the fake has seen that many commands.
    bool commandsReach(size_t count)
    {
        return QTest::qWaitFor([&] { return keyer.commands.size() >= count; }, 2000);
    }

    FakeWinKey keyer;
    SystemClock clock;
    WinKeyDevice device{port(), clock, [](int ms) { letEventsRunFor(ms); }};
};

TEST_F(WinKeyOnThePort, OpensWithTheEchoTestAndHostOpenThenSendsEachSettingAsItsCommand)
{
    quint8 version = 0;
    ASSERT_EQ(open(version), WinKeyDevice::Success) << device.lastError().toStdString();
    EXPECT_EQ(version, 23);
    EXPECT_TRUE(keyer.hostOpen());
    EXPECT_EQ(keyer.allReceived(), hex("13131313" "000455" "0002"));

    keyer.commands.clear();
    EXPECT_EQ(device.wk_wpm(18), 0);
    EXPECT_EQ(device.wk_weight(50), 0);
    EXPECT_EQ(device.wk_ptt_leadtail(4, 7), 0);
    EXPECT_EQ(device.wk_ditdah_ratio(67), 0);
    EXPECT_EQ(device.wk_pincfg(5), 0);
    EXPECT_EQ(device.wk_setmode(48), 0);
    ASSERT_TRUE(commandsReach(6));
    const std::vector<QByteArray> expected{hex("0212"), hex("0332"), hex("040407"), hex("1743"), hex("0905"),
                                           hex("0e30")};
    EXPECT_EQ(keyer.commands, expected);

    EXPECT_EQ(device.wk_close(), 0);
    ASSERT_TRUE(commandsReach(7));
    EXPECT_EQ(keyer.commands.back(), hex("0003"));
    EXPECT_FALSE(device.isOpen());
    EXPECT_EQ(device.wk_wpm(20), WinKeyDevice::NotOpen) << "nothing goes to a closed keyer";
}

TEST_F(WinKeyOnThePort, AnOpenThatFailsSaysWhyAndLeavesThePortClosed)
{
    const struct {
        const char* name;
        void (*setUp)(FakeWinKey&);
        int code;
    } cases[] = {
        {"no echo", [](FakeWinKey& k) { k.answersEcho = false; }, WinKeyDevice::NoEchoResponse},
        {"wrong echo", [](FakeWinKey& k) { k.echoInstead = 0x54; }, WinKeyDevice::EchoMismatch},
        {"no version", [](FakeWinKey& k) { k.answersOpen = false; }, WinKeyDevice::NoOpenResponse},
    };
    for (const auto& c : cases) {
        FakeWinKey other;
        c.setUp(other);
        WinKeyDevice lone(std::make_unique<QtSerialPort>([&](int) { return other.name(); }), clock,
                          [](int ms) { letEventsRunFor(ms); });
        lone.timing = device.timing;
        quint8 version = 0;
        EXPECT_EQ(lone.wk_open(version, 5), c.code) << c.name;
        EXPECT_EQ(version, 0) << c.name;
        EXPECT_FALSE(lone.isOpen()) << c.name;
        EXPECT_FALSE(lone.lastError().isEmpty()) << c.name;
    }

    quint8 version = 0;
    EXPECT_EQ(device.wk_open(version, 6), WinKeyDevice::ComOpenFailed);
    EXPECT_TRUE(device.lastError().contains(QStringLiteral("/nonexistent/ttyWK6"))) << device.lastError().toStdString();
    ASSERT_EQ(open(version), WinKeyDevice::Success);
    quint8 again = 0;
    EXPECT_EQ(open(again), WinKeyDevice::AlreadyOpen);
    EXPECT_EQ(again, 0);
}

TEST_F(WinKeyOnThePort, StatusTellsTheFeedWhenTheKeyerIsSendingAndWhenItTakesNothing)
{
    quint8 version = 0;
    ASSERT_EQ(open(version), WinKeyDevice::Success);
    EXPECT_TRUE(QTest::qWaitFor([&] { return device.wk_getstatus() == WinKey::Idle; }, 2000));

    keyer.msPerCharacter = 60;
    EXPECT_EQ(device.wk_char('C'), 0);
    EXPECT_EQ(device.wk_char('Q'), 0);
    EXPECT_GT(device.wk_getstatus(), 0) << "a character handed over is text still to send";
    EXPECT_LT(device.wk_getstatus(), 5);
    EXPECT_EQ(device.wk_backspace(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return device.wk_getstatus() == WinKey::Idle; }, 2000));
    EXPECT_EQ(keyer.keyed, "C") << "the backspace took back the Q";

    keyer.holdFull(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return device.wk_getstatus() >= 5; }, 2000));
    keyer.holdFull(false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return device.wk_getstatus() < 5; }, 2000));

    keyer.msPerCharacter = 1000;
    for (const char c : QByteArray("TEST"))
        device.wk_char(quint8(c));
    EXPECT_TRUE(QTest::qWaitFor([&] { return keyer.buffer().size() == 4; }, 2000));
    EXPECT_EQ(device.wk_clearbuf(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return keyer.buffer().isEmpty(); }, 2000)) << "cleared before it was keyed";
    EXPECT_LT(keyer.keyed.size(), 3);
    EXPECT_TRUE(QTest::qWaitFor([&] { return device.wk_getstatus() == WinKey::Idle; }, 2000));

    // A control code would be a command to the keyer: it is not handed over.
    keyer.commands.clear();
    EXPECT_EQ(device.wk_char(0x0E), 0);
    device.wk_wpm(0x0E);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return std::find(keyer.commands.begin(), keyer.commands.end(), hex("020e")) != keyer.commands.end(); },
        2000));
    for (const QByteArray& command : keyer.commands)
        EXPECT_NE(command.front(), 0x0E) << "no mode command out of the character";
}

TEST_F(WinKeyOnThePort, AKeyerThatStopsAnsweringLeavesItsStatusRequestUnanswered)
{
    quint8 version = 0;
    ASSERT_EQ(open(version), WinKeyDevice::Success);
    EXPECT_TRUE(QTest::qWaitFor([&] { return device.wk_getstatus() == WinKey::Idle; }, 2000));
    EXPECT_TRUE(QTest::qWaitFor([&] { device.wk_getstatus(); return device.unansweredMs() == 0; }, 2000));
    keyer.silent = true;
    device.wk_getstatus();
    EXPECT_TRUE(QTest::qWaitFor([&] { device.wk_getstatus(); return device.unansweredMs() >= 100; }, 2000));
}

TEST(WinKeyFile, EightItemsWrittenAndReadBackAndASixItemFileKeepsPinAndMode)
{
    WinKeySettings s;
    s.comPort = 7;
    s.wordsPerMinute = QStringLiteral("25");
    s.ratio = QStringLiteral("67");
    s.pinConfig = 5;
    s.mode = 16;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(writeWinKeySettings(buffer, s));
    EXPECT_EQ(bytes, "7\r\n\"25\"\r\n\"50\"\r\n\"0\"\r\n\"0\"\r\n\"67\"\r\n5\r\n16\r\n");
    WinKeySettings back;
    RecordReader reader(bytes);
    EXPECT_EQ(readWinKeySettings(reader, back), 8);
    EXPECT_EQ(back, s);

    WinKeySettings six;
    six.pinConfig = 6;
    six.mode = 0;
    RecordReader short6("3\r\n\"20\"\r\n\"45\"\r\n\"1\"\r\n\"2\"\r\n\"40\"\r\n");
    EXPECT_EQ(readWinKeySettings(short6, six), 6);
    EXPECT_EQ(six.comPort, 3);
    EXPECT_EQ(six.ratio, "40");
    EXPECT_EQ(six.pinConfig, 6);
    EXPECT_EQ(six.mode, 0);

    WinKeySettings damaged;
    RecordReader bad("300\r\n\"20\"\r\n");
    EXPECT_EQ(readWinKeySettings(bad, damaged), 0);
    EXPECT_EQ(damaged, WinKeySettings{});
}

} // namespace
