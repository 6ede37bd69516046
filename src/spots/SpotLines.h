#pragma once

// Spot lines as the spot links receive them: a line of a DX cluster with "DX" in columns
// 1-2, the frequency in kHz in columns 16-24 and the spotted call in columns 27-39. The
// TNC's serial text is cut into lines here, lines already shown are passed over, and the
// monitor text is kept bounded.
//
// Not every cluster keeps to the columns: skimmers and stations with an SSID send longer
// spotter fields ("DX de DL8LAS-2-#:"), microwave spots need ten characters for the
// frequency (10368100.0), a call may stand a column to the left. Such a line is read by its
// words instead: after the spotter's field (the first word after "DX de", up to its colon),
// the first word is the frequency in kHz and the next one the call; the time is the "1830Z"
// word at the end, and a word after it is where the spotter is from.

#include "core/TextTrim.h"

#include <QString>
#include <functional>
#include <optional>

// Whether the line is a spot line: "DX" in its first two columns, any letter case.
bool isSpotLine(const QString& line);
// Where the spot line of a received line starts: 0 for a line that begins with "DX de " or
// with "DX" alone; in any other line, the first "DX de " after other text that does not
// end a word (a cluster's prompt left without its line end, any letter case); -1 when
// none.
qsizetype spotLineStart(const QString& line);

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

// A spot line read by its words (without its line end). Each field is the text as the line
// has it; the spotter, the comment and the place are cut to the widths of their columns
// (a spotter to the comment's).
struct SpotLineWords {
    QString spotter;   // "de DL8LAS-2-#:": from "de" up to the spotter's colon
    QString frequency; // kHz, as text
    QString call;
    QString comment;   // what stands between the call and the time
    QString time;      // "0830" of "0830Z"; empty when the line has no time word
    QString from;      // the word after the time: where the spotter is (a state, a locator)
};
constexpr int SpotCommentWidth = 25;
constexpr int SpotFromWidth = 4;
// Nothing for a line that does not begin with "DX" or has no frequency and call words.
std::optional<SpotLineWords> spotLineWords(const QString& line);
// Whether the line's spot is read by its columns (what parseSpotLine does first).
bool spotLineByColumns(const QString& line);
// The text up to its first CR or LF: a line without its line ending, a record as the spot
// list reads its columns.
QString upToLineEnd(const QString& text);
// The record of a line; nothing for a line of fewer than three characters.
bool spotRecord(const QString& line, QString& record);

// What makes a spot: a call sign as the call's columns hold one (1 to 13 letters, digits
// and "/"), and a frequency text that reads as kHz above 0 and at most 300 GHz (the highest
// amateur band ends at 250) whose value in MHz is not 0 in single precision. The frequency
// in MHz is the decimal value of the text moved three places (7025.3 gives the double
// nearest 7.0253, not 7025.3 / 1000), so that its shortest text is the one the cluster
// meant. Nothing when there is no spot.
constexpr int SpotCallWidth = 13;
constexpr double HighestSpotKHz = 300e6;
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

// A link's text cut into lines. A line ends at a CR, an LF or a CR LF, and keeps its
// ending; a CR LF is one ending also when a read ends between the two (a line ended by a
// CR is taken at once, and an LF that comes first in the next read is its end, not a line
// of its own). A line in which "DX de " follows other text (a cluster's prompt left without
// its line end) comes out as two: the text before, without an ending, then the spot line.
class TncLineAssembler {
public:
    // A peer that never ends a line would grow the buffer for ever: a waiting line longer
    // than this is dropped.
    static constexpr int MaxWaitingLine = 4096;

    // The text still waiting for its line end.
    const QString& buffer() const { return TncReceiveBuffer; }
    void append(const QString& text);
    // Takes every complete line out of the buffer, in order.
    void takeLines(const std::function<void(const QString& line)>& line);

private:
    QString TncReceiveBuffer;
    bool m_afterCarriageReturn = false;
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
