// The log as the windows use it: a load counts log.txt, each contact logged is written and
// counted, and a change of band or mode takes the records in memory only while log.txt is
// as the log last read or wrote it; whatever else wrote the file is read again.

#include "entry/ContestLog.h"

#include "core/LogStoreFixture.h"
#include "support/TestLog.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>

namespace {

class ContestLogTest : public LogStoreFixture {
protected:
    void SetUp() override
    {
        LogStoreFixture::SetUp();
        setUpStation(state.station);
        ASSERT_TRUE(writeLogFile(logFile(), loaded));
        ASSERT_EQ(log.load(), LoadLogResult::Loaded);
        ASSERT_EQ(log.count(), 2);
    }

    // Another program's record at the end of log.txt.
    void appendElsewhere(const LogEntry& entry)
    {
        QFile file(logFile());
        ASSERT_TRUE(file.open(QIODevice::Append));
        ASSERT_EQ(file.write(logRecord(entry)), logRecord(entry).size());
    }

    // A change of band or mode as the log window makes it: from memory when it may, else a
    // load of log.txt.
    void changeBand()
    {
        state.station.CurrentBand = QStringLiteral("40");
        if (!log.reloadFromMemory()) {
            ASSERT_EQ(log.load(), LoadLogResult::Loaded);
        }
    }

    // The records in memory, oldest first.
    std::vector<LogEntry> records() const
    {
        std::vector<LogEntry> held;
        for (qint32 n = 1; n <= log.count(); ++n)
            held.push_back(log.entry(n));
        return held;
    }

    const std::vector<LogEntry> loaded = entriesOf({{.call = "K5A", .spc = "TX"}, {.call = "W1A", .spc = "CT"}});
    const LogEntry foreign = Qso{.call = "VE3X", .band = "40", .spc = "ON"}.entry();
    const LogEntry own = Qso{.call = "N5OWN", .band = "15", .spc = "OK"}.entry();
    ContestLog log{state};
};

TEST_F(ContestLogTest, AContactLoggedIsWrittenAfterTheOthersAndCounted)
{
    ASSERT_TRUE(log.append(own));
    EXPECT_EQ(readBytes(logFile()), logFileBytes(std::vector<LogEntry>{loaded[0], loaded[1], own}));
    EXPECT_EQ(log.tally().counted(), 3);

    // Nothing else wrote log.txt: the change takes the records in memory, as they are.
    ASSERT_TRUE(log.reloadFromMemory());
    EXPECT_EQ(records(), (std::vector<LogEntry>{loaded[0], loaded[1], own}));
    EXPECT_EQ(log.tally().counted(), 3);
}

TEST_F(ContestLogTest, AnotherProgramsAppendIsCountedAfterAContactAndABandChange)
{
    appendElsewhere(foreign);
    ASSERT_TRUE(log.append(own));
    changeBand();
    // log.txt holds the other program's record before this one; so does the log now.
    EXPECT_EQ(records(), (std::vector<LogEntry>{loaded[0], loaded[1], foreign, own}));
    EXPECT_EQ(log.tally().counted(), 4);
    EXPECT_EQ(readBytes(logFile()), logFileBytes(std::vector<LogEntry>{loaded[0], loaded[1], foreign, own}));

    // Once read again, the next contact and change come from memory.
    const LogEntry next = Qso{.call = "K5NXT"}.entry();
    ASSERT_TRUE(log.append(next));
    EXPECT_TRUE(log.reloadFromMemory());
    EXPECT_EQ(log.count(), 5);
}

// Whatever leaves log.txt other than the records and the tally: the next change reads it.
TEST_F(ContestLogTest, AChangeReadsLogTxtAgainOnceItMayHoldOtherRecords)
{
    LogEntry quoted = own;
    quoted.Spc = QStringLiteral("say \"hi\""); // log.txt cannot keep the quote
    const struct {
        const char* name;
        std::function<void()> step;
    } cases[] = {
        {"another program's append", [&] { appendElsewhere(foreign); }},
        {"another program's append, then a contact",
         [&] {
             appendElsewhere(foreign);
             ASSERT_TRUE(log.append(own));
         }},
        {"a contact the file keeps otherwise", [&] { ASSERT_TRUE(log.append(quoted)); }},
        {"a rewrite", [&] { ASSERT_TRUE(log.rewrite()); }},
        {"a contact taken out", [&] { ASSERT_TRUE(log.remove(1)); }},
        {"log.txt replaced", [&] { ASSERT_TRUE(writeLogFile(logFile(), {foreign})); }},
        {"an archive restored",
         [&] {
             const QString archive = folders.path("kept.log");
             QString error;
             ASSERT_TRUE(log.archive(archive, &error)) << error.toStdString();
             ASSERT_TRUE(log.restore(t.services, archive, &error)) << error.toStdString();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(writeLogFile(logFile(), loaded));
        ASSERT_EQ(log.load(), LoadLogResult::Loaded);
        c.step();
        EXPECT_FALSE(log.reloadFromMemory());
        ASSERT_EQ(log.load(), LoadLogResult::Loaded);
        EXPECT_EQ(log.tally().counted(), log.count());
        EXPECT_TRUE(log.reloadFromMemory()) << "read again, the log is as tallied";
    }
}

TEST_F(ContestLogTest, AContactNotWrittenLeavesTheLogAsItWas)
{
    // log.txt cannot be written: it is a folder.
    ASSERT_TRUE(QFile::remove(logFile()));
    ASSERT_TRUE(QDir().mkdir(logFile()));
    QString error;
    EXPECT_FALSE(log.append(own, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(records(), loaded);
    EXPECT_EQ(log.tally().counted(), 2);

    // A full log takes no contact at all.
    ASSERT_TRUE(QDir().rmdir(logFile()));
    ASSERT_TRUE(writeLogFile(logFile(), loaded));
    state.log.QsoCount = MaxLogEntries;
    EXPECT_TRUE(log.full());
    EXPECT_FALSE(log.append(own, &error));
    EXPECT_EQ(log.count(), MaxLogEntries);
    EXPECT_EQ(readBytes(logFile()), logFileBytes(loaded));
}

TEST_F(ContestLogTest, ALogThatDoesNotLoadIsNotLoadedAndNeverTakenFromMemory)
{
    // A record cut short before the last one.
    writeBytes(logFile(), "\"K5A\",\"599\"\r\n" + logRecord(own));
    EXPECT_EQ(log.load(), LoadLogResult::Unreadable);
    EXPECT_FALSE(log.loaded());
    EXPECT_FALSE(log.reloadFromMemory());

    ASSERT_TRUE(writeLogFile(logFile(), loaded));
    EXPECT_EQ(log.load(), LoadLogResult::Loaded);
    EXPECT_TRUE(log.loaded());
    EXPECT_TRUE(log.reloadFromMemory());
}

} // namespace
