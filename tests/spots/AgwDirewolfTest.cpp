// Debian's direwolf as a real packet engine: the link registers with it, monitoring is
// turned on, a spot line the engine transmits comes back as a monitored frame and is
// handed over as a spot, and the engine stopping is reported as the link's loss. Direwolf listens on every address, so it runs in a network
// namespace of its own with only the loopback: the test starts itself again inside one
// (unshare -n) and runs the engine there. Skipped where direwolf is absent or the machine
// gives no namespace.

#include "spots/AgwLink.h"
#include "spots/SpotLines.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdio>

namespace {

constexpr const char* InsideNamespace = "BREVANT_AGW_IN_NAMESPACE";
constexpr const char* InsideMark = "agw test: inside its own network namespace";

bool have(const char* tool) { return !QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty(); }

// Runs this test again in a new network namespace; its output and whether it ran there.
void runInsideNamespace()
{
    if (!have("unshare") || !have("ip"))
        GTEST_SKIP() << "unshare or ip is not installed: no network namespace for direwolf";
    QProcess inner;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(InsideNamespace), QStringLiteral("1"));
    inner.setProcessEnvironment(environment);
    inner.setProcessChannelMode(QProcess::MergedChannels);
    inner.start(QStringLiteral("unshare"),
                {"-n", "sh", "-c", "ip link set lo up && exec \"$0\" --gtest_filter=DirewolfEngine.*",
                 QCoreApplication::applicationFilePath()});
    ASSERT_TRUE(inner.waitForFinished(90000));
    const QString output = QString::fromLocal8Bit(inner.readAll());
    if (!output.contains(QString::fromLatin1(InsideMark)))
        GTEST_SKIP() << "this machine gives no network namespace (unshare -n): " << output.toStdString();
    EXPECT_EQ(inner.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << output.toStdString();
}

TEST(DirewolfEngine, RegistersMonitorsItsOwnSpotComesBackAndItsEndIsReported)
{
    if (!have("direwolf"))
        GTEST_SKIP() << "direwolf is not installed (tools/setup-deps.sh installs it)";
    if (!qEnvironmentVariableIsSet(InsideNamespace)) {
        runInsideNamespace();
        return;
    }
    std::printf("%s\n", InsideMark);
    std::fflush(stdout);

    // No sound card: audio in on a UDP port nobody sends to, audio out to nowhere.
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile config(folder.filePath(QStringLiteral("direwolf.conf")));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write("ADEVICE UDP:7355 null\nCHANNEL 0\nMYCALL K5TQP\nMODEM 1200\nAGWPORT 8000\nKISSPORT 0\n");
    config.close();
    QProcess direwolf;
    direwolf.setWorkingDirectory(folder.path());
    direwolf.setProcessChannelMode(QProcess::MergedChannels);
    direwolf.start(QStringLiteral("direwolf"), {"-c", config.fileName(), "-t", "0"});
    ASSERT_TRUE(direwolf.waitForStarted(5000));
    struct Stop {
        QProcess& p;
        ~Stop()
        {
            p.terminate();
            if (!p.waitForFinished(3000))
                p.kill();
            p.waitForFinished(2000);
        }
    } stop{direwolf};

    AgwLink link(std::make_unique<AgwEngine>(std::make_unique<QtTcpLink>(), QStringLiteral("127.0.0.1"),
                                             AgwDefaultPort, 3000));
    QString monitor;
    QStringList spots;
    link.monitorText = [&] { return monitor; };
    link.listDxOnly = [] { return false; };
    link.onStatus = [&](const QString& text) {
        monitor += text;
        TrimMonitor(monitor);
    };
    link.onSpot = [&](const QString& f, const QString& c, const QString&) { spots << c + u'@' + f; };
    link.onCaption = [](const QString&) {};
    link.onBeep = [] {};
    std::vector<QString> boxes;
    link.onMessage = [&](const QString&, const QString& title) { boxes.push_back(title); };
    link.onShowWindow = [] {};
    QStringList losses;
    link.onError = [&](const QString& message) { losses << message; };

    // The engine takes a moment to open its port.
    SpotOpen started = SpotOpen::Refused;
    for (int attempt = 0; attempt < 40 && started != SpotOpen::Running; ++attempt) {
        QTest::qWait(250);
        boxes.clear();
        monitor.clear();
        started = link.StartAgw(QStringLiteral("K5TQP"), QStringLiteral("Form1"));
    }
    ASSERT_EQ(started, SpotOpen::Running) << QString::fromLocal8Bit(direwolf.readAll()).toStdString();
    EXPECT_TRUE(boxes.empty());

    const QByteArray spot = "DX de K5TQP:     14025.0  N5ABC        CQ TQP                         1830Z\r";
    ASSERT_NE(link.engine().AGWPutData("DX", spot, 'M', int(spot.size()), 0), 0);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            link.PollAgw();
            return !spots.isEmpty();
        },
        15000))
        << monitor.toStdString() << QString::fromLocal8Bit(direwolf.readAll()).toStdString();
    EXPECT_EQ(spots, QStringList{QStringLiteral("N5ABC@14025.0")});

    // The engine stops while the link is open: the loss is told within seconds.
    direwolf.terminate();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !losses.isEmpty(); }, 5000));
    EXPECT_EQ(losses, QStringList{QStringLiteral("ERROR: Socket has been shut down.")});
    EXPECT_FALSE(link.engine().isRegistered());
    link.closeLink();
}

} // namespace
