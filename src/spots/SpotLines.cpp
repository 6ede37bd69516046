#include "spots/SpotLines.h"

#include "core/NumberFormat.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <limits>

bool isSpotLine(const QString& line) { return line.left(2).compare(QLatin1String("DX"), Qt::CaseInsensitive) == 0; }

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

bool isSpot(const SpotLineFields& fields)
{
    return isSpotCall(fields.call) && spotFrequencyMHz(fields.frequency).has_value();
}

} // namespace

QString upToLineEnd(const QString& text)
{
    static const QRegularExpression lineEnd(QStringLiteral("[\\r\\n]"));
    return text.left(text.indexOf(lineEnd));
}

SpotLineFields parseSpotLine(const QString& received)
{
    const QString line = upToLineEnd(received);
    SpotLineFields fields;
    fields.frequency = trimSpaces(line.mid(FrequencyColumn, FrequencyWidth));
    fields.call = trimSpaces(line.mid(CallColumn, CallWidth));
    spotRecord(line, fields.record);
    const bool whole =
        !runsPastColumns(line, FrequencyColumn, FrequencyWidth) && !runsPastColumns(line, CallColumn, CallWidth);
    if (whole && isSpot(fields))
        return fields;
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    const qsizetype colon = line.indexOf(u':');
    const QStringList after = colon < 0 ? QStringList() : line.mid(colon + 1).split(blanks, Qt::SkipEmptyParts);
    if (after.size() >= 2) {
        SpotLineFields byWords = fields;
        byWords.frequency = after[0];
        byWords.call = after[1];
        if (isSpot(byWords))
            return byWords;
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
    return !call.isEmpty()
        && std::all_of(call.begin(), call.end(), [](QChar c) { return c.isPrint() && !c.isSpace(); });
}

std::optional<double> spotFrequencyMHz(const QString& kHzText)
{
    const std::optional<double> kHz = parsePlainNumber(kHzText);
    if (!kHz)
        return std::nullopt;
    const double mHz = *kHz / 1000;
    // Beyond the largest single, the store could not hold it; below the smallest, it would
    // hold 0, a deleted spot.
    if (!(mHz > 0) || mHz > double(std::numeric_limits<float>::max()) || !(float(mHz) > 0))
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
    const qsizetype lastFeed = TncReceiveBuffer.lastIndexOf(u'\n');
    if (TncReceiveBuffer.size() - lastFeed - 1 > MaxWaitingLine)
        TncReceiveBuffer.truncate(lastFeed < 0 ? 0 : lastFeed + 1);
    if (TncReceiveBuffer.isEmpty())
        TncReceiveBuffer = QStringLiteral("\n");
}

void TncLineAssembler::takeLines(const std::function<void(const QString& line)>& line)
{
    for (;;) {
        const qsizetype first = TncReceiveBuffer.indexOf(u'\n');
        if (first < 0)
            return;
        TncReceiveBuffer.remove(0, first);
        const qsizetype next = TncReceiveBuffer.indexOf(u'\n', 1);
        if (next < 0)
            return;
        const QString taken = TncReceiveBuffer.mid(1, next);
        TncReceiveBuffer.remove(0, next);
        line(taken);
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
