#include "core/Tables.h"

#include "core/RecordFile.h"
#include "core/WorkFiles.h"
#include "platform/FileLookup.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>

bool LoadCountyTable(AppState& state, qint32* leftOut)
{
    ReferenceTables& t = state.tables;
    t.CountyCount = 0;
    if (leftOut)
        *leftOut = 0;
    auto reader = RecordReader::fromFile(workPath(state.folders, QStringLiteral("county2.txt")));
    if (!reader)
        return false;
    qint32 count = 0;
    while (!reader->onlyLineEndsLeft()) {
        QString stateAndName;
        QString abbrev;
        if (!reader->readText(stateAndName) || !reader->readText(abbrev))
            return false;
        if (stateAndName.left(2) != state.station.HostState)
            continue;
        if (count >= MaxHostCounties) {
            if (leftOut)
                ++*leftOut;
            continue;
        }
        ++count;
        t.CountyAbbrev[size_t(count)] = abbrev;
        t.CountyName[size_t(count)] = stateAndName.mid(2);
        t.CountyCount = float(count);
    }
    return true;
}

QString findSharedTable(const Folders& folders, const QString& name)
{
    for (const QString& folder : {folders.SharedFolder, folders.DataFolder, folders.WorkingDirectory}) {
        if (folder.isEmpty())
            continue;
        const QString path = FileLookup::resolve(folder, name);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

QString findPrefixTable(const Folders& folders)
{
    return findSharedTable(folders, QStringLiteral("arrlpre2.txt"));
}

bool LoadPrefixTable(ReferenceTables& t, const QString& path)
{
    auto reader = RecordReader::fromFile(path);
    if (!reader)
        return false;
    while (!reader->onlyLineEndsLeft()) {
        if (t.PrefixCount >= MaxPrefixRows)
            return false; // the table holds no further row
        ++t.PrefixCount;
        const size_t i = size_t(t.PrefixCount);
        const bool ok = reader->readText(t.PrefixCode[i]) && reader->readText(t.PrefixCountry[i])
            && reader->readText(t.PrefixContinent[i]) && reader->readSingle(t.PrefixLongitude[i])
            && reader->readSingle(t.PrefixLatitude[i]) && reader->skipValue()
            && reader->skipValue() && reader->skipValue();
        if (!ok)
            return false;
    }
    return true;
}

bool LoadStateTable(AppState& state)
{
    auto reader = RecordReader::fromFile(workPath(state.folders, QStringLiteral("states.txt")));
    if (!reader)
        return false;
    ReferenceTables& t = state.tables;
    for (size_t i = 1; i <= 50; ++i) {
        if (!reader->readText(t.StateAbbreviation[i]) || !reader->readSingle(t.StateLatitude[i])
            || !reader->readSingle(t.StateLongitude[i]))
            return false;
    }
    return true;
}

namespace {

// The first character of a text as a code; an empty text is -1, which differs from every
// character and sorts before all of them.
int firstCode(const QString& text, Qt::CaseSensitivity sensitivity)
{
    if (text.isEmpty())
        return -1;
    const QChar c = text.front();
    return sensitivity == Qt::CaseSensitive ? c.unicode() : c.toUpper().unicode();
}

} // namespace

qint32 stateIndex(const ReferenceTables& t, const QString& abbrev)
{
    if (abbrev.isEmpty())
        return 0; // the unfilled entries are empty
    for (size_t i = 1; i <= 54 && i < t.StateAbbreviation.size(); ++i) {
        if (t.StateAbbreviation[i].compare(abbrev, Qt::CaseInsensitive) == 0)
            return qint32(i);
    }
    return 0;
}

QString portableLookupCall(const QString& call)
{
    const qsizetype slash = call.indexOf(QLatin1Char('/')) + 1;
    if (slash > 0) {
        const qsizetype after = call.size() - slash;
        if (after > 1 && double(after) < call.size() / 2.0)
            return call.right(after);
    }
    return call;
}

PrefixMatch findLongestPrefix(const ReferenceTables& t, const QString& lookupCall,
                              Qt::CaseSensitivity sensitivity)
{
    PrefixMatch match;
    if (lookupCall.isEmpty())
        return match;
    const qint32 count = t.PrefixCount;
    const int first = firstCode(lookupCall, sensitivity);
    const int c = lookupCall.front().unicode() < 65 ? 65 : lookupCall.front().unicode();
    qint64 i = qint64(std::floor(double(c - 64) / 26.0 * double(count)));
    // Beyond the last row nothing can match (a call above "Z", such as one in small letters).
    if (i > count)
        return match;
    auto code = [&](qint64 j) -> const QString& { return t.PrefixCode[size_t(j)]; };

    do {
        if (firstCode(code(i), sensitivity) != first)
            break;
        i -= 5;
        if (i < 1)
            i = 1;
    } while (i > 1);

    int step = 1;
    qint64 last = count;
    if (firstCode(code(i), sensitivity) > first) {
        step = -1;
        last = 1;
    }

    qsizetype best = 0;
    for (qint64 j = i; step > 0 ? j <= last : j >= last; j += step) {
        const QString& prefix = code(j);
        if (prefix.size() > best && lookupCall.startsWith(prefix, sensitivity)) {
            match.index = qint32(j);
            match.country = t.PrefixCountry[size_t(j)];
            best = prefix.size();
        }
        const int here = firstCode(prefix, sensitivity);
        if (step > 0 ? here > first : here < first)
            break;
    }
    return match;
}

QString CountryFromCall(const ReferenceTables& t, const QString& call)
{
    const QString lookupCall = portableLookupCall(call);
    const PrefixMatch match = findLongestPrefix(t, lookupCall, Qt::CaseSensitive);
    if (match.index > 0 && lookupCall.left(3) == QLatin1String("KG4") && lookupCall.size() > 5)
        return QStringLiteral("USA");
    return match.country;
}

QString CountyTextForCW(const ReferenceTables& t, const QString& county)
{
    if (county.isEmpty())
        return county;
    const qint32 count = qint32(t.CountyCount);
    for (qint32 i = 1; i <= count; ++i) {
        if (t.CountyAbbrev[size_t(i)].compare(county, Qt::CaseInsensitive) != 0)
            continue;
        const QString& name = t.CountyName[size_t(i)];
        if (!name.isEmpty() && name.size() < county.size())
            return name;
        return county;
    }
    return county;
}

qint32 entryStartingWith(const std::vector<QString>& table, qint32 count, const QString& typed, SearchFrom from)
{
    const qint32 last = std::min(count, qint32(table.size()) - 1);
    const bool fromLast = from == SearchFrom::LastEntry;
    for (qint32 n = 0; n < last; ++n) {
        const qint32 i = fromLast ? last - n : n + 1;
        if (table[size_t(i)].startsWith(typed, Qt::CaseInsensitive))
            return i;
    }
    return 0;
}

namespace {

Completion completeFrom(const std::vector<QString>& table, qint32 count, const QString& typed, SearchFrom from)
{
    Completion found;
    found.entry = entryStartingWith(table, count, typed, from);
    if (found.entry > 0)
        found.text = typed + table[size_t(found.entry)].mid(typed.size());
    return found;
}

} // namespace

Completion completeCounty(const ReferenceTables& t, const QString& typed, SearchFrom from)
{
    return completeFrom(t.CountyAbbrev, qint32(t.CountyCount), typed, from);
}

Completion completeCountry(const ReferenceTables& t, const QString& typed)
{
    return completeFrom(t.PrefixCountry, t.PrefixCount, typed, SearchFrom::LastEntry);
}
