// What the log store and the preference files do when a write fails: the file on disk is
// byte for byte what it was, memory holds nothing the file does not, and the reason is
// given with the file's name. Failures come from the platform's write-failure seam.

#include "LogStoreFixture.h"
#include "core/LogStore.h"
#include "core/Preferences.h"
#include "core/QStringPrinter.h"
#include "core/SharedPreferences.h"
#include "platform/WriteFaults.h"
#include "support/TestLog.h"
#include "support/TestServices.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

QByteArray record(const QString& call)
{
    return logRecord(Qso{.call = call, .county = QStringLiteral("HARR")}.entry());
}

// Faults that stop a write of about this many bytes at several points, and at the sync.
std::vector<WriteFault> faultsWithin(qint64 bytes, const QString& pathContains = QString())
{
    std::vector<WriteFault> faults;
    for (const qint64 n : {qint64(0), qint64(1), bytes / 2, bytes - 1})
        faults.push_back({pathContains, n, false});
    faults.push_back({pathContains, -1, true});
    return faults;
}

std::string describe(const WriteFault& f)
{
    return f.failSync ? std::string("sync fails") : "fails after " + std::to_string(f.failAfterBytes) + " bytes";
}

class LogWriteFailure : public LogStoreFixture {
protected:
    QStringList workFiles() const { return QDir(folders.work).entryList(QDir::Files | QDir::Hidden); }

    // Writes the calls as log.txt and loads it.
    void logOf(const QStringList& calls, const QByteArray& ending = QByteArray())
    {
        QByteArray bytes;
        for (const QString& call : calls)
            bytes += record(call);
        writeBytes(logFile(), bytes + ending);
        ASSERT_EQ(LoadLogFile(state), LoadLogResult::Loaded);
    }
    QStringList loadedCalls()
    {
        AppState fresh;
        folders.applyTo(fresh);
        QStringList calls;
        if (LoadLogFile(fresh) != LoadLogResult::Loaded)
            return {"<unreadable>"};
        for (qint32 i = 1; i <= fresh.log.QsoCount; ++i)
            calls << fresh.log.Log[size_t(i)].Call;
        return calls;
    }
    // Puts a contact into the next slot and appends it, as logging does.
    bool logContact(const QString& call, QString* error = nullptr)
    {
        appendContact(state, Qso{.call = call, .county = QStringLiteral("HARR")});
        if (AppendLogEntry(state, error))
            return true;
        --state.log.QsoCount;
        return false;
    }
};

// ---- append ----

TEST_F(LogWriteFailure, ContactAfterALastLineWithoutLineEndGoesOnALineOfItsOwn)
{
    QByteArray edited = record("W5ABC") + record("K5ZZ");
    edited.chop(2); // as an editor may leave it
    writeBytes(logFile(), edited);
    ASSERT_EQ(LoadLogFile(state), LoadLogResult::Loaded);
    ASSERT_TRUE(logContact("N5MM"));
    EXPECT_EQ(readBytes(logFile()), edited + "\r\n" + record("N5MM"));
    EXPECT_EQ(loadedCalls(), (QStringList{"W5ABC", "K5ZZ", "N5MM"}));
}

TEST_F(LogWriteFailure, FailedAppendLeavesTheLogAsItWas)
{
    logOf({"W5ABC", "K5ZZ"});
    const QByteArray before = readBytes(logFile());
    for (const WriteFault& fault : faultsWithin(record("N5MM").size())) {
        QString error;
        {
            ScopedWriteFault broken(fault);
            EXPECT_FALSE(logContact("N5MM", &error)) << describe(fault);
        }
        EXPECT_EQ(readBytes(logFile()), before) << describe(fault);
        EXPECT_TRUE(error.contains(QDir::toNativeSeparators(logFile()))) << error.toStdString();
        EXPECT_EQ(state.log.QsoCount, 2);
    }
    // Entered again once the disk takes it: stored once, on its own line.
    ASSERT_TRUE(logContact("N5MM"));
    EXPECT_EQ(readBytes(logFile()), before + record("N5MM"));
    EXPECT_EQ(loadedCalls(), (QStringList{"W5ABC", "K5ZZ", "N5MM"}));
}

// ---- rewrite and delete ----

TEST_F(LogWriteFailure, FailedDeleteKeepsTheContactInMemoryAndFile)
{
    logOf({"W5ABC", "K5ZZ", "N5MM"});
    const QByteArray before = readBytes(logFile());
    for (const WriteFault& fault : faultsWithin((record("W5ABC") + record("N5MM")).size())) {
        QString error;
        {
            ScopedWriteFault broken(fault);
            EXPECT_FALSE(DeleteLogEntry(state, 2, &error)) << describe(fault);
        }
        EXPECT_EQ(readBytes(logFile()), before) << describe(fault);
        EXPECT_EQ(workFiles(), QStringList{"log.txt"}) << describe(fault);
        EXPECT_TRUE(error.contains(QLatin1String("log.txt"))) << error.toStdString();
        ASSERT_EQ(state.log.QsoCount, 3);
        EXPECT_EQ(state.log.Log[2].Call, "K5ZZ");
        EXPECT_EQ(state.log.Log[3].Call, "N5MM");
    }
    ASSERT_TRUE(DeleteLogEntry(state, 2));
    EXPECT_EQ(loadedCalls(), (QStringList{"W5ABC", "N5MM"}));
}

TEST_F(LogWriteFailure, FailedRewriteKeepsTheOldFile)
{
    logOf({"W5ABC", "K5ZZ"});
    const QByteArray before = readBytes(logFile());
    state.log.Log[1].County = "TRAV"; // an edit
    for (const WriteFault& fault : faultsWithin(before.size())) {
        ScopedWriteFault broken(fault);
        QString error;
        EXPECT_FALSE(RewriteLogFile(state, &error)) << describe(fault);
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(readBytes(logFile()), before) << describe(fault);
    }
}

// ---- an append cut off part-way ----

// What a crash in the middle of an append or a copy leaves: the start of a record at the
// end of the file. The log loads without it, the whole file is kept in BACKUP, and the
// operator is told.
TEST_F(LogWriteFailure, UnfinishedLastRecordIsCutOffAndKept)
{
    const QByteArray two = record("W5ABC") + record("K5ZZ");
    QByteArray unterminated = record("K5ZZ");
    unterminated.chop(2);
    const QByteArray withFrequency = logRecord(Qso{.call = "N5MM", .frequency = "14.025"}.entry());
    const QByteArray mark = "\xEF\xBB\xBF";
    const struct {
        const char* name;
        QByteArray file;
        QByteArray kept; // log.txt afterwards
        QStringList calls;
    } cases[] = {
        {"inside a quoted value", two + "\"N5M", two, {"W5ABC", "K5ZZ"}},
        {"between values", two + "\"N5MM\",\"599\",", two, {"W5ABC", "K5ZZ"}},
        {"after the line end written first", record("W5ABC") + unterminated + "\r\n\"N5", record("W5ABC") + unterminated + "\r\n",
         {"W5ABC", "K5ZZ"}},
        {"the only line", "\"N5MM\",\"59", "", {}},
        {"inside the last frequency value", two + withFrequency.left(withFrequency.indexOf("14.0") + 3), two,
         {"W5ABC", "K5ZZ"}},
        {"right after the last value's opening quote", two + withFrequency.left(withFrequency.lastIndexOf(",\"") + 2), two,
         {"W5ABC", "K5ZZ"}},
        {"short record with its line end", two + "\"N5MM\",\"599\"\r\n", two, {"W5ABC", "K5ZZ"}},
        {"short record with empty lines after it", two + "\"N5MM\",\"599\"\n\n\n", two, {"W5ABC", "K5ZZ"}},
        {"short record over two lines", two + "\"N5MM\",\"599\"\r\n\"HARR\",\"\"\r\n", two, {"W5ABC", "K5ZZ"}},
        {"after a byte-order mark", mark + "\"N5MM\",\"59", mark, {}},
    };
    for (const auto& c : cases) {
        QDir(backupFolder()).removeRecursively();
        writeBytes(logFile(), c.file);
        QString notice;
        ASSERT_EQ(LoadLogFile(state, &notice), LoadLogResult::Loaded) << c.name;
        EXPECT_EQ(readBytes(logFile()), c.kept) << c.name;
        EXPECT_EQ(loadedCalls(), c.calls) << c.name;
        EXPECT_EQ(state.log.QsoCount, c.calls.size()) << c.name;
        ASSERT_EQ(backups().size(), 1) << c.name;
        EXPECT_EQ(readBytes(backupFolder() + '/' + backups().front()), c.file) << c.name;
        EXPECT_TRUE(notice.contains(QDir::toNativeSeparators(backupFolder() + '/' + backups().front()))) << notice.toStdString();
    }
}

TEST_F(LogWriteFailure, OnlyAnUnfinishedLastRecordIsCutOff)
{
    QByteArray whole = record("W5ABC") + record("K5ZZ");
    whole.chop(2);
    const struct {
        const char* name;
        QByteArray file;
        LoadLogResult result;
    } cases[] = {
        {"whole record without line end", whole, LoadLogResult::Loaded},
        // The records before it are out of step: the last record starts inside a line.
        {"damage before the last line", "\"W5ABC\"\r\n" + record("K5ZZ") + "\"N5", LoadLogResult::Unreadable},
    };
    for (const auto& c : cases) {
        writeBytes(logFile(), c.file);
        QString notice;
        EXPECT_EQ(LoadLogFile(state, &notice), c.result) << c.name;
        EXPECT_EQ(readBytes(logFile()), c.file) << c.name;
        EXPECT_TRUE(notice.isEmpty()) << c.name;
        EXPECT_TRUE(backups().isEmpty()) << c.name;
    }
}

// ---- File > New ----

TEST_F(LogWriteFailure, NewLeavesTheLogWhenItsCopyOrTheEmptyingFails)
{
    const struct {
        const char* name;
        bool backupIsAFile;
        WriteFault fault;
        const char* reason;
    } cases[] = {
        {"a file named BACKUP", true, {}, "a file of that name is in the way"},
        {"copy fails part-way", false, {"BACKUP", 40, false}, "No space left on device"},
        {"copy fails its sync", false, {"BACKUP", -1, true}, "Input/output error"},
        {"emptying fails", false, {"log.txt", -1, true}, "Input/output error"},
    };
    for (const auto& c : cases) {
        QDir(backupFolder()).removeRecursively();
        QFile::remove(backupFolder());
        if (c.backupIsAFile)
            writeBytes(backupFolder(), "not a folder");
        logOf({"W5ABC", "K5ZZ"});
        const QByteArray before = readBytes(logFile());
        state.clock.OperatingSeconds = 3600;
        state.station.StoredOperatingSeconds = 1800;
        t.dialogs->shown.clear();
        t.dialogs->inputAnswers = {QString("YES")};
        {
            ScopedWriteFault broken(c.fault);
            EXPECT_FALSE(StartNewLog(state, t.services, t.prompts())) << c.name;
        }
        EXPECT_EQ(readBytes(logFile()), before) << c.name;
        EXPECT_EQ(state.log.QsoCount, 2) << c.name;
        EXPECT_EQ(state.clock.OperatingSeconds, 3600) << c.name;
        EXPECT_EQ(state.station.StoredOperatingSeconds, 1800) << c.name;
        EXPECT_FALSE(QFileInfo::exists(folders.work + "/QSOpref.txt")) << c.name;
        const auto* box = t.dialogs->last("message");
        ASSERT_NE(box, nullptr) << c.name;
        EXPECT_EQ(box->title, "Unable to write file.");
        EXPECT_TRUE(box->text.startsWith("The log was not erased")) << box->text.toStdString();
        EXPECT_TRUE(box->text.contains(QLatin1String(c.reason))) << box->text.toStdString();
        if (!c.backupIsAFile) {
            EXPECT_EQ(backups().size(), QString(c.fault.pathContains) == "log.txt" ? 1 : 0) << c.name;
        }
    }
}

TEST_F(LogWriteFailure, NewWithAnEmptyLogNeedsNoCopy)
{
    QDir(backupFolder()).removeRecursively();
    writeBytes(backupFolder(), "not a folder");
    writeBytes(logFile(), "");
    t.dialogs->inputAnswers = {QString("YES")};
    EXPECT_TRUE(StartNewLog(state, t.services, t.prompts()));
    EXPECT_EQ(t.dialogs->count("message"), 0);
}

// ---- archive and restore ----

TEST_F(LogWriteFailure, FailedArchiveKeepsTheOldArchive)
{
    logOf({"W5ABC", "K5ZZ"});
    const QString target = backupFolder() + "/W5XYZ2026-04-25.log";
    writeBytes(target, record("OLD"));
    for (const WriteFault& fault : faultsWithin(readBytes(logFile()).size(), "W5XYZ")) {
        ScopedWriteFault broken(fault);
        QString error;
        EXPECT_FALSE(ArchiveLogFile(state, target, &error)) << describe(fault);
        EXPECT_TRUE(error.contains(QDir::toNativeSeparators(target))) << error.toStdString();
        EXPECT_EQ(readBytes(target), record("OLD")) << describe(fault);
    }
}

TEST_F(LogWriteFailure, RestoreKeepsEachReplacedLogUnderANameOfItsOwn)
{
    const QString archive = folders.path("archive.log");
    writeBytes(archive, record("N5AA") + record("N5BB"));
    logOf({"W5ABC"});
    const QByteArray first = readBytes(logFile());
    QString error;
    ASSERT_TRUE(RestoreLogFile(state, t.services, archive, &error)) << error.toStdString();
    writeBytes(logFile(), record("K5ZZ"));
    ASSERT_TRUE(RestoreLogFile(state, t.services, archive, &error)) << error.toStdString(); // the same minute
    EXPECT_EQ(readBytes(logFile()), readBytes(archive));
    EXPECT_EQ(backups(), (QStringList{"202604251305-2.log", "202604251305.log"}));
    EXPECT_EQ(readBytes(backupFolder() + "/202604251305.log"), first);
    EXPECT_EQ(readBytes(backupFolder() + "/202604251305-2.log"), record("K5ZZ"));
}

TEST_F(LogWriteFailure, RestoreLeavesTheLogWhenItsCopyOrTheReplacingFails)
{
    const QString archive = folders.path("archive.log");
    writeBytes(archive, record("N5AA"));
    logOf({"W5ABC", "K5ZZ"});
    const QByteArray before = readBytes(logFile());
    const std::pair<QString, qint64> writes[] = {{"BACKUP", before.size()}, {"log.txt", record("N5AA").size()}};
    for (const auto& [which, size] : writes) {
        for (const WriteFault& fault : faultsWithin(size, which)) {
            QDir(backupFolder()).removeRecursively();
            ScopedWriteFault broken(fault);
            QString error;
            EXPECT_FALSE(RestoreLogFile(state, t.services, archive, &error)) << which.toStdString() << describe(fault);
            EXPECT_EQ(readBytes(logFile()), before) << which.toStdString() << describe(fault);
            EXPECT_FALSE(error.isEmpty());
            if (which == "BACKUP") {
                EXPECT_TRUE(error.startsWith("log.txt was left as it was")) << error.toStdString();
            }
        }
    }
}

// ---- preference files ----

TEST_F(LogWriteFailure, FailedPreferenceSavesKeepTheOldFiles)
{
    state.station.OwnCall = "W5XYZ";
    ASSERT_TRUE(SavePrefFile(state));
    const QByteArray prefs = readBytes(folders.work + "/QSOpref.txt");
    const QString sharedPath = state.folders.SharedFolder + "/SharedUserPreferences.xml";
    LoadGlobalPreferences(state.shared, sharedPath);
    QString key = "OWN_CALL";
    ASSERT_TRUE(SetGlobalPreference(state.shared, key, "W5XYZ", 1));
    const QByteArray shared = readBytes(sharedPath);

    state.station.OwnCall = "K5ZZZ"; // the same length, so every fault falls inside the write
    for (const WriteFault& fault : faultsWithin(prefs.size())) {
        ScopedWriteFault broken(fault);
        EXPECT_FALSE(SavePrefFile(state)) << describe(fault);
        EXPECT_EQ(readBytes(folders.work + "/QSOpref.txt"), prefs) << describe(fault);
    }
    for (const WriteFault& fault : faultsWithin(shared.size())) {
        ScopedWriteFault broken(fault);
        QString error;
        EXPECT_FALSE(SetGlobalPreference(state.shared, key, "K5ZZZ", 1, &error)) << describe(fault);
        EXPECT_EQ(readBytes(sharedPath), shared) << describe(fault);
        EXPECT_TRUE(error.contains(QDir::toNativeSeparators(sharedPath))) << error.toStdString();
    }
}

} // namespace
