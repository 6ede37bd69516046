#pragma once

// The Ten-Tec radios: the front panel's binary queries, the Orion's text protocol and the
// exchange files of the Pegasus control program.
//
// Front panel, three-byte queries ending in a carriage return:
//   "?A" CR  reply "A" + the frequency in Hz, four bytes, most significant first, + CR
//   "?M" CR  reply "M" + main and sub mode digits + CR; the low half of the main mode's
//            byte: 0, 1, 2, 4 phone, 3 CW
//   set      "*A" + the four frequency bytes + CR
// The replies are read by position from the first byte read.
//
// Orion, every line ending in a carriage return:
//   request "?AF"   reply "@AF" + Hz as decimal digits, below 10 MHz after a blank
//                   ("@AF 7030000")                             set "*AF" + MHz ("*AF7.03")
//   request "?RMM"  reply "@RMM" + mode digit (2 or 3 CW, other phone)
//   "X" wakes the radio's interface after the port opens.
//
// Pegasus: the outside program writes PEGASUS.OUT (the frequency in MHz, a number, then the
// mode, a text, in the record format) and reads PEGASUS.IN (two plain lines, CR LF: the
// frequency in MHz and the mode).

#include "rig/RigReport.h"

#include <QByteArray>
#include <QString>

// Each decoder says whether it read its answer.
// Bytes 2 to 5 as the frequency; fewer than 5 bytes change nothing.
bool parseTenTecPanelFrequency(const QByteArray& reply, RigReport& report);
// The low half of byte 2; fewer than 3 bytes change nothing.
bool parseTenTecPanelMode(const QByteArray& reply, RigReport& report);
// "*A" + whole hertz (as single precision holds them) in four bytes + CR; nothing for a
// frequency four bytes cannot carry.
std::optional<QByteArray> tenTecPanelFrequencyCommand(float mhz);

bool parseOrionFrequency(const QByteArray& reply, RigReport& report);
bool parseOrionMode(const QByteArray& reply, RigReport& report);
// "*AF" + the frequency in MHz with at most seven significant digits + CR; nothing for a
// frequency not above 0 or past 300 GHz.
std::optional<QByteArray> orionFrequencyCommand(float mhz);

// Reads the frequency and the mode from PEGASUS.OUT in the folder; a mode other than "CW"
// becomes "PH". A missing or short file keeps what could be read.
bool readPegasusFile(const QString& folder, RigReport& report);
// Writes PEGASUS.IN; failures are not reported.
void writePegasusFile(const QString& folder, float mhz, const QString& mode);
