#pragma once

// Number formats in one place. Numbers written to files never depend on the user's
// locale (a point as decimal separator); numbers shown on screen use the forms below.

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>

// A Single in plain decimal with up to 7 significant digits: "6", "-97.5", "0.25".
QString formatSingle(float value);
// An 8-byte real in plain decimal with up to 15 significant digits.
QString formatDouble(double value);

// A plain decimal number as the files and the number boxes hold it: optional blanks
// around, an optional sign, digits with at most one point, an optional exponent. Never
// depends on the locale. Nothing when the text is not such a number.
std::optional<double> parsePlainNumber(const QString& text);

// The number a text starts with, as a figure typed or shown is read: blanks are skipped
// wherever they stand ("1 500" is 1500), the reading stops at the first character that
// cannot belong to a number ("16.5 points" gives 16.5, "1,234" gives 1), and "d" may stand
// for the "e" of an exponent. A point is the decimal separator whatever the user's locale.
// 0 when there is none, or when it is too large for a double.
double leadingNumber(QStringView text);

// Rounds half to even, as the program's whole-number conversions do.
double roundHalfEven(double value);

// A number rounded to the nearest whole number (halves away from zero, as display
// formats round), thousands grouped by the separator unless it is null ("1,600"); zero is
// shown as nothing when zeroAsEmpty, else as "0".
QString formatWhole(double value, QChar separator, bool zeroAsEmpty);
