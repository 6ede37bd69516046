#include "core/Preferences.h"
#include "core/QStringPrinter.h"
#include "support/TestServices.h"

#include <gtest/gtest.h>

namespace {

StationData sampleStation()
{
    StationData s;
    s.OwnCall = "N0CALL";
    s.OwnSpc = "TX";
    s.OwnCountry = "USA";
    s.OwnArrlSection = "STX";
    s.OwnName = "Pat";
    s.OwnCategory = "FIXED";
    s.OwnCounty = "TRAV";
    s.OwnCity = "Austin, Texas";
    s.CurrentMode = "CW";
    s.CurrentBand = "20";
    s.UtcOffsetHours = 6;
    s.OwnLongitude = -97.5f;
    s.OwnLatitude = 30.25f;
    s.OwnContinent = "NA";
    s.FormSizePercent = 100;
    s.WorkedColor = 65280;
    s.RemainingColor = -2147483633;
    s.StoredOperatingSeconds = 5400.5f;
    s.HostState = "TX";
    s.OutOfState = 0;
    s.OwnRover = 1;
    s.VoiceNavigationLevel = 2;
    s.RigName = "IC-7300";
    s.TaskbarMode = 1;
    s.ListPreviousContacts = 255;
    return s;
}

const QByteArray SampleFile = "\"N0CALL\"\r\n\"TX\"\r\n\"USA\"\r\n\"STX\"\r\n\"Pat\"\r\n\"FIXED\"\r\n"
                              "\"TRAV\"\r\n\"Austin, Texas\"\r\n\"CW\"\r\n\"20\"\r\n6\r\n-97.5\r\n"
                              "30.25\r\n\"NA\"\r\n100\r\n65280\r\n-2147483633\r\n5400.5\r\n"
                              "\"TX\"\r\n0\r\n1\r\n2\r\n\"IC-7300\"\r\n1\r\n255\r\n";

class PreferencesTest : public ::testing::Test {
protected:
    TestFolders folders;
    AppState state;

    void SetUp() override { folders.applyTo(state); }
    QString prefFile() const { return folders.work + "/QSOpref.txt"; }
};

TEST_F(PreferencesTest, WritesTwentyFiveLinesInStationOrder)
{
    state.station = sampleStation();
    ASSERT_TRUE(SavePrefFile(state));
    EXPECT_EQ(readBytes(prefFile()), SampleFile);
}

TEST_F(PreferencesTest, ReadsBackWhatWasWritten)
{
    state.station = sampleStation();
    ASSERT_TRUE(SavePrefFile(state));

    AppState loaded;
    folders.applyTo(loaded);
    ASSERT_EQ(ReadPrefFile(loaded), PrefItemCount);
    EXPECT_EQ(loaded.station, sampleStation());
}

TEST_F(PreferencesTest, DoubleQuoteInTextIsDropped)
{
    state.station = sampleStation();
    state.station.OwnName = "Pat \"Tex\" Doe";
    ASSERT_TRUE(SavePrefFile(state));
    EXPECT_TRUE(readBytes(prefFile()).contains("\r\n\"Pat Tex Doe\"\r\n"));

    AppState loaded;
    folders.applyTo(loaded);
    ASSERT_EQ(ReadPrefFile(loaded), PrefItemCount);
    EXPECT_EQ(loaded.station.OwnName, "Pat Tex Doe");
}

// A file saved by an editor that puts a byte-order mark first: the call comes without it,
// and the next save writes the file without it.
TEST_F(PreferencesTest, ByteOrderMarkIsSkippedAndNeverWrittenBack)
{
    writeBytes(prefFile(), "\xEF\xBB\xBF" + SampleFile);
    ASSERT_EQ(ReadPrefFile(state), PrefItemCount);
    EXPECT_EQ(state.station, sampleStation());
    ASSERT_TRUE(SavePrefFile(state));
    EXPECT_EQ(readBytes(prefFile()), SampleFile);
}

TEST_F(PreferencesTest, ShortFileKeepsTheItemsItHolds)
{
    QByteArray shortFile = SampleFile;
    shortFile.chop(QByteArray("255\r\n").size());
    writeBytes(prefFile(), shortFile);
    state.station.ListPreviousContacts = 7;

    EXPECT_EQ(ReadPrefFile(state), 24);
    StationData expected = sampleStation();
    expected.ListPreviousContacts = 7;
    EXPECT_EQ(state.station, expected);
}

TEST_F(PreferencesTest, ByteOutOfRangeStopsTheRead)
{
    QByteArray bad = SampleFile;
    bad.replace("\r\n100\r\n", "\r\n256\r\n"); // FormSizePercent
    writeBytes(prefFile(), bad);
    state.station.FormSizePercent = 90;
    state.station.WorkedColor = 12;
    state.station.RigName = "old";

    EXPECT_EQ(ReadPrefFile(state), 14);
    EXPECT_EQ(state.station.OwnContinent, "NA"); // item 14, read
    EXPECT_EQ(state.station.OwnLatitude, 30.25f);
    EXPECT_EQ(state.station.FormSizePercent, 90);
    EXPECT_EQ(state.station.WorkedColor, 12); // after the bad item: not read
    EXPECT_EQ(state.station.RigName, "old");
}

TEST_F(PreferencesTest, MissingFileFails)
{
    state.station = sampleStation();
    EXPECT_EQ(ReadPrefFile(state), 0);
    EXPECT_EQ(state.station, sampleStation());
}

} // namespace
