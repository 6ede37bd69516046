#pragma once

// The spot store and what a spot brings with it: the label text of its call, the rows of
// the spot list. The store itself is AppState's SpotStoreState; these functions are the
// only ones that file spots into it.

#include "core/AppState.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

constexpr int MaxSpotListRows = 200;

// The label text of a spot: the call up to its last digit, or the part of a portable call
// that names where it is ("DL/K1ABC" gives DL, "K1ABC/4" gives K4); empty for calls of
// fewer than three characters.
QString CallPrefix(const QString& call);

// Files a spot as the newest: every slot moves down one (the oldest is lost), slot 49
// takes the spot, and the newest older spot of the same call (slots 48 to 1, letter case
// ignored) is deleted. The store's count of spots filed goes up by one.
void fileSpot(SpotStoreState& store, const QString& call, float frequencyMHz, const QDateTime& arrival);

// Deleting a spot only clears its frequency; the slot moves on with the others.
void deleteSpot(SpotStoreState& store, int slot);

// One row of the spot list, columns in the list's order.
struct SpotListRow {
    QString Call;
    QString Frequency; // MHz in the system's number format, the shortest text of the value: 14.025, 14, 7.0253
    QString QTH;
    QString Status;
    QString Comments;
    QString Prefix;
    QString Time;
    QString From;

    bool operator==(const SpotListRow&) const = default;
};

// The row of a spot; the record is already cut at its first carriage return. A record whose
// columns do not hold its spot (a line read by its words) gives its spotter, comment, time
// and place to the columns a line of the cluster layout would.
SpotListRow spotListRow(const QString& call, double frequencyMHz, const QString& record, const QString& country);

// The frequency of a row read back as the row wrote it; nothing when it is not a number.
std::optional<double> spotListFrequency(const QString& text);

// The newest row first, at most MaxSpotListRows.
void insertSpotListRow(QList<SpotListRow>& rows, const SpotListRow& row);

// A spot handed over by a spot link, after the checks: what the store and the list take.
struct AcceptedSpot {
    float frequencyMHz = 0;
    SpotListRow row;
};

// The intake of one spot into the store: nothing (and no change) when the call and the
// frequency make no spot (isSpotCall, spotFrequencyMHz); else the spot is filed and its
// list row returned for the caller's list.
std::optional<AcceptedSpot> takeSpot(SpotStoreState& store, const ReferenceTables& tables, const QString& call,
                                     const QString& frequencyKHz, const QString& record, const QDateTime& now);
