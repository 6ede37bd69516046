#include "support/SoundServer.h"

#include <QCoreApplication>
#include <memory>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

// A null output as the default, and the server's socket in the private runtime folder.
constexpr char ServerScript[] = R"(load-module module-null-sink sink_name=null
load-module module-native-protocol-unix auth-anonymous=1 socket=%1
set-default-sink null
)";
// The null output plays at the pace of its clock. Left alone it renders 2-second blocks
// while no stream asks for less, so a stream would start up to 2 s late; a silent loop
// from a null source, asking for 20 ms, keeps it at a sound card's pace.
constexpr char SoundCardPace[] = R"(load-module module-null-source source_name=silence
load-module module-loopback source=silence sink=null latency_msec=20
)";

void writeText(const QString& path, const QString& text)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(text.toUtf8());
}

// GStreamer's core elements, wherever the system keeps its plug-ins.
QString gstreamerCoreElements()
{
    QStringList folders{QStringLiteral("/usr/lib/gstreamer-1.0")};
    for (const QString& arch : QDir(QStringLiteral("/usr/lib")).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        folders << QStringLiteral("/usr/lib/%1/gstreamer-1.0").arg(arch);
    for (const QString& folder : folders) {
        const QString library = folder + QStringLiteral("/libgstcoreelements.so");
        if (QFile::exists(library))
            return library;
    }
    return {};
}

// A GStreamer for this process that finds only its core elements, and keeps its plug-in
// registry in the test's folder.
void limitGstreamerToCoreElements(const QString& root)
{
    const QString plugins = root + QStringLiteral("/gstreamer-core");
    QDir().mkpath(plugins);
    if (const QString core = gstreamerCoreElements(); !core.isEmpty())
        QFile::link(core, plugins + QStringLiteral("/libgstcoreelements.so"));
    qputenv("GST_PLUGIN_SYSTEM_PATH", QFile::encodeName(plugins));
    qputenv("GST_PLUGIN_PATH", "");
    qputenv("GST_REGISTRY", QFile::encodeName(root + QStringLiteral("/gstreamer-registry.bin")));
}

} // namespace

PrivateSoundServer::PrivateSoundServer(Pace pace) : m_pace(pace)
{
    // The server ends with this process, also when the process crashes.
    m_server.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_server.setProcessChannelMode(QProcess::MergedChannels);
    m_server.setStandardOutputFile(m_dir.filePath(QStringLiteral("server.log")));
}

PrivateSoundServer::~PrivateSoundServer() { stop(); }

bool PrivateSoundServer::start()
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    if (program.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("pactl")).isEmpty()) {
        m_error = QStringLiteral("pulseaudio or pactl is not installed (tools/setup-deps.sh installs them)");
        return false;
    }
    const QString root = m_dir.path();
    const QString runtime = root + QStringLiteral("/runtime");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    m_socket = runtime + QStringLiteral("/native");
    const QString script = root + QStringLiteral("/server.pa");
    writeText(script, QString::fromLatin1(ServerScript).arg(m_socket)
                          + (m_pace == Pace::SoundCard ? QString::fromLatin1(SoundCardPace) : QString()));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"PULSE_SERVER", "DBUS_SESSION_BUS_ADDRESS", "DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("HOME"), root);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), root + QStringLiteral("/config"));
    environment.insert(QStringLiteral("PULSE_RUNTIME_PATH"), runtime);
    environment.insert(QStringLiteral("PULSE_STATE_PATH"), root + QStringLiteral("/state"));
    m_server.setProcessEnvironment(environment);
    m_server.start(program, {QStringLiteral("-n"), QStringLiteral("-F"), script, QStringLiteral("--daemonize=no"),
                             QStringLiteral("--use-pid-file=no"), QStringLiteral("--exit-idle-time=-1"),
                             QStringLiteral("--disable-shm=yes"), QStringLiteral("--log-target=stderr"),
                             QStringLiteral("--log-level=warning")});
    if (!m_server.waitForStarted(5000) || !waitUntilAnswering()) {
        QFile log(m_dir.filePath(QStringLiteral("server.log")));
        log.open(QIODevice::ReadOnly);
        m_error = QStringLiteral("the private sound server did not start: %1")
                      .arg(QString::fromLocal8Bit(log.readAll()).right(2000));
        stop();
        return false;
    }
    qputenv("PULSE_SERVER", "unix:" + QFile::encodeName(m_socket));
    // Never a server of the user's own, started behind the test's back.
    const QString client = root + QStringLiteral("/client.conf");
    writeText(client, QStringLiteral("autospawn = no\n"));
    qputenv("PULSE_CLIENTCONFIG", QFile::encodeName(client));
    limitGstreamerToCoreElements(root);
    return true;
}

// Until the server answers and its null output has come down from the 2-second block it
// starts with to the silent loop's pace.
bool PrivateSoundServer::waitUntilAnswering()
{
    const QRegularExpression latency(QStringLiteral("\\bLatency: (\\d+) usec"));
    const QDeadlineTimer deadline(15000);
    while (!deadline.hasExpired() && m_server.state() == QProcess::Running) {
        if (QFile::exists(m_socket)) {
            const QRegularExpressionMatch sink = latency.match(pactl({QStringLiteral("list"), QStringLiteral("sinks")}));
            if (sink.hasMatch() && (m_pace == Pace::BareNullOutput || sink.captured(1).toLongLong() < 100'000))
                return true;
        }
        QThread::msleep(50);
    }
    return false;
}

void PrivateSoundServer::stop()
{
    if (m_server.state() == QProcess::NotRunning)
        return;
    m_server.terminate();
    if (!m_server.waitForFinished(5000))
        m_server.kill();
    m_server.waitForFinished(2000);
}

void PrivateSoundServer::kill()
{
    m_server.kill();
    m_server.waitForFinished(5000);
}

QString PrivateSoundServer::pactl(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("pactl"), QStringList{QStringLiteral("--server=unix:") + m_socket} + arguments);
    // Events go on meanwhile: the sound output is fed from them.
    const QDeadlineTimer deadline(10000);
    while (!process.waitForFinished(10) && process.state() != QProcess::NotRunning && !deadline.hasExpired())
        QCoreApplication::processEvents();
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

int PrivateSoundServer::programStreams()
{
    const QRegularExpression ours(QStringLiteral("application\\.name = \"Brevant Log\""));
    return int(pactl({QStringLiteral("list"), QStringLiteral("sink-inputs")}).count(ours));
}

namespace {
std::unique_ptr<PrivateSoundServer> running;
}

void SoundServerEnvironment::SetUp()
{
    running = std::make_unique<PrivateSoundServer>();
    if (!running->start())
        GTEST_FAIL() << running->error().toStdString();
}

// While the application still runs: the server's process and folder go with it.
void SoundServerEnvironment::TearDown() { running.reset(); }

PrivateSoundServer& SoundServerEnvironment::server() { return *running; }
