#pragma once

// Morse code as element strings, and the timing of one unit. An element string holds one
// character per unit: "1" with the line keyed, "0" with it released. A dot is "10", a
// dash "1110", and every character ends with "00", so that three released units follow
// its last element; the word space is eight released units more.

#include "core/AppState.h"

#include <QString>
#include <functional>
#include <optional>

// The elements of a character, looked up upper-cased; empty for a character with no
// Morse pattern (nothing is keyed and no time passes), "!" included.
QString morseElements(QChar character);

// The word space with its adjustment of n units: whole steps added for n > 0, cut to
// 8 + n units (halves to even) for n < 0, so that at -8 it keys nothing.
QString adjustedWordSpace(double n);

// The length of one unit in milliseconds: 50 units make a word, so 1200 / WPM. Nothing
// for a speed of 0 or below, which no timing exists for.
std::optional<double> unitMs(double wordsPerMinute);

// A parallel port's base address as the settings box holds it: decimal, or hexadecimal
// after "&H" (in either case). Nothing when it is not such a number or no 16-bit address.
std::optional<quint16> parseBaseAddress(const QString& text);

// A function-key message with its macros filled in, in four passes strictly in this
// order: "$" the call worked, "#" removed, "*" the report sent ("599" or an empty report
// is first set to "5NN" in the keyer state), "^" the own county as countyText gives it.
// Each pass advances one character after every position, replaced or not, whatever the
// length of what went in: so with an empty call "$$" leaves the second "$".
QString expandMacros(const QString& message, KeyerState& keyer,
                     const std::function<QString(const QString&)>& countyText);
