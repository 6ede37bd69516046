#include "spots/SpotLines.h"

#include "core/NumberFormat.h"

#include <QRegularExpression>
#include <algorithm>
#include <charconv>
#include <limits>
#include <vector>

bool isSpotLine(const QString& line) { return line.left(2).compare(QLatin1String("DX"), Qt::CaseInsensitive) == 0; }

qsizetype spotLineStart(const QString& line)
{
    const QLatin1String dxDe("DX de ");
    if (line.startsWith(dxDe, Qt::CaseInsensitive))
        return 0;
    // Not inside a word: "K5DX de W3LPL >" is a prompt, not the start of a spot.
    for (qsizetype at = line.indexOf(dxDe, 1, Qt::CaseInsensitive); at > 0;
         at = line.indexOf(dxDe, at + 1, Qt::CaseInsensitive)) {
        if (!line[at - 1].isLetterOrNumber())
            return at;
    }
    return isSpotLine(line) ? 0 : -1;
}

namespace {

constexpr qsizetype FrequencyColumn = 15; // columns 16-24, from 0
constexpr qsizetype FrequencyWidth = 9;
constexpr qsizetype CallColumn = 26;      // columns 27-39
constexpr qsizetype CallWidth = 13;

// Whether the text of the columns first to first + width - 1 runs on past one of their
// edges: a character on both sides of the edge.
bool runsPastColumns(const QString& line, qsizetype first, qsizetype width)
{
    const auto filled = [&line](qsizetype i) { return i >= 0 && i < line.size() && line[i] != u' '; };
    const qsizetype last = first + width - 1;
    return (filled(first - 1) && filled(first)) || (filled(last) && filled(last + 1));
}

bool isSpot(const QString& frequency, const QString& call)
{
    return isSpotCall(call) && spotFrequencyMHz(frequency).has_value();
}

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

// The fields of the columns, and whether none of them runs on past its columns.
SpotLineFields columnFields(const QString& line, bool& whole)
{
    SpotLineFields fields;
    fields.frequency = trimSpaces(line.mid(FrequencyColumn, FrequencyWidth));
    fields.call = trimSpaces(line.mid(CallColumn, CallWidth));
    spotRecord(line, fields.record);
    whole = !runsPastColumns(line, FrequencyColumn, FrequencyWidth) && !runsPastColumns(line, CallColumn, CallWidth);
    return fields;
}

// "1830Z": four digits and a Z.
bool isTimeWord(const QString& word)
{
    return word.size() == 5 && (word[4] == u'Z' || word[4] == u'z')
        && std::all_of(word.begin(), word.begin() + 4, [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

std::optional<SpotLineWords> spotLineWords(const QString& received)
{
    const QString line = upToLineEnd(received);
    if (!isSpotLine(line))
        return std::nullopt;
    const qsizetype n = line.size();
    qsizetype i = 2;
    const auto skipBlanks = [&] {
        while (i < n && isBlank(line[i]))
            ++i;
    };
    skipBlanks();
    const qsizetype fieldStart = i;
    if (line.mid(i, 2).compare(QLatin1String("de"), Qt::CaseInsensitive) == 0 && (i + 2 == n || isBlank(line[i + 2]))) {
        i += 2;
        skipBlanks();
    }
    // The spotter's field ends at its colon, or with its word when it has none: a colon in
    // the comment is never the spotter's.
    while (i < n && line[i] != u':' && !isBlank(line[i]))
        ++i;
    if (i < n && line[i] == u':')
        ++i;
    SpotLineWords words;
    words.spotter = line.mid(fieldStart, i - fieldStart).left(SpotCommentWidth);

    struct Word {
        qsizetype start, end;
    };
    std::vector<Word> after;
    while (i < n) {
        skipBlanks();
        if (i >= n)
            break;
        const qsizetype start = i;
        while (i < n && !isBlank(line[i]))
            ++i;
        after.push_back({start, i});
    }
    if (after.size() < 2)
        return std::nullopt;
    const auto text = [&line](Word w) { return line.mid(w.start, w.end - w.start); };
    words.frequency = text(after[0]);
    words.call = text(after[1]);
    size_t commentEnd = after.size(); // the words of the comment end before this one
    if (after.size() > 2 && isTimeWord(text(after.back()))) {
        commentEnd = after.size() - 1;
    } else if (after.size() > 3 && isTimeWord(text(after[after.size() - 2]))) {
        commentEnd = after.size() - 2;
        words.from = text(after.back()).left(SpotFromWidth);
    }
    if (commentEnd < after.size())
        words.time = text(after[commentEnd]).left(4);
    if (commentEnd > 2)
        words.comment = line.mid(after[2].start, after[commentEnd - 1].end - after[2].start).left(SpotCommentWidth);
    return words;
}

bool spotLineByColumns(const QString& received)
{
    bool whole = false;
    const SpotLineFields fields = columnFields(upToLineEnd(received), whole);
    return whole && isSpot(fields.frequency, fields.call);
}

QString upToLineEnd(const QString& text)
{
    static const QRegularExpression lineEnd(QStringLiteral("[\\r\\n]"));
    return text.left(text.indexOf(lineEnd));
}

SpotLineFields parseSpotLine(const QString& received)
{
    const QString line = upToLineEnd(received);
    bool whole = false;
    SpotLineFields fields = columnFields(line, whole);
    if (whole && isSpot(fields.frequency, fields.call))
        return fields;
    if (const auto words = spotLineWords(line); words && isSpot(words->frequency, words->call)) {
        fields.frequency = words->frequency;
        fields.call = words->call;
        return fields;
    }
    // Part of a frequency or a call is a wrong one: no spot.
    if (!whole) {
        fields.frequency.clear();
        fields.call.clear();
    }
    return fields;
}

bool isSpotCall(const QString& call)
{
    return !call.isEmpty() && call.size() <= SpotCallWidth && std::all_of(call.begin(), call.end(), [](QChar c) {
        return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'/';
    });
}

std::optional<double> spotFrequencyMHz(const QString& kHzText)
{
    const std::optional<double> kHz = parsePlainNumber(kHzText);
    if (!kHz || !(*kHz > 0) || *kHz > HighestSpotKHz)
        return std::nullopt;
    // The shortest digits of the kHz value with the exponent lowered by three: the division
    // by 1000 made in decimal, rounded once.
    char text[64];
    const auto written = std::to_chars(text, text + sizeof text - 8, *kHz, std::chars_format::scientific);
    char* e = std::find(text, written.ptr, 'e');
    int exponent = 0;
    std::from_chars(e + 1 + (e[1] == '+' ? 1 : 0), written.ptr, exponent);
    const auto end = std::to_chars(e + 1, text + sizeof text, exponent - 3).ptr;
    double mHz = 0;
    if (std::from_chars(text, end, mHz).ec != std::errc())
        return std::nullopt;
    // Below the smallest single, the store would hold 0, a deleted spot.
    if (!(float(mHz) > 0))
        return std::nullopt;
    return mHz;
}

bool spotRecord(const QString& line, QString& record)
{
    if (line.size() < 3)
        return false;
    record = trimSpaces(line.mid(3));
    return true;
}

void TrimMonitor(QString& monitor)
{
    if (monitor.size() > MonitorTrimThreshold)
        monitor = monitor.right(MonitorTrimKeep);
}

int monitorCaretAfterTrim(const QString& monitor) { return monitor.size() > 2 ? int(monitor.size()) - 1 : -1; }

bool inDuplicateWindow(const QString& monitor, const QString& line)
{
    const qsizetype from = std::max<qsizetype>(0, monitor.size() - DuplicateWindowChars - 1);
    return monitor.indexOf(line, from, Qt::CaseInsensitive) >= 0;
}

void TncLineAssembler::append(const QString& text)
{
    TncReceiveBuffer += text;
    static const QRegularExpression lineEnd(QStringLiteral("[\\r\\n]"));
    const qsizetype lastEnd = TncReceiveBuffer.lastIndexOf(lineEnd);
    if (TncReceiveBuffer.size() - lastEnd - 1 > MaxWaitingLine)
        TncReceiveBuffer.truncate(lastEnd + 1);
}

void TncLineAssembler::takeLines(const std::function<void(const QString& line)>& line)
{
    static const QRegularExpression lineEnd(QStringLiteral("[\\r\\n]"));
    for (;;) {
        if (m_afterCarriageReturn && !TncReceiveBuffer.isEmpty()) {
            m_afterCarriageReturn = false;
            if (TncReceiveBuffer.startsWith(u'\n'))
                TncReceiveBuffer.remove(0, 1);
        }
        const qsizetype at = TncReceiveBuffer.indexOf(lineEnd);
        if (at < 0)
            return;
        qsizetype end = at + 1;
        if (TncReceiveBuffer[at] == u'\r') {
            if (end == TncReceiveBuffer.size())
                m_afterCarriageReturn = true;
            else if (TncReceiveBuffer[end] == u'\n')
                ++end;
        }
        const QString taken = TncReceiveBuffer.left(end);
        TncReceiveBuffer.remove(0, end);
        const qsizetype spot = spotLineStart(taken);
        if (spot > 0) {
            line(taken.left(spot));
            line(taken.mid(spot));
        } else {
            line(taken);
        }
    }
}

void monitorLine(QString& monitor, const QString& line, bool listDxOnly,
                 const std::function<void(const QString& spotLine)>& spot)
{
    if (inDuplicateWindow(monitor, line))
        return;
    if (isSpotLine(line)) {
        monitor += line;
        TrimMonitor(monitor);
        spot(line);
    } else if (!listDxOnly) {
        monitor += line;
        TrimMonitor(monitor);
    }
}

bool countRedrawTick(float& LabelUpdateTimeCounter)
{
    LabelUpdateTimeCounter += 1;
    if (LabelUpdateTimeCounter > BandMapRedrawTicks) {
        LabelUpdateTimeCounter = 0;
        return true;
    }
    return false;
}
