#pragma once

// Spot lines as the spot links receive them: a line of a DX cluster with "DX" in columns
// 1-2, the frequency in kHz in columns 16-24 and the spotted call in columns 27-39. The
// TNC's serial text is cut into lines here, lines already shown are passed over, and the
// monitor text is kept bounded.
//
// Not every cluster keeps to the columns: skimmers and stations with an SSID send longer
// spotter fields ("DX de DL8LAS-2-#:"), microwave spots need ten characters for the
// frequency (10368100.0), portable calls run past column 39. Such a line is read by its
// words instead: after the spotter's colon, the first word is the frequency in kHz and the
// next one the call.

#include "core/TextTrim.h"

#include <QString>
#include <functional>
#include <optional>

// Whether the line is a spot line: "DX" in its first two columns, any letter case.
bool isSpotLine(const QString& line);

// What a spot line hands to the spot intake.
struct SpotLineFields {
    QString frequency; // kHz, as text
    QString call;
    QString record;    // the line less its first three characters
};
// The fields of the line up to its first CR or LF: by their columns where these give a
// spot whose fields are whole (no character of the frequency or the call runs on past the
// columns' edges), else by the words after the spotter. Columns beyond the end of a short
// line are empty. A line that gives no spot either way keeps what its columns hold, for
// the spot intake to refuse; where they cut a field, it gives empty fields.
SpotLineFields parseSpotLine(const QString& line);
// The text up to its first CR or LF: a line without its line ending, a record as the spot
// list reads its columns.
QString upToLineEnd(const QString& text);
// The record of a line; nothing for a line of fewer than three characters.
bool spotRecord(const QString& line, QString& record);

// What makes a spot: a call of one word of printable characters, and a frequency text that
// reads as kHz above 0 whose value in MHz the store can hold (a number, finite in single
// precision and not 0 there). The frequency in MHz, or nothing.
bool isSpotCall(const QString& call);
std::optional<double> spotFrequencyMHz(const QString& kHzText);

// The monitor keeps its last 9000 characters once it passes 10000.
constexpr int MonitorTrimThreshold = 10000;
constexpr int MonitorTrimKeep = 9000;
void TrimMonitor(QString& monitor);
// Where the caret goes after a trim so that the box shows its end; -1 to leave it.
int monitorCaretAfterTrim(const QString& monitor);

// A line already in the last 800 characters of the monitor (letter case ignored) is
// passed over.
constexpr int DuplicateWindowChars = 800;
bool inDuplicateWindow(const QString& monitor, const QString& line);

// The TNC's text waiting for its line feed. It always begins with the line feed that ended
// the line before; a line is the text after it up to and including the next line feed (a
// carriage return stays part of the line).
class TncLineAssembler {
public:
    // A TNC that never sends a line feed would grow the buffer for ever: a waiting line
    // longer than this is dropped.
    static constexpr int MaxWaitingLine = 4096;

    const QString& buffer() const { return TncReceiveBuffer; }
    void append(const QString& text);
    // Takes every complete line out of the buffer, in order.
    void takeLines(const std::function<void(const QString& line)>& line);

private:
    QString TncReceiveBuffer = QStringLiteral("\n");
};

// One line of a link's text into the monitor: a line seen in the duplicate window is
// dropped; a spot line is shown and handed on; another line is shown unless only spot
// lines are listed.
void monitorLine(QString& monitor, const QString& line, bool listDxOnly,
                 const std::function<void(const QString& spotLine)>& spot);

// The poll timer's count: true on the tick that brings the periodic band-map redraw
// (every 361st tick without a spot), the count then starting again.
constexpr int BandMapRedrawTicks = 360;
bool countRedrawTick(float& LabelUpdateTimeCounter);
