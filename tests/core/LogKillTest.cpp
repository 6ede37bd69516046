// A log writer killed at random moments, in the middle of an append or a rewrite: every
// contact it reported as written is in log.txt, in order and once, and the file loads.

#include "core/LogStore.h"
#include "support/TestServices.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

const int Rounds = 12;

struct KillRun {
    qint32 acknowledged = 0; // the highest contact number the writer reported written
    qint32 cutLines = 0;     // loads that had to cut an unfinished last line
};

// One writer, killed after a few acknowledged contacts and a random pause.
qint32 runAndKill(const QString& mode, const TestFolders& folders, QRandomGenerator& random)
{
    QProcess writer;
    writer.start(QStringLiteral(LOG_WRITER_CHILD),
                 {mode, folders.work, folders.documents + QStringLiteral("/Vexol Software/Texas")});
    if (!writer.waitForStarted())
        return -1;
    const int acksBeforeKill = random.bounded(4);
    int acks = 0;
    while (acks < acksBeforeKill && writer.waitForReadyRead(5000))
        acks = int(writer.peek(1 << 20).count('\n'));
    ::usleep(useconds_t(random.bounded(3000))); // somewhere inside the next write
    writer.kill();
    writer.waitForFinished();
    qint32 last = 0;
    for (const QByteArray& line : writer.readAllStandardOutput().split('\n')) {
        if (!line.isEmpty())
            last = line.toInt();
    }
    return last;
}

KillRun killRepeatedly(const QString& mode, quint32 seed)
{
    TestFolders folders;
    QRandomGenerator random(seed);
    KillRun run;
    for (int round = 0; round < Rounds; ++round) {
        const qint32 acked = runAndKill(mode, folders, random);
        EXPECT_GE(acked, 0) << "the writer did not start";
        run.acknowledged = std::max(run.acknowledged, acked);

        AppState state;
        folders.applyTo(state);
        QString notice;
        EXPECT_EQ(LoadLogFile(state, &notice), LoadLogResult::Loaded) << "round " << round;
        if (!notice.isEmpty())
            ++run.cutLines;
        // Every acknowledged contact, at most the one being written besides, each once.
        EXPECT_GE(state.log.QsoCount, run.acknowledged) << "round " << round;
        EXPECT_LE(state.log.QsoCount, run.acknowledged + 1) << "round " << round;
        for (qint32 i = 1; i <= state.log.QsoCount; ++i)
            EXPECT_EQ(state.log.Log[size_t(i)].Call, QStringLiteral("K%1").arg(i)) << "round " << round;
        run.acknowledged = state.log.QsoCount;
        if (::testing::Test::HasFailure())
            break;
    }
    return run;
}

TEST(LogKill, EveryAcknowledgedAppendSurvivesAKill)
{
    const quint32 seed = QRandomGenerator::global()->generate();
    SCOPED_TRACE("seed " + std::to_string(seed));
    const KillRun run = killRepeatedly(QStringLiteral("append"), seed);
    EXPECT_GT(run.acknowledged, 0);
}

TEST(LogKill, EveryAcknowledgedRewriteSurvivesAKill)
{
    const quint32 seed = QRandomGenerator::global()->generate();
    SCOPED_TRACE("seed " + std::to_string(seed));
    const KillRun run = killRepeatedly(QStringLiteral("rewrite"), seed);
    EXPECT_GT(run.acknowledged, 0);
    EXPECT_EQ(run.cutLines, 0) << "a rewrite never leaves an unfinished line";
}

// What a rewrite killed before its rename leaves is cleared by the next rewrite.
TEST(LogKill, NextRewriteClearsTheTemporaryFilesOfKilledOnes)
{
    TestFolders folders;
    for (const char* name : {".log.txt.new-AbC123", ".log.txt.new-zz9ZZ9"})
        writeBytes(folders.work + QLatin1Char('/') + QLatin1String(name), "\"K1\"");
    for (const char* name : {".QSOpref.txt.new-AbC123", "log.txt.new-report"})
        writeBytes(folders.work + QLatin1Char('/') + QLatin1String(name), "x");
    AppState state;
    folders.applyTo(state);
    ASSERT_TRUE(RewriteLogFile(state));
    EXPECT_EQ(QDir(folders.work).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{".QSOpref.txt.new-AbC123", "log.txt", "log.txt.new-report"}));
}

} // namespace
