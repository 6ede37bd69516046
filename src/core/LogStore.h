#pragma once

// The contest log: in memory as the record arrays of AppState::log, on disk as log.txt in
// the working directory, one line per contact, oldest first. Only these operations read
// or write log.txt.

#include "core/AppState.h"

struct Services;
class RecordReader;
class RecordWriter;

// One contact as one record of nineteen values.
void writeLogEntry(RecordWriter& writer, const LogEntry& entry);
bool readLogEntry(RecordReader& reader, LogEntry& entry);

// Appends record QsoCount to log.txt (created when missing) and makes sure it reached
// the disk. False when it could not be written; the caller then does not count it.
bool AppendLogEntry(const AppState& state);

// Replaces log.txt with records 1 to QsoCount.
bool RewriteLogFile(const AppState& state);

// Removes record n (1 to QsoCount) and rewrites the file. An index outside the log
// changes nothing and returns false.
bool DeleteLogEntry(AppState& state, qint32 n);

enum class LoadLogResult { Loaded, Unreadable };

// Resets the counts a reload recounts and reads log.txt into the record arrays. A missing
// log.txt is an empty log; empty lines at the very end of the file are ignored. An
// unreadable file, a record cut short or an 11001st record is Unreadable.
LoadLogResult LoadLogFile(AppState& state);

// Whether bytes read back as a log (as LoadLogFile would read them).
bool isReadableLog(const QByteArray& data);

// LoadLogFile; on failure shows "Error opening file." and ends the program.
void LoadLogFileOrEnd(AppState& state, Services& services);

// Asks for the typed YES and, when given, backs the log up, empties it and reloads.
// True when the log was emptied.
bool StartNewLog(AppState& state, Services& services);

// Copies log.txt into BACKUP under the local "yyyymmddhhnn.log" name when the number of
// records changed since the first load. Ignores every failure.
void BackupLogFile(const AppState& state, const Services& services);
