#include "support/TestLog.h"

#include "core/LogStore.h"
#include "core/RecordFile.h"

#include <QBuffer>
#include <QFile>

LogEntry Qso::entry() const
{
    LogEntry e;
    e.Call = call;
    e.RstSent = rstSent;
    e.RstRcvd = rstRcvd;
    e.Spc = spc;
    e.County = county;
    e.CountySent = countySent;
    e.Date = date;
    e.Time = time;
    e.Mode = mode;
    e.Band = band;
    e.Frequency = frequency;
    return e;
}

std::vector<LogEntry> entriesOf(std::initializer_list<Qso> contacts)
{
    std::vector<LogEntry> entries;
    entries.reserve(contacts.size());
    for (const Qso& q : contacts)
        entries.push_back(q.entry());
    return entries;
}

QByteArray logRecord(const LogEntry& entry) { return logFileBytes(std::vector<LogEntry>{entry}); }

QByteArray logFileBytes(const std::vector<LogEntry>& entries)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    RecordWriter writer(buffer);
    for (const LogEntry& e : entries)
        writeLogEntry(writer, e);
    return bytes;
}

QByteArray logFileBytes(std::initializer_list<Qso> contacts) { return logFileBytes(entriesOf(contacts)); }

bool writeLogFile(const QString& path, const std::vector<LogEntry>& entries)
{
    QFile file(path);
    const QByteArray bytes = logFileBytes(entries);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size()
           && file.flush();
}

void appendContact(AppState& state, const Qso& contact)
{
    state.log.QsoCount += 1;
    state.log.Log[size_t(state.log.QsoCount)] = contact.entry();
}

void setUpStation(StationData& station)
{
    station.HostState = QStringLiteral("TX");
    station.CurrentBand = QStringLiteral("20");
    station.CurrentMode = QStringLiteral("CW");
    station.FormSizePercent = 100;
    station.WorkedColor = 0x0000FF;
    station.RemainingColor = 0x808080;
    station.RigName = QStringLiteral("None");
}

std::unique_ptr<AppState> stateWithLog(std::initializer_list<Qso> contacts)
{
    auto state = std::make_unique<AppState>();
    setUpStation(state->station);
    for (const Qso& q : contacts)
        appendContact(*state, q);
    return state;
}

QStringList describeScore(const ScoreState& score)
{
    QStringList lines{QStringLiteral("points %1 PH %2 CW %3 DG %4 mults %5")
                          .arg(score.QsoPoints)
                          .arg(score.QsoCountPH)
                          .arg(score.QsoCountCW)
                          .arg(score.QsoCountDG)
                          .arg(score.WorkedMultCount)};
    for (int kind = 0; kind < MultKinds; ++kind) {
        QString rows;
        for (int row = 0; row < MultRows; ++row) {
            if (score.WorkedMults[size_t(kind)][size_t(row)] != 0)
                rows += QStringLiteral(" %1").arg(row);
        }
        lines << QStringLiteral("kind %1:%2").arg(kind).arg(rows);
    }
    for (const BandDXList& band : score.DXCountries) {
        QStringList countries;
        for (qint32 i = 1; i <= band.Count; ++i)
            countries << band.Countries[size_t(i)];
        lines << QStringLiteral("dx %1: %2").arg(band.Count).arg(countries.join(u'|'));
    }
    return lines;
}
