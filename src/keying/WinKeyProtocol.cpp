#include "keying/WinKeyProtocol.h"

namespace WinKey {

namespace {

constexpr quint8 Admin = 0x00;
constexpr quint8 XoffBit = 0x01;
constexpr quint8 ActiveBits = 0x1E; // BREAKIN, BUSY, KEYDOWN, WAIT

QByteArray bytes(std::initializer_list<quint8> values)
{
    QByteArray out;
    for (const quint8 v : values)
        out += char(v);
    return out;
}

} // namespace

QByteArray hostOpen() { return bytes({Admin, 0x02}); }
QByteArray hostClose() { return bytes({Admin, 0x03}); }
QByteArray echoTest(quint8 value) { return bytes({Admin, 0x04, value}); }
QByteArray resynchronise() { return bytes({0x13, 0x13, 0x13, 0x13}); }
QByteArray speed(quint8 wordsPerMinute) { return bytes({0x02, wordsPerMinute}); }
QByteArray weight(quint8 weight) { return bytes({0x03, weight}); }
QByteArray pttLeadTail(quint8 leadIn, quint8 tail) { return bytes({0x04, leadIn, tail}); }
QByteArray backspace() { return bytes({0x08}); }
QByteArray pinConfig(quint8 config) { return bytes({0x09, config}); }
QByteArray clearBuffer() { return bytes({0x0A}); }
QByteArray mode(quint8 mode) { return bytes({0x0E, mode}); }
QByteArray statusRequest() { return bytes({0x15}); }
QByteArray ditDahRatio(quint8 ratio) { return bytes({0x17, ratio}); }

std::optional<QByteArray> character(quint8 code)
{
    if (code < 0x20)
        return std::nullopt;
    return bytes({code});
}

ReplyKind replyKind(quint8 byte)
{
    if ((byte & 0xE0) == 0xC0)
        return ReplyKind::Status;
    if ((byte & 0xC0) == 0x80)
        return ReplyKind::SpeedPot;
    return ReplyKind::Other;
}

qint32 feedState(quint8 status)
{
    if (status & XoffBit)
        return BufferFull;
    return (status & ActiveBits) ? Sending : Idle;
}

} // namespace WinKey
