#pragma once

// The voice keyer: a function key plays its wave file while the transmitter is keyed on
// the push-to-talk line, a serial port's RTS or DTR line or the parallel port's control
// register. A watch, ticking every 40 ms while a message plays, releases the transmitter
// on the first tick that finds the player no longer playing, and starts the wait before
// the next F1 when the F1 message repeats.
//
// The file is opened before anything is keyed, and the transmitter keyed only once the
// sound output is ready for it: a file or a sound output that cannot play keys nothing,
// and an output that is not ready within the player's opening limit is given up. A player that fails while playing, or that has not reported the end of the
// message by the file's length plus a margin, is given up: the transmitter released, the
// repeat ended and the operator told.
//
// The keyer remembers exactly which outputs it raised and releases those and no others,
// whatever the settings say by then: the operator may pick another line, port or address
// while a message plays.

#include "core/AppState.h"
#include "keying/KeyerSettings.h"

#include <QString>
#include <optional>

// A box read as a number: plain decimal, or hexadecimal after "&H" ("&H378" is 888).
// Nothing when the text is neither.
std::optional<double> readVoiceKeyerNumber(const QString& text);

class Clock;
class ParallelPort;
class SerialPort;
class WavePlayer;
struct WaveProblem;

// What the keyer reads from its settings window whenever it acts, and what it asks of it.
class VoiceKeyerWindow {
public:
    // The wave file of a function key (F1 112 ... F9 120).
    virtual QString waveFile(int keyCode) const = 0;
    virtual QString repeatSeconds() const = 0;
    virtual QString pttPortNumber() const = 0;
    virtual std::optional<PttLine> pttLine() const = 0;
    virtual QString parallelAddress() const = 0;
    // Opens the push-to-talk port from the port box; reports its own failure.
    virtual void openPttPort() = 0;
    virtual void startWatch() = 0;
    virtual void stopWatch() = 0;
    virtual void armRepeat() = 0;
    // Why a message did not play or broke off.
    virtual void tellSoundProblem(const WaveProblem& problem) = 0;
    // A message plays: whatever was said against the sound no longer holds.
    virtual void tellPlaying() = 0;

protected:
    ~VoiceKeyerWindow() = default;
};

class VoiceKeyer {
public:
    VoiceKeyer(KeyerState& keyer, WavePlayer& player, SerialPort& pttPort, ParallelPort& parallel,
               VoiceKeyerWindow& window, const Clock& clock);

    // Plays the message of F1 (112) to F9 (120); any other code does nothing.
    void FKeyPhone(int KeyCode);
    // One tick of the playback watch; also as the player has news.
    void watchTick();
    // Esc: a message waiting for its output is dropped, one playing stops (the watch then
    // releases the transmitter). False when there is none.
    bool stopMessage();
    // Releases every output this keyer raised.
    void releaseAll();
    // Drops the serial lines this keyer raised, before the port is closed.
    void releaseSerialLines();
    bool keyed() const { return m_rts || m_dtr || m_parallelBase.has_value(); }

    static constexpr int RepeatKey = 112; // F1

private:
    // The output is ready (or failed while it opened): keys and plays.
    void keyAndPlay();
    bool keySerialLine();
    bool keyParallel();
    void releaseParallel();
    // Releases everything, ends the repeat and says why.
    void giveUp(const WaveProblem& problem);

    KeyerState& m_keyer;
    WavePlayer& m_player;
    SerialPort& m_port;
    ParallelPort& m_parallel;
    VoiceKeyerWindow& m_window;
    const Clock& m_clock;
    qint64 m_giveUpAtMs = 0; // when the output opening, or the message playing, is given up
    bool m_waitingForOutput = false;
    // The outputs raised and not yet released.
    bool m_rts = false;
    bool m_dtr = false;
    std::optional<quint16> m_parallelBase;
};
