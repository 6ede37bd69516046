#include "platform/WavePlayer.h"

#include "platform/WaveFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <csignal>
#include <sys/prctl.h>

namespace {

// A voice message is seconds long; anything near this is no recording of one, and reading
// it whole would hold the program.
constexpr qint64 LargestFileBytes = 64 * 1024 * 1024;
// How long a killed player process is waited for before it is left to end on its own.
constexpr int KilledWaitMs = 200;

} // namespace

// One player process and what it has said so far.
struct ProcessWavePlayer::Run {
    std::unique_ptr<QProcess> owned = std::make_unique<QProcess>();
    QProcess& process = *owned;
    quint64 number = 0; // which of the player's processes
    QByteArray heard; // what it said, up to the end of the line not yet complete
    bool finished = false;
    // The process's own lines: "ready", "started", "done", "error file|output TEXT".
    std::optional<QByteArray> nextLine()
    {
        const qsizetype end = heard.indexOf('\n');
        if (end < 0)
            return std::nullopt;
        QByteArray line = heard.left(end);
        heard.remove(0, end + 1);
        return line;
    }
};

ProcessWavePlayer::ProcessWavePlayer(QString program) : m_program(std::move(program)), m_events(new QObject) {}

ProcessWavePlayer::~ProcessWavePlayer()
{
    // No news from here on, whatever the processes still say as they are killed.
    m_events.reset();
    endRun(m_run);
    endRun(m_probe);
}

QString ProcessWavePlayer::besideProgram()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/brevant-player");
}

bool ProcessWavePlayer::fail(WaveProblem::Kind kind, const QString& text)
{
    endRun(m_run);
    m_stage = Stage::None;
    m_problem = {kind, text};
    return false;
}

void ProcessWavePlayer::endRun(std::unique_ptr<Run>& run)
{
    if (!run)
        return;
    // Nothing it says any more reaches the player.
    run->process.disconnect();
    if (run->process.state() != QProcess::NotRunning) {
        run->process.kill();
        if (!run->process.waitForFinished(KilledWaitMs)) {
            // Stuck in the kernel: it is left to end on its own, and reaped then.
            QProcess* stuck = run->owned.release();
            QObject::connect(stuck, &QProcess::finished, stuck, &QObject::deleteLater);
        }
    }
    run.reset();
}

void ProcessWavePlayer::notify()
{
    // Always from the event loop: the one told may close or open this player.
    if (m_events)
        QTimer::singleShot(0, m_events.get(), [this] { changed(); });
}

bool ProcessWavePlayer::open(const QString& path)
{
    close();
    m_problem = {};
    m_playWhenReady = false;
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (!info.isFile())
        return fail(WaveProblem::Kind::File, QStringLiteral("%1 was not found.").arg(path));
    if (info.size() > LargestFileBytes)
        return fail(WaveProblem::Kind::File, QStringLiteral("%1 is too large to be a message.").arg(name));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(WaveProblem::Kind::File, QStringLiteral("%1 cannot be read: %2.").arg(name, file.errorString()));
    QString why;
    const std::optional<WaveSound> sound = readWave(file.readAll(), &why);
    if (!sound)
        return fail(WaveProblem::Kind::File, QStringLiteral("%1 cannot be played: %2.").arg(name, why));
    m_durationMs = sound->durationMs();

    m_stage = Stage::Opening;
    const Run& run = startRun(m_run, {path});
    // The watch: an output that is not ready in time has failed.
    QTimer::singleShot(std::chrono::milliseconds(OpeningLimitMs), Qt::PreciseTimer, m_events.get(), [this, number = run.number] {
        if (m_run && m_run->number == number && m_stage == Stage::Opening)
            giveUp(QStringLiteral("The sound output did not answer."));
    });
    return true;
}

ProcessWavePlayer::Run& ProcessWavePlayer::startRun(std::unique_ptr<Run>& slot, const QStringList& arguments)
{
    slot = std::make_unique<Run>();
    Run& run = *slot;
    run.number = ++m_runs;
    // The player ends with the program, however the program ends.
    run.process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    run.process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QObject::connect(&run.process, &QProcess::readyReadStandardOutput, m_events.get(), [this, &run] { heard(run); });
    QObject::connect(&run.process, &QProcess::finished, m_events.get(), [this, &run] { ended(run); });
    // A player that cannot be started says so only here: no finished comes for it.
    QObject::connect(&run.process, &QProcess::errorOccurred, m_events.get(), [this, &run](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            ended(run);
    });
    run.process.start(m_program, arguments);
    return run;
}

void ProcessWavePlayer::heard(Run& run)
{
    run.heard += run.process.readAllStandardOutput();
    while (const std::optional<QByteArray> line = run.nextLine()) {
        if (&run == m_probe.get()) {
            if (*line == "ready")
                m_outputFound = true;
            else if (line->startsWith("error output No sound output"))
                m_outputFound = false;
            continue;
        }
        if (m_stage == Stage::None || m_stage == Stage::Ended)
            return;
        if (*line == "ready" && m_stage == Stage::Opening) {
            m_outputFound = true;
            m_stage = Stage::Ready;
            if (m_playWhenReady)
                play();
            notify();
        } else if (*line == "done") {
            m_stage = Stage::Ended;
            notify();
        } else if (line->startsWith("error ")) {
            const QByteArray text = line->mid(line->indexOf(' ', 6) + 1);
            const bool file = line->startsWith("error file ");
            m_problem = {file ? WaveProblem::Kind::File : WaveProblem::Kind::Output, QString::fromUtf8(text)};
            if (!file && text.startsWith("No sound output"))
                m_outputFound = false;
            m_stage = Stage::Ended;
            notify();
        }
    }
}

void ProcessWavePlayer::ended(Run& run)
{
    if (run.finished)
        return;
    run.finished = true;
    heard(run);
    if (&run == m_probe.get()) {
        notify();
        return;
    }
    if (m_stage == Stage::Opening || m_stage == Stage::Ready || m_stage == Stage::Playing) {
        const QString how = run.process.error() == QProcess::FailedToStart
                                ? QStringLiteral("could not be started (%1)").arg(run.process.errorString())
                            : run.process.exitStatus() == QProcess::CrashExit
                                ? QStringLiteral("ended unexpectedly")
                                : QStringLiteral("ended with status %1").arg(run.process.exitCode());
        m_problem = {WaveProblem::Kind::Output, QStringLiteral("The sound player %1.").arg(how)};
        m_stage = Stage::Ended;
        notify();
    }
}

// From the watch's time only, never inside what a process says: the process goes.
void ProcessWavePlayer::giveUp(const QString& text)
{
    endRun(m_run);
    m_problem = {WaveProblem::Kind::Output, text};
    m_stage = Stage::Ended;
    notify();
}

bool ProcessWavePlayer::play()
{
    switch (m_stage) {
    case Stage::Opening: m_playWhenReady = true; return true;
    case Stage::Playing: return true;
    case Stage::Ready: break;
    case Stage::None:
    case Stage::Ended: return false;
    }
    if (m_run->process.write("play\n") != 5) {
        // Left as it is until the next open or close: this may run inside its own news.
        m_problem = {WaveProblem::Kind::Output, QStringLiteral("The sound player does not take its orders.")};
        m_stage = Stage::Ended;
        notify();
        return false;
    }
    m_stage = Stage::Playing;
    // The watch: a message not ended by its length and the margin has failed.
    QTimer::singleShot(std::chrono::milliseconds(m_durationMs + EndMarginMs), Qt::PreciseTimer, m_events.get(), [this, number = m_run->number] {
        if (m_run && m_run->number == number && m_stage == Stage::Playing)
            giveUp(QStringLiteral("The sound output did not end the message in time."));
    });
    return true;
}

void ProcessWavePlayer::stop()
{
    if (m_stage == Stage::None || m_stage == Stage::Ended)
        return;
    endRun(m_run);
    m_stage = Stage::Ended;
}

void ProcessWavePlayer::close()
{
    endRun(m_run);
    m_stage = Stage::None;
    m_playWhenReady = false;
}

int ProcessWavePlayer::mode() const
{
    switch (m_stage) {
    case Stage::None: return ModeNotOpen;
    case Stage::Opening: return m_playWhenReady ? ModePlaying : ModeOpening;
    case Stage::Ready: return ModeStopped;
    case Stage::Playing: return ModePlaying;
    case Stage::Ended: return ModeStopped;
    }
    return ModeNotOpen;
}

qint64 ProcessWavePlayer::durationMs() const { return m_stage == Stage::None ? 0 : m_durationMs; }

WaveProblem ProcessWavePlayer::problem() const { return m_problem; }

void ProcessWavePlayer::probeOutput()
{
    // One probe at a time; a message under way says as much as a probe would.
    const bool messageUnderWay = m_stage == Stage::Opening || m_stage == Stage::Ready || m_stage == Stage::Playing;
    if (messageUnderWay || (m_probe && !m_probe->finished))
        return;
    endRun(m_probe);
    const Run& run = startRun(m_probe, {QStringLiteral("--probe")});
    QTimer::singleShot(std::chrono::milliseconds(OpeningLimitMs), Qt::PreciseTimer, m_events.get(), [this, number = run.number] {
        if (m_probe && m_probe->number == number && !m_probe->finished)
            endRun(m_probe);
    });
}
