#include "rig/YaesuCodec.h"

#include "rig/RigText.h"

#include <algorithm>
#include <cmath>

namespace {

const QString Phone = QStringLiteral("PH");
const QString Cw = QStringLiteral("CW");

bool allDecimal(const QString& text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The hex digits from `first` (counted from 1) as one binary number.
quint64 hexNumber(const QString& hex, int first, int count)
{
    return hex.mid(first - 1, count).toULongLong(nullptr, 16);
}

// A status block whose frequency is a binary number of hex digits: the common reading of
// the 890, 990, 1000 D and 1000.
bool parseBinaryStatus(const QByteArray& reply, int firstDigit, RigReport& report)
{
    if (reply.size() < 5)
        return false;
    const QString hex = bytesToHexDigits(reply.left(8));
    report.frequency = hertzToMhz(hexNumber(hex, firstDigit, 6) * 10);
    if (reply.size() < 8)
        return true;
    const int mode = hex.mid(15, 1).toInt(nullptr, 16);
    if (mode == 2)
        report.mode = Cw;
    else if (mode < 8)
        report.mode = Phone;
    return true;
}

// Tens of hertz as decimal digits, at least eight.
QByteArray tensOfHertzDigits(float mhz)
{
    QByteArray digits = QByteArray::number(qint64(std::nearbyint(double(mhz) * 100000.0))).rightJustified(8, '0');
    if (digits.size() % 2 != 0)
        digits.prepend('0');
    return digits;
}

QByteArray pairsReversed(const QByteArray& digits)
{
    QByteArray reversed;
    for (qsizetype at = digits.size() - 2; at >= 0; at -= 2)
        reversed += digits.mid(at, 2);
    return reversed;
}

} // namespace

std::optional<float> yaesuDigitsToMhz(const QString& digits)
{
    if (!allDecimal(digits) || digits.size() > 16)
        return std::nullopt;
    return hertzToMhz(digits.toULongLong() * 10);
}

bool parseYaesuReply(const QByteArray& reply, RigReport& report)
{
    if (reply.size() < 5)
        return false;
    const QString hex = bytesToHexDigits(reply.left(5));
    const QString modeDigits = hex.mid(8, 2);
    if (!allDecimal(modeDigits))
        return false;
    const auto mhz = yaesuDigitsToMhz(hex.left(8));
    if (!mhz)
        return false;
    report.frequency = *mhz;
    switch (modeDigits.toInt()) {
    case 0: case 1: case 4: case 8: case 84: case 88:
        report.mode = Phone;
        break;
    case 2: case 3: case 82: case 83:
        report.mode = Cw;
        break;
    default:
        break;
    }
    return true;
}

bool parseYaesu757Status(const QByteArray& reply, RigReport& report)
{
    if (reply.size() < 9)
        return false;
    const QString hex = bytesToHexDigits(reply.left(10));
    const auto mhz = yaesuDigitsToMhz(hex.mid(16, 2) + hex.mid(14, 2) + hex.mid(12, 2) + hex.mid(10, 2));
    if (!mhz)
        return false;
    report.frequency = *mhz;
    if (reply.size() < 10)
        return true;
    // The mode byte's digits read as a decimal number up to the first letter ("0A" is 0).
    QString digits = hex.mid(18, 2);
    const auto letter = std::find_if(digits.begin(), digits.end(), [](QChar c) { return c > u'9'; });
    digits.truncate(letter - digits.begin());
    static const char* const modes[] = {"PH", "PH", "CW", "CW", "AM", "FM"};
    const int code = digits.toInt();
    if (code < 6)
        report.mode = QLatin1String(modes[code]);
    return true;
}

bool parseYaesu890Status(const QByteArray& reply, RigReport& report) { return parseBinaryStatus(reply, 5, report); }

bool parseYaesu1000Status(const QByteArray& reply, RigReport& report) { return parseBinaryStatus(reply, 4, report); }

bool parseYaesu990Status(const QByteArray& reply, RigReport& report) { return parseBinaryStatus(reply, 3, report); }

bool parseYaesu920Status(const QByteArray& reply, RigReport& report)
{
    if (reply.size() < 5)
        return false;
    const QString hex = bytesToHexDigits(reply.left(8));
    report.frequency = hertzToMhz(hexNumber(hex, 3, 8));
    if (reply.size() >= 8)
        report.mode = hex[15] == u'1' ? Cw : Phone;
    return true;
}

std::optional<QByteArray> yaesuFrequencyCommand(float mhz, YaesuCommandSet set)
{
    if (!mhzToHertz(mhz, 999999994))
        return std::nullopt;
    const QByteArray digits = tensOfHertzDigits(mhz);
    const QByteArray text = set == YaesuCommandSet::Newer ? digits + "01" : pairsReversed(digits) + "0A";
    return hexDigitsToBytes(QString::fromLatin1(text));
}

std::optional<QByteArray> yaesuModeCommand(const QString& mode, YaesuCommandSet set)
{
    static const struct {
        const char* mode;
        const char* newer;
        const char* older;
    } commands[] = {
        {"LSB", "0000000007", "000000000C"}, {"USB", "0100000007", "000000010C"},
        {"CW", "0200000007", "000000020C"},  {"CW-R", nullptr, "000000030C"},
        {"AM", "0400000007", "000000040C"},  {"FM", "0800000007", "000000060C"},
        {"RTTY", "0A00000007", "000000080C"}, {"DIG", "0A00000007", nullptr},
        {"PKT", "0C00000007", "0000000A0C"},
    };
    for (const auto& c : commands) {
        if (mode != QLatin1String(c.mode))
            continue;
        const char* text = set == YaesuCommandSet::Newer ? c.newer : c.older;
        if (!text)
            return std::nullopt;
        return hexDigitsToBytes(QLatin1String(text));
    }
    return std::nullopt;
}
