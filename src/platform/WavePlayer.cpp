#include "platform/WavePlayer.h"

#include "platform/WaveFile.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QTimer>

namespace {

// A voice message is seconds long; anything near this is no recording of one, and reading
// it whole would hold the program.
constexpr qint64 LargestFileBytes = 64 * 1024 * 1024;

QAudioFormat::SampleFormat outputSample(WaveSound::Sample sample)
{
    switch (sample) {
    case WaveSound::Sample::UInt8: return QAudioFormat::UInt8;
    case WaveSound::Sample::Int16: return QAudioFormat::Int16;
    case WaveSound::Sample::Int32: return QAudioFormat::Int32;
    case WaveSound::Sample::Float: return QAudioFormat::Float;
    }
    return QAudioFormat::Unknown;
}

bool failed(const QAudioSink& sink)
{
    const QAudio::Error error = sink.error();
    return error == QAudio::OpenError || error == QAudio::IOError || error == QAudio::FatalError;
}

} // namespace

// One open file: its samples, the sink that reads them, and what the sink has said.
struct QtWavePlayer::Playing {
    QByteArray frames;
    QBuffer source;
    std::unique_ptr<QAudioSink> sink;
    qint64 durationMs = 0;
    // When the sink reports idle it has taken every sample, but the server still holds up
    // to one buffer of them: the message ends that much later.
    qint64 tailMs = 0;
    bool started = false;
    bool ended = false;
    QElapsedTimer sincePlay;
    qint64 idleAtMs = -1; // when the sink went idle with every sample taken; -1 while not

    // Notes when the sink went idle with every sample taken (an underrun before the end is
    // no end: the sink goes on once it has samples again), and looks again once the rest
    // has sounded, so that the stream ends also when nobody asks for the mode.
    void noteState()
    {
        if (!started || ended || sink->state() != QAudio::IdleState || !source.atEnd()) {
            idleAtMs = -1;
            return;
        }
        if (idleAtMs >= 0)
            return;
        idleAtMs = sincePlay.elapsed();
        const qint64 rest = qMax(tailMs, durationMs - idleAtMs);
        QTimer::singleShot(std::chrono::milliseconds(rest + 1), sink.get(), [this] { endIfSoundedOut(); });
    }

    // Ends the message once every sample has sounded: the sink idle with all taken for the
    // length of its buffer, and never before the file's own length since play(). The
    // server's stream goes with it.
    bool endIfSoundedOut()
    {
        noteState();
        const qint64 now = sincePlay.elapsed();
        if (ended || idleAtMs < 0 || now < idleAtMs + tailMs || now < durationMs)
            return ended;
        ended = true;
        sink->stop();
        return true;
    }
};

QtWavePlayer::QtWavePlayer() = default;

QtWavePlayer::~QtWavePlayer()
{
    close();
}

bool QtWavePlayer::fail(WaveProblem::Kind kind, const QString& text)
{
    m_playing.reset();
    m_problem = {kind, text};
    return false;
}

bool QtWavePlayer::open(const QString& path)
{
    close();
    m_problem = {};
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
    std::optional<WaveSound> sound = readWave(file.readAll(), &why);
    if (!sound)
        return fail(WaveProblem::Kind::File, QStringLiteral("%1 cannot be played: %2.").arg(name, why));

    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull())
        return fail(WaveProblem::Kind::Output, QStringLiteral("No sound output was found."));
    QAudioFormat format;
    format.setSampleRate(sound->framesPerSecond);
    format.setChannelCount(sound->channels);
    format.setSampleFormat(outputSample(sound->sample));
    if (!output.isFormatSupported(format))
        return fail(WaveProblem::Kind::Output, QStringLiteral("The sound output %1 cannot play %2 (%3 Hz, %4 channels).")
                                                   .arg(output.description(), name)
                                                   .arg(sound->framesPerSecond)
                                                   .arg(sound->channels));

    auto playing = std::make_unique<Playing>();
    playing->durationMs = sound->durationMs();
    playing->frames = std::move(sound->frames);
    playing->source.setBuffer(&playing->frames);
    playing->source.open(QIODevice::ReadOnly);
    playing->sink = std::make_unique<QAudioSink>(output, format);
    QObject::connect(playing->sink.get(), &QAudioSink::stateChanged, playing->sink.get(),
                     [p = playing.get()](QAudio::State) { p->noteState(); });
    // Started held, so that a sound server that is gone or refuses the stream fails here;
    // play() lets it go.
    playing->sink->start(&playing->source);
    playing->sink->suspend();
    if (failed(*playing->sink) || playing->sink->state() == QAudio::StoppedState)
        return fail(WaveProblem::Kind::Output,
                    QStringLiteral("The sound output %1 could not be opened.").arg(output.description()));
    playing->tailMs = format.durationForBytes(int(playing->sink->bufferSize())) / 1000;
    m_playing = std::move(playing);
    return true;
}

bool QtWavePlayer::play()
{
    if (!m_playing)
        return false;
    Playing& p = *m_playing;
    if (p.started)
        return mode() == ModePlaying;
    p.sink->resume();
    if (failed(*p.sink) || p.sink->state() == QAudio::StoppedState) {
        m_problem = {WaveProblem::Kind::Output, QStringLiteral("The sound output failed to start.")};
        p.ended = true;
        return false;
    }
    p.started = true;
    p.sincePlay.start();
    return true;
}

void QtWavePlayer::stop()
{
    if (!m_playing || !m_playing->started || m_playing->ended)
        return;
    m_playing->ended = true;
    m_playing->sink->stop();
}

void QtWavePlayer::close()
{
    if (m_playing)
        m_playing->sink->stop();
    m_playing.reset();
}

int QtWavePlayer::mode() const
{
    if (!m_playing)
        return ModeNotOpen;
    Playing& p = *m_playing;
    if (!p.started || p.ended)
        return ModeStopped;
    if (failed(*p.sink) || p.sink->state() == QAudio::StoppedState) {
        p.ended = true;
        m_problem = {WaveProblem::Kind::Output, QStringLiteral("The sound output failed while playing.")};
        return ModeStopped;
    }
    return p.endIfSoundedOut() ? ModeStopped : ModePlaying;
}

qint64 QtWavePlayer::durationMs() const { return m_playing ? m_playing->durationMs : 0; }

WaveProblem QtWavePlayer::problem() const { return m_problem; }

bool QtWavePlayer::outputFound() const { return !QMediaDevices::audioOutputs().isEmpty(); }
