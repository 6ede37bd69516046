#pragma once

// A prompt player that plays nothing aloud: it records every file it is asked to open,
// opens only files that exist (as a real player needs a readable file), and once asked
// to play reports ModePlaying until the test ends the prompt with finish() or the window
// stops or closes it.

#include "platform/WavePlayer.h"
#include "support/Listed.h"

#include <QFileInfo>
#include <QStringList>
#include <memory>
#include <vector>

class FakeWavePlayer final : public WavePlayer, public Listed<FakeWavePlayer> {
public:
    QStringList opened; // every path open() was given, in order
    int plays = 0;      // successful play() calls
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
        return true;
    }
    void stop() override
    {
        if (m_mode != ModeNotOpen)
            m_mode = ModeStopped;
    }
    void close() override { m_mode = ModeNotOpen; }
    int mode() const override { return m_mode; }

    // The prompt runs out.
    void finish() { stop(); }

private:
    int m_mode = ModeNotOpen;
};
