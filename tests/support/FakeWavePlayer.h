#pragma once

// A prompt player that plays nothing aloud: it records every file it is asked to open,
// opens only files that exist (as a real player needs a readable file), and once asked
// to play reports ModePlaying until the test ends the prompt with finish() or the window
// stops or closes it; or, when the test gives it a length and a clock, until that many
// milliseconds of the clock have passed since play().

#include "platform/WavePlayer.h"
#include "support/Listed.h"

#include <QFileInfo>
#include <functional>
#include <QStringList>
#include <memory>
#include <vector>

class FakeWavePlayer final : public WavePlayer, public Listed<FakeWavePlayer> {
public:
    QStringList opened; // every path open() was given, in order
    int plays = 0;      // successful play() calls
    qint64 lengthMs = -1;                // how long a message plays; -1 until finish()
    std::function<qint64()> clockMs;     // the clock lengthMs is measured on
    qint64 startedMs = 0;                // the clock at the last play()
    bool open(const QString& path) override
    {
        opened.append(path);
        m_mode = QFileInfo(path).isFile() ? ModeStopped : ModeNotOpen;
        return m_mode != ModeNotOpen;
    }
    bool play() override
    {
        if (m_mode == ModeNotOpen)
            return false;
        m_mode = ModePlaying;
        ++plays;
        if (clockMs)
            startedMs = clockMs();
        return true;
    }
    void stop() override
    {
        if (m_mode != ModeNotOpen)
            m_mode = ModeStopped;
    }
    void close() override { m_mode = ModeNotOpen; }
    int mode() const override
    {
        if (m_mode == ModePlaying && lengthMs >= 0 && clockMs && clockMs() - startedMs >= lengthMs)
            m_mode = ModeStopped;
        return m_mode;
    }

    // The prompt runs out.
    void finish() { stop(); }

private:
    mutable int m_mode = ModeNotOpen;
};
