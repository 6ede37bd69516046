// The durable writes together with the lookup without case, and the edges of the writes
// that the write-failure tests leave aside: whole reads, large contents, paths that are
// folders or lie in missing folders.

#include "platform/DiskFile.h"
#include "platform/FileLookup.h"

#include "core/QStringPrinter.h"
#include "support/TestServices.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class FileWriting : public ::testing::Test {
protected:
    TestFolders folders;
    QString work(const QString& name) const { return folders.work + QLatin1Char('/') + name; }
    QStringList files() const { return QDir(folders.work).entryList(QDir::Files | QDir::Hidden); }
};

// A file edited or copied in under another case is the one the program rewrites and
// appends to; a file that is not there is made with the spelling the program gives.
TEST_F(FileWriting, WritesGoToTheFileTheLookupFound)
{
    writeBytes(work("qsopref.TXT"), "old\r\n");
    writeBytes(work("LOG.txt"), "\"K5ABC\"\r\n");
    ASSERT_TRUE(DiskFile::replaceAtomically(FileLookup::resolve(folders.work, "QSOpref.txt"), QByteArray("new\r\n")));
    ASSERT_TRUE(DiskFile::appendDurably(FileLookup::resolve(folders.work, "log.txt"), "\"W1AW\"\r\n"));
    ASSERT_TRUE(DiskFile::replaceAtomically(FileLookup::resolve(folders.work, "CW.txt"), QByteArray("cw\r\n")));
    EXPECT_EQ(files(), (QStringList{"CW.txt", "LOG.txt", "qsopref.TXT"}));
    EXPECT_EQ(readBytes(work("qsopref.TXT")), "new\r\n");
    EXPECT_EQ(readBytes(work("LOG.txt")), "\"K5ABC\"\r\n\"W1AW\"\r\n");
}

TEST_F(FileWriting, ReadWholeGivesEveryByteOrTheReason)
{
    QByteArray everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte.append(char(b));
    writeBytes(work("bytes.bin"), everyByte);
    QByteArray read;
    QString error;
    ASSERT_TRUE(DiskFile::readWhole(work("bytes.bin"), &read, &error));
    EXPECT_EQ(read, everyByte);

    EXPECT_FALSE(DiskFile::readWhole(work("missing.txt"), &read, &error));
    EXPECT_TRUE(error.startsWith(QDir::toNativeSeparators(work("missing.txt")) + " could not be read"))
        << error.toStdString();
    EXPECT_FALSE(DiskFile::readWhole(folders.work, &read, &error)) << "a folder is no file";
}

TEST_F(FileWriting, LargeContentsArriveWhole)
{
    QByteArray big;
    for (int i = 0; big.size() < 3 * 1024 * 1024; ++i)
        big += "\"K5N" + QByteArray::number(i) + "\",\"599\",\"599\",\"TX\",\"TRAV\"\r\n";
    ASSERT_TRUE(DiskFile::replaceAtomically(work("log.txt"), big));
    EXPECT_EQ(readBytes(work("log.txt")), big);
    ASSERT_TRUE(DiskFile::appendDurably(work("log.txt"), big));
    EXPECT_EQ(readBytes(work("log.txt")), big + big);
    EXPECT_EQ(files(), QStringList{"log.txt"});
}

TEST_F(FileWriting, AFolderOrAMissingFolderIsRefusedAndLeavesNothing)
{
    ASSERT_TRUE(QDir().mkpath(work("QSOpref.txt/inside")));
    QString error;
    EXPECT_FALSE(DiskFile::replaceAtomically(work("QSOpref.txt"), QByteArray("x"), &error));
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(work("QSOpref.txt")))) << error.toStdString();
    EXPECT_TRUE(QFileInfo(work("QSOpref.txt/inside")).isDir()) << "the folder is untouched";
    EXPECT_TRUE(files().isEmpty()) << "no temporary file is left behind";

    const QString lost = work("no such folder/log.txt");
    EXPECT_FALSE(DiskFile::replaceAtomically(lost, QByteArray("x"), &error));
    EXPECT_TRUE(error.contains("No such file or directory")) << error.toStdString();
    EXPECT_FALSE(DiskFile::appendDurably(lost, "x", &error));
    EXPECT_TRUE(error.contains("No such file or directory")) << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(work("no such folder")));
}

} // namespace
