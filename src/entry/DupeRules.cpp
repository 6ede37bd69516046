#include "entry/DupeRules.h"

#include <QVarLengthArray>
#include <algorithm>

// These scans run on every key typed into the call field over up to 11000 entries: the
// loops compare in place and never copy an entry's text.

namespace {

constexpr qsizetype PossibleDupesLength = 100;

bool sameText(const QString& a, const QString& b)
{
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

qint32 lastEntry(const AppState& state)
{
    return std::clamp<qint32>(state.log.QsoCount, 0, qint32(state.log.Log.size()) - 1);
}

} // namespace

bool onBandAndMode(const LogEntry& entry, const QString& band, const QString& mode)
{
    return sameText(entry.Band, band) && sameText(entry.Mode, mode);
}

bool isLogDupe(const LogEntry& entry, const DupeQuery& query)
{
    return sameText(entry.Call, query.call) && onBandAndMode(entry, query.band, query.mode)
        && sameText(entry.County, query.county)
        && (!query.compareCountySent || sameText(entry.CountySent, query.ownCounty));
}

qint32 findLogDupe(const AppState& state, const DupeQuery& query)
{
    const qint32 last = lastEntry(state);
    for (qint32 i = 1; i <= last; ++i) {
        if (isLogDupe(state.log.Log[i], query))
            return i;
    }
    return 0;
}

std::vector<qint32> findLogDupes(const AppState& state, const DupeQuery& query, qint32 except)
{
    std::vector<qint32> found;
    const qint32 last = lastEntry(state);
    for (qint32 i = 1; i <= last; ++i) {
        if (i != except && isLogDupe(state.log.Log[i], query))
            found.push_back(i);
    }
    return found;
}

qint32 firstContactOf(const AppState& state, const QString& call)
{
    const qint32 last = lastEntry(state);
    for (qint32 i = 1; i <= last; ++i) {
        if (sameText(state.log.Log[i].Call, call))
            return i;
    }
    return 0;
}

std::vector<qint32> contactsOf(const AppState& state, const QString& call)
{
    std::vector<qint32> found;
    const qint32 last = lastEntry(state);
    for (qint32 i = 1; i <= last; ++i) {
        if (sameText(state.log.Log[i].Call, call))
            found.push_back(i);
    }
    return found;
}

QString possibleDupesList(const AppState& state, const QString& typed, bool compareCountySent,
                          const QString& ownCounty)
{
    const QString& band = state.station.CurrentBand;
    const QString& mode = state.station.CurrentMode;
    // Each match adds its call and a blank; the list ends once it passes 100 characters.
    QVarLengthArray<qint32, 64> matches;
    qsizetype length = 0;
    const qint32 last = lastEntry(state);
    for (qint32 i = 1; i <= last && length <= PossibleDupesLength; ++i) {
        const LogEntry& entry = state.log.Log[i];
        if (!onBandAndMode(entry, band, mode))
            continue;
        if (compareCountySent && !sameText(entry.CountySent, ownCounty))
            continue;
        if (!entry.Call.startsWith(typed, Qt::CaseInsensitive))
            continue;
        matches.append(i);
        length += entry.Call.size() + 1;
    }
    QString list;
    list.reserve(length);
    for (qsizetype m = matches.size() - 1; m >= 0; --m) {
        list += state.log.Log[matches[m]].Call;
        list += QLatin1Char(' ');
    }
    return list;
}
