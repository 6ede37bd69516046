// Rewrites that wait: a run of asks for one file costs one write of the newest content,
// made once the delay has passed, at flush() or as the writes go; a write that fails is
// dropped without holding up the others.

#include "platform/DelayedWrites.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

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
    DelayedWrites writes(std::chrono::milliseconds(30));
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

    ASSERT_TRUE(QTest::qWaitFor([&] { return !writes.pending(); }, 2000));
    EXPECT_EQ(read(file("pref.txt")), "10");
    EXPECT_EQ(made, 1);

    // The next ask waits its own delay.
    writes.replaceSoon(file("pref.txt"), [] { return QByteArray("6"); });
    EXPECT_EQ(read(file("pref.txt")), "10");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !writes.pending(); }, 2000));
    EXPECT_EQ(read(file("pref.txt")), "6");
}

TEST_F(DelayedWritesTest, FlushAndTheEndWriteWhatWaitsAndAFailedWriteIsDropped)
{
    {
        DelayedWrites writes(std::chrono::hours(1));
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

} // namespace
