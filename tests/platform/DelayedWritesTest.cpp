// Rewrites that wait: a run of asks for one file costs one write of the newest content,
// made once the delay has passed, at flush() or as the writes go; a write that fails is
// dropped without holding up the others.

#include "platform/DelayedWrites.h"
#include "platform/FileWriter.h"
#include "platform/WriteFaults.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

namespace {

class DelayedWritesTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    static QByteArray read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
    }
};

TEST_F(DelayedWritesTest, ARunOfAsksIsOneWriteOfTheNewestOnceTheDelayHasPassed)
{
    FileWriter writer;
    DelayedWrites writes(&writer, std::chrono::milliseconds(30));
    int made = 0;
    QByteArray band = "40";
    auto content = [&] {
        ++made;
        return band;
    };
    for (const char* b : {"40", "20", "15"}) {
        band = b;
        writes.replaceSoon(file("pref.txt"), content);
    }
    band = "10"; // changed after the last ask: the write takes what is there when it is made
    EXPECT_FALSE(QFile::exists(file("pref.txt")));
    EXPECT_TRUE(writes.pending());

    ASSERT_TRUE(QTest::qWaitFor([&] { return !writes.pending() && writer.idle(); }, 2000));
    EXPECT_EQ(read(file("pref.txt")), "10");
    EXPECT_EQ(made, 1);

    // The next ask waits its own delay.
    writes.replaceSoon(file("pref.txt"), [] { return QByteArray("6"); });
    EXPECT_EQ(read(file("pref.txt")), "10");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !writes.pending() && writer.idle(); }, 2000));
    EXPECT_EQ(read(file("pref.txt")), "6");
}

TEST_F(DelayedWritesTest, FlushAndTheEndWriteWhatWaitsAndAFailedWriteIsDropped)
{
    FileWriter writer;
    {
        DelayedWrites writes(&writer, std::chrono::hours(1));
        writes.replaceSoon(file("a.txt"), [] { return QByteArray("A"); });
        writes.replaceSoon(file("missing/b.txt"), [] { return QByteArray("B"); });
        writes.replaceSoon(file("c.txt"), [] { return QByteArray("C"); });
        writes.flush();
        EXPECT_FALSE(writes.pending());
        EXPECT_EQ(read(file("a.txt")), "A");
        EXPECT_EQ(read(file("c.txt")), "C");
        EXPECT_FALSE(QFile::exists(file("missing/b.txt")));

        writes.replaceSoon(file("a.txt"), [] { return QByteArray("A2"); });
    }
    EXPECT_EQ(read(file("a.txt")), "A2") << "the writes that wait are made as they go";
}

// The writer makes the rewrites off the asking thread, one at a time in the order asked,
// the last value of a file winning over one that has not started; what happened is told on
// the asking thread through its event loop, and waitForAll() returns once all are made.
TEST_F(DelayedWritesTest, TheWriterWritesOffTheAskingThreadInOrderAndTellsHowItWent)
{
    FileWriter writer;
    std::vector<std::string> told;
    const std::thread::id asking = std::this_thread::get_id();
    bool toldOnAskingThread = true;
    auto tell = [&](const char* name) {
        return [&, name](bool written, const QString& error) {
            toldOnAskingThread = toldOnAskingThread && std::this_thread::get_id() == asking;
            told.push_back(std::string(name) + (written ? " written" : " failed: " + error.toStdString()));
        };
    };
    {
        // Every write of this file fails to sync: the old content stays, the failure is told.
        ScopedWriteFault fault({.pathContains = QStringLiteral("refused"), .failSync = true});
        writer.replace(file("refused.txt"), QByteArray("R"), tell("refused"));
        for (int i = 0; i < 50; ++i)
            writer.replace(file("pref.txt"), QByteArray::number(i), tell("pref"));
        writer.replace(file("spot.txt"), QByteArray("S"), tell("spot"));
        writer.waitForAll();
    }
    EXPECT_TRUE(writer.idle());
    EXPECT_EQ(read(file("pref.txt")), "49") << "the last value wins";
    EXPECT_EQ(read(file("spot.txt")), "S");
    EXPECT_FALSE(QFile::exists(file("refused.txt")));
    EXPECT_TRUE(told.empty()) << "told through the event loop, after the fact";

    ASSERT_TRUE(QTest::qWaitFor([&] { return told.size() >= 3; }, 2000));
    ASSERT_GE(told.size(), 3u);
    EXPECT_TRUE(told[0].starts_with("refused failed: ")) << told[0];
    EXPECT_NE(told[0].find("refused.txt"), std::string::npos) << "the failure names the file";
    EXPECT_EQ(told.back(), "spot written");
    EXPECT_LE(told.size(), 52u);
    EXPECT_TRUE(toldOnAskingThread);
}

TEST_F(DelayedWritesTest, TheWriterMakesWhatIsQueuedBeforeItGoes)
{
    {
        FileWriter writer;
        for (const char* name : {"a.txt", "b.txt", "c.txt"})
            writer.replace(file(name), QByteArray(name));
    }
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        EXPECT_EQ(read(file(name)), name);
}

} // namespace
