#include "rig/RigText.h"

#include <algorithm>
#include <cmath>

namespace {

std::optional<char> hexByte(const QString& text, qsizetype at)
{
    if (at + 1 >= text.size())
        return std::nullopt;
    const int high = hexDigitValue(text[at]);
    const int low = hexDigitValue(text[at + 1]);
    if (high < 0 || low < 0)
        return std::nullopt;
    return char(high * 16 + low);
}

std::optional<QByteArray> groupsToBytes(const QString& text, int step, int count)
{
    QByteArray bytes;
    for (qsizetype at = 0; count < 0 ? at < text.size() : bytes.size() < count; at += step) {
        const auto byte = hexByte(text, at);
        if (!byte)
            return std::nullopt;
        bytes += *byte;
    }
    return bytes;
}

} // namespace

std::optional<QByteArray> hexPairsToBytes(const QString& text) { return groupsToBytes(text, 3, -1); }

std::optional<QByteArray> hexPairsToBytes(const QString& text, int count) { return groupsToBytes(text, 3, count); }

std::optional<QByteArray> hexDigitsToBytes(const QString& text) { return groupsToBytes(text, 2, -1); }

QChar nibbleToHexDigit(int nibble) { return QLatin1Char("0123456789ABCDEF"[nibble & 15]); }

QString bytesToHexPairs(const QByteArray& bytes)
{
    QString text;
    for (const char b : bytes)
        text += QString{nibbleToHexDigit(quint8(b) >> 4)} + nibbleToHexDigit(quint8(b)) + QLatin1Char(' ');
    return text;
}

QString bytesToHexDigits(const QByteArray& bytes)
{
    QString text;
    for (const char b : bytes)
        text += QString{nibbleToHexDigit(quint8(b) >> 4)} + nibbleToHexDigit(quint8(b));
    return text;
}

float hertzToMhz(quint64 hertz)
{
    quint64 tens = hertz / 10;
    const quint64 rest = hertz % 10;
    if (rest > 5 || (rest == 5 && tens % 2 == 1))
        ++tens;
    return float(double(tens) / 100000.0);
}

std::optional<float> hertzDigitsToMhz(const QByteArray& field)
{
    QByteArrayView digits(field);
    while (digits.startsWith(' '))
        digits = digits.sliced(1);
    if (digits.isEmpty() || digits.size() > 18)
        return std::nullopt;
    quint64 hertz = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        hertz = hertz * 10 + quint64(c - '0');
    }
    return hertzToMhz(hertz);
}

std::optional<qint64> mhzToHertz(float mhz, qint64 highest)
{
    // Compared as doubles before the conversion: a NaN fails both tests, and nothing out of
    // the range of qint64 is ever converted.
    const double hertz = std::nearbyint(double(mhz) * 1000000.0);
    if (!(hertz > 0) || !(hertz <= double(highest)))
        return std::nullopt;
    const auto whole = qint64(hertz);
    if (whole > highest) // highest itself rounded up as a double
        return std::nullopt;
    return whole;
}

qint64 largestOfDigits(int digits)
{
    qint64 largest = 0;
    for (int i = 0; i < digits && i < 18; ++i)
        largest = largest * 10 + 9;
    return largest;
}

std::optional<QByteArray> hertzDigits(float mhz, int width, int widest)
{
    const auto hertz = mhzToHertz(mhz, largestOfDigits(std::max(width, widest)));
    if (!hertz)
        return std::nullopt;
    return QByteArray::number(*hertz).rightJustified(width, '0');
}

int hexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}
