// The durable writes: an append or a rewrite either reaches the disk whole or leaves the
// file byte for byte as it was, and says why. Shown with the write-failure seam everywhere
// and on a real small disk that fills up where the machine lets the test mount one.

#include "platform/DiskFile.h"
#include "platform/WriteFaults.h"
#include "support/SmallDisk.h"
#include "support/TestServices.h"

#include <QDir>
#include <QFileInfo>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

const QByteArray Line = "\"N0CALL\",\"599\",\"599\",\"CNTY\"\r\n";

class DiskFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file(const QString& name = QStringLiteral("log.txt")) const { return dir.filePath(name); }
    QStringList entries() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
};

// ---- append ----

const QByteArray ByteOrderMark = "\xEF\xBB\xBF";

// The appended line follows the last line that holds anything: empty or blank lines an
// editor left at the end would otherwise stand between two records.
TEST_F(DiskFileTest, AppendStartsOnALineOfItsOwnRightAfterTheLastLine)
{
    const QByteArray manyEmptyLines = QByteArray("\r\n").repeated(5000); // longer than one read back
    const struct {
        const char* name;
        QByteArray before; // null: no file
        QByteArray after;
    } cases[] = {
        {"no file", QByteArray(), Line},
        {"empty file", "", Line},
        {"ends with CR LF", Line, Line + Line},
        {"ends with LF", "\"A\"\n", "\"A\"\r\n" + Line},
        {"ends with CR", "\"A\"\r", "\"A\"\r\n" + Line},
        {"last line without line end", "\"A\",\"B\"", "\"A\",\"B\"\r\n" + Line},
        {"empty lines after the last", Line + "\r\n\r\n", Line + Line},
        {"LF and CR empty lines", "\"A\"\n\n\r\r", "\"A\"\r\n" + Line},
        {"blank lines after the last", "\"A\"\r\n  \r\n\t\r\n ", "\"A\"\r\n" + Line},
        {"thousands of empty lines", Line + manyEmptyLines, Line + Line},
        {"only line ends", "\r\n\n\r", Line},
        {"byte-order mark only", ByteOrderMark, ByteOrderMark + Line},
        {"byte-order mark and empty lines", ByteOrderMark + "\r\n\r\n", ByteOrderMark + Line},
        {"byte-order mark and a line", ByteOrderMark + "\"A\"\r\n", ByteOrderMark + "\"A\"\r\n" + Line},
    };
    for (const auto& c : cases) {
        QFile::remove(file());
        if (!c.before.isNull())
            writeBytes(file(), c.before);
        QString error;
        EXPECT_TRUE(DiskFile::appendDurably(file(), Line, &error)) << c.name;
        EXPECT_EQ(readBytes(file()), c.after) << c.name;
        EXPECT_TRUE(error.isEmpty()) << c.name;
    }
}

// However far a failing append got, and whatever failed (a write, the sync), the file is
// put back as it was, the empty lines it cut included, and the message names the file
// and the reason.
TEST_F(DiskFileTest, FailedAppendLeavesNoTrace)
{
    const struct {
        QByteArray before;
        QByteArray content; // what the next append follows
    } cases[] = {
        {Line + Line, (Line + Line).chopped(2)},
        {"\"A\",\"B\"", "\"A\",\"B\""},
        {Line + "\r\n \n\r", Line.chopped(2)},
        {Line + QByteArray("\r\n").repeated(300), Line.chopped(2)}, // more than the append writes
    };
    for (const auto& c : cases) {
        const qint64 written = Line.size() + 2;
        std::vector<WriteFault> faults;
        for (qint64 n = 0; n < written; n += (n < 4 ? 1 : 7))
            faults.push_back({QString(), n, false});
        faults.push_back({QString(), -1, true});
        for (const WriteFault& fault : faults) {
            const std::string name = c.before.left(6).toStdString() + "(" + std::to_string(c.before.size()) + ") after "
                + std::to_string(fault.failAfterBytes) + (fault.failSync ? " bytes, sync fails" : " bytes");
            writeBytes(file(), c.before);
            QString error;
            {
                ScopedWriteFault broken(fault);
                EXPECT_FALSE(DiskFile::appendDurably(file(), Line, &error)) << name;
            }
            EXPECT_EQ(readBytes(file()), c.before) << name;
            EXPECT_TRUE(error.contains(QDir::toNativeSeparators(file()))) << error.toStdString();
            const char* reason = fault.failSync ? "Input/output error" : "No space left on device";
            EXPECT_TRUE(error.contains(QLatin1String(reason))) << error.toStdString();

            // The next append starts on a clean line.
            ASSERT_TRUE(DiskFile::appendDurably(file(), Line)) << name;
            EXPECT_EQ(readBytes(file()), c.content + "\r\n" + Line) << name;
        }
    }
}

TEST_F(DiskFileTest, FailedAppendToAMissingFileLeavesNoFile)
{
    ScopedWriteFault broken({QString(), 5, false});
    EXPECT_FALSE(DiskFile::appendDurably(file(), Line));
    EXPECT_TRUE(entries().isEmpty());
}

TEST_F(DiskFileTest, AppendToAFolderFailsWithTheReason)
{
    ASSERT_TRUE(QDir().mkdir(file()));
    QString error;
    EXPECT_FALSE(DiskFile::appendDurably(file(), Line, &error));
    EXPECT_TRUE(error.contains(QLatin1String("Is a directory"))) << error.toStdString();
}

TEST_F(DiskFileTest, FaultOnlyHitsTheFilesItNames)
{
    ScopedWriteFault broken({QStringLiteral("BACKUP"), 0, false});
    EXPECT_TRUE(DiskFile::appendDurably(file(), Line));
    EXPECT_TRUE(DiskFile::replaceAtomically(file(QStringLiteral("QSOpref.txt")), Line));
    EXPECT_FALSE(DiskFile::replaceAtomically(file(QStringLiteral("backup.log")), Line));
}

// ---- rewrite ----

TEST_F(DiskFileTest, RewriteReplacesTheWholeFileAndKeepsItsMode)
{
    writeBytes(file(), Line.repeated(5));
    QFile::setPermissions(file(), QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_TRUE(DiskFile::replaceAtomically(file(), Line));
    EXPECT_EQ(readBytes(file()), Line);
    EXPECT_EQ(QFileInfo(file()).permissions(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    ASSERT_TRUE(DiskFile::replaceAtomically(file(), QByteArray()));
    EXPECT_EQ(readBytes(file()), QByteArray());
    EXPECT_EQ(entries(), QStringList{"log.txt"});
}

TEST_F(DiskFileTest, FailedRewriteKeepsTheOldFileWhole)
{
    const QByteArray old = Line.repeated(3);
    const QByteArray replacement = Line.repeated(2) + "\"NEW\"\r\n";
    std::vector<WriteFault> faults;
    for (qint64 n = 0; n < replacement.size(); n += 9)
        faults.push_back({QString(), n, false});
    faults.push_back({QString(), -1, true});
    for (const WriteFault& fault : faults) {
        const std::string name = std::to_string(fault.failAfterBytes) + (fault.failSync ? " sync" : "");
        writeBytes(file(), old);
        QString error;
        {
            ScopedWriteFault broken(fault);
            EXPECT_FALSE(DiskFile::replaceAtomically(file(), replacement, &error)) << name;
        }
        EXPECT_EQ(readBytes(file()), old) << name;
        EXPECT_EQ(entries(), QStringList{"log.txt"}) << "no temporary file is left behind: " << name;
        EXPECT_TRUE(error.contains(QDir::toNativeSeparators(file()))) << error.toStdString();
    }
    // A file that did not exist still does not.
    ScopedWriteFault broken({QString(), 3, false});
    EXPECT_FALSE(DiskFile::replaceAtomically(file(QStringLiteral("new.txt")), Line));
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("new.txt"))));
}

TEST_F(DiskFileTest, RewriteWhoseWriterFailsWritesNothing)
{
    writeBytes(file(), Line);
    QString error;
    EXPECT_FALSE(DiskFile::replaceAtomically(file(), [](QIODevice& device) {
        device.write("partial");
        return false;
    }, &error));
    EXPECT_EQ(readBytes(file()), Line);
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(DiskFileTest, RewriteThroughALinkReplacesItsTarget)
{
    writeBytes(file(QStringLiteral("real.txt")), Line);
    ASSERT_TRUE(QFile::link(file(QStringLiteral("real.txt")), file()));
    ASSERT_TRUE(DiskFile::replaceAtomically(file(), Line + Line));
    EXPECT_TRUE(QFileInfo(file()).isSymLink());
    EXPECT_EQ(readBytes(file(QStringLiteral("real.txt"))), Line + Line);
}

TEST_F(DiskFileTest, TruncateAndEnsureFolder)
{
    writeBytes(file(), Line + Line);
    ASSERT_TRUE(DiskFile::truncateDurably(file(), Line.size()));
    EXPECT_EQ(readBytes(file()), Line);

    EXPECT_TRUE(DiskFile::ensureFolder(file(QStringLiteral("BACKUP"))));
    EXPECT_TRUE(DiskFile::ensureFolder(file(QStringLiteral("BACKUP"))));
    EXPECT_TRUE(QFileInfo(file(QStringLiteral("BACKUP"))).isDir());
    writeBytes(file(QStringLiteral("OTHER")), "x");
    QString error;
    EXPECT_FALSE(DiskFile::ensureFolder(file(QStringLiteral("OTHER")), &error));
    EXPECT_TRUE(error.contains(QLatin1String("a file of that name is in the way"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(file(QStringLiteral("OTHER"))))) << error.toStdString();
}

// A real failure without a full disk: the file-size limit, with its signal ignored as the
// program does, makes the write fail part-way.
TEST_F(DiskFileTest, WritePastTheFileSizeLimitFailsCleanly)
{
    const QByteArray log = Line.repeated(3);
    writeBytes(file(), log);
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = rlim_t(log.size() + Line.size() / 2);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    QString appendError;
    QString rewriteError;
    const bool appended = DiskFile::appendDurably(file(), Line, &appendError);
    const bool rewritten = DiskFile::replaceAtomically(file(), log + Line, &rewriteError);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(appended);
    EXPECT_FALSE(rewritten);
    EXPECT_EQ(readBytes(file()), log);
    EXPECT_EQ(entries(), QStringList{"log.txt"});
    EXPECT_TRUE(appendError.contains(QLatin1String("File too large"))) << appendError.toStdString();
    EXPECT_TRUE(rewriteError.contains(QLatin1String("File too large"))) << rewriteError.toStdString();
}

// ---- a real disk that fills up ----

class FullDisk : public ::testing::Test {
protected:
    SmallDisk disk;
    void SetUp() override
    {
        if (!disk.mounted())
            GTEST_SKIP() << "a small tmpfs cannot be mounted here (needs root)";
    }
};

TEST_F(FullDisk, AppendAndRewriteFailCleanlyAndWorkOnceThereIsSpace)
{
    // A log that fills its last block exactly, so the next line needs a new one.
    const QByteArray log = QByteArray(4096 - 2, 'x') + "\r\n";
    const QString path = disk.file(QStringLiteral("log.txt"));
    writeBytes(path, log);
    ASSERT_TRUE(disk.fill());

    QString error;
    EXPECT_FALSE(DiskFile::appendDurably(path, Line, &error));
    EXPECT_TRUE(error.contains(QLatin1String("No space left on device"))) << error.toStdString();
    EXPECT_EQ(readBytes(path), log);
    EXPECT_FALSE(DiskFile::replaceAtomically(path, Line, &error));
    EXPECT_TRUE(error.contains(QLatin1String("No space left on device"))) << error.toStdString();
    EXPECT_EQ(readBytes(path), log);
    EXPECT_EQ(QDir(disk.path()).entryList(QDir::Files), (QStringList{"filler", "log.txt"}));

    disk.freeSpace();
    EXPECT_TRUE(DiskFile::appendDurably(path, Line));
    EXPECT_EQ(readBytes(path), log + Line);
    EXPECT_TRUE(DiskFile::replaceAtomically(path, Line));
    EXPECT_EQ(readBytes(path), Line);
}

} // namespace
