#include "entry/Scoring.h"

#include "entry/BandPlan.h"

#include <QSet>
#include <algorithm>

namespace {

bool sameText(const QString& a, const QString& b)
{
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

// The newest log index that the record arrays really hold.
qint32 lastEntry(const AppState& state)
{
    return std::clamp<qint32>(state.log.QsoCount, 0, qint32(state.log.Log.size()) - 1);
}

qint32 countyRows(const ReferenceTables& tables)
{
    return std::clamp<qint32>(qint32(tables.CountyCount), 0,
                              qint32(std::min(tables.CountyAbbrev.size(), tables.CountyName.size())) - 1);
}

qint32 stateProvRows(const StateProvTable& table)
{
    return std::clamp<qint32>(qint32(table.StateProvCount), 0, qint32(table.StateProvAbbrev.size()) - 1);
}

// Appends the text unless an equal one (without case) is already there.
void addOnce(QStringList& list, QSet<QString>& seen, const QString& text)
{
    const QString key = text.toCaseFolded();
    if (seen.contains(key))
        return;
    seen.insert(key);
    list.append(text);
}

} // namespace

void fillStateProvTable(StateProvTable& table)
{
    static const char* const entries[][2] = {
        {"CT", "Connecticut"},      {"MA", "Massachusetts"},    {"ME", "Maine"},
        {"NH", "New Hampshire"},    {"RI", "Rhode Island"},     {"VT", "Vermont"},
        {"NY", "New York"},         {"NJ", "New Jersey"},       {"DE", "Delaware"},
        {"PA", "Pennsylvania"},     {"MD", "Maryland"},         {"AL", "Alabama"},
        {"GA", "Georgia"},          {"KY", "Kentucky"},         {"NC", "North Carolina"},
        {"FL", "Florida"},          {"SC", "South Carolina"},   {"TN", "Tennessee"},
        {"VA", "Virginia"},         {"AR", "Arkansas"},         {"LA", "Louisiana"},
        {"MS", "Mississippi"},      {"NM", "New Mexico"},       {"TX", "Texas"},
        {"OK", "Oklahoma"},         {"CA", "California"},       {"HI", "Hawaii"},
        {"AZ", "Arizona"},          {"WA", "Washington"},       {"ID", "Idaho"},
        {"MT", "Montana"},          {"NV", "Nevada"},           {"OR", "Oregon"},
        {"UT", "Utah"},             {"WY", "Wyoming"},          {"AK", "Alaska"},
        {"MI", "Michigan"},         {"OH", "Ohio"},             {"WV", "West Virginia"},
        {"IL", "Illinois"},         {"IN", "Indiana"},          {"WI", "Wisconsin"},
        {"CO", "Colorado"},         {"IA", "Iowa"},             {"KS", "Kansas"},
        {"MN", "Minnesota"},        {"MO", "Missouri"},         {"NE", "Nebraska"},
        {"ND", "North Dakota"},     {"SD", "South Dakota"},     {"NB", "New Brunswick"},
        {"NS", "Nova Scotia"},      {"QC", "Quebec"},           {"ON", "Ontario"},
        {"MB", "Manitoba"},         {"SK", "Saskatchewan"},     {"AB", "Alberta"},
        {"BC", "British Columbia"}, {"NT", "Northwest Territories"},
        {"NF", "Newfoundland"},     {"LB", "Labrador"},         {"PE", "Prince Edward"},
        {"YT", "Yukon Territory"},
    };
    int row = 0;
    for (const auto& entry : entries) {
        ++row;
        table.StateProvAbbrev[row] = QString::fromLatin1(entry[0]);
        table.StateProvName[row] = QString::fromLatin1(entry[1]);
    }
    table.StateProvCount = float(row);
}

void addContactPoints(ScoreState& score, const QString& mode)
{
    if (isPhoneMode(mode)) {
        score.QsoPoints += PhoneContactPoints;
        score.QsoCountPH += 1;
        return;
    }
    if (sameText(mode, QStringLiteral("CW"))) {
        score.QsoPoints += CwContactPoints;
        score.QsoCountCW += 1;
    } else {
        score.QsoPoints += DigitalContactPoints;
        score.QsoCountDG += 1;
    }
}

qint32 countyIndex(const ReferenceTables& tables, const QString& county)
{
    if (county.isEmpty())
        return 0;
    const qint32 rows = countyRows(tables);
    for (qint32 i = 1; i <= rows; ++i) {
        if (sameText(tables.CountyAbbrev[i], county))
            return i;
    }
    return 0;
}

bool isCountyAbbreviation(const ReferenceTables& tables, const QString& text)
{
    return countyIndex(tables, text) > 0;
}

bool isStateProvAbbreviation(const StateProvTable& table, const QString& text)
{
    const qint32 rows = stateProvRows(table);
    for (qint32 i = 1; i <= rows; ++i) {
        if (sameText(table.StateProvAbbrev[i], text))
            return true;
    }
    return false;
}

qint32 stateProvIndex(const AppState& state, const QString& spc)
{
    const StateProvTable& table = state.stateProv;
    const qint32 rows = stateProvRows(table);
    for (qint32 i = 1; i <= rows; ++i) {
        const QString& abbrev = table.StateProvAbbrev[i];
        if (sameText(abbrev, spc) && !sameText(abbrev, state.station.HostState))
            return i;
    }
    return 0;
}

namespace {

MarkResult markRow(ScoreState& score, int kind, qint32 row)
{
    if (row <= 0)
        return MarkResult::NotFound;
    if (row >= MultRows)
        return MarkResult::BeyondTable;
    quint8& flag = score.WorkedMults[kind][row];
    if (flag != 0)
        return MarkResult::AlreadyWorked;
    flag = 1;
    score.WorkedMultCount += 1;
    return MarkResult::NewlyWorked;
}

} // namespace

MarkResult markCounty(AppState& state, const QString& county)
{
    return markRow(state.score, MultKindCounty, countyIndex(state.tables, county));
}

MarkResult markStateProv(AppState& state, const QString& spc, qint32* row)
{
    if (spc.size() != 2)
        return MarkResult::NotFound;
    const qint32 index = stateProvIndex(state, spc);
    if (index != 0 && row)
        *row = index;
    return markRow(state.score, MultKindStateProv, index);
}

qint32 contactsWithSpc(const AppState& state, const QString& spc)
{
    qint32 count = 0;
    const qint32 last = lastEntry(state);
    for (qint32 n = 1; n <= last; ++n) {
        if (state.log.Log[size_t(n)].Spc.compare(spc, Qt::CaseInsensitive) == 0)
            ++count;
    }
    return count;
}

QStringList workedStatesAndProvinces(const AppState& state)
{
    QStringList worked;
    const qint32 rows = std::min(stateProvRows(state.stateProv), MultRows - 1);
    for (qint32 i = 1; i <= rows; ++i) {
        if (state.score.WorkedMults[MultKindStateProv][size_t(i)] == 1)
            worked << state.stateProv.StateProvAbbrev[size_t(i)];
    }
    return worked;
}

qint32 countWorkedFlags(const ScoreState& score)
{
    qint32 count = 0;
    for (int kind = 1; kind <= 3; ++kind) {
        for (int row = 1; row < MultRows; ++row) {
            if (score.WorkedMults[kind][row] != 0)
                ++count;
        }
    }
    return count;
}

bool isExcludedFromDX(const QString& spc)
{
    static const QLatin1String excluded[] = {QLatin1String("USA"), QLatin1String("Canada"),
                                             QLatin1String("Alaska"), QLatin1String("Hawaii"),
                                             QLatin1String("Not Found")};
    for (const QLatin1String& text : excluded) {
        if (spc.size() == text.size() && spc.compare(text, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool isDXText(const QString& spc) { return spc.size() > 2 && !isExcludedFromDX(spc); }

int bandDXIndex(const QString& band)
{
    const int index = contestBandIndex(band);
    return index < int(std::tuple_size_v<decltype(ScoreState::DXCountries)>) ? index : -1;
}

bool bandHasDXCountry(const ScoreState& score, const QString& band, const QString& country)
{
    const int index = bandDXIndex(band);
    if (index < 0)
        return false;
    const BandDXList& list = score.DXCountries[index];
    const qint32 count = std::clamp<qint32>(list.Count, 0, qint32(list.Countries.size()) - 1);
    for (qint32 i = 1; i <= count; ++i) {
        if (sameText(list.Countries[i], country))
            return true;
    }
    return false;
}

bool isNewDXCountry(const ScoreState& score, const QString& band, const QString& spc)
{
    return isDXText(spc) && !bandHasDXCountry(score, band, spc);
}

bool addBandDXCountry(ScoreState& score, const QString& band, const QString& country)
{
    const int index = bandDXIndex(band);
    if (index < 0)
        return false;
    BandDXList& list = score.DXCountries[index];
    if (list.Count < 0 || list.Count >= MaxDXCountriesPerBand
        || list.Count + 1 >= qint32(list.Countries.size()))
        return false;
    list.Count += 1;
    list.Countries[list.Count] = country;
    return true;
}

QStringList dxCountriesOfLog(const AppState& state)
{
    QStringList countries;
    QSet<QString> seen;
    const qint32 last = lastEntry(state);
    for (qint32 k = 1; k <= last; ++k) {
        const QString& spc = state.log.Log[k].Spc;
        if (isDXText(spc))
            addOnce(countries, seen, spc);
    }
    return countries;
}

QStringList workedCountiesOfLog(const AppState& state)
{
    QStringList counties;
    QSet<QString> seen;
    const qint32 last = lastEntry(state);
    for (qint32 k = 1; k <= last; ++k) {
        const QString& county = state.log.Log[k].County;
        if (!county.isEmpty())
            addOnce(counties, seen, county);
    }
    return counties;
}

namespace {

QStringList sortedWithoutCase(QStringList texts)
{
    std::stable_sort(texts.begin(), texts.end(),
                     [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return texts;
}

} // namespace

QStringList listedCountiesWorked(const AppState& state) { return sortedWithoutCase(workedCountiesOfLog(state)); }

QStringList listedDXCountries(const AppState& state) { return sortedWithoutCase(dxCountriesOfLog(state)); }

ScoreFigures scoreFigures(const AppState& state, bool inHostState)
{
    const double dx = inHostState ? double(dxCountriesOfLog(state).size()) : 0;
    return scoreFigures(state.score, dx);
}

ScoreFigures scoreFigures(const ScoreState& score, double dxMultipliers)
{
    ScoreFigures figures;
    figures.phoneContacts = score.QsoCountPH;
    figures.cwAndDigitalContacts = double(score.QsoCountCW) + double(score.QsoCountDG);
    figures.multipliers = double(score.WorkedMultCount) + dxMultipliers;
    figures.score = double(score.QsoPoints) * figures.multipliers;
    return figures;
}
