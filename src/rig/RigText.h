#pragma once

// The byte and number texts of the radio protocols. A reply or a command is a QByteArray,
// one byte per character as it goes over the wire; the hex texts are what the operator
// types into the request boxes ("FE FE 64 E0 03 FD").

#include <QByteArray>
#include <QString>
#include <optional>

// "FE FE 03" (pairs at every third character, whatever stands between them) to the bytes
// they spell; nothing when a pair is not hexadecimal or is cut short.
std::optional<QByteArray> hexPairsToBytes(const QString& text);
// The first `count` pairs at every third character; nothing when the text is too short or
// a pair is not hexadecimal.
std::optional<QByteArray> hexPairsToBytes(const QString& text, int count);
// "2A4100D6" (pairs back to back) to bytes; nothing when a pair is not hexadecimal.
std::optional<QByteArray> hexDigitsToBytes(const QString& text);
// Each byte as two upper-case hex digits and a blank, the last one included ("FE 03 ").
QString bytesToHexPairs(const QByteArray& bytes);
// Each byte as two upper-case hex digits, nothing between.
QString bytesToHexDigits(const QByteArray& bytes);
// 0 to 15 as "0" to "F".
QChar nibbleToHexDigit(int nibble);
// "0" to "9", "A" to "F" and "a" to "f" as 0 to 15; -1 for any other character.
int hexDigitValue(QChar c);

// A reply field of decimal digits in hertz, in MHz rounded to 10 Hz (halves to the even
// digit), as a single-precision value. Radios pad the field with leading blanks in place of
// zeros; nothing unless the rest is all digits, at least one.
std::optional<float> hertzDigitsToMhz(const QByteArray& digits);
// A whole number of hertz in MHz rounded to 10 Hz, halves to even.
float hertzToMhz(quint64 hertz);
// A frequency in MHz as whole hertz, halves to even; nothing unless it is above 0 hertz and
// at most `highest` (what the radio's field can carry), a value that is no number
// included. Never overflows.
std::optional<qint64> mhzToHertz(float mhz, qint64 highest);
// No radio is sent a frequency above 300 GHz (the highest amateur band ends at 250).
constexpr qint64 HighestRadioHertz = 300'000'000'000;
// The widest hertz field of the radio families, the Kenwood protocol's 11 digits.
constexpr int WidestHertzDigits = 11;
// Hertz as decimal digits with leading zeros to the width; a wider number keeps every digit
// up to `widest` digits. Nothing for a frequency the field cannot carry (mhzToHertz).
std::optional<QByteArray> hertzDigits(float mhz, int width, int widest = WidestHertzDigits);
// The largest number of `digits` decimal digits (99 for 2).
qint64 largestOfDigits(int digits);
