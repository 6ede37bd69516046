#pragma once

// The Ten-Tec Orion's text protocol and the exchange files of the Pegasus control program.
//
// Orion, every line ending in a carriage return:
//   request "?AF"   reply "@AF" + Hz as decimal digits          set "*AF" + MHz ("*AF7.03")
//   request "?RMM"  reply "@RMM" + mode digit (2 or 3 CW, other phone)
//   "X" wakes the radio's interface after the port opens.
//
// Pegasus: the outside program writes PEGASUS.OUT (the frequency in MHz, a number, then the
// mode, a text, in the record format) and reads PEGASUS.IN (two plain lines, CR LF: the
// frequency in MHz and the mode).

#include "rig/RigReport.h"

#include <QByteArray>
#include <QString>

void parseOrionFrequency(const QByteArray& reply, RigReport& report);
void parseOrionMode(const QByteArray& reply, RigReport& report);
// "*AF" + the frequency in MHz with at most seven significant digits + CR.
QByteArray orionFrequencyCommand(float mhz);

// Reads the frequency and the mode from PEGASUS.OUT in the folder; a mode other than "CW"
// becomes "PH". A missing or short file keeps what could be read.
void readPegasusFile(const QString& folder, RigReport& report);
// Writes PEGASUS.IN; failures are not reported.
void writePegasusFile(const QString& folder, float mhz, const QString& mode);
