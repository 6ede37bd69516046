#pragma once

#include <QString>
#include <functional>
#include <memory>

// Why the last file did not open or play, or why its playing broke off. A file problem
// belongs to one recording (missing, no wave file, an encoding that cannot be played); an
// output problem to the machine's sound (no output at all, a sound server that refused or
// went away, playing that broke off).
class QObject;

struct WaveProblem {
    enum class Kind { None, File, Output };
    Kind kind = Kind::None;
    QString text;
};

// Plays one wave file at a time, as the multimedia control on device "WaveAudio" did:
// open a file, play it without waiting, stop, close; mode() reads ModePlaying while it
// plays. open() reads the whole file, so that a file that cannot play fails there, and
// makes the output ready without a sound: mode() reads ModeOpening until it is (or until
// that fails, with an output problem), then ModeStopped; whatever cannot play fails before
// a transmitter is keyed for it. play() while the output is still opening plays as soon as
// it is ready, and mode() reads ModePlaying from then on.
//
// Whatever the player learns later (the output ready or failed, the end of the message)
// reaches the callback given to setOnChange, always from the event loop, never from within
// one of the player's own calls: the callback may open, play or close.
class WavePlayer {
public:
    static constexpr int ModeNotOpen = 524;
    static constexpr int ModeStopped = 525;
    static constexpr int ModePlaying = 526;
    static constexpr int ModeOpening = 530;
    // A player still playing this long after the file's length has failed (a sound system
    // that never reports the end): whoever waits on it gives up.
    static constexpr qint64 EndMarginMs = 2000;
    // An output not ready this long after open() has failed.
    static constexpr qint64 OpeningLimitMs = 3000;

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
    // Whether the machine has a sound output, as last found (by playing or by a probe); true
    // until found otherwise.
    virtual bool outputFound() const = 0;
    // Looks again whether there is a sound output, without waiting: the answer comes to
    // the callback.
    virtual void probeOutput() = 0;

    void setOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

protected:
    void changed() const
    {
        if (m_onChange)
            m_onChange();
    }

private:
    std::function<void()> m_onChange;
};

// The real player: the program's own player process (brevant-player, built beside the
// program) plays each file through the sound server (PulseAudio, or PipeWire in its place),
// so that no sound library runs in the program itself: a server that dies, hangs or makes
// its library abort costs that one message. The process is watched: one that ends without
// saying "done", says an error, is not ready within OpeningLimitMs or has not ended the
// message by its length and EndMarginMs is killed, and the message fails with an output
// problem. A stop or close kills it at once. The next open starts a new process, so a
// server that has come back plays the next message.
class ProcessWavePlayer final : public WavePlayer {
public:
    // program: the player process's executable.
    explicit ProcessWavePlayer(QString program);
    ~ProcessWavePlayer() override;
    bool open(const QString& path) override;
    bool play() override;
    void stop() override;
    void close() override;
    int mode() const override;
    qint64 durationMs() const override;
    WaveProblem problem() const override;
    bool outputFound() const override { return m_outputFound; }
    void probeOutput() override;

    // brevant-player beside the running program.
    static QString besideProgram();

private:
    struct Run;
    enum class Stage { None, Opening, Ready, Playing, Ended };
    bool fail(WaveProblem::Kind kind, const QString& text);
    // A player process in the slot, its output and end heard by this player.
    Run& startRun(std::unique_ptr<Run>& slot, const QStringList& arguments);
    void heard(Run& run);
    void ended(Run& run);
    void giveUp(const QString& text);
    void endRun(std::unique_ptr<Run>& run);
    void notify();

    QString m_program;
    std::unique_ptr<Run> m_run;
    std::unique_ptr<Run> m_probe;
    Stage m_stage = Stage::None;
    bool m_playWhenReady = false;
    quint64 m_runs = 0; // processes started
    qint64 m_durationMs = 0;
    WaveProblem m_problem;
    bool m_outputFound = true;
    std::unique_ptr<QObject> m_events; // what the process says and the watch's time, in the event loop
};
