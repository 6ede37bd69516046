#pragma once

// The one way tests build a log: a contact named by the fields a test cares about, turned
// into a LogEntry, into the records of log.txt, or appended to a state's log; and the
// station that logs it.

#include "core/AppState.h"
#include "core/LogEntry.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <memory>
#include <vector>

// A logged contact. A test names the fields it changes, in this order or by name
// (Qso{.call = "K5ABC", .band = "40"}); the rest take these values. Every field has a
// value of its own, so naming only some of them is not a missing initializer.
struct Qso {
    QString call = QStringLiteral("K5ABC");
    QString county{};
    QString band = QStringLiteral("20");
    QString mode = QStringLiteral("CW");
    QString time = QStringLiteral("17:00:00");
    QString spc{};
    QString countySent{};
    QString date = QStringLiteral("2026/04/25");
    QString rstSent = QStringLiteral("599");
    QString rstRcvd = QStringLiteral("599");
    QString frequency{};

    LogEntry entry() const;
};

inline LogEntry toEntry(const Qso& q) { return q.entry(); }

std::vector<LogEntry> entriesOf(std::initializer_list<Qso> contacts);

// The record of log.txt for a contact, as the log store writes it.
QByteArray logRecord(const LogEntry& entry);
// The whole of a log.txt holding the contacts, oldest first.
QByteArray logFileBytes(const std::vector<LogEntry>& entries);
QByteArray logFileBytes(std::initializer_list<Qso> contacts);
// Writes log.txt (any path) holding the entries; false when it cannot be written.
bool writeLogFile(const QString& path, const std::vector<LogEntry>& entries);

// Adds the contact after the last one of the state's log.
void appendContact(AppState& state, const Qso& contact);

// The standing choices of a station that has been set up: host state TX, 20 m CW, the
// windows at full size, the state labels' colours, no radio.
void setUpStation(StationData& station);

// A fresh state of such a station, holding the contacts.
std::unique_ptr<AppState> stateWithLog(std::initializer_list<Qso> contacts);

// The score as lines (points and counts, the flags set of each kind, each band's DX
// countries), so that two scores are compared with the difference shown.
QStringList describeScore(const ScoreState& score);
