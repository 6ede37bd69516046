#pragma once

// The WinKey keyer's host-mode protocol, as bytes: what the program writes to the keyer and
// how it reads what comes back. No port here; WinKeyDevice carries these bytes.
//
// The line: 1200 baud, 8 data bits, no parity, 2 stop bits.
//
// Host to keyer. A byte from 0x20 up is a character for the keyer's send buffer; a byte
// below 0x20 is a command, followed by its parameter bytes:
//   00 02        host open: the keyer answers one byte, its version
//   00 03        host close
//   00 04 nn     echo test: the keyer answers nn
//   02 nn        speed in words per minute
//   03 nn        weight (50 is standard)
//   04 ll tt     push-to-talk lead-in and tail, in 10 ms steps
//   08           backspace: takes back the last character not yet sent
//   09 nn        pin configuration
//   0A           clear buffer: stops sending and drops what waits
//   0E nn        keyer mode
//   13           null command: brings the keyer's command reader back in step
//   15           status request: the keyer answers with a status byte
//   17 nn        dit/dah ratio (50 is 1:3)
//
// Keyer to host. A byte 110xxxxx is a status byte: bit 0 XOFF (the buffer is more than two
// thirds full), bit 1 BREAKIN (the paddle is in use), bit 2 BUSY (sending), bit 3 KEYDOWN,
// bit 4 WAIT; the keyer sends one unasked whenever its state changes. A byte 10xxxxxx is a
// speed pot reading. Any other byte answers an admin command or echoes a character.

#include "platform/SerialPort.h"

#include <QByteArray>
#include <QtGlobal>
#include <optional>

namespace WinKey {

inline constexpr SerialSettings LineSettings{1200, 'N', 8, 2};
inline constexpr quint8 EchoProbe = 0x55;

QByteArray hostOpen();
QByteArray hostClose();
QByteArray echoTest(quint8 value);
// Four null commands, so a keyer left in the middle of a command takes the next one afresh.
QByteArray resynchronise();
QByteArray speed(quint8 wordsPerMinute);
QByteArray weight(quint8 weight);
QByteArray pttLeadTail(quint8 leadIn, quint8 tail);
QByteArray backspace();
QByteArray pinConfig(quint8 config);
QByteArray clearBuffer();
QByteArray mode(quint8 mode);
QByteArray statusRequest();
QByteArray ditDahRatio(quint8 ratio);
// A character for the send buffer; nothing for a code below 0x20, which the keyer would
// take as a command.
std::optional<QByteArray> character(quint8 code);

enum class ReplyKind { Status, SpeedPot, Other };
ReplyKind replyKind(quint8 byte);

// What a status byte means to the feed: 0 idle, 1 sending (or waiting, or the paddle in
// use), 5 when the buffer is nearly full and takes no character now.
inline constexpr qint32 Idle = 0;
inline constexpr qint32 Sending = 1;
inline constexpr qint32 BufferFull = 5;
qint32 feedState(quint8 status);

} // namespace WinKey
