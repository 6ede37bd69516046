#pragma once

// The checks a contact goes through as it is logged, and the record it is stored as.
// Each check reads the entry fields as they stand when the log window runs it (a refusal
// moves the caret, and a field taking the focus may fill itself, so the window runs them
// one after another) and returns what it refuses: the window beeps for each refusal,
// shows its message and puts the caret in its field, so the last one's stay.

#include "core/AppState.h"

#include <optional>
#include <vector>

// The entry fields of the log windows (the widgets txtCall, txtRSTR, txtCntry, txtSec,
// txtRSTS); the out-of-state window has no St/Prv/Country.
enum class EntryField { Call, ReportReceived, StPrvCountry, County, ReportSent };

struct EntryTexts {
    QString call;
    QString reportReceived;
    QString stPrvCountry;
    QString county;
    QString reportSent;
};

struct Refusal {
    QString message;
    EntryField field;
};

// Whether the County field applies: the St/Prv/Country field names the host state.
bool countyApplies(const QString& stPrvCountry, const QString& hostState);

// The fields the contact cannot be logged without, in the order the window checks them:
// the county (in the in-state window only for a station of the host state), the report
// received, a call of three characters or more, St/Prv/Country (in-state only) and the
// report sent.
std::vector<Refusal> missingFields(const EntryTexts& entry, bool inStateWindow, const QString& hostState);

// A county that is not one of the county table's abbreviations.
std::optional<Refusal> invalidCounty(const ReferenceTables& tables, const QString& county);

// A St/Prv/Country of two characters that is not a state or province.
std::optional<Refusal> invalidStateProv(const StateProvTable& table, const QString& stPrvCountry);

// The duplicate check as the contact is logged: the contacts of the call, oldest first,
// each first filling the entry's empty county and (in-state) St/Prv/Country from its own,
// then judged against the entry as it now stands. In the in-state window a station
// entered outside the host state takes no county. The fields as filled, and the first
// contact that makes the entry a duplicate (0 when none does).
struct DuplicateScan {
    QString county;
    QString stPrvCountry;
    qint32 duplicateOf = 0;
};
DuplicateScan scanForDuplicate(const AppState& state, const EntryTexts& entry, bool inStateWindow);

// The message that refuses a duplicate of contact n.
QString duplicateMessage(const LogEntry& earlier, qint32 n, bool inStateWindow);

// The record of a contact that passed: its fields, the date and time given, the current
// band and mode and the radio's frequency; in-state also St/Prv/Country and the own
// county as the county sent.
LogEntry contactRecord(const AppState& state, const EntryTexts& entry, bool inStateWindow, const QString& date,
                       const QString& time);
