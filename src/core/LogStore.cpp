#include "core/LogStore.h"

#include "core/Preferences.h"
#include "core/RecordFile.h"
#include "core/WorkFiles.h"
#include "platform/DiskFile.h"
#include "platform/FileLookup.h"
#include "platform/Services.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <memory>

namespace {

const QString LogFileName = QStringLiteral("log.txt");

QString logPath(const AppState& state) { return workPath(state.folders, LogFileName); }

void resetRecountedCounters(AppState& state)
{
    ScoreState& score = state.score;
    state.log.QsoCount = 0;
    score.QsoPoints = 0;
    score.WorkedMultCount = 0;
    for (BandDXList& band : score.DXCountries)
        band.Count = 0;
    for (int kind = 1; kind < MultKinds; ++kind) {
        for (int row = 1; row < MultRows; ++row)
            score.WorkedMults[kind][row] = 0;
    }
}

bool copyLogIntoBackup(const AppState& state, const Services& services)
{
    const QString backupFolder = FileLookup::resolve(state.folders.DataFolder, QStringLiteral("BACKUP"));
    if (!QFileInfo(backupFolder).isDir() && !QDir().mkdir(backupFolder))
        return false;
    const QString name =
        services.clock->localNow().toString(QStringLiteral("yyyyMMddHHmm")) + QStringLiteral(".log");
    const QString target = FileLookup::resolve(backupFolder, name);
    const QString source = logPath(state);
    if (!QFileInfo::exists(source))
        return false;
    QFile::remove(target);
    return QFile::copy(source, target);
}

} // namespace

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

bool AppendLogEntry(const AppState& state)
{
    const qint32 n = state.log.QsoCount;
    if (n < 1 || n > MaxLogEntries)
        return false;
    QByteArray line;
    QBuffer buffer(&line);
    buffer.open(QIODevice::WriteOnly);
    RecordWriter writer(buffer);
    writeLogEntry(writer, state.log.Log[size_t(n)]);
    return DiskFile::appendDurably(logPath(state), line);
}

bool RewriteLogFile(const AppState& state)
{
    return DiskFile::replaceAtomically(logPath(state), [&](QIODevice& device) {
        RecordWriter writer(device);
        for (qint32 i = 1; i <= state.log.QsoCount; ++i)
            writeLogEntry(writer, state.log.Log[size_t(i)]);
        return writer.ok();
    });
}

bool DeleteLogEntry(AppState& state, qint32 n)
{
    LogStoreState& log = state.log;
    if (n < 1 || n > log.QsoCount)
        return false;
    for (qint32 i = n; i < log.QsoCount; ++i)
        log.Log[size_t(i)] = log.Log[size_t(i) + 1];
    --log.QsoCount;
    return RewriteLogFile(state);
}

// Reads records into the arrays until nothing but line ends is left; an 11001st record
// or one cut short by the end of the file is Unreadable.
static LoadLogResult readLogRecords(RecordReader& reader, LogStoreState& log)
{
    while (!reader.onlyLineEndsLeft()) {
        if (log.QsoCount >= MaxLogEntries)
            return LoadLogResult::Unreadable;
        ++log.QsoCount;
        LogEntry& slot = log.Log[size_t(log.QsoCount)];
        slot = LogEntry{};
        if (!readLogEntry(reader, slot))
            return LoadLogResult::Unreadable;
    }
    return LoadLogResult::Loaded;
}

LoadLogResult LoadLogFile(AppState& state)
{
    resetRecountedCounters(state);
    const QString path = logPath(state);
    LoadLogResult result = LoadLogResult::Loaded;
    if (QFileInfo::exists(path)) {
        auto reader = RecordReader::fromFile(path);
        result = reader ? readLogRecords(*reader, state.log) : LoadLogResult::Unreadable;
    }
    if (result == LoadLogResult::Loaded && state.log.FirstLoadCount == 0)
        state.log.FirstLoadCount = float(state.log.QsoCount);
    return result;
}

bool isReadableLog(const QByteArray& data)
{
    RecordReader reader(data);
    auto scratch = std::make_unique<LogStoreState>();
    return readLogRecords(reader, *scratch) == LoadLogResult::Loaded;
}

void LoadLogFileOrEnd(AppState& state, Services& services)
{
    if (LoadLogFile(state) == LoadLogResult::Loaded)
        return;
    services.dialogs->messageBox(QStringLiteral("Error opening file."), QStringLiteral("File Error"));
    services.endProgram(1);
}

bool StartNewLog(AppState& state, Services& services)
{
    const auto answer = services.dialogs->inputBox(
        QStringLiteral("Are you sure that you want to start a new log file?  This function will "
                       "ERASE the existing log file!\n\nTo verify that you want to start a new log "
                       "file, please type: YES"),
        QStringLiteral("WARNING - Your existing log file will be ERASED!"));
    if (!answer || answer->toUpper() != QLatin1String("YES"))
        return false;

    // The erased log always keeps a copy, whatever the close-time rule would say.
    const QFileInfo logInfo(logPath(state));
    const bool changedSinceFirstLoad =
        state.log.QsoCount > 0 && float(state.log.QsoCount) != state.log.FirstLoadCount;
    if ((logInfo.exists() && logInfo.size() > 0) || changedSinceFirstLoad)
        copyLogIntoBackup(state, services);

    state.clock.OperatingSeconds = 0;
    state.station.StoredOperatingSeconds = 0;
    DiskFile::replaceAtomically(logPath(state), [](QIODevice&) { return true; });
    state.log.QsoCount = 0;
    SavePrefFile(state);
    LoadLogFileOrEnd(state, services);
    return true;
}

void BackupLogFile(const AppState& state, const Services& services)
{
    if (state.log.QsoCount <= 0 || float(state.log.QsoCount) == state.log.FirstLoadCount)
        return;
    copyLogIntoBackup(state, services);
}
