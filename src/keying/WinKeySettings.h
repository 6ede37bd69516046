#pragma once

// WK.txt, the keyer device's settings, in the data folder: eight values, one a line, in the
// record format: the port (a bare number), the speed, weight, push-to-talk lead-in and
// tail and the dit/dah ratio (texts, as their boxes hold them), the pin configuration and
// the keyer mode (bare numbers).

#include "platform/FileWriter.h"

#include <QString>
#include <QtGlobal>
#include <optional>

class QIODevice;
class RecordReader;

struct WinKeySettings {
    static constexpr int ItemCount = 8;

    quint8 comPort = 0;
    QString wordsPerMinute = QStringLiteral("18");
    QString weight = QStringLiteral("50");
    QString leadIn = QStringLiteral("0");
    QString tail = QStringLiteral("0");
    QString ratio = QStringLiteral("50");
    quint8 pinConfig = 6;
    quint8 mode = 0;

    bool operator==(const WinKeySettings&) const = default;
};

// Reads the items in order and returns how many were read; it stops at the first that is
// missing or does not convert, the later values keeping what they had. The last two are
// read only while the file goes on, so a six-item file is whole.
int readWinKeySettings(RecordReader& reader, WinKeySettings& settings);
bool writeWinKeySettings(QIODevice& device, const WinKeySettings& settings);

// WK.txt in the data folder, its name matched without regard to case. Nothing when there is
// no such file; else the items read into the settings, and whether the file was whole (all
// eight items, or the six before only line ends).
struct WinKeyFileRead {
    int itemsRead = 0;
    bool whole = false;
};
std::optional<WinKeyFileRead> loadWinKeySettings(const QString& dataFolder, WinKeySettings& settings);
// Rewrites WK.txt whole through the writer (at once without one); a failed write leaves
// the old file as it was.
void saveWinKeySettings(const QString& dataFolder, const WinKeySettings& settings, FileWriter* writer);
