// File names matched without regard to case: what the lookup finds, and the spelling a
// new file gets.

#include "platform/FileLookup.h"

#include "core/QStringPrinter.h"
#include "support/TestServices.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

class FileLookupTest : public ::testing::Test {
protected:
    TestFolders folders;
    QString work(const QString& name) const { return folders.work + QLatin1Char('/') + name; }
};

TEST_F(FileLookupTest, FindsAnEntryWhateverItsCase)
{
    writeBytes(work("CW.txt"), "x");
    writeBytes(work("QSOpref.txt"), "x");
    QDir(folders.work).mkdir("Backup");
    const struct {
        const char* asked;
        const char* found;
    } cases[] = {
        {"CW.txt", "CW.txt"},           {"cw.txt", "CW.txt"},           {"CW.TXT", "CW.txt"},
        {"qsopref.txt", "QSOpref.txt"}, {"BACKUP", "Backup"},           {"backup", "Backup"},
        {"wave2.txt", "wave2.txt"},     {"CW.txt ", "CW.txt "},         {"CW", "CW"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileLookup::resolve(folders.work, c.asked), work(c.found)) << c.asked;
        EXPECT_EQ(FileLookup::exists(folders.work, c.asked), QFile::exists(work(c.found))) << c.asked;
    }
}

TEST_F(FileLookupTest, ANewFileKeepsTheSpellingAskedFor)
{
    EXPECT_EQ(FileLookup::resolve(folders.work, "wave2.TXT"), work("wave2.TXT"));
    EXPECT_FALSE(FileLookup::exists(folders.work, "wave2.TXT"));
    EXPECT_EQ(FileLookup::resolve(folders.path("no such folder"), "log.txt"), folders.path("no such folder/log.txt"));
}

TEST_F(FileLookupTest, TheExactSpellingWinsOverAnotherCase)
{
    writeBytes(work("cw.txt"), "lower");
    writeBytes(work("CW.txt"), "upper");
    EXPECT_EQ(FileLookup::resolve(folders.work, "CW.txt"), work("CW.txt"));
    EXPECT_EQ(FileLookup::resolve(folders.work, "cw.txt"), work("cw.txt"));
}

TEST_F(FileLookupTest, AFullPathMatchesOnlyItsLastName)
{
    writeBytes(work("Log.TXT"), "x");
    EXPECT_EQ(FileLookup::resolvePath(work("log.txt")), work("Log.TXT"));
    const QString otherCaseFolder = folders.root.path() + "/WORK/log.txt";
    EXPECT_EQ(FileLookup::resolvePath(otherCaseFolder), otherCaseFolder) << "folders keep their case";
}

} // namespace
