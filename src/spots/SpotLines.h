#pragma once

// Spot lines as the spot links receive them: a line of a DX cluster with "DX" in columns
// 1-2, the frequency in kHz in columns 16-24 and the spotted call in columns 27-39. The
// TNC's serial text is cut into lines here, lines already shown are passed over, and the
// monitor text is kept bounded.

#include "core/TextTrim.h"

#include <QString>
#include <functional>

// Whether the line is a spot line: "DX" in its first two columns, any letter case.
bool isSpotLine(const QString& line);

// What a spot line hands to the spot intake.
struct SpotLineFields {
    QString frequency; // kHz, as text
    QString call;
    QString record;    // the line less its first three characters; its line ending stays
};
// The fields by their columns; columns beyond the end of a short line are empty.
SpotLineFields parseSpotLine(const QString& line);
// The record of a line; nothing for a line of fewer than three characters.
bool spotRecord(const QString& line, QString& record);

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
