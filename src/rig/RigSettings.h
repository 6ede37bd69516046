#pragma once

// RigCntrl.txt, the rig window's settings: 14 values, one per line, in the record format.
//   1 baud (text of 5, "4800 ")  2 parity  3 data bits  4 stop bits (texts of 1)
//   5 mode request  6 frequency request  7 port settings ("4800,N,8,2")  (texts)
//   8 COM port (bare number)  9 power line "N"/"R"/"D"  10 poll rate "F"/"M"/"S"/"R"
//   11 radio type  (texts)  12 convert to hex  13 use frequency (bare 0 or 1)
//   14 mode source (bare: 1 rig, 2 frequency, 3 don't use)

#include <QString>
#include <optional>

class QIODevice;
class RecordReader;

struct RigSettings {
    static constexpr int ItemCount = 14;

    QString RigBaud = QStringLiteral("56000");
    QString RigParity = QStringLiteral("N");
    QString RigDataBits = QStringLiteral("8");
    QString RigStopBits = QStringLiteral("1");
    QString RigModeRequest;
    QString RigFrequencyRequest;
    QString RigPortSettings;
    quint8 RigComPort = 1;
    QString RigPowerLine = QStringLiteral("N");
    QString RigPollRate = QStringLiteral("M");
    QString RigName;
    bool convertToHex = false;
    bool useFrequency = true;
    int modeSource = 1;

    bool operator==(const RigSettings&) const = default;
};

// Cuts or pads with blanks to the width ("4800" to "4800 ").
QString fixedWidth(const QString& text, int width);

// Reads the items in order into the settings and returns how many were read; it stops at
// the first item missing or of the wrong kind, the later items keeping their values.
int readRigSettings(RecordReader& reader, RigSettings& settings);
bool writeRigSettings(QIODevice& device, const RigSettings& settings);

// The port's settings text of the four line values ("4800,N,8,2"; the baud without its
// padding).
QString portSettingsText(const RigSettings& settings);

// RigCntrl.txt as the rig window restores it, which is what the radio runs on when polled
// from the stored settings: with all 14 items the request texts, the hex and frequency
// choices and the mode source (1 when out of range); with a COM port of 1 to 10 also the
// line's values, the power line and the rate as read; everything else the window's first
// values. The port's settings text is made from the line's values. The radio type is the
// file's when it holds 11 items or more, else `rigName`.
struct StoredRigSettings {
    RigSettings settings;
    int items = 0; // how many the file held
};
// Nothing when the file cannot be opened.
std::optional<StoredRigSettings> loadRigSettings(const QString& folder, const QString& rigName);

// The poll timer's interval for a rate letter (each poll takes two ticks): F 50 ms,
// M 250 ms, S 1000 ms, R 5000 ms; nothing for any other text.
std::optional<int> pollIntervalMs(const QString& rate);
