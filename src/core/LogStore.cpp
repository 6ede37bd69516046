#include "core/LogStore.h"

#include "core/Preferences.h"
#include "core/RecordFile.h"
#include "core/WorkFiles.h"
#include "platform/DiskFile.h"
#include "platform/FileLookup.h"
#include "platform/CoreServices.h"
#include "platform/Prompts.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <memory>

namespace {

const QString LogFileName = QStringLiteral("log.txt");
const QString CrLf = QStringLiteral("\r\n");

QString logPath(const AppState& state) { return workPath(state.folders, LogFileName); }

// Everything a reload counts again from the records, the number of records apart.
void resetCounts(ScoreState& score)
{
    score.QsoPoints = 0;
    score.WorkedMultCount = 0;
    for (BandDXList& band : score.DXCountries)
        band.Count = 0;
    for (int kind = 1; kind < MultKinds; ++kind) {
        for (int row = 1; row < MultRows; ++row)
            score.WorkedMults[kind][row] = 0;
    }
}

void resetRecountedCounters(AppState& state)
{
    state.log.QsoCount = 0;
    resetCounts(state.score);
}

// The first load of the run that finds contacts sets the count the backup at close
// compares with.
void noteLoaded(LogStoreState& log)
{
    if (log.FirstLoadCount == 0)
        log.FirstLoadCount = float(log.QsoCount);
}

// Writes bytes into BACKUP (made when missing) under a name of their own, synced.
bool keepCopyInBackup(const Folders& folders, const QByteArray& bytes, const QDateTime& local,
                      QString* savedAs, QString* error)
{
    const QString folder = FileLookup::resolve(folders.DataFolder, QStringLiteral("BACKUP"));
    if (!DiskFile::ensureFolder(folder, error))
        return false;
    const QString target = QDir(folder).filePath(backupFileName(folder, local));
    if (!DiskFile::replaceAtomically(target, bytes, error))
        return false;
    if (savedAs)
        *savedAs = target;
    return true;
}

// Copies log.txt into BACKUP. A missing log.txt is a failure.
bool copyLogIntoBackup(const AppState& state, const CoreServices& services, QString* error)
{
    QByteArray bytes;
    return DiskFile::readWhole(logPath(state), &bytes, error)
        && keepCopyInBackup(state.folders, bytes, services.clock->localNow(), nullptr, error);
}

bool logHasContent(const AppState& state)
{
    const QFileInfo info(logPath(state));
    return info.exists() && info.size() > 0;
}

QByteArray logBytes(const LogStoreState& log, qint32 skipped)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    RecordWriter writer(buffer);
    for (qint32 i = 1; i <= log.QsoCount; ++i) {
        if (i != skipped)
            writeLogEntry(writer, log.Log[size_t(i)]);
    }
    return bytes;
}

// The start of a removed line as a message box can show it: a few hundred characters on a
// few lines at most, and how much more there was.
QString removedLineExcerpt(const QByteArray& line)
{
    constexpr qsizetype MostCharacters = 300;
    constexpr int MostLineEnds = 4;
    qsizetype shown = std::min(line.size(), MostCharacters);
    int lineEnds = 0;
    for (qsizetype i = 0; i < shown; ++i) {
        if (line[i] == '\n' && ++lineEnds == MostLineEnds) {
            shown = i > 0 && line[i - 1] == '\r' ? i - 1 : i;
            break;
        }
    }
    QString excerpt = QString::fromLatin1(line.left(shown));
    if (shown < line.size())
        excerpt += QStringLiteral(" ... (%1 more characters not shown)").arg(line.size() - shown);
    return excerpt;
}

// The unfinished last line that a load had to leave in log.txt, set aside now as the load
// would have: the whole file copied into BACKUP and the line cut off. True when there is no
// such line (any more).
bool setAsideUnfinishedLine(AppState& state, QString* error)
{
    LogStoreState& log = state.log;
    if (log.UnfinishedLineAt < 0)
        return true;
    const QString path = logPath(state);
    QByteArray data;
    QString why;
    if (!DiskFile::readWhole(path, &data, &why)
        || !keepCopyInBackup(state.folders, data, QFileInfo(path).lastModified(), nullptr, &why)
        || !DiskFile::truncateDurably(path, log.UnfinishedLineAt, &why)) {
        if (error)
            *error = QStringLiteral("log.txt still ends in the unfinished line found when it was loaded. Nothing "
                                    "is written after that line until the whole file has been copied into BACKUP "
                                    "and the line cut off, which failed:")
                + CrLf + why;
        return false;
    }
    log.UnfinishedLineAt = -1;
    return true;
}

} // namespace

QString backupFileName(const QString& backupFolder, const QDateTime& local)
{
    const QString stem = local.toString(QStringLiteral("yyyyMMddHHmm"));
    QString name = stem + QStringLiteral(".log");
    for (int n = 2; FileLookup::exists(backupFolder, name); ++n)
        name = QStringLiteral("%1-%2.log").arg(stem).arg(n);
    return name;
}

void writeLogEntry(RecordWriter& w, const LogEntry& e)
{
    w.text(e.Call).text(e.RstSent).text(e.RstRcvd).text(e.Spc).text(e.County).text(e.AltState);
    w.text(e.CountySent).text(e.Spare8).text(e.Spare9).text(e.Spare10).text(e.Spare11);
    w.text(e.Date).text(e.Time).text(e.Mode).text(e.Band).number(e.Spare16);
    w.text(e.Spare17).text(e.Spare18).text(e.Frequency).endRecord();
}

bool readLogEntry(RecordReader& r, LogEntry& e)
{
    return r.readText(e.Call) && r.readText(e.RstSent) && r.readText(e.RstRcvd)
        && r.readText(e.Spc) && r.readText(e.County) && r.readText(e.AltState)
        && r.readText(e.CountySent) && r.readText(e.Spare8) && r.readText(e.Spare9)
        && r.readText(e.Spare10) && r.readText(e.Spare11) && r.readText(e.Date)
        && r.readText(e.Time) && r.readText(e.Mode) && r.readText(e.Band)
        && r.readDouble(e.Spare16) && r.readText(e.Spare17) && r.readText(e.Spare18)
        && r.readText(e.Frequency);
}

bool AppendLogEntry(AppState& state, QString* error)
{
    const qint32 n = state.log.QsoCount;
    if (n < 1 || n > MaxLogEntries || !setAsideUnfinishedLine(state, error))
        return false;
    QByteArray line;
    QBuffer buffer(&line);
    buffer.open(QIODevice::WriteOnly);
    RecordWriter writer(buffer);
    writeLogEntry(writer, state.log.Log[size_t(n)]);
    return DiskFile::appendDurably(logPath(state), line, error);
}

bool RewriteLogFile(AppState& state, QString* error)
{
    return setAsideUnfinishedLine(state, error) && DiskFile::replaceAtomically(logPath(state), logBytes(state.log, 0), error);
}

bool DeleteLogEntry(AppState& state, qint32 n, QString* error)
{
    LogStoreState& log = state.log;
    if (n < 1 || n > log.QsoCount)
        return false;
    // The file first: the records in memory only change once it holds the log without n.
    if (!setAsideUnfinishedLine(state, error) || !DiskFile::replaceAtomically(logPath(state), logBytes(log, n), error))
        return false;
    for (qint32 i = n; i < log.QsoCount; ++i)
        log.Log[size_t(i)] = log.Log[size_t(i) + 1];
    --log.QsoCount;
    return true;
}

// Reads records into the arrays until nothing but line ends is left; an 11001st record
// is OverCap, one that the end of the file cuts short Unreadable. A record is cut short when it
// has fewer than nineteen values or its last value is a quoted text that never closes;
// when such a last record starts a line, *cutAt is where it starts.
static LoadLogResult readLogRecords(RecordReader& reader, LogStoreState& log, qsizetype* cutAt = nullptr)
{
    while (!reader.onlyLineEndsLeft()) {
        if (log.QsoCount >= MaxLogEntries)
            return LoadLogResult::OverCap;
        const qsizetype start = reader.position();
        const bool startsLine = reader.atLineStart();
        ++log.QsoCount;
        LogEntry& slot = log.Log[size_t(log.QsoCount)];
        slot = LogEntry{};
        if (!readLogEntry(reader, slot) || reader.lastValueUnclosed()) {
            if (cutAt && startsLine)
                *cutAt = start;
            return LoadLogResult::Unreadable;
        }
    }
    return LoadLogResult::Loaded;
}

// A write stopped part-way (the program killed, the power cut, a copy that did not end)
// leaves the start of a record at the end of log.txt. Such a record never held a contact
// the program reported as logged, but it would keep the log from loading at every start.
// When the records before it read and it starts a line of its own, the whole file is kept
// in BACKUP and the record is cut off.
// When the copy cannot be written (a full disk, a BACKUP that cannot be written), nothing
// is cut: the log loads without the record, the line stays in log.txt, and the operator is
// told why, at every start until the copy can be made.
static LoadLogResult setAsideCutLastRecord(AppState& state, const QString& path, const QByteArray& data,
                                           qsizetype cutAt, QString* notice)
{
    --state.log.QsoCount; // the cut record
    QString savedAs;
    QString why;
    const QDateTime written = QFileInfo(path).lastModified();
    const bool cut = keepCopyInBackup(state.folders, data, written, &savedAs, &why)
                     && DiskFile::truncateDurably(path, cutAt, &why);
    if (!cut)
        state.log.UnfinishedLineAt = cutAt;
    if (notice) {
        const QString crash = QStringLiteral("log.txt ended in the middle of a contact, as a write cut off by a "
                                             "crash or a power failure leaves it. ");
        *notice = cut ? crash
                            + QStringLiteral("That unfinished last line was removed so that the log loads; the "
                                             "whole file was kept as %1.")
                                  .arg(QDir::toNativeSeparators(savedAs))
                      : crash
                            + QStringLiteral("The log was loaded without that unfinished last line, but the line "
                                             "was left in log.txt, because the copy of the whole file could not "
                                             "be written into BACKUP:")
                            + CrLf + why + CrLf + CrLf
                            + QStringLiteral("No contact can be written after the line until that copy can be "
                                             "made; it is tried again before each one.");
        *notice += CrLf + CrLf + (cut ? QStringLiteral("The removed line: ") : QStringLiteral("The unfinished line: "))
                   + removedLineExcerpt(data.mid(cutAt).trimmed());
    }
    return LoadLogResult::Loaded;
}


LoadLogResult LoadLogFile(AppState& state, QString* notice)
{
    resetRecountedCounters(state);
    state.log.UnfinishedLineAt = -1;
    const QString path = logPath(state);
    LoadLogResult result = LoadLogResult::Loaded;
    if (QFileInfo::exists(path)) {
        QByteArray data;
        if (!DiskFile::readWhole(path, &data)) {
            result = LoadLogResult::Unreadable;
        } else {
            RecordReader reader(data);
            qsizetype cutAt = -1;
            result = readLogRecords(reader, state.log, &cutAt);
            if (result == LoadLogResult::Unreadable && cutAt >= 0)
                result = setAsideCutLastRecord(state, path, data, cutAt, notice);
        }
    }
    if (result == LoadLogResult::Loaded)
        noteLoaded(state.log);
    return result;
}

FileStamp logFileStamp(const AppState& state) { return FileStamp::of(logPath(state)); }

bool readsBackAsHeld(const LogEntry& e)
{
    for (const QString* text : {&e.Call, &e.RstSent, &e.RstRcvd, &e.Spc, &e.County, &e.AltState, &e.CountySent,
                                &e.Spare8, &e.Spare9, &e.Spare10, &e.Spare11, &e.Date, &e.Time, &e.Mode, &e.Band,
                                &e.Spare17, &e.Spare18, &e.Frequency}) {
        if (recordSafeText(*text) != *text)
            return false;
    }
    return true;
}

void ReloadLogFromMemory(AppState& state)
{
    resetCounts(state.score);
    noteLoaded(state.log);
}

QString overCapText()
{
    static_assert(MaxLogEntries == 11000, "the message names the cap");
    return QStringLiteral("Error opening file.  log.txt holds more than 11,000 contacts, the most that one log of "
                          "this program can hold, so it cannot be loaded.  Nothing in it was changed.  Move "
                          "it out of the program's working directory and start a new log, or split it with a "
                          "text editor into logs of at most 11,000 contacts.");
}

QString unfinishedLineTitle() { return QStringLiteral("Unfinished Contact Removed"); }

bool isReadableLog(const QByteArray& data)
{
    RecordReader reader(data);
    auto scratch = std::make_unique<LogStoreState>();
    return readLogRecords(reader, *scratch) == LoadLogResult::Loaded;
}

void LoadLogFileOrEnd(AppState& state, CoreServices& services, const Prompts& prompts)
{
    QString notice;
    const LoadLogResult loaded = LoadLogFile(state, &notice);
    if (loaded == LoadLogResult::Loaded) {
        if (!notice.isEmpty())
            prompts.tell(notice, unfinishedLineTitle());
        return;
    }
    prompts.tell(loaded == LoadLogResult::OverCap ? overCapText() : QStringLiteral("Error opening file."),
                 QStringLiteral("File Error"));
    services.endProgram(1);
}

bool StartNewLog(AppState& state, CoreServices& services, const Prompts& prompts)
{
    const auto answer = prompts.ask(
        QStringLiteral("Are you sure that you want to start a new log file?  This function will "
                       "ERASE the existing log file!\n\nTo verify that you want to start a new log "
                       "file, please type: YES"),
        QStringLiteral("WARNING - Your existing log file will be ERASED!"), QString());
    if (!answer || answer->toUpper() != QLatin1String("YES"))
        return false;

    // The erased log always keeps a copy, whatever the close-time rule would say, and it
    // is only erased once that copy is on disk. An empty or missing log needs none.
    QString error;
    if (logHasContent(state) && !copyLogIntoBackup(state, services, &error)) {
        prompts.tell(QStringLiteral("The log was not erased: its copy could not be written into BACKUP, so log.txt "
                                    "was left as it was.")
                         + CrLf + CrLf + error,
                     QStringLiteral("Unable to write file."));
        return false;
    }
    if (!DiskFile::replaceAtomically(logPath(state), QByteArray(), &error)) {
        prompts.tell(QStringLiteral("The log was not erased: log.txt could not be emptied and was left as it was.")
                         + CrLf + CrLf + error,
                     QStringLiteral("Unable to write file."));
        return false;
    }

    state.clock.OperatingSeconds = 0;
    state.station.StoredOperatingSeconds = 0;
    state.log.QsoCount = 0;
    SavePrefFile(state, services.fileWriter.get());
    LoadLogFileOrEnd(state, services, prompts);
    return true;
}

void BackupLogFile(const AppState& state, const CoreServices& services)
{
    if (state.log.QsoCount <= 0 || float(state.log.QsoCount) == state.log.FirstLoadCount)
        return;
    copyLogIntoBackup(state, services, nullptr);
}

bool ArchiveLogFile(const AppState& state, const QString& target, QString* error)
{
    QByteArray bytes;
    return DiskFile::readWhole(logPath(state), &bytes, error) && DiskFile::replaceAtomically(target, bytes, error);
}

bool RestoreLogFile(const AppState& state, const CoreServices& services, const QString& source, QString* error)
{
    QByteArray bytes;
    if (!DiskFile::readWhole(source, &bytes, error))
        return false;
    if (!isReadableLog(bytes)) {
        if (error)
            *error = QStringLiteral("%1 is not a log file that can be read.").arg(QDir::toNativeSeparators(source));
        return false;
    }
    // The log being replaced keeps a copy of its own, so a restore can be undone.
    QString copyError;
    if (logHasContent(state) && !copyLogIntoBackup(state, services, &copyError)) {
        if (error)
            *error = QStringLiteral("log.txt was left as it was: its copy could not be written into BACKUP.") + CrLf
                + CrLf + copyError;
        return false;
    }
    return DiskFile::replaceAtomically(logPath(state), bytes, error);
}
