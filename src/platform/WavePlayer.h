#pragma once

#include <QString>
#include <memory>

// Why the last file did not open or play, or why its playing broke off. A file problem
// belongs to one recording (missing, no wave file, an encoding that cannot be played); an
// output problem to the machine's sound (no output at all, a sound server that refused or
// went away, playing that broke off).
struct WaveProblem {
    enum class Kind { None, File, Output };
    Kind kind = Kind::None;
    QString text;
};

// Plays one wave file at a time, as the multimedia control on device "WaveAudio" did:
// open a file, play it without waiting, stop, close; mode() reads ModePlaying while it
// plays. open() reads the whole file and makes the output ready without a sound, so that
// whatever cannot play fails there, before a transmitter is keyed for it.
class WavePlayer {
public:
    static constexpr int ModeNotOpen = 524;
    static constexpr int ModeStopped = 525;
    static constexpr int ModePlaying = 526;
    // A player still playing this long after the file's length has failed (a sound system
    // that never reports the end): whoever waits on it gives up.
    static constexpr qint64 EndMarginMs = 2000;

    virtual ~WavePlayer() = default;
    virtual bool open(const QString& path) = 0;
    virtual bool play() = 0;
    virtual void stop() = 0;
    virtual void close() = 0;
    virtual int mode() const = 0;
    // How long the open file plays, in milliseconds; 0 with none open.
    virtual qint64 durationMs() const = 0;
    // What failed last; cleared by the next open.
    virtual WaveProblem problem() const = 0;
    // Whether the machine has a sound output at all.
    virtual bool outputFound() const = 0;
};

// The real player: our own reader of the file feeding a QAudioSink, which hands the
// samples to the sound server (PulseAudio, or PipeWire in its place). No media backend
// takes part, so no GStreamer or FFmpeg plug-in is needed, and none can take the program
// down with it.
class QtWavePlayer final : public WavePlayer {
public:
    QtWavePlayer();
    ~QtWavePlayer() override;
    bool open(const QString& path) override;
    bool play() override;
    void stop() override;
    void close() override;
    int mode() const override;
    qint64 durationMs() const override;
    WaveProblem problem() const override;
    bool outputFound() const override;

private:
    struct Playing;
    bool fail(WaveProblem::Kind kind, const QString& text);

    std::unique_ptr<Playing> m_playing;
    mutable WaveProblem m_problem;
};
