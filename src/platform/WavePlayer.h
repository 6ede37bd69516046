#pragma once

#include <QString>

// Plays one wave file at a time, as the multimedia control on device "WaveAudio" did:
// open a file, play it without waiting, stop, close; mode() reads ModePlaying while it
// plays. Without a sound device or a readable file, open() fails.
class WavePlayer {
public:
    static constexpr int ModeNotOpen = 524;
    static constexpr int ModeStopped = 525;
    static constexpr int ModePlaying = 526;

    virtual ~WavePlayer() = default;
    virtual bool open(const QString& path) = 0;
    virtual bool play() = 0;
    virtual void stop() = 0;
    virtual void close() = 0;
    virtual int mode() const = 0;
};

class QMediaPlayer;
class QAudioOutput;

class QtWavePlayer final : public WavePlayer {
public:
    QtWavePlayer();
    ~QtWavePlayer() override;
    bool open(const QString& path) override;
    bool play() override;
    void stop() override;
    void close() override;
    int mode() const override;

private:
    QMediaPlayer* m_player = nullptr;
    QAudioOutput* m_output = nullptr;
    bool m_open = false;
};
