#pragma once

// A prompt player that plays nothing aloud: it records every file it is asked to open,
// opens only files that exist (as a real player needs a readable file), and once asked
// to play reports ModePlaying until the test ends the prompt with finish() or the window
// stops or closes it; or, when the test gives it a length and a clock, until that many
// milliseconds of the clock have passed since play(). It can also fail as a sound system
// does: no output at all, a play() that fails, playing that breaks off, or an end that
// never comes.

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
    bool noOutput = false;  // open() fails for want of a sound output
    bool playFails = false; // play() fails, as when the sound server has gone
    bool neverEnds = false; // plays on past its length, never reporting the end
    bool opensSlowly = false; // open() leaves the output opening until ready() or openingFails()
    int probes = 0;         // probeOutput() calls

    bool open(const QString& path) override
    {
        opened.append(path);
        m_problem = {};
        if (!QFileInfo(path).isFile())
            return fail(WaveProblem::Kind::File, path + QStringLiteral(" was not found."));
        if (noOutput)
            return fail(WaveProblem::Kind::Output, QStringLiteral("No sound output was found."));
        m_mode = opensSlowly ? ModeOpening : ModeStopped;
        return true;
    }
    // The output of a slowly opening player is ready, or failed; the player's owner hears it.
    void ready()
    {
        m_mode = ModeStopped;
        changed();
    }
    void openingFails()
    {
        m_problem = {WaveProblem::Kind::Output, QStringLiteral("The sound output could not be opened (Connection refused).")};
        m_mode = ModeStopped;
        changed();
    }
    bool play() override
    {
        if (m_mode == ModeNotOpen || m_mode == ModeOpening)
            return false;
        if (playFails) {
            m_problem = {WaveProblem::Kind::Output, QStringLiteral("The sound output failed to start.")};
            m_mode = ModeStopped;
            return false;
        }
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
        if (m_mode == ModePlaying && !neverEnds && lengthMs >= 0 && clockMs && clockMs() - startedMs >= lengthMs)
            m_mode = ModeStopped;
        return m_mode;
    }
    qint64 durationMs() const override { return m_mode == ModeNotOpen ? 0 : qMax<qint64>(lengthMs, 0); }
    WaveProblem problem() const override { return m_problem; }
    bool outputFound() const override { return !noOutput; }
    void probeOutput() override { ++probes; }

    // The prompt runs out.
    void finish() { stop(); }
    // Playing breaks off with the sound output's failure.
    void breakOff()
    {
        m_problem = {WaveProblem::Kind::Output, QStringLiteral("The sound output failed while playing.")};
        stop();
    }

private:
    bool fail(WaveProblem::Kind kind, const QString& text)
    {
        m_problem = {kind, text};
        m_mode = ModeNotOpen;
        return false;
    }

    mutable int m_mode = ModeNotOpen;
    WaveProblem m_problem;
};
