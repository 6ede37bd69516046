#pragma once

// Where the CW keyer's characters go: a line keyed element by element (a serial port's RTS
// or DTR line, the parallel port's control register), a keyer device that takes whole
// messages and times them itself (WinKey), or none. The keyer session makes the one for
// the chosen interface; "none" is the output whose every call does nothing. A call may let
// window events run, so the operator may choose another interface meanwhile: an output
// once made lives as long as the session.

#include <QtGlobal>

class KeyingLine;

// Where a character is keyed.
struct KeyingTarget {
    enum class State {
        Ready,   // the line is there to key
        NoLine,  // no port is chosen ("0"): no line moves, but every element is timed
        Refused, // the settings name no line (a base address that is no number): nothing is keyed
        Failed,  // the port would not open, and the operator has been told
    };
    State state = State::Refused;
    KeyingLine* line = nullptr;
};

class KeyerOutput {
public:
    virtual ~KeyerOutput() = default;

    // False for "none": a function key builds no message and nothing is keyed.
    virtual bool keys() const { return false; }

    // A line: where a character is keyed, its port opened first when it is not.
    virtual KeyingTarget keyingLine() { return {}; }
    // The line failed while keying (its port went away): the operator is told and the port
    // let go.
    virtual void keyingFailed() {}
    // Lets go of the line at the end of the keying.
    virtual void release() {}

    // A keyer device takes the whole send buffer and times it itself.
    virtual bool takesWholeMessages() const { return false; }
    // Opens the device when it is closed and checks that it answers; false, with the
    // buffer emptied and the operator told, when nothing can be sent.
    virtual bool ready() { return false; }
    // Hands the buffer to the device, emptying it.
    virtual void transmit() {}
    // The device follows a new speed while it keys.
    virtual void followSpeed(quint8 wordsPerMinute) { Q_UNUSED(wordsPerMinute); }
    // Esc while the device still sends: it stops and what waits is dropped. False when it
    // had nothing to send.
    virtual bool stopSending() { return false; }
};

// No keying interface chosen.
class NoKeyerOutput final : public KeyerOutput {};
