#include "rig/IcomCodec.h"

#include "rig/RigText.h"

#include <algorithm>

namespace {

constexpr quint8 Preamble = 0xFE;
constexpr quint8 EndOfMessage = 0xFD;
constexpr quint8 ReadFrequency = 0x03;
constexpr quint8 ReadMode = 0x04;

// The newest frame whose data length is one of the accepted ones.
std::optional<QByteArray> newestFrame(const QByteArray& reply, quint8 command, int fewest, int most)
{
    const std::vector<QByteArray> frames = icomFrames(reply, command);
    const auto found = std::find_if(frames.rbegin(), frames.rend(),
                                    [&](const QByteArray& data) { return data.size() >= fewest && data.size() <= most; });
    if (found == frames.rend())
        return std::nullopt;
    return *found;
}

bool isMhzText(const QString& text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit() || c == u'.'; });
}

std::optional<QByteArray> frame(const RigRequests& requests, const QString& body)
{
    const QString radio = requests.frequency.mid(6, 2);
    if (radio.size() != 2)
        return std::nullopt;
    return hexDigitsToBytes(QStringLiteral("FEFE") + radio + body + QStringLiteral("FD"));
}

} // namespace

std::vector<QByteArray> icomFrames(const QByteArray& reply, quint8 command)
{
    enum class State { Empty, GotFirstFE, GotSecondFE, WaitForFD };
    std::vector<QByteArray> frames;
    State state = State::Empty;
    QByteArray data;
    for (qsizetype at = 0; at < reply.size(); ++at) {
        const auto byte = quint8(reply[at]);
        switch (state) {
        case State::GotFirstFE:
            if (byte == Preamble) {
                state = State::GotSecondFE;
                at += 2; // the two addresses
            } else {
                state = State::Empty;
            }
            break;
        case State::GotSecondFE:
            state = byte == command ? State::WaitForFD : State::Empty;
            data.clear();
            break;
        case State::WaitForFD:
            if (byte == EndOfMessage) {
                frames.push_back(data);
                state = State::Empty;
            } else if (byte == Preamble) {
                // The frame was cut off and a new one begins: FE is never data.
                state = State::GotFirstFE;
            } else {
                data += char(byte);
            }
            break;
        case State::Empty:
            if (byte == Preamble)
                state = State::GotFirstFE;
            break;
        }
    }
    return frames;
}

std::optional<quint8> icomRadioAddress(const QString& request)
{
    const QString pair = request.mid(6, 2);
    bool ok = false;
    const uint address = pair.toUInt(&ok, 16);
    if (pair.size() != 2 || !ok)
        return std::nullopt;
    return quint8(address);
}

QByteArray icomFramesFromTo(const QByteArray& read, quint8 from, quint8 to)
{
    QByteArray kept;
    for (qsizetype at = read.indexOf("\xFE\xFE"); at >= 0; at = read.indexOf("\xFE\xFE", at + 1)) {
        // A run of preamble bytes: the frame starts with the last two.
        qsizetype start = at;
        while (start + 2 < read.size() && quint8(read[start + 2]) == Preamble)
            ++start;
        const qsizetype end = read.indexOf(char(EndOfMessage), start + 2);
        if (end < 0)
            break;
        const QByteArray frame = read.mid(start, end - start + 1);
        // A FE inside the frame means it was cut off and another began there.
        if (const qsizetype next = frame.indexOf(char(Preamble), 2); next >= 0) {
            at = start + next - 1;
            continue;
        }
        if (frame.size() >= 5 && quint8(frame[2]) == to && quint8(frame[3]) == from)
            kept += frame;
        at = end;
    }
    return kept;
}

QString icomDigitsToMhzText(const QString& digits)
{
    QString text;
    const QString whole = digits.left(4);
    for (qsizetype i = 0; i < whole.size(); ++i) {
        const bool leadingZeros = i < 3 && whole.left(i + 1) == QString(i + 1, u'0');
        if (!leadingZeros)
            text += whole[i];
    }
    return text + u'.' + digits.mid(4, 6);
}

qsizetype icomWholeFrames(const QByteArray& read)
{
    const qsizetype open = read.indexOf(char(Preamble), read.lastIndexOf(char(EndOfMessage)) + 1);
    return open < 0 ? read.size() : open;
}

bool parseIcomFrequency(const QByteArray& reply, int dataBytes, RigReport& report)
{
    const auto data = newestFrame(reply, ReadFrequency, dataBytes, dataBytes);
    if (!data)
        return false;
    QByteArray mostSignificantFirst = *data;
    std::reverse(mostSignificantFirst.begin(), mostSignificantFirst.end());
    const QString text = icomDigitsToMhzText(bytesToHexDigits(mostSignificantFirst));
    if (!isMhzText(text))
        return false;
    bool ok = false;
    double mhz = text.toDouble(&ok);
    if (!ok)
        return false;
    if (dataBytes == 4)
        mhz /= 100;
    report.frequency = float(mhz);
    return true;
}

bool parseIcomMode(const QByteArray& reply, RigReport& report)
{
    const auto data = newestFrame(reply, ReadMode, 1, 2);
    if (!data)
        return false;
    report.mode = quint8(data->at(0)) == 0x03 ? QStringLiteral("CW") : QStringLiteral("PH");
    return true;
}

std::optional<QByteArray> icomFrequencyCommand(float mhz, const RigRequests& requests)
{
    // Ten BCD digits of hertz: nothing past 9,999,999,999 Hz.
    const auto field = hertzDigits(mhz, 10, 10);
    if (!field)
        return std::nullopt;
    const QByteArray& digits = *field;
    QByteArray leastSignificantFirst;
    for (qsizetype at = digits.size() - 2; at >= 0; at -= 2)
        leastSignificantFirst += digits.mid(at, 2);
    return frame(requests, QStringLiteral("E005") + QString::fromLatin1(leastSignificantFirst));
}

std::optional<QByteArray> icomModeCommand(const QString& mode, const RigRequests& requests)
{
    static const struct {
        const char* mode;
        const char* body;
    } bodies[] = {{"LSB", "E00600"}, {"USB", "E00601"}, {"AM", "E00602"},   {"CW", "E00603"},
                  {"RTTY", "E00604"}, {"FM", "E00605"}, {"CW-R", "E00607"}, {"RTTY-R", "E00608"}};
    for (const auto& p : bodies)
        if (mode == QLatin1String(p.mode))
            return frame(requests, QLatin1String(p.body));
    return std::nullopt;
}
