#include "core/NumberFormat.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <charconv>

namespace {

// The value of a text that is a plain number and nothing else (no blanks); 0 when the
// conversion fails.
double plainValue(QByteArrayView text)
{
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (begin < end && *begin == '+')
        ++begin; // from_chars takes no plus sign
    double value = 0;
    const auto result = std::from_chars(begin, end, value);
    return result.ec == std::errc() ? value : 0;
}

QString trimFraction(QString text)
{
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text;
}

QString plainDecimal(double value, int significant)
{
    if (value == 0 || !std::isfinite(value))
        return QStringLiteral("0");
    // Round to the significant digits first, then print without an exponent. Qt's number
    // conversions always use the point, whatever the user's locale.
    const double rounded = plainValue(QByteArray::number(value, 'e', significant - 1));
    const int exponent = int(std::floor(std::log10(std::fabs(rounded))));
    const int decimals = std::max(0, significant - 1 - exponent);
    QString text = trimFraction(QString::fromLatin1(QByteArray::number(rounded, 'f', decimals)));
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text;
}

} // namespace

QString formatSingle(float value) { return plainDecimal(double(value), 7); }

QString formatDouble(double value) { return plainDecimal(value, 15); }

std::optional<double> parsePlainNumber(const QString& text)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*$)"));
    if (!pattern.match(text).hasMatch())
        return std::nullopt;
    const double value = plainValue(text.trimmed().toLatin1());
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

double leadingNumber(QStringView text)
{
    QByteArray number;
    bool digits = false, point = false, exponent = false, exponentDigits = false;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == ' ' || u == '\t' || u == '\n' || u == '\r')
            continue;
        const bool signAllowed = number.isEmpty() || (exponent && number.endsWith('e'));
        if ((u == '+' || u == '-') && signAllowed) {
            number += char(u);
        } else if (u >= '0' && u <= '9') {
            number += char(u);
            (exponent ? exponentDigits : digits) = true;
        } else if (u == '.' && !point && !exponent) {
            number += '.';
            point = true;
        } else if ((u == 'e' || u == 'E' || u == 'd' || u == 'D') && digits && !exponent) {
            number += 'e';
            exponent = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0;
    if (exponent && !exponentDigits) {
        while (!number.isEmpty() && !(number.back() >= '0' && number.back() <= '9'))
            number.chop(1);
    }
    const double value = plainValue(number);
    return std::isfinite(value) ? value : 0;
}

double roundHalfEven(double value) { return std::nearbyint(value); }

QString formatWhole(double value, QChar separator, bool zeroAsEmpty)
{
    const double rounded = std::round(value);
    if (rounded == 0)
        return zeroAsEmpty ? QString() : QStringLiteral("0");
    const bool negative = rounded < 0;
    QString digits = QString::number(std::fabs(rounded), 'f', 0);
    if (!separator.isNull()) {
        for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
            digits.insert(i, separator);
    }
    return negative ? QLatin1Char('-') + digits : digits;
}
