#include "rig/RigTuning.h"

#include "core/NumberFormat.h"
#include "core/TextTrim.h"
#include "rig/RigText.h"

#include <cmath>
#include <limits>

std::optional<float> tuneFrequency(const QString& text)
{
    const auto value = parsePlainNumber(text);
    if (!value || std::fabs(*value) > double(std::numeric_limits<float>::max()))
        return std::nullopt;
    return float(*value);
}

bool holdsNumber(const QString& text) { return parsePlainNumber(text).has_value(); }

std::optional<QString> steppedFrequencyText(const QString& text, double change)
{
    const auto value = parsePlainNumber(text);
    if (!value)
        return std::nullopt;
    return formatDouble(*value + change);
}

float nextScanFrequency(float frequency, float step, float lower, float upper)
{
    const float next = frequency + step;
    return next > upper ? lower : next;
}

QString scanFrequencyText(float mhz)
{
    QString text = QString::number(double(mhz), 'f', 5);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.startsWith(QLatin1String("0.")))
        text.remove(0, 1);
    else if (text.startsWith(QLatin1String("-0.")))
        text.remove(1, 1);
    return text;
}

std::optional<QByteArray> testCommandBytes(const QString& text, bool hexPairs)
{
    // Blanks only: a tab or a line end belongs to the command.
    const QString command = trimSpaces(text);
    QByteArray bytes;
    if (!hexPairs) {
        for (const QChar c : command) {
            if (c.unicode() > 0xFF)
                return std::nullopt;
            bytes += char(c.unicode());
        }
        return bytes;
    }
    for (qsizetype at = 0; at < command.size(); at += 3) {
        int value = 0;
        for (qsizetype i = at; i < std::min(at + 2, command.size()); ++i) {
            const int digit = hexDigitValue(command[i]);
            if (digit < 0)
                return std::nullopt;
            value = value * 16 + digit;
        }
        bytes += char(value);
    }
    if (bytes.isEmpty())
        return std::nullopt;
    return bytes;
}

const FrequencyTestNotes& frequencyTestNotes()
{
    static const FrequencyTestNotes notes = {
        QStringLiteral("FA00028475000;"),
        QStringLiteral("Please use the text box below to enter a complete command to send to your radio.  The default "
                       "example is the command used for Kenwood radios."),
        QStringLiteral("Most Elecrafts, Icoms, Kenwoods and Yaesus are now supported. For any supported radio, you "
                       "should be able to enter a frequency in Mhz, click send and your radio should switch to the "
                       "specified frequency."),
    };
    return notes;
}
