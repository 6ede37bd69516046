#pragma once

// The binary Yaesu radios. Every command is five bytes, four parameters and the command
// byte last; the radio answers with a block of bytes and no frame around it, so each field
// is found by its position from the first byte read.
//
//   "Yaesu" (the newer command set)
//     00 00 00 00 03   read       reply: 4 bytes BCD frequency in 10 Hz, most significant
//                                  first, then the mode byte (00 LSB, 01 USB, 02 CW, 03 CW-R,
//                                  04 AM, 08 FM, 82/83 CW narrow, 84 AM narrow, 88 FM narrow)
//     f1 f2 f3 f4 01   set frequency (BCD in 10 Hz, most significant first)
//     mm 00 00 00 07   set mode
//   Older command set ("Yaesu 757 GX II", "Yaesu 890", "Yaesu 920", "Yaesu 990",
//   "Yaesu 1000 D", "Yaesu 1000")
//     00 00 00 00 10   status block of the 757 GX II: bytes 6-9 BCD frequency in 10 Hz,
//                      least significant first; byte 10 the mode (0/1 SSB, 2/3 CW, 4 AM, 5 FM)
//     00 00 00 02 10   status block of the others; the frequency is a binary number whose
//                      place differs by model, in hex digits of the block (two per byte,
//                      high half first, counted from 1):
//                        890  digits 5-10 in 10 Hz      1000  digits 4-9 in 10 Hz
//                        990, 1000 D  digits 3-8 in 10 Hz      920  digits 3-10 in Hz
//                      the mode is hex digit 16 (the low half of byte 8)
//     f4 f3 f2 f1 0A   set frequency (BCD in 10 Hz, least significant first)
//     00 00 00 mm 0C   set mode
// The decoders keep no state: what was read is taken as one block from its first byte.
// Each says whether the block held its frequency.

#include "rig/RigReport.h"

#include <QByteArray>
#include <QString>
#include <optional>

enum class YaesuCommandSet { Newer, Older };

// Eight decimal digits counting 10 Hz steps in MHz ("01407400" -> 14.074); nothing when a
// digit is not decimal.
std::optional<float> yaesuDigitsToMhz(const QString& digits);

// The five-byte reply of "Yaesu"; a letter in the BCD or in the mode byte drops the reply.
bool parseYaesuReply(const QByteArray& reply, RigReport& report);
// The status blocks of the older radios. A block shorter than the frequency field changes
// nothing (9 bytes for the 757 GX II, 5 for the others); one that ends before the mode
// (byte 10, byte 8) keeps the mode.
bool parseYaesu757Status(const QByteArray& reply, RigReport& report);
bool parseYaesu890Status(const QByteArray& reply, RigReport& report);
bool parseYaesu1000Status(const QByteArray& reply, RigReport& report);
bool parseYaesu990Status(const QByteArray& reply, RigReport& report);
bool parseYaesu920Status(const QByteArray& reply, RigReport& report);

// Tens of hertz in four BCD bytes; nothing for a frequency they cannot carry (not above 0,
// or past 999,999,990 Hz).
std::optional<QByteArray> yaesuFrequencyCommand(float mhz, YaesuCommandSet set);
// Nothing for a mode the command set has no code for.
std::optional<QByteArray> yaesuModeCommand(const QString& mode, YaesuCommandSet set);
