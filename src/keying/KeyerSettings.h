#pragma once

// The settings files of the two keyers, as plain values: CW.txt of the CW keyer and
// wave2.txt of the voice keyer. Each holds one value per line in the record format; the
// windows show and collect these values, and the files are read and written here.
//
// CW.txt, 18 items: the F1-F9 messages (texts), the serial port, the speed, the F10 and
// F11 messages, the word-space adjustment (texts), the keying interface (a bare byte),
// the parallel-port address (text), the echo (a bare 1 or 0) and the repeat seconds
// (text).
//
// wave2.txt, 13 items: the F1-F9 wave files (texts, stored trimmed), the serial port of
// the push-to-talk line (text), the push-to-talk line (a bare 0 RTS, 1 DTR, 2 parallel,
// or an empty line when none is chosen), the repeat seconds and the parallel-port address
// (texts).

#include "core/AppState.h"
#include "platform/FileWriter.h"

#include <QString>
#include <array>
#include <optional>

class QIODevice;
class RecordReader;
struct Folders;

// The repeat interval of a seconds text: whole milliseconds, halves to even; nothing when
// the text is not a number or the interval falls outside 0 to 65535 ms.
std::optional<int> repeatIntervalMs(const QString& seconds);

// The CW keyer's settings, with the values the window has before any file is read.
struct CwSettings {
    static constexpr int ItemCount = 18;

    std::array<QString, 11> messages{}; // F1 ... F11
    QString serialPort = QStringLiteral("0");
    QString wordsPerMinute = QStringLiteral("13");
    QString wordSpace = QStringLiteral("0");
    KeyingInterface keyingInterface = KeyingInterface::None;
    QString parallelAddress = QStringLiteral("&H378");
    bool echo = true;
    QString repeatSeconds = QStringLiteral("0");

    bool operator==(const CwSettings&) const = default;
};

// Reads CW.txt's items in order into the settings and returns how many were read. It
// stops at the first item that is missing or does not convert (an echo other than 0 or
// 1, a repeat that gives no interval): the items after it keep the values they had. An
// empty F9 message is read as "VVV DE ".
int readCwSettings(RecordReader& reader, CwSettings& settings);
bool writeCwSettings(QIODevice& device, const CwSettings& settings);
// Rewrites CW.txt in the working folder whole, through the writer (at once without one);
// done is told whether it was written. A failed write leaves the old file as it was.
void saveCwSettings(const Folders& folders, const CwSettings& settings, FileWriter* writer,
                    FileWriter::Done done = {});
// Reads CW.txt of the working folder as readCwSettings does; 0 when there is none.
int loadCwSettings(const Folders& folders, CwSettings& settings);

// The line that keys the transmitter for the voice keyer.
enum class PttLine : quint8 { Rts = 0, Dtr = 1, Parallel = 2 };

// The voice keyer's settings, with the values the window has before any file is read.
struct WaveSettings {
    static constexpr int ItemCount = 13;

    std::array<QString, 9> waveFiles{}; // F1 ... F9
    QString serialPort = QStringLiteral("0");
    std::optional<PttLine> pttLine = PttLine::Rts; // nothing when no line is chosen
    QString repeatSeconds = QStringLiteral("0");
    QString parallelAddress = QStringLiteral("&H378");

    bool operator==(const WaveSettings&) const = default;
};

// Reads wave2.txt's items in order into the settings and returns how many were read,
// stopping as readCwSettings does (a repeat that gives no interval stops it). A line
// number other than 0, 1 and 2 (an empty line is 0) leaves the line as it was.
int readWaveSettings(RecordReader& reader, WaveSettings& settings);
bool writeWaveSettings(QIODevice& device, const WaveSettings& settings);
// Rewrites wave2.txt in the working folder whole, through the writer (at once without
// one); a failed write leaves the old file as it was.
void saveWaveSettings(const Folders& folders, const WaveSettings& settings, FileWriter* writer);
// Reads wave2.txt of the working folder as readWaveSettings does; 0 when there is none.
int loadWaveSettings(const Folders& folders, WaveSettings& settings);
