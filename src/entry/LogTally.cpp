#include "entry/LogTally.h"

#include "entry/Scoring.h"

#include <algorithm>

void LogTally::recount(const AppState& state)
{
    *this = LogTally();
    const qint32 last = std::clamp<qint32>(state.log.QsoCount, 0, qint32(state.log.Log.size()) - 1);
    for (qint32 k = 1; k <= last; ++k)
        add(state, state.log.Log[size_t(k)]);
}

void LogTally::add(const AppState& state, const LogEntry& entry)
{
    ++m_counted;
    addContactPoints(m_score, entry.Mode);
    if (!entry.County.isEmpty())
        addCounty(state, entry.County);
    if (entry.Spc.size() == 2)
        addStateProv(state, entry.Spc);
    if (isDXText(entry.Spc)) {
        const QString key = entry.Spc.toCaseFolded();
        if (!m_dxSeen.contains(key)) {
            m_dxSeen.insert(key);
            m_dxCountries.append(entry.Spc);
        }
        addDXCountry(entry);
    }
}

// A county text equal to an earlier one without case has the same row: each is looked up once.
void LogTally::addCounty(const AppState& state, const QString& county)
{
    const QString key = county.toCaseFolded();
    if (m_countiesSeen.contains(key))
        return;
    m_countiesSeen.insert(key);
    m_counties.append(county);
    const qint32 row = countyIndex(state.tables, county);
    if (row >= MultRows)
        m_countiesFit = false;
    else if (row > 0)
        m_score.WorkedMults[MultKindCounty][size_t(row)] = 1;
}

void LogTally::addStateProv(const AppState& state, const QString& spc)
{
    const QString key = spc.toCaseFolded();
    if (m_statesSeen.contains(key))
        return;
    m_statesSeen.insert(key);
    const qint32 row = stateProvIndex(state, spc);
    if (row > 0 && row < MultRows)
        m_score.WorkedMults[MultKindStateProv][size_t(row)] = 1;
}

// Each country once per band, as first logged there; the bands' arrays stop filling at the
// first that overflows, as a reload stops there.
void LogTally::addDXCountry(const LogEntry& entry)
{
    const int band = bandDXIndex(entry.Band);
    if (band < 0 || !m_dxFits)
        return;
    QSet<QString>& seen = m_bandDXSeen[size_t(band)];
    const QString key = entry.Spc.toCaseFolded();
    if (seen.contains(key))
        return;
    if (!addBandDXCountry(m_score, entry.Band, entry.Spc)) {
        m_dxFits = false;
        return;
    }
    seen.insert(key);
}

void LogTally::applyTo(ScoreState& score, bool inHostState) const
{
    score.QsoPoints = m_score.QsoPoints;
    score.QsoCountPH = m_score.QsoCountPH;
    score.QsoCountCW = m_score.QsoCountCW;
    score.QsoCountDG = m_score.QsoCountDG;
    for (int row = 1; row < MultRows; ++row) {
        score.WorkedMults[MultKindCounty][size_t(row)] = m_score.WorkedMults[MultKindCounty][size_t(row)];
        score.WorkedMults[MultKindStateProv][size_t(row)] =
            inHostState ? m_score.WorkedMults[MultKindStateProv][size_t(row)] : 0;
    }
    for (size_t band = 0; band < score.DXCountries.size(); ++band) {
        BandDXList& list = score.DXCountries[band];
        const BandDXList& counted = m_score.DXCountries[band];
        list.Count = inHostState ? counted.Count : 0;
        for (qint32 i = 1; i <= list.Count; ++i)
            list.Countries[size_t(i)] = counted.Countries[size_t(i)];
    }
    score.WorkedMultCount = countWorkedFlags(score);
}
