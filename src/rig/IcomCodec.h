#pragma once

// The CI-V frames of the Icom radios and the Ten-Tec Omni VI. Every message is one frame:
//
//   FE FE <to> <from> <command> <data ...> FD
//
// The program's own address is E0; the radio's is the third pair of the frequency request
// text ("FE FE 64 E0 03 FD": 64). Commands used:
//   03 read frequency   reply data: the frequency in Hz as BCD, two digits a byte, least
//                       significant byte first; five bytes (four from the IC-735)
//   04 read mode        reply data: the mode byte (03 is CW), then the filter on most radios
//   05 set frequency    data as the reply to 03, always five bytes
//   06 set mode         data: the mode byte (00 LSB, 01 USB, 02 AM, 03 CW, 04 RTTY, 05 FM,
//                       07 CW-R, 08 RTTY-R)
// A radio on a shared CI-V line also hears the program's own request, so what is read
// often starts with a copy of it (a frame without data). The decoders take only frames
// ended by FD and carrying the data length the command answers with: a frame cut off by
// the read tick is not read (the poll reads it whole with the rest that comes next), and of
// several complete answers in one read the newest counts.
// Several radios may share the line: only the frames our radio sends to the program are
// read (icomFramesFromTo), so an answer of another radio to the program, or of our radio to
// another station, changes nothing.

#include "rig/RigReport.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// The data bytes of each complete frame with the command, in the order they came.
std::vector<QByteArray> icomFrames(const QByteArray& reply, quint8 command);

// The program's own address on the line.
constexpr quint8 IcomController = 0xE0;
// The radio's address named in a request text (its third hex pair, "FE FE 64 E0 03 FD":
// 64); nothing when that is not a hex pair.
std::optional<quint8> icomRadioAddress(const QString& request);
// The complete frames of what was read that go from `from` to `to`, one after another;
// everything else (other radios' frames, the program's own requests heard back, noise)
// left out.
QByteArray icomFramesFromTo(const QByteArray& read, quint8 from, quint8 to);

// The BCD digits (most significant first) to frequency text: up to four digits before the
// point, leading zeros dropped, the rest after it ("0014074000" -> "14.074000").
QString icomDigitsToMhzText(const QString& digits);

// The newest complete frequency frame with `dataBytes` data bytes (5, or 4 for the IC-735,
// whose eight digits are read as hundredths of the frequency text). Digits that are not
// decimal change nothing.
bool parseIcomFrequency(const QByteArray& reply, int dataBytes, RigReport& report);
// The newest complete mode frame with one or two data bytes: 03 is CW, any other phone.
// Each decoder says whether it found its answer.
// How much of what was read ends before a frame still open (begun by FE, its FD not yet
// come): the whole frames, and the noise between them.
qsizetype icomWholeFrames(const QByteArray& read);
bool parseIcomMode(const QByteArray& reply, RigReport& report);

// FE FE <radio> E0 05 <five BCD bytes, least significant first> FD; the radio's address is
// characters 7 and 8 of the frequency request. Nothing when the address is not hexadecimal.
std::optional<QByteArray> icomFrequencyCommand(float mhz, const RigRequests& requests);
// FE FE <radio> E0 06 <mode byte> FD; nothing for a mode the table does not hold.
std::optional<QByteArray> icomModeCommand(const QString& mode, const RigRequests& requests);
