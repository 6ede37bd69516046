#include "LogStoreFixture.h"
#include "core/LogStore.h"
#include "core/QStringPrinter.h"
#include "core/RecordFile.h"
#include "support/TestLog.h"
#include "support/TestServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

const QByteArray ExampleLine =
    R"("N0CALL","599","599","","CNTY","","","","","","","2024/09/28","14:05:12","CW","20",0,"","","14.025")"
    "\r\n";

LogEntry contact(const QString& call)
{
    return Qso{.call = call, .county = "CNTY", .time = "14:05:12", .date = "2024/09/28", .frequency = "14.025"}.entry();
}

// The nineteen values of contact(call), as text.
QStringList valuesOf(const QString& call)
{
    return {call, "599", "599", "", "CNTY", "", "", "", "", "", "", "2024/09/28", "14:05:12",
            "CW", "20", "0", "", "", "14.025"};
}

// One line holding the values as the program writes them: text quoted, the number 0 bare.
QByteArray line(const QStringList& values)
{
    QByteArray out;
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0)
            out += ',';
        out += values[i] == "0" ? QByteArray("0") : '"' + values[i].toLatin1() + '"';
    }
    return out + "\r\n";
}

class LogStoreTest : public LogStoreFixture {
protected:
    void setLog(const std::vector<LogEntry>& entries)
    {
        state.log.QsoCount = qint32(entries.size());
        for (size_t i = 0; i < entries.size(); ++i)
            state.log.Log[i + 1] = entries[i];
    }

    LoadLogResult loadBytes(const QByteArray& bytes)
    {
        writeBytes(logFile(), bytes);
        return LoadLogFile(state);
    }
};

TEST_F(LogStoreTest, AppendWritesTheRecordAsOneQuotedLineCreatingTheFile)
{
    setLog({contact("N0CALL")});
    ASSERT_TRUE(AppendLogEntry(state));
    EXPECT_EQ(readBytes(logFile()), ExampleLine);

    setLog({contact("N0CALL"), contact("W5XYZ")});
    ASSERT_TRUE(AppendLogEntry(state));
    EXPECT_EQ(readBytes(logFile()), ExampleLine + line(valuesOf("W5XYZ")));
}

TEST_F(LogStoreTest, AppendFailsWhenTheFileCannotBeWritten)
{
    QDir().mkdir(logFile()); // log.txt is a folder
    setLog({contact("N0CALL")});
    EXPECT_FALSE(AppendLogEntry(state));
}

TEST_F(LogStoreTest, RewrittenLogLoadsBackEqualIncludingTextWithCommas)
{
    LogEntry withComma = contact("K5ABC");
    withComma.Spc = "Austin, TX";
    withComma.Spare17 = ",";
    const std::vector<LogEntry> entries{contact("N0CALL"), withComma, contact("W5XYZ")};
    setLog(entries);
    ASSERT_TRUE(RewriteLogFile(state));

    AppState loaded;
    folders.applyTo(loaded);
    ASSERT_EQ(LoadLogFile(loaded), LoadLogResult::Loaded);
    ASSERT_EQ(loaded.log.QsoCount, 3);
    for (size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(loaded.log.Log[i + 1], entries[i]) << i + 1;
}

TEST_F(LogStoreTest, TextInTheNumberFieldLoadsAsZero)
{
    QStringList values = valuesOf("N0CALL");
    values[15] = "abc";
    ASSERT_EQ(loadBytes(line(values)), LoadLogResult::Loaded);
    EXPECT_EQ(state.log.Log[1].Spare16, 0);
    EXPECT_EQ(state.log.Log[1].Spare17, "");
    EXPECT_EQ(state.log.Log[1].Frequency, "14.025");
}

TEST_F(LogStoreTest, ValuesFlowAcrossLineBoundaries)
{
    // A 20-value line hands its last value to the next record as the call.
    QStringList longLine = valuesOf("AAA");
    longLine << "EXTRA";
    QStringList shortLine = valuesOf("BBB");
    shortLine.removeLast();
    ASSERT_EQ(loadBytes(line(longLine) + line(shortLine)), LoadLogResult::Loaded);
    ASSERT_EQ(state.log.QsoCount, 2);
    EXPECT_EQ(state.log.Log[1], contact("AAA"));
    EXPECT_EQ(state.log.Log[2].Call, "EXTRA");
    EXPECT_EQ(state.log.Log[2].RstSent, "BBB");
    EXPECT_EQ(state.log.Log[2].Frequency, "");

    // An 18-value line takes its last value from the next line.
    ASSERT_EQ(loadBytes(line(shortLine) + line(longLine)), LoadLogResult::Loaded);
    ASSERT_EQ(state.log.QsoCount, 2);
    EXPECT_EQ(state.log.Log[1].Frequency, "AAA");
    EXPECT_EQ(state.log.Log[2].Call, "599");
    EXPECT_EQ(state.log.Log[2].Frequency, "EXTRA");
}

TEST_F(LogStoreTest, EmptyLineBetweenRecordsIsOneValue)
{
    QStringList shortLine = valuesOf("BBB");
    shortLine.removeLast();
    ASSERT_EQ(loadBytes(ExampleLine + "\r\n" + line(shortLine)), LoadLogResult::Loaded);
    ASSERT_EQ(state.log.QsoCount, 2);
    EXPECT_EQ(state.log.Log[1].Call, "N0CALL");
    EXPECT_EQ(state.log.Log[2].Call, "");
    EXPECT_EQ(state.log.Log[2].RstSent, "BBB");

    // With two whole records around it, the last record comes up one value short.
    EXPECT_EQ(loadBytes(ExampleLine + "\r\n" + ExampleLine), LoadLogResult::Unreadable);
}

TEST_F(LogStoreTest, EmptyLinesAtTheEndAreIgnored)
{
    ASSERT_EQ(loadBytes(ExampleLine + ExampleLine + "\r\n\r\n\r\n"), LoadLogResult::Loaded);
    EXPECT_EQ(state.log.QsoCount, 2);
}

// A record that the end of the file cuts short in the middle of a line: the records before
// it are out of step, so nothing can be set aside safely.
TEST_F(LogStoreTest, RecordCutShortInsideALineIsUnreadable)
{
    QStringList shortLine = valuesOf("BBB");
    shortLine.removeLast();
    EXPECT_EQ(loadBytes(line(shortLine) + line(shortLine)), LoadLogResult::Unreadable);
    EXPECT_EQ(readBytes(logFile()), line(shortLine) + line(shortLine));
}

TEST_F(LogStoreTest, ByteOrderMarkIsNoPartOfTheFirstCallAndIsNotWrittenBack)
{
    ASSERT_EQ(loadBytes("\xEF\xBB\xBF" + ExampleLine), LoadLogResult::Loaded);
    ASSERT_EQ(state.log.QsoCount, 1);
    EXPECT_EQ(state.log.Log[1], contact("N0CALL"));
    ASSERT_TRUE(RewriteLogFile(state));
    EXPECT_EQ(readBytes(logFile()), ExampleLine);
}

TEST_F(LogStoreTest, HoldsElevenThousandRecordsAndNoMore)
{
    const QByteArray full = ExampleLine.repeated(MaxLogEntries);
    ASSERT_EQ(loadBytes(full), LoadLogResult::Loaded);
    EXPECT_EQ(state.log.QsoCount, MaxLogEntries);
    EXPECT_EQ(state.log.Log[MaxLogEntries].Call, "N0CALL");

    // Twice the cap: refused as too long, and the file is neither cut nor rewritten.
    const QByteArray doubled = full + full;
    EXPECT_EQ(loadBytes(doubled), LoadLogResult::OverCap);
    EXPECT_EQ(readBytes(logFile()), doubled);
    EXPECT_EQ(loadBytes(full + ExampleLine), LoadLogResult::OverCap);
    EXPECT_TRUE(QDir(state.folders.DataFolder + "/BACKUP").isEmpty());
}

TEST_F(LogStoreTest, MissingFileIsAnEmptyLog)
{
    state.log.QsoCount = 4;
    ASSERT_EQ(LoadLogFile(state), LoadLogResult::Loaded);
    EXPECT_EQ(state.log.QsoCount, 0);
    EXPECT_FALSE(QFileInfo::exists(logFile()));
}

TEST_F(LogStoreTest, LoadResetsTheRecountedCountersOnly)
{
    ScoreState& score = state.score;
    state.log.QsoCount = 9;
    score.QsoPoints = 12;
    score.WorkedMultCount = 3;
    for (BandDXList& band : score.DXCountries)
        band.Count = 2;
    score.WorkedMults[1][1] = 1;
    score.WorkedMults[8][260] = 1;
    score.WorkedMults[0][5] = 1;
    score.QsoCountCW = 4;
    score.QsoCountPH = 5;
    score.QsoCountDG = 6;

    ASSERT_EQ(loadBytes(ExampleLine), LoadLogResult::Loaded);
    EXPECT_EQ(state.log.QsoCount, 1);
    EXPECT_EQ(score.QsoPoints, 0);
    EXPECT_EQ(score.WorkedMultCount, 0);
    for (const BandDXList& band : score.DXCountries)
        EXPECT_EQ(band.Count, 0);
    EXPECT_EQ(score.WorkedMults[1][1], 0);
    EXPECT_EQ(score.WorkedMults[8][260], 0);
    EXPECT_EQ(score.WorkedMults[0][5], 1);
    EXPECT_EQ(score.QsoCountCW, 4);
    EXPECT_EQ(score.QsoCountPH, 5);
    EXPECT_EQ(score.QsoCountDG, 6);
}

TEST_F(LogStoreTest, FirstLoadCountIsTakenByTheFirstLoadThatFindsRecords)
{
    ASSERT_EQ(LoadLogFile(state), LoadLogResult::Loaded); // no file yet
    EXPECT_EQ(state.log.FirstLoadCount, 0);

    ASSERT_EQ(loadBytes(ExampleLine.repeated(2)), LoadLogResult::Loaded);
    EXPECT_EQ(state.log.FirstLoadCount, 2);

    ASSERT_EQ(loadBytes(ExampleLine.repeated(3)), LoadLogResult::Loaded);
    EXPECT_EQ(state.log.FirstLoadCount, 2);
}

// A change of band or mode reloads from memory while log.txt is unchanged: it must leave
// what a load of that file leaves, the first-load count included.
TEST_F(LogStoreTest, ReloadFromMemoryLeavesWhatALoadOfTheSameFileLeaves)
{
    for (const float firstLoad : {0.0f, 1.0f}) {
        SCOPED_TRACE(firstLoad);
        setLog({contact("K5A"), contact("K5B")});
        ASSERT_TRUE(RewriteLogFile(state));
        auto fromMemory = std::make_unique<AppState>(state);
        for (AppState* s : {&state, fromMemory.get()}) {
            s->log.FirstLoadCount = firstLoad;
            s->score.QsoPoints = 12;
            s->score.WorkedMultCount = 3;
            s->score.WorkedMults[3][7] = 1;
            s->score.WorkedMults[0][5] = 1;
            s->score.DXCountries[1].Count = 2;
        }
        ASSERT_EQ(LoadLogFile(state), LoadLogResult::Loaded);
        ReloadLogFromMemory(*fromMemory);
        EXPECT_EQ(fromMemory->log.QsoCount, state.log.QsoCount);
        EXPECT_EQ(fromMemory->log.FirstLoadCount, state.log.FirstLoadCount);
        EXPECT_EQ(fromMemory->log.Log[1], state.log.Log[1]);
        EXPECT_EQ(fromMemory->log.Log[2], state.log.Log[2]);
        EXPECT_EQ(describeScore(fromMemory->score), describeScore(state.score));
    }
}

TEST_F(LogStoreTest, TheStampOfTheLogChangesWithEveryWriteOnly)
{
    const FileStamp missing = logFileStamp(state);
    EXPECT_FALSE(missing.exists);
    setLog({contact("K5A")});
    ASSERT_TRUE(AppendLogEntry(state));
    const FileStamp appended = logFileStamp(state);
    EXPECT_NE(appended, missing);
    ASSERT_EQ(LoadLogFile(state), LoadLogResult::Loaded);
    EXPECT_EQ(logFileStamp(state), appended) << "reading changes nothing";

    // A rewrite of the same bytes is another file, and so is an append.
    ASSERT_TRUE(RewriteLogFile(state));
    const FileStamp rewritten = logFileStamp(state);
    EXPECT_NE(rewritten, appended);
    ASSERT_TRUE(QFile::setPermissions(logFile(), QFile::ReadOwner | QFile::WriteOwner));
    EXPECT_NE(logFileStamp(state), rewritten) << "new permissions";
}

// Whether a record comes back from log.txt as it went in: Latin-1 text without double quotes.
TEST_F(LogStoreTest, ARecordReadsBackAsHeldOnlyWhenTheFileKeepsIt)
{
    for (const QString& call : {QStringLiteral("W5ABC"), QStringLiteral("OH2\u00c4\u00d6"),
                                QStringLiteral("SP9\u0141"), QStringLiteral("W5\"A"), QString()}) {
        LogEntry entry = contact(call);
        RecordReader reader(logRecord(entry));
        LogEntry back;
        ASSERT_TRUE(readLogEntry(reader, back));
        EXPECT_EQ(readsBackAsHeld(entry), back == entry) << call.toStdString();
    }
    LogEntry band = contact("K5A");
    band.Band = QStringLiteral("2\u2009");
    EXPECT_FALSE(readsBackAsHeld(band)) << "any field";
}

TEST_F(LogStoreTest, UnreadableLogEndsTheProgramWithAMessage)
{
    writeBytes(logFile(), "\"short\"\r\n" + ExampleLine);
    EXPECT_THROW(LoadLogFileOrEnd(state, t.services, t.prompts()), ProgramEnded);
    const auto* box = t.dialogs->last("message");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text, "Error opening file.");
    EXPECT_EQ(box->title, "File Error");

    writeBytes(logFile(), ExampleLine);
    EXPECT_NO_THROW(LoadLogFileOrEnd(state, t.services, t.prompts()));
    EXPECT_EQ(t.dialogs->count("message"), 1);
    EXPECT_EQ(state.log.QsoCount, 1);
}

// A last record cut short is set aside with a word to the operator, and the log loads.
TEST_F(LogStoreTest, CutLastRecordIsRemovedWithAMessage)
{
    writeBytes(logFile(), ExampleLine + ExampleLine.left(ExampleLine.size() - 4));
    EXPECT_NO_THROW(LoadLogFileOrEnd(state, t.services, t.prompts()));
    EXPECT_EQ(state.log.QsoCount, 1);
    const auto* box = t.dialogs->last("message");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->title, "Unfinished Contact Removed");
    EXPECT_TRUE(box->text.endsWith("The removed line: " + QString::fromLatin1(ExampleLine.left(ExampleLine.size() - 4))))
        << box->text.toStdString();
    EXPECT_EQ(readBytes(logFile()), ExampleLine);
}

// The box shows the start of the removed line, however long it was, and how much more
// there was: a cut quoted value runs to the end of the file, line ends and all.
TEST_F(LogStoreTest, TheRemovedLineIsShownUpToAFewHundredCharacters)
{
    const QByteArray start = ExampleLine.left(40); // "N0CALL","599",... inside the county
    const struct Case {
        const char* name;
        QByteArray cut;
        QByteArray shown;
        qsizetype more;
    } cases[] = {
        {"short", start, start, 0},
        {"300 characters", start + QByteArray(260, 'x'), start + QByteArray(260, 'x'), 0},
        {"301 characters", start + QByteArray(261, 'x'), start + QByteArray(260, 'x'), 1},
        {"a megabyte", start + QByteArray(1 << 20, 'x'), start + QByteArray(260, 'x'), (1 << 20) - 260},
        {"many lines", start + QByteArray("a\r\nb\r\nc\r\nd\r\ne\r\nf"), start + "a\r\nb\r\nc\r\nd", 6},
    };
    for (const Case& c : cases) {
        writeBytes(logFile(), ExampleLine + c.cut);
        QString notice;
        ASSERT_EQ(LoadLogFile(state, &notice), LoadLogResult::Loaded) << c.name;
        EXPECT_EQ(state.log.QsoCount, 1) << c.name;
        const QString expected = "The removed line: " + QString::fromLatin1(c.shown)
                                 + (c.more ? QStringLiteral(" ... (%1 more characters not shown)").arg(c.more) : QString());
        EXPECT_TRUE(notice.endsWith(expected)) << c.name << ": " << notice.right(400).toStdString();
        EXPECT_LT(notice.size(), 1000) << c.name;
        EXPECT_EQ(readBytes(logFile()), ExampleLine) << c.name;
    }
}

// Without its copy in BACKUP the unfinished line is not cut: the log loads its whole
// records, the operator is told why at every load, and nothing is written after the line
// until the copy can be made.
TEST_F(LogStoreTest, ACutLineWhoseCopyCannotBeWrittenStaysAndTheLogLoads)
{
    const QByteArray cutLog = ExampleLine + ExampleLine.left(30);
    writeBytes(logFile(), cutLog);
    QDir(backupFolder()).removeRecursively();
    writeBytes(backupFolder(), "in the way"); // BACKUP cannot be made
    ASSERT_TRUE(QFileInfo(backupFolder()).isFile());
    for (int start = 1; start <= 2; ++start) {
        QString notice;
        ASSERT_EQ(LoadLogFile(state, &notice), LoadLogResult::Loaded) << start;
        EXPECT_EQ(state.log.QsoCount, 1);
        EXPECT_EQ(readBytes(logFile()), cutLog) << "nothing cut";
        EXPECT_TRUE(notice.contains("could not be written into BACKUP")) << notice.toStdString();
        EXPECT_TRUE(notice.contains("a file of that name is in the way")) << "the copy's own error";
        EXPECT_TRUE(notice.endsWith("The unfinished line: " + QString::fromLatin1(ExampleLine.left(30))));
    }

    // A new contact is not run into the unfinished line, nor a rewrite or a deletion made
    // without the copy.
    setLog({contact("N0CALL"), contact("W5XYZ")});
    QString error;
    EXPECT_FALSE(AppendLogEntry(state, &error));
    EXPECT_TRUE(error.contains("a file of that name is in the way")) << error.toStdString();
    EXPECT_FALSE(RewriteLogFile(state));
    EXPECT_FALSE(DeleteLogEntry(state, 1));
    EXPECT_EQ(state.log.QsoCount, 2);
    EXPECT_EQ(readBytes(logFile()), cutLog);

    // Once BACKUP can be written, the next write sets the line aside first.
    QFile::remove(backupFolder());
    ASSERT_TRUE(AppendLogEntry(state, &error)) << error.toStdString();
    EXPECT_EQ(readBytes(logFile()), ExampleLine + line(valuesOf("W5XYZ")));
    ASSERT_EQ(backups().size(), 1);
    EXPECT_EQ(readBytes(backupFolder() + "/" + backups().front()), cutLog);
    ASSERT_TRUE(AppendLogEntry(state));
    EXPECT_EQ(backups().size(), 1) << "set aside once";
}

TEST_F(LogStoreTest, RewriteReplacesTheWholeFile)
{
    writeBytes(logFile(), ExampleLine.repeated(5));
    setLog({contact("N0CALL")});
    ASSERT_TRUE(RewriteLogFile(state));
    EXPECT_EQ(readBytes(logFile()), ExampleLine);

    state.log.QsoCount = 0;
    ASSERT_TRUE(RewriteLogFile(state));
    EXPECT_TRUE(QFileInfo::exists(logFile()));
    EXPECT_EQ(readBytes(logFile()), QByteArray());
}

TEST_F(LogStoreTest, RewriteReplacesTheFileSpeltInAnotherCase)
{
    const QString upper = folders.work + "/LOG.TXT";
    writeBytes(upper, ExampleLine.repeated(3));
    setLog({contact("W5XYZ")});
    ASSERT_TRUE(RewriteLogFile(state));
    EXPECT_EQ(QDir(folders.work).entryList(QDir::Files), QStringList{"LOG.TXT"});
    EXPECT_EQ(readBytes(upper), line(valuesOf("W5XYZ")));
}

TEST_F(LogStoreTest, DeleteRemovesOneRecordFromMemoryAndFile)
{
    setLog({contact("AAA"), contact("BBB"), contact("CCC")});
    ASSERT_TRUE(RewriteLogFile(state));

    for (const qint32 outside : {0, 4, -1}) {
        EXPECT_FALSE(DeleteLogEntry(state, outside)) << outside;
        EXPECT_EQ(state.log.QsoCount, 3);
    }

    ASSERT_TRUE(DeleteLogEntry(state, 2));
    EXPECT_EQ(state.log.QsoCount, 2);
    EXPECT_EQ(state.log.Log[1].Call, "AAA");
    EXPECT_EQ(state.log.Log[2].Call, "CCC");
    EXPECT_EQ(readBytes(logFile()), line(valuesOf("AAA")) + line(valuesOf("CCC")));
}

TEST_F(LogStoreTest, BackupOnlyWhenTheLogChangedSinceTheFirstLoad)
{
    const QString target = backupFolder() + "/202604251305.log"; // FakeClock local time
    writeBytes(logFile(), ExampleLine);

    state.log.QsoCount = 0;
    BackupLogFile(state, t.services);
    state.log.QsoCount = 1;
    state.log.FirstLoadCount = 1;
    BackupLogFile(state, t.services);
    EXPECT_TRUE(backups().isEmpty());

    state.log.FirstLoadCount = 0;
    BackupLogFile(state, t.services);
    EXPECT_EQ(backups(), QStringList{"202604251305.log"});
    EXPECT_EQ(readBytes(target), ExampleLine);

    // The same minute again: a copy of its own, so the earlier one (perhaps the only copy
    // of a log that New erased) is kept.
    writeBytes(logFile(), ExampleLine.repeated(2));
    state.log.QsoCount = 2;
    BackupLogFile(state, t.services);
    EXPECT_EQ(backups(), (QStringList{"202604251305-2.log", "202604251305.log"}));
    EXPECT_EQ(readBytes(target), ExampleLine);
    EXPECT_EQ(readBytes(backupFolder() + "/202604251305-2.log"), ExampleLine.repeated(2));

    t.clock->local = QDateTime(QDate(2026, 12, 31), QTime(9, 7, 59));
    BackupLogFile(state, t.services);
    EXPECT_EQ(backups(), (QStringList{"202604251305-2.log", "202604251305.log", "202612310907.log"}));
}

TEST_F(LogStoreTest, BackupCreatesTheFolderAndFailsSilently)
{
    QDir(backupFolder()).removeRecursively();
    writeBytes(logFile(), ExampleLine);
    state.log.QsoCount = 1;
    BackupLogFile(state, t.services);
    EXPECT_EQ(backups(), QStringList{"202604251305.log"});

    state.folders.DataFolder = folders.path("no/such/folder");
    EXPECT_NO_THROW(BackupLogFile(state, t.services));
    EXPECT_TRUE(t.dialogs->shown.empty());
    EXPECT_FALSE(QFileInfo::exists(state.folders.DataFolder));
}

TEST_F(LogStoreTest, StartNewLogNeedsTheTypedYes)
{
    const std::optional<QString> refusals[] = {std::nullopt, QString(""), QString(" YES"),
                                               QString("YES "), QString("no"), QString("Y")};
    writeBytes(logFile(), ExampleLine);
    state.log.QsoCount = 1;
    for (const auto& answer : refusals) {
        t.dialogs->inputAnswers.push_back(answer);
        EXPECT_FALSE(StartNewLog(state, t.services, t.prompts())) << answer.value_or("<cancel>").toStdString();
        EXPECT_EQ(t.dialogs->last("input")->title, "WARNING - Your existing log file will be ERASED!");
    }
    EXPECT_EQ(readBytes(logFile()), ExampleLine);
    EXPECT_EQ(state.log.QsoCount, 1);
    EXPECT_TRUE(backups().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(folders.work + "/QSOpref.txt"));
}

TEST_F(LogStoreTest, StartNewLogBacksUpEmptiesAndReloads)
{
    for (const QString yes : {"YES", "yes"}) {
        SCOPED_TRACE(yes.toStdString());
        writeBytes(logFile(), ExampleLine.repeated(2));
        QDir(backupFolder()).removeRecursively();
        QFile::remove(folders.work + "/QSOpref.txt");
        ASSERT_EQ(LoadLogFile(state), LoadLogResult::Loaded);
        state.log.FirstLoadCount = 2; // unchanged since the first load: still backed up
        state.clock.OperatingSeconds = 3600;
        state.station.StoredOperatingSeconds = 1800;
        state.score.QsoPoints = 7; // recounted by the reload

        t.dialogs->inputAnswers.push_back(yes);
        ASSERT_TRUE(StartNewLog(state, t.services, t.prompts()));

        EXPECT_EQ(backups(), QStringList{"202604251305.log"});
        EXPECT_EQ(readBytes(backupFolder() + "/202604251305.log"), ExampleLine.repeated(2));
        EXPECT_TRUE(QFileInfo::exists(logFile()));
        EXPECT_EQ(readBytes(logFile()), QByteArray());
        EXPECT_EQ(state.log.QsoCount, 0);
        EXPECT_EQ(state.score.QsoPoints, 0);
        EXPECT_EQ(state.log.FirstLoadCount, 2);
        EXPECT_EQ(state.clock.OperatingSeconds, 0);
        EXPECT_EQ(state.station.StoredOperatingSeconds, 0);
        const QList<QByteArray> prefLines = readBytes(folders.work + "/QSOpref.txt").split('\n');
        ASSERT_GE(prefLines.size(), 18);
        EXPECT_EQ(prefLines[17], "0\r"); // StoredOperatingSeconds
        EXPECT_EQ(t.dialogs->count("message"), 0);
    }
}

TEST_F(LogStoreTest, StartNewLogWithoutALogFileMakesNoBackup)
{
    t.dialogs->inputAnswers.push_back(QString("YES"));
    ASSERT_TRUE(StartNewLog(state, t.services, t.prompts()));
    EXPECT_TRUE(backups().isEmpty());
    EXPECT_EQ(readBytes(logFile()), QByteArray());
}

} // namespace
