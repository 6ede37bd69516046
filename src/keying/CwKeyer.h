#pragma once

// The CW keyer: function-key messages with their macros filled in go into the send
// buffer, and a pump keys the buffer one character at a time, letting pending window
// events run between characters (never inside one), so that keys, timers and a second
// message arrive in the middle of a message. A character is keyed element by element on
// the keying line, timed on the monotonic clock; the line is released again on every way
// out of a character.
//
// The elements of one message keep to a timeline: each element starts where the one before
// it was planned to end, across characters and words, and the pump does its work between
// characters (the echo, the window's events) while the last released unit of the character
// runs, so that work comes out of the gap instead of adding to it. Only an element that
// would start more than one unit late starts afresh from the present.

#include "core/AppState.h"
#include "keying/KeyerOutput.h"

#include <QString>
#include <optional>

class Clock;

enum class TimingMethod { Timer, Sleep, Loop };

// What the keyer reads from its settings window whenever it sends, and what it asks of
// the program around it.
class CwKeyerWindow {
public:
    // The message of a function key (F1 112 ... F9 120, F11 122, F10 passed as 124);
    // empty for any other code.
    virtual QString message(int keyCode) const = 0;
    virtual QString repeatSeconds() const = 0;
    virtual QString wordsPerMinute() const = 0;
    virtual QString wordSpace() const = 0;
    virtual TimingMethod timingMethod() const = 0;
    virtual double loopsPer60ms() const = 0;
    virtual bool echo() const = 0;
    // The output of the chosen interface.
    virtual KeyerOutput& output() = 0;
    // The "!" of a message: the contact is logged on the running main window.
    virtual void logContact() = 0;
    virtual void showOnMainWindow(const QString& text) = 0;
    virtual void armRepeat() = 0;
    virtual void letEventsRun() = 0;
    virtual QString countyText(const QString& abbreviation) const = 0;

protected:
    ~CwKeyerWindow() = default;
};

class CwKeyer {
public:
    CwKeyer(KeyerState& keyer, Clock& clock, CwKeyerWindow& window);

    // Builds the key's message into the send buffer and sends it.
    void FKeyCW(int KeyCode);
    // Sends what the buffer holds; returns when it is empty.
    void LoopThroughCWBuffer();
    // Keys one character; returns when its last element has been timed. False when it was
    // refused (no speed that can be timed, a word space that is no number, no line the
    // settings name) or its port failed; the line is released then, and after a failed
    // port the rest of the message is dropped.
    bool Transmit(QChar CodeCharacter);

    static constexpr int RepeatKey = 112; // F1

private:
    // The element set last, still running: when it is planned to end, and how long it is.
    struct Running {
        qint64 endNs;
        double unitMs;
        double wordsPerMinute;
    };

    // Keys the character and leaves its last element running.
    bool keyCharacter(QChar character);
    // Waits for the running element to end; the start of the next one. An element more than
    // one unit late starts from the present.
    qint64 waitForRunningElement();
    void waitUntil(qint64 deadlineNs, const Running& element);
    void finishTiming();
    void dropMessage();

    KeyerState& m_keyer;
    Clock& m_clock;
    CwKeyerWindow& m_window;
    std::optional<Running> m_running;
    int m_pumps = 0; // pumps running, nested ones counted
};
