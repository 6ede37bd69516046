#include "spots/SpotLines.h"

bool isSpotLine(const QString& line) { return line.left(2).compare(QLatin1String("DX"), Qt::CaseInsensitive) == 0; }

SpotLineFields parseSpotLine(const QString& line)
{
    SpotLineFields fields;
    fields.frequency = trimSpaces(line.mid(15, 9));
    fields.call = trimSpaces(line.mid(26, 13));
    spotRecord(line, fields.record);
    return fields;
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
