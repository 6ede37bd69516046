// The radio's session on a serial port double: the port opened for the chosen type, the
// closing bytes on the way out, and what the rig window's unloading ends.

#include "rig/RigSession.h"

#include "core/QStringPrinter.h"
#include "rig/RigSettings.h"
#include "support/FakeDevices.h"

#include <gtest/gtest.h>

namespace {

class RigSessionTest : public ::testing::Test {
protected:
    // A test as the rig window starts it, on COM2 at 4800 baud.
    void test(const char* rigName)
    {
        RigSettings settings = session.settings();
        settings.RigName = QLatin1String(rigName);
        settings.RigComPort = 2;
        settings.RigPortSettings = QStringLiteral("4800,N,8,2");
        session.setSettings(settings);
        ASSERT_TRUE(session.beginTest());
        ASSERT_TRUE(session.startPolling());
        session.setPollInterval(3600 * 1000); // the ticks are the test's
    }
    FakeSerialPort& port() { return *made.back(); }

    std::vector<FakeSerialPort*> made;
    qint64 clockMs = 0;
    RigSession session{[this] {
                           auto port = std::make_unique<FakeSerialPort>();
                           made.push_back(port.get());
                           return port;
                       },
                       {[this] { return clockMs; }, [] {}}};
};

TEST_F(RigSessionTest, ClosingBytesGoOutOnlyToARadioPolled)
{
    const QByteArray signOff("\0\0\0\0\x80", 5);
    const struct {
        const char* rig;
        bool polled;
        QByteArray last;
    } rows[] = {
        {"Yaesu 990", true, signOff},
        {"Yaesu 990", false, QByteArray(5, '\0')}, // the wake-up bytes are the last
        {"Kenwood", true, "FA;"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.rig);
        RigSettings settings = session.settings();
        settings.RigFrequencyRequest = QStringLiteral("FA;"); // too short for a Yaesu to send
        session.setSettings(settings);
        test(row.rig);
        if (!row.polled)
            session.stopPolling();
        const auto lines = port().lines;
        session.release();
        EXPECT_TRUE(port().written.endsWith(row.last)) << port().written.toHex(' ').toStdString();
        EXPECT_FALSE(lines->open);
        EXPECT_FALSE(session.polling());
        session.release();
        EXPECT_TRUE(port().written.endsWith(row.last)) << "once only";
        session.unload();
    }
}

// RTS/CTS, once an Orion or the front panel has been opened, stays for every radio opened
// after it until the rig window unloads.
TEST_F(RigSessionTest, HandshakingStaysUntilTheWindowUnloads)
{
    test("Ten Tec Orion");
    EXPECT_EQ(port().written.left(2), "X\r");
    EXPECT_EQ(port().comNumber(), 2);
    test("Kenwood");
    EXPECT_EQ(port().handshaking, Handshaking::RtsCts);
    const auto lines = port().lines;
    session.unload();
    EXPECT_FALSE(lines->open) << "the port goes with the window";
    EXPECT_FALSE(session.polling());
    test("Kenwood");
    EXPECT_EQ(made.size(), 2u) << "a fresh port for the next window";
    EXPECT_EQ(port().handshaking, Handshaking::None);
}

// A port that fails while polled is opened again, 3 s on, as it was last opened.
TEST_F(RigSessionTest, AFailedPortIsReopenedAsItWasOpened)
{
    test("Yaesu 890");
    port().fail();
    port().settings = {};
    port().written.clear();
    clockMs += 3000;
    session.tick(); // the read that finds nothing
    session.tick();
    EXPECT_TRUE(port().isOpen());
    EXPECT_EQ(port().comNumber(), 2);
    EXPECT_EQ(port().settings, (SerialSettings{4800, 'N', 8, 2}));
    EXPECT_EQ(port().written, QByteArray(5, '\0')) << "with its wake-up bytes";
}

} // namespace
