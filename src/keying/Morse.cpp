#include "keying/Morse.h"

#include "core/NumberFormat.h"

#include <QHash>

namespace {

// Dots and dashes written as elements, with the gap that ends a character.
QString elementsOf(const char* code)
{
    QString elements;
    for (const char* c = code; *c; ++c)
        elements += *c == '.' ? QStringLiteral("10") : QStringLiteral("1110");
    return elements + QStringLiteral("00");
}

const QHash<QChar, QString>& morseTable()
{
    static const QHash<QChar, QString> table = [] {
        const struct {
            char character;
            const char* code;
        } codes[] = {
            {'A', ".-"},     {'B', "-..."},   {'C', "-.-."},   {'D', "-.."},     {'E', "."},
            {'F', "..-."},   {'G', "--."},    {'H', "...."},   {'I', ".."},      {'J', ".---"},
            {'K', "-.-"},    {'L', ".-.."},   {'M', "--"},     {'N', "-."},      {'O', "---"},
            {'P', ".--."},   {'Q', "--.-"},   {'R', ".-."},    {'S', "..."},     {'T', "-"},
            {'U', "..-"},    {'V', "...-"},   {'W', ".--"},    {'X', "-..-"},    {'Y', "-.--"},
            {'Z', "--.."},   {'0', "-----"},  {'1', ".----"},  {'2', "..---"},   {'3', "...--"},
            {'4', "....-"},  {'5', "....."},  {'6', "-...."},  {'7', "--..."},   {'8', "---.."},
            {'9', "----."},  {'.', ".-.-.-"}, {',', "--..--"}, {'?', "..--.."},  {'/', "-..-."},
            // Prosigns on keys of their own; "-" keys BT like "=", not the hyphen.
            {'=', "-...-"},  {'-', "-...-"},  {'[', ".-.-."},  {']', "...-.-"},  {';', "-.--."},
            {'\\', "-.-..-.."},
        };
        QHash<QChar, QString> t;
        for (const auto& c : codes)
            t.insert(QChar(c.character), elementsOf(c.code));
        t.insert(QChar(' '), QStringLiteral("00000000"));
        return t;
    }();
    return table;
}

} // namespace

QString morseElements(QChar character)
{
    return morseTable().value(character.toUpper());
}

QString adjustedWordSpace(double n)
{
    QString space = morseElements(QChar(' '));
    if (n > 0) {
        for (int step = 1; step <= n; ++step)
            space += QLatin1Char('0');
    } else if (n < 0) {
        const double length = roundHalfEven(8 + n);
        space.truncate(length > 0 ? int(length) : 0);
    }
    return space;
}

std::optional<double> unitMs(double wordsPerMinute)
{
    if (!(wordsPerMinute > 0))
        return std::nullopt;
    return 1200.0 / wordsPerMinute;
}

std::optional<quint16> parseBaseAddress(const QString& text)
{
    const QString t = text.trimmed();
    double value = 0;
    if (t.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        bool ok = false;
        value = t.mid(2).toUInt(&ok, 16);
        if (!ok)
            return std::nullopt;
    } else if (const auto plain = parsePlainNumber(t)) {
        value = roundHalfEven(*plain);
    } else {
        return std::nullopt;
    }
    if (value < 0 || value > 0xFFFF - 2)
        return std::nullopt;
    return quint16(value);
}

namespace {

void replaceEach(QString& text, QChar macro, const std::function<QString()>& value)
{
    // The position moves on by one whatever went in, as the keyer always did.
    for (qsizetype position = 0; position < text.size(); ++position) {
        if (text[position] == macro)
            text = text.left(position) + value() + text.mid(position + 1);
    }
}

} // namespace

QString expandMacros(const QString& message, KeyerState& keyer,
                     const std::function<QString(const QString&)>& countyText)
{
    QString text = message;
    replaceEach(text, QLatin1Char('$'), [&] { return keyer.CWCall.trimmed(); });
    replaceEach(text, QLatin1Char('#'), [] { return QString(); });
    replaceEach(text, QLatin1Char('*'), [&] {
        if (keyer.CWSentRST == QLatin1String("599") || keyer.CWSentRST.isEmpty())
            keyer.CWSentRST = QStringLiteral("5NN");
        return keyer.CWSentRST.trimmed();
    });
    replaceEach(text, QLatin1Char('^'), [&] { return countyText(keyer.CWOwnCounty).trimmed(); });
    return text;
}
