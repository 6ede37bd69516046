#pragma once

// The contest log: in memory as the record arrays of AppState::log, on disk as log.txt in
// the working directory, one line per contact, oldest first. Only these operations read
// or write log.txt.

#include "core/AppState.h"
#include "platform/FileStamp.h"

#include <QDateTime>

struct CoreServices;
struct Prompts;
class RecordReader;
class RecordWriter;

// One contact as one record of nineteen values.
void writeLogEntry(RecordWriter& writer, const LogEntry& entry);
bool readLogEntry(RecordReader& reader, LogEntry& entry);

// Appends record QsoCount to log.txt (created when missing) and makes sure it reached
// the disk. False, with the reason in *error, when it could not be written; the file is
// then as it was, and the caller does not count the contact.
// This and the other writes first set aside an unfinished last line that the load left in
// log.txt (see LoadLogFile), and fail with the reason while it cannot be.
bool AppendLogEntry(AppState& state, QString* error = nullptr);

// Replaces log.txt with records 1 to QsoCount; on failure the old file stays whole.
bool RewriteLogFile(AppState& state, QString* error = nullptr);

// Removes record n (1 to QsoCount) from the file and then from memory. An index outside
// the log, or a rewrite that fails, changes nothing and returns false.
bool DeleteLogEntry(AppState& state, qint32 n, QString* error = nullptr);

enum class LoadLogResult { Loaded, Unreadable, OverCap };

// Resets the counts a reload recounts and reads log.txt into the record arrays. A missing
// log.txt is an empty log; empty lines at the very end of the file are ignored. An
// unreadable file or a record cut short is Unreadable; a file with an 11001st record is
// OverCap, and is left as it is.
// One exception: a last record that starts a line and holds fewer than nineteen values,
// or whose last quoted value never closes, is what a write cut off by a crash leaves.
// When everything before it reads, the whole file is copied into BACKUP, the record is
// cut from log.txt, the log loads, and *notice says so, showing the start of the line.
// When the copy cannot be written, the log loads all the same but the line stays in
// log.txt (LogStoreState::UnfinishedLineAt), and *notice says why.
LoadLogResult LoadLogFile(AppState& state, QString* notice = nullptr);

// What the operator is told when log.txt holds more contacts than the program keeps.
QString overCapText();

// The stamp of log.txt: equal stamps taken after a load or a write and later mean that
// nothing else has written it since, so the record arrays still hold what it holds.
FileStamp logFileStamp(const AppState& state);

// Whether a record reads back from log.txt as it is held: its texts are all Latin-1 and
// hold no double quote, which the file cannot keep.
bool readsBackAsHeld(const LogEntry& entry);

// A reload of a log.txt that the record arrays are known to hold (its stamp unchanged since
// they were loaded or it was written): leaves the state as LoadLogFile would after reading
// it, without reading it. The counts a reload recounts are reset and the records kept.
void ReloadLogFromMemory(AppState& state);

// The title of the box that shows that notice.
QString unfinishedLineTitle();

// Whether bytes read back as a log (as LoadLogFile would read them).
bool isReadableLog(const QByteArray& data);

// LoadLogFile; on failure shows "Error opening file." and ends the program.
void LoadLogFileOrEnd(AppState& state, CoreServices& services, const Prompts& prompts);

// Asks for the typed YES and, when given, backs the log up, empties it and reloads.
// A log that is not empty is only emptied once its copy in BACKUP is on disk; when the
// copy or the emptying fails, a message says why and the log stays as it was.
// True when the log was emptied.
bool StartNewLog(AppState& state, CoreServices& services, const Prompts& prompts);

// Copies log.txt into BACKUP under the local "yyyymmddhhnn.log" name when the number of
// records changed since the first load. Ignores every failure.
void BackupLogFile(const AppState& state, const CoreServices& services);

// Copies log.txt to the chosen file, replacing it. False with the reason.
bool ArchiveLogFile(const AppState& state, const QString& target, QString* error);

// Puts a chosen archive or backup in place of log.txt once it reads as a log. A log.txt
// that is not empty is first copied into BACKUP. False with the reason; log.txt is then
// as it was.
bool RestoreLogFile(const AppState& state, const CoreServices& services, const QString& source,
                    QString* error);

// Every copy into BACKUP is named after the local time ("yyyymmddhhnn.log"); when a file
// of that name is already there, a number is added ("yyyymmddhhnn-2.log"), so no copy
// ever replaces another.
QString backupFileName(const QString& backupFolder, const QDateTime& local);
