#pragma once

// The text protocol of the Kenwood, Elecraft and Yaesu FTdx9000 radios: printable
// commands and replies ending in ";", frequencies in hertz as fixed-width digits.
//
//   request   "FA;"  reply "FA" + 11 digits (Hz) + ";"          FTdx9000: 8 digits
//   request   "MD;"  reply "MD" + mode digit + ";"               FTdx9000: "MD0" + digit
//   request   "IF;"  reply "IF" + 11 digits (Hz) + ... mode at offset 29, VFO at 30 + ";"
//   set       "FA00014074000;"  "MD3;"                           FTdx9000: "FA14074000;" "MD03;"
//
// Mode digits: 1 LSB, 2 USB, 3 CW, 4 FM, 5 AM, 6 FSK/RTTY, 7 CW-R (FTdx9000: 7 CW-R too).
// The decoders look for their marker anywhere in what was read, so a stray piece of an
// earlier reply does no harm; a marker without its whole field changes nothing. Each says
// whether it read its field.
// Numbers may come padded with leading blanks in place of zeros.

#include "rig/RigReport.h"

#include <QByteArray>
#include <optional>

// "FA" (the first two characters of the frequency request) and the 11 digits after it;
// the field must be followed by at least one more character.
bool parseKenwoodFrequency(const QByteArray& reply, const RigRequests& requests, RigReport& report);
// "MD" and one character: "3" or "7" CW, any other PH.
bool parseKenwoodMode(const QByteArray& reply, RigReport& report);
// "IF": the frequency, then the mode ("3" CW, other PH) and the VFO digit when present.
bool parseKenwoodIfReply(const QByteArray& reply, RigReport& report);
// "FA" and 8 digits, then "MD0" and one character ("3" CW, other PH).
bool parseFtdx9000Reply(const QByteArray& reply, const RigRequests& requests, RigReport& report);

// Each set-frequency command is nothing for a frequency its field cannot carry (not above
// 0, or more than 11 digits of hertz).
// "FA" (or the request's first two characters) + Hz in 11 digits + ";".
std::optional<QByteArray> kenwoodFrequencyCommand(float mhz, const RigRequests& requests);
// "FB" when the last IF reply named VFO B, else "FA"; Hz in 11 digits; ";".
std::optional<QByteArray> kenwood2FrequencyCommand(float mhz, const RigReport& report);
std::optional<QByteArray> elecraftFrequencyCommand(float mhz);
// The request's first two characters + Hz in 8 digits (a wider number keeps its digits) + ";".
std::optional<QByteArray> ftdx9000FrequencyCommand(float mhz, const RigRequests& requests);

// "MD3;" and so on; nothing for a mode the radio has no command for.
std::optional<QByteArray> kenwoodModeCommand(const QString& mode);
// The mode request's first three characters + digit + ";".
std::optional<QByteArray> ftdx9000ModeCommand(const QString& mode, const RigRequests& requests);
