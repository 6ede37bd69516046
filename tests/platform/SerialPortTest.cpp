// The serial port: its settings text, where a COM number leads, and the real port on a
// pseudo-terminal with the test as the device at the other end.

#include "platform/SerialPort.h"

#include "core/QStringPrinter.h"
#include "support/TestServices.h"

#include <QTest>
#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

TEST(SerialSettingsText, ReadsBaudParityDataAndStopBits)
{
    const struct {
        const char* text;
        std::optional<SerialSettings> settings;
    } cases[] = {
        {"4800,N,8,2", SerialSettings{4800, 'N', 8, 2}},
        {"9600,n,8,1", SerialSettings{9600, 'N', 8, 1}},
        {" 19200 , e , 7 , 1 ", SerialSettings{19200, 'E', 7, 1}},
        {"1200,O,5,2", SerialSettings{1200, 'O', 5, 2}},
        {"4800,N,8", std::nullopt},
        {"4800,N,8,2,1", std::nullopt},
        {"fast,N,8,1", std::nullopt},
        {"0,N,8,1", std::nullopt},
        {"4800,X,8,1", std::nullopt},
        {"4800,NE,8,1", std::nullopt},
        {"4800,N,9,1", std::nullopt},
        {"4800,N,8,3", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseSerialSettings(c.text), c.settings) << c.text;
}

TEST(ComPortDevice, EnvironmentThenSettingThenTheSerialDevice)
{
    FakeEnvironment environment;
    MemorySettings settings;
    EXPECT_EQ(comPortDevice(1, environment, settings), "/dev/ttyS0");
    EXPECT_EQ(comPortDevice(4, environment, settings), "/dev/ttyS3");

    settings.portDevices[4] = "/dev/ttyUSB0";
    EXPECT_EQ(comPortDevice(4, environment, settings), "/dev/ttyUSB0");
    EXPECT_EQ(comPortDevice(3, environment, settings), "/dev/ttyS2");

    environment.variables["BREVANT_COM4"] = "/dev/pts/7";
    EXPECT_EQ(comPortDevice(4, environment, settings), "/dev/pts/7");
    EXPECT_EQ(comPortDevice(14, environment, settings), "/dev/ttyS13") << "COM14 is not COM4";
}

// A pseudo-terminal: the program's port opens the far end by its name; the test reads and
// writes the near end as the device would.
class PseudoTerminal {
public:
    PseudoTerminal()
    {
        m_fd = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (m_fd >= 0 && ::grantpt(m_fd) == 0 && ::unlockpt(m_fd) == 0)
            m_name = QString::fromLatin1(::ptsname(m_fd));
        if (m_fd >= 0)
            ::fcntl(m_fd, F_SETFL, O_NONBLOCK);
    }
    ~PseudoTerminal() { hangUp(); }
    // The device end goes away, as a radio's program that ends or an adapter pulled.
    void hangUp()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }
    const QString& name() const { return m_name; }

    void send(const QByteArray& bytes) { ASSERT_EQ(::write(m_fd, bytes.data(), size_t(bytes.size())), bytes.size()); }
    // What arrived within a second, up to the byte count expected.
    QByteArray receive(qsizetype expected)
    {
        QByteArray got;
        (void)QTest::qWaitFor(
            [&] {
                char buffer[256];
                const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
                if (n > 0)
                    got.append(buffer, n);
                return got.size() >= expected;
            },
            1000);
        return got;
    }

private:
    int m_fd = -1;
    QString m_name;
};

class SerialPortOnPseudoTerminal : public ::testing::Test {
protected:
    PseudoTerminal device;
    QtSerialPort port{[this](int com) { return com == 3 ? device.name() : QStringLiteral("/dev/no-such-tty"); }};

    void SetUp() override { ASSERT_FALSE(device.name().isEmpty()) << "no pseudo-terminal"; }

    QByteArray readFromPort(qsizetype expected)
    {
        QByteArray got;
        (void)QTest::qWaitFor(
            [&] {
                got += port.readAll();
                return got.size() >= expected;
            },
            1000);
        return got;
    }
};

TEST_F(SerialPortOnPseudoTerminal, BytesGoBothWaysUnchanged)
{
    port.setComNumber(3);
    ASSERT_TRUE(port.setSettings(SerialSettings{4800, 'N', 8, 2}));
    // Lines asked for before the opening; a pseudo-terminal has none, and opens all the same.
    port.setDtr(false);
    port.setRts(true);
    QString error;
    ASSERT_TRUE(port.open(&error)) << error.toStdString();
    EXPECT_TRUE(port.isOpen());

    QByteArray everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte.append(char(b));
    ASSERT_TRUE(port.write("FA;MD;"));
    ASSERT_TRUE(port.write(everyByte));
    EXPECT_EQ(device.receive(6 + 256), "FA;MD;" + everyByte);
    EXPECT_EQ(port.outputQueued(), 0);

    device.send("FA00014074000;");
    device.send(everyByte);
    EXPECT_EQ(readFromPort(14 + 256), "FA00014074000;" + everyByte);
    EXPECT_EQ(port.readAll(), QByteArray()) << "what was taken is gone";

    port.close();
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(port.write("FA;"));
    EXPECT_EQ(port.readAll(), QByteArray());
}

TEST_F(SerialPortOnPseudoTerminal, AMissingOrBusyPortDoesNotOpen)
{
    port.setComNumber(5);
    QString error;
    EXPECT_FALSE(port.open(&error));
    EXPECT_FALSE(port.isOpen());
    EXPECT_TRUE(error.contains("COM5") && error.contains("/dev/no-such-tty")) << error.toStdString();

    port.setComNumber(3);
    ASSERT_TRUE(port.open());
    QtSerialPort other([this](int) { return device.name(); });
    EXPECT_FALSE(other.open(&error)) << "the port is in use";
    EXPECT_TRUE(port.isOpen());
}

// The processor time this thread has used, in ms.
qint64 threadCpuMs()
{
    rusage used{};
    ::getrusage(RUSAGE_THREAD, &used);
    return (used.ru_utime.tv_sec + used.ru_stime.tv_sec) * 1000 + (used.ru_utime.tv_usec + used.ru_stime.tv_usec) / 1000;
}

TEST_F(SerialPortOnPseudoTerminal, ALineHungUpClosesThePortTellsTheOwnerOnceAndLeavesTheProcessorIdle)
{
    for (const bool writing : {false, true}) {
        SCOPED_TRACE(writing ? "with a request waiting to go out" : "with nothing to send");
        PseudoTerminal line;
        QtSerialPort p([&line](int) { return line.name(); });
        std::vector<QString> reasons;
        p.onFailed = [&](const QString& reason) { reasons.push_back(reason); };
        p.setComNumber(2);
        ASSERT_TRUE(p.open());

        line.hangUp();
        if (writing)
            p.write("FA;MD;");
        ASSERT_TRUE(QTest::qWaitFor([&] { return !reasons.empty(); }, 2000));
        EXPECT_FALSE(p.isOpen());
        EXPECT_EQ(p.outputQueued(), 0) << "what was still to go out is dropped";
        EXPECT_TRUE(reasons[0].startsWith("COM2 (" + line.name() + ") failed: ")) << reasons[0].toStdString();

        const qint64 cpuBefore = threadCpuMs();
        QTest::qWait(500);
        EXPECT_LT(threadCpuMs() - cpuBefore, 150) << "no notifier spins on the dead line";
        EXPECT_EQ(reasons.size(), 1u) << "told once";
        EXPECT_FALSE(p.write("FA;"));
        EXPECT_EQ(p.readAll(), QByteArray());
    }
}

TEST_F(SerialPortOnPseudoTerminal, TheOwnerMayReopenThePortWhenTold)
{
    PseudoTerminal second;
    int opening = 0;
    QtSerialPort p([&](int) { return opening == 0 ? device.name() : second.name(); });
    bool reopened = false;
    p.onFailed = [&](const QString&) {
        ++opening;
        reopened = p.open();
    };
    ASSERT_TRUE(p.open());
    device.hangUp();
    ASSERT_TRUE(QTest::qWaitFor([&] { return reopened; }, 2000));
    EXPECT_TRUE(p.write("IF;"));
    EXPECT_EQ(second.receive(3), "IF;");
    QTest::qWait(100);
    EXPECT_TRUE(p.isOpen()) << "the failure of the first line is not the second's";
}

} // namespace
