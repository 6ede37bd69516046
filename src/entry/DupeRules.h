#pragma once

// The duplicate rules of the log. Calls, counties, bands and modes compare whole and
// without case, untrimmed. The log is always scanned from its oldest entry.

#include "core/AppState.h"

struct DupeQuery {
    QString call;
    QString county;        // the county received as the field holds it
    QString band;
    QString mode;
    bool compareCountySent = false; // the in-state rule: also the own county sent
    QString ownCounty;
};

// Whether the entry was logged on the band and mode given: the part of every duplicate rule
// the log windows share.
bool onBandAndMode(const LogEntry& entry, const QString& band, const QString& mode);

// Whether the entry makes the query a duplicate: same call, band, mode and county
// received; in-state also county sent.
bool isLogDupe(const LogEntry& entry, const DupeQuery& query);

// The first entry that makes the query a duplicate, or 0.
qint32 findLogDupe(const AppState& state, const DupeQuery& query);

// Every entry but the one excepted that makes the query a duplicate, oldest first: the
// check of a contact edited in place, which must not be compared with itself.
std::vector<qint32> findLogDupes(const AppState& state, const DupeQuery& query, qint32 except);

// The oldest entry of the call, or 0.
qint32 firstContactOf(const AppState& state, const QString& call);

// Every entry of the call, oldest first.
std::vector<qint32> contactsOf(const AppState& state, const QString& call);

// The possible-duplicates line for the typed text: the calls of the current band and mode
// (in-state: and own county) that begin with it, each followed by a blank, the later
// matches first, cut once the list passes 100 characters.
QString possibleDupesList(const AppState& state, const QString& typed, bool compareCountySent,
                          const QString& ownCounty);
