#include "rig/KenwoodCodec.h"

#include "rig/RigText.h"

namespace {

QByteArray marker(const QString& request, int length) { return request.left(length).toLatin1(); }

bool readFrequency(const QByteArray& reply, qsizetype at, int digits, RigReport& report)
{
    const auto mhz = hertzDigitsToMhz(reply.mid(at, digits));
    if (mhz)
        report.frequency = *mhz;
    return mhz.has_value();
}

QString modeFrom(char code, bool cwReverseToo)
{
    return code == '3' || (cwReverseToo && code == '7') ? QStringLiteral("CW") : QStringLiteral("PH");
}

} // namespace

bool parseKenwoodFrequency(const QByteArray& reply, const RigRequests& requests, RigReport& report)
{
    if (requests.frequency.size() < 3)
        return false;
    const qsizetype p = reply.indexOf(marker(requests.frequency, 2));
    if (p < 0 || reply.size() <= p + 13)
        return false;
    return readFrequency(reply, p + 2, 11, report);
}

bool parseKenwoodMode(const QByteArray& reply, RigReport& report)
{
    const qsizetype p = reply.indexOf("MD");
    if (p < 0 || reply.size() <= p + 2)
        return false;
    report.mode = modeFrom(reply[p + 2], true);
    return true;
}

bool parseKenwoodIfReply(const QByteArray& reply, RigReport& report)
{
    const qsizetype p = reply.indexOf("IF");
    if (p < 0 || reply.size() <= p + 13 || !readFrequency(reply, p + 2, 11, report))
        return false;
    if (reply.size() <= p + 29)
        return true;
    const char mode = reply[p + 29];
    report.mode = modeFrom(mode, false);
    if (mode < '0' || mode > '9' || reply.size() <= p + 30)
        return true;
    const char vfo = reply[p + 30];
    if (vfo >= '0' && vfo <= '9')
        report.kenwoodVfoCode = quint8(vfo - '0');
    return true;
}

bool parseFtdx9000Reply(const QByteArray& reply, const RigRequests& requests, RigReport& report)
{
    bool read = false;
    const QByteArray frequencyMarker = marker(requests.frequency, 2);
    const qsizetype f = frequencyMarker.isEmpty() ? -1 : reply.indexOf(frequencyMarker);
    if (f >= 0 && reply.size() >= f + 10)
        read = readFrequency(reply, f + 2, 8, report);
    const QByteArray modeMarker = marker(requests.mode, 3);
    const qsizetype m = modeMarker.isEmpty() ? -1 : reply.indexOf(modeMarker);
    if (m >= 0 && reply.size() > m + 3) {
        report.mode = modeFrom(reply[m + 3], false);
        read = true;
    }
    return read;
}

namespace {

std::optional<QByteArray> frequencyCommand(const QByteArray& marker, float mhz, int width)
{
    const auto digits = hertzDigits(mhz, width);
    if (!digits)
        return std::nullopt;
    return marker + *digits + ';';
}

} // namespace

std::optional<QByteArray> kenwoodFrequencyCommand(float mhz, const RigRequests& requests)
{
    return frequencyCommand(marker(requests.frequency, 2), mhz, 11);
}

std::optional<QByteArray> kenwood2FrequencyCommand(float mhz, const RigReport& report)
{
    return frequencyCommand(report.kenwoodVfoCode == 1 ? "FB" : "FA", mhz, 11);
}

std::optional<QByteArray> elecraftFrequencyCommand(float mhz) { return frequencyCommand("FA", mhz, 11); }

std::optional<QByteArray> ftdx9000FrequencyCommand(float mhz, const RigRequests& requests)
{
    return frequencyCommand(marker(requests.frequency, 2), mhz, 8);
}

std::optional<QByteArray> kenwoodModeCommand(const QString& mode)
{
    static const struct {
        const char* mode;
        const char* command;
    } commands[] = {{"CW", "MD3;"}, {"LSB", "MD1;"}, {"USB", "MD2;"}, {"FM", "MD4;"},
                    {"AM", "MD5;"}, {"RTTY", "MD6;"}, {"FSK", "MD6;"}};
    for (const auto& c : commands)
        if (mode == QLatin1String(c.mode))
            return QByteArray(c.command);
    return std::nullopt;
}

std::optional<QByteArray> ftdx9000ModeCommand(const QString& mode, const RigRequests& requests)
{
    static const struct {
        const char* mode;
        char digit;
    } digits[] = {{"CW", '3'}, {"LSB", '1'}, {"USB", '2'}, {"FM", '4'}, {"AM", '5'}, {"RTTY", '6'}, {"CW-R", '7'}};
    for (const auto& d : digits)
        if (mode == QLatin1String(d.mode))
            return marker(requests.mode, 3) + d.digit + ';';
    return std::nullopt;
}
