#pragma once

// The county, prefix and state tables and the lookups on them.

#include "core/AppState.h"

// The worked flags have rows for this many counties, so the county table holds no more.
constexpr int MaxHostCounties = MultRows - 1;

// Rebuilds the county table from county2.txt in the working directory, taking the first
// MaxHostCounties rows of HostState in file order; *leftOut counts the host-state rows
// after them, which are left out. Rows of other states do not count. Empty lines at the
// very end are ignored. False when the file is missing or ends inside a record; the rows
// taken so far stay.
bool LoadCountyTable(AppState& state, qint32* leftOut = nullptr);

// A table file shipped with the program: the shared folder's copy, else the data
// folder's, else the working directory's; empty when none exists.
QString findSharedTable(const Folders& folders, const QString& name);

// The prefix table file, found as above.
QString findPrefixTable(const Folders& folders);

// Appends the rows of the prefix file to the table; empty lines at the very end are
// ignored. False when the file cannot be read, ends inside a row, or holds more than
// MaxPrefixRows rows (PrefixCount then counts the row that failed, as the table is
// filled row by row).
bool LoadPrefixTable(ReferenceTables& tables, const QString& path);

// Fills entries 1 to 50 of the state table from the first 50 records of states.txt in
// the working directory. False when it is missing or shorter.
bool LoadStateTable(AppState& state);

// The entry of the state table (1 to 54) whose abbreviation equals the text without case,
// or 0 (also for an empty text): the position St/Prv/Country shows for a state.
qint32 stateIndex(const ReferenceTables& tables, const QString& abbrev);

// The part of a call that decides its country: the text after the first "/" when more
// than one character and fewer than half the call follow it, else the whole call.
QString portableLookupCall(const QString& call);

// The longest prefix a call begins with. The table is taken as 26 blocks of about equal
// size, one per first letter: the scan starts where the call's letter should end, steps
// back to the block's beginning and scans only that block. Of equally long prefixes the
// first met wins. index is 0 when none matches.
struct PrefixMatch {
    qint32 index = 0;
    QString country;
};
PrefixMatch findLongestPrefix(const ReferenceTables& tables, const QString& lookupCall,
                              Qt::CaseSensitivity sensitivity);

// The country of a call sign by its longest matching prefix (empty when none matches).
QString CountryFromCall(const ReferenceTables& tables, const QString& call);

// The county's full name when it is shorter than the abbreviation, else the text unchanged.
QString CountyTextForCW(const ReferenceTables& tables, const QString& county);

// The type-ahead of the county and country fields. typed is the text before the caret
// followed by the key; the table's entries 1 to count are searched from the end given for
// the first that begins with it, without case (a shorter entry never does).
enum class SearchFrom { FirstEntry, LastEntry };
qint32 entryStartingWith(const std::vector<QString>& table, qint32 count, const QString& typed, SearchFrom from);

// The typed text completed: typed followed by the rest of the entry found (entry 0 and no
// text when none begins with it). The field shows the text with the rest selected.
struct Completion {
    qint32 entry = 0;
    QString text;
};
// The county fields: CountyAbbrev. The main windows search from the first entry, the
// county windows and the edit dialogs from the last.
Completion completeCounty(const ReferenceTables& tables, const QString& typed, SearchFrom from);
// The St/Prv/Country fields: PrefixCountry, from the last entry.
Completion completeCountry(const ReferenceTables& tables, const QString& typed);
