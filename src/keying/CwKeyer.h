#pragma once

// The CW keyer: function-key messages with their macros filled in go into the send
// buffer, and a pump keys the buffer one character at a time, letting pending window
// events run between characters (never inside one), so that keys, timers and a second
// message arrive in the middle of a message. A character is keyed element by element on
// the keying line, timed on the monotonic clock; the line is released again on every way
// out of a character.

#include "core/AppState.h"

#include <QString>

class Clock;
class KeyingLine;

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
    // The line of the chosen interface, its port opened first when it is not; nothing
    // when no line can be keyed.
    virtual KeyingLine* keyingLine() = 0;
    // The "!" of a message: the contact is logged on the running main window.
    virtual void logContact() = 0;
    virtual void showOnMainWindow(const QString& text) = 0;
    virtual void armRepeat() = 0;
    virtual void letEventsRun() = 0;
    virtual QString countyText(const QString& abbreviation) const = 0;
    // Hands the buffer to the keyer device, emptying it.
    virtual void winKeyTransmit() = 0;

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
    // Keys one character. False when it was refused: no speed that can be timed, a word
    // space that is no number, no line, or a line that failed; the line is released then.
    bool Transmit(QChar CodeCharacter);

    static constexpr int RepeatKey = 112; // F1

private:
    bool waitOneUnit(double unit, double wordsPerMinute);

    KeyerState& m_keyer;
    Clock& m_clock;
    CwKeyerWindow& m_window;
};
