#pragma once

// What a reload of the log counts, kept contact by contact: the points and the contacts of
// each mode, the worked counties and states and provinces, the DX countries of the log and
// of each band, and whether they all fit their tables. Counted afresh from the record
// arrays when the log is read, and raised by each contact logged, so that a change of band
// or mode, which changes no contact, shows what a reload would without counting the log
// again. The county and state tables must not change while it counts.

#include "core/AppState.h"

#include <QSet>
#include <QStringList>
#include <array>

class LogTally {
public:
    // Counts records 1 to QsoCount afresh.
    void recount(const AppState& state);
    // Counts one contact more: the one just logged.
    void add(const AppState& state, const LogEntry& entry);
    qint32 counted() const { return m_counted; }

    // The score a reload leaves: points and the contacts of each mode, the worked counties,
    // in the host state's window also the states and provinces and the DX countries of each
    // band, and WorkedMultCount. Flags of other kinds are left as they are.
    void applyTo(ScoreState& score, bool inHostState) const;

    // False once a county lies beyond the flag table, or a band has more DX countries than
    // its array holds: a reload then ends the program.
    bool countiesFit() const { return m_countiesFit; }
    bool dxFits() const { return m_dxFits; }

    // The counties and the DX countries of the log, each once (without case) as first
    // logged, in log order.
    const QStringList& workedCounties() const { return m_counties; }
    const QStringList& dxCountries() const { return m_dxCountries; }

private:
    void addCounty(const AppState& state, const QString& county);
    void addStateProv(const AppState& state, const QString& spc);
    void addDXCountry(const LogEntry& entry);

    qint32 m_counted = 0;
    // Points, counts, the kinds of flags a reload sets and the DX arrays, as the host
    // state's window counts them.
    ScoreState m_score;
    bool m_countiesFit = true;
    bool m_dxFits = true;
    QStringList m_counties;
    QStringList m_dxCountries;
    // The texts seen so far, case-folded.
    QSet<QString> m_countiesSeen;
    QSet<QString> m_statesSeen;
    QSet<QString> m_dxSeen;
    std::array<QSet<QString>, std::tuple_size_v<decltype(ScoreState::DXCountries)>> m_bandDXSeen;
};
