#pragma once

// Points, per-mode counts and worked multipliers of the log.
//   - a phone ("PH") contact is worth 2 points, any other mode 3; "CW" counts as CW, every
//     other mode but PH as digital; modes compare without case;
//   - multipliers: kind 3 = a host-state county (row = its CountyAbbrev index), kind 1 =
//     a state or province other than the host state (row = its StateProvAbbrev index, in
//     the in-state window only); each counts once for the contest.

#include "core/AppState.h"

// What one contact is worth by its mode: the live score and the claimed score in the
// Cabrillo log both count with these.
constexpr int PhoneContactPoints = 2;
constexpr int CwContactPoints = 3;
constexpr int DigitalContactPoints = 3;

constexpr int MultKindStateProv = 1;
constexpr int MultKindCounty = 3;

// Fills the in-state window's table of the 50 states and 13 provinces in their fixed order.
void fillStateProvTable(StateProvTable& table);

// Adds one contact's points and counts it by mode.
void addContactPoints(ScoreState& score, const QString& mode);

// The first county-table entry equal to the text without case (1 to CountyCount), or 0.
qint32 countyIndex(const ReferenceTables& tables, const QString& county);

// The county check of every county field: whether the text is one of the county table's
// abbreviations (without case, untrimmed).
bool isCountyAbbreviation(const ReferenceTables& tables, const QString& text);

// Whether the text is one of the 63 state and province abbreviations, the host state
// included (without case).
bool isStateProvAbbreviation(const StateProvTable& table, const QString& text);

// The first state/province entry equal to the text without case, skipping the host
// state (1 to StateProvCount), or 0.
qint32 stateProvIndex(const AppState& state, const QString& spc);

enum class MarkResult { AlreadyWorked, NewlyWorked, NotFound, BeyondTable };

// Marks the county of one contact worked, counting it in WorkedMultCount when new.
// A county whose table row lies beyond the flag table (row 260) is BeyondTable.
MarkResult markCounty(AppState& state, const QString& county);

// Marks the state or province of one contact (exactly two characters) worked, counting
// it when new; *row receives its index when found.
MarkResult markStateProv(AppState& state, const QString& spc, qint32* row = nullptr);

// The number of contacts whose St/Prv/Country equals the text (without case): the total a
// state label shows under the mouse.
qint32 contactsWithSpc(const AppState& state, const QString& spc);

// The states and provinces the score counts as worked, in the table's order.
QStringList workedStatesAndProvinces(const AppState& state);

// The number of flags set in kinds 1 to 3, rows 1 to 260.
qint32 countWorkedFlags(const ScoreState& score);

// The texts that are never DX countries although longer than two characters.
bool isExcludedFromDX(const QString& spc);

// Whether a St/Prv/Country text names a DX country: longer than two characters and none of
// the texts never DX.
bool isDXText(const QString& spc);

// The index of a band in the per-band DX arrays (the contest bands' order), or -1 for a
// band without one (2 m and any other text).
int bandDXIndex(const QString& band);

// Whether the band's array already holds the country (without case); a band without an
// array holds nothing.
bool bandHasDXCountry(const ScoreState& score, const QString& band, const QString& country);

// Whether a St/Prv/Country text is a DX country not yet logged on the band: longer than
// two characters, none of the texts never DX, and not in the band's array (a band without
// an array holds nothing). The "New" indicator of the in-state window.
bool isNewDXCountry(const ScoreState& score, const QString& band, const QString& spc);

// Appends the country to the band's array (not searched first). False when full or the
// band has no array.
bool addBandDXCountry(ScoreState& score, const QString& band, const QString& country);

// Every DX country of the log once (without case), as first logged, in log order.
QStringList dxCountriesOfLog(const AppState& state);

// The counties of the log once each (without case, as first logged), in log order.
QStringList workedCountiesOfLog(const AppState& state);

// The log window's lists of the counties worked and of the DX countries: each once, sorted
// without regard to case.
QStringList listedCountiesWorked(const AppState& state);
QStringList listedDXCountries(const AppState& state);

// The log window's score box: the phone contacts, the CW and digital contacts together
// (shown in the label named lblsectogo), the multipliers, and the score before bonuses
// (the points times the multipliers). The multipliers are the worked counties (and, in the
// host state's window, the states and provinces), and in the host state's window the DX
// countries of the log as well.
struct ScoreFigures {
    double phoneContacts = 0;
    double cwAndDigitalContacts = 0;
    double multipliers = 0;
    double score = 0;
};
ScoreFigures scoreFigures(const AppState& state, bool inHostState);
// The same from the score and the number of DX countries that count as multipliers.
ScoreFigures scoreFigures(const ScoreState& score, double dxMultipliers);
