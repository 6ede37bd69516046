#pragma once

// PackSpot.txt, the spotting window's settings: 14 values, one per line, in the record
// format.
//   1 baud  2 parity "O"/"N"/"E"  3 data bits  4 stop bits  (texts)
//   5 COM port (bare, 1 to 10)  6 power line "N"/"R"/"D"  7 transport  (texts)
//   8 "Convert to Hex" (bare 0 or 1)  9 handshaking (bare, 1 to 4)
//   10 "List DX Only" (bare 0 or 1; kept, never applied)  11 list chosen (#TRUE#/#FALSE#)
//   12 TNC command character  13 telnet port  14 telnet host  (texts)
// Items 1 to 6 and 9 are the serial settings last taken by a TNC open, not the buttons.

#include "platform/FileWriter.h"

#include <QString>

class QIODevice;
class RecordReader;

struct SpotSettings {
    static constexpr int ItemCount = 14;

    QString TncBaud;
    QString TncParity;
    QString TncDataBits;
    QString TncStopBits;
    quint8 TncPort = 0;
    QString TncPower;
    QString SpotTransport;
    int convertToHex = 0;
    quint8 TncHandshaking = 0;
    int listDxOnly = 0;
    bool listChosen = false;
    QString hexCharacter;
    QString telnetPort;
    QString telnetHost;

    bool operator==(const SpotSettings&) const = default;
};

// Reads the items in order and returns how many were read; it stops at the first item
// missing or of the wrong kind, the later ones keeping their values. The items that the
// window reads as values of any type (8 and 10 to 14) take whatever stands there.
int readSpotSettings(RecordReader& reader, SpotSettings& settings);
bool writeSpotSettings(QIODevice& device, const SpotSettings& settings);

// PackSpot.txt in the working folder, found whatever the letter case of its name: true when
// it held every item.
bool loadSpotSettings(const QString& workingDirectory, SpotSettings& settings);
// Written through the writer (at once without one) to a temporary file renamed over the
// old one, so a failed write leaves it whole.
void saveSpotSettings(const QString& workingDirectory, const SpotSettings& settings, FileWriter* writer);
