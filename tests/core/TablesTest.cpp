#include "core/Tables.h"
#include "core/QStringPrinter.h"
#include "support/TestServices.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

const QString DataDir = QStringLiteral(BREVANT_DATA_DIR);

class TablesTest : public ::testing::Test {
protected:
    TestFolders folders;
    AppState state;

    void SetUp() override { folders.applyTo(state); }
    QString workFile(const QString& name) const { return folders.work + '/' + name; }
};

// ---- County table

TEST_F(TablesTest, CountyTableTakesTheHostStateRowsInFileOrder)
{
    writeBytes(workFile("county2.txt"), "\"TXAnderson\",\"ANDE\"\r\n"
                                        "\"OKAdair\",\"ADAI\"\r\n"
                                        "\"txLower\",\"LOWR\"\r\n"
                                        "\"TXBee\",\"BEEE\"\r\n"
                                        "\"XTBackwards\",\"BACK\"\r\n"
                                        "\"TXHarris\",\"HARR\"\r\n");
    state.station.HostState = "TX";
    state.tables.CountyCount = 7;
    ASSERT_TRUE(LoadCountyTable(state));
    const ReferenceTables& t = state.tables;
    ASSERT_EQ(t.CountyCount, 3);
    EXPECT_EQ(t.CountyAbbrev[1], "ANDE");
    EXPECT_EQ(t.CountyName[1], "Anderson");
    EXPECT_EQ(t.CountyAbbrev[2], "BEEE");
    EXPECT_EQ(t.CountyName[2], "Bee");
    EXPECT_EQ(t.CountyAbbrev[3], "HARR");
    EXPECT_EQ(t.CountyName[3], "Harris");
}

TEST_F(TablesTest, CountyTableFailsWithoutAFileOrInsideARecord)
{
    state.station.HostState = "TX";
    EXPECT_FALSE(LoadCountyTable(state));
    EXPECT_EQ(state.tables.CountyCount, 0);

    writeBytes(workFile("county2.txt"), "\"TXAnderson\",\"ANDE\"\r\n\"TXBee\"\r\n");
    EXPECT_FALSE(LoadCountyTable(state));
    EXPECT_EQ(state.tables.CountyCount, 1);
}

// The worked flags hold 260 counties: the table takes the first 260 host-state rows in file
// order, other states' rows in between not counting, and tells how many it left out.
TEST_F(TablesTest, CountyTableTakesAtMost260HostStateRows)
{
    state.station.HostState = "TX";
    const struct {
        int hostRows;
        qint32 leftOut;
    } cases[] = {{MaxHostCounties, 0}, {MaxHostCounties + 1, 1}, {MaxHostCounties + 40, 40}};
    for (const auto& c : cases) {
        QByteArray rows;
        for (int i = 1; i <= c.hostRows; ++i) {
            rows += QStringLiteral("\"TXCounty%1\",\"C%1\"\r\n").arg(i).toLatin1();
            if (i % 50 == 0)
                rows += "\"OKOther\",\"OTHR\"\r\n";
        }
        writeBytes(workFile("county2.txt"), rows);
        qint32 leftOut = -1;
        EXPECT_TRUE(LoadCountyTable(state, &leftOut)) << c.hostRows;
        EXPECT_EQ(leftOut, c.leftOut) << c.hostRows;
        EXPECT_EQ(state.tables.CountyCount, MaxHostCounties) << c.hostRows;
        EXPECT_EQ(state.tables.CountyAbbrev[MaxHostCounties], "C260") << c.hostRows;
    }
    EXPECT_EQ(MaxHostCounties, 260);
}

// What an editor leaves after the last record is no error, in either table.
TEST_F(TablesTest, EmptyLinesAtTheEndOfTheTablesAreIgnored)
{
    state.station.HostState = "TX";
    for (const QByteArray ending : {"\r\n", "\n", "\r\n\r\n", "\r\n  \r\n\r\n"}) {
        const std::string name = ending.toPercentEncoding().toStdString();
        writeBytes(workFile("county2.txt"), "\"TXAnderson\",\"ANDE\"\r\n\"TXBee\",\"BEEE\"" + ending);
        EXPECT_TRUE(LoadCountyTable(state)) << name;
        EXPECT_EQ(state.tables.CountyCount, 2) << name;

        writeBytes(workFile("arrlpre2.txt"), "\"K\",\"USA\",\"NA\",91.87,37.6,5,8,5" + ending);
        ReferenceTables t;
        EXPECT_TRUE(LoadPrefixTable(t, workFile("arrlpre2.txt"))) << name;
        EXPECT_EQ(t.PrefixCount, 1) << name;
    }
}

TEST_F(TablesTest, ByteOrderMarkKeepsTheFirstRowOfTheTables)
{
    state.station.HostState = "TX";
    writeBytes(workFile("county2.txt"), "\xEF\xBB\xBF\"TXAnderson\",\"ANDE\"\r\n\"TXBee\",\"BEEE\"\r\n");
    ASSERT_TRUE(LoadCountyTable(state));
    ASSERT_EQ(state.tables.CountyCount, 2);
    EXPECT_EQ(state.tables.CountyName[1], "Anderson");

    writeBytes(workFile("arrlpre2.txt"), "\xEF\xBB\xBF\"K\",\"USA\",\"NA\",91.87,37.6,5,8,5\r\n");
    ReferenceTables t;
    ASSERT_TRUE(LoadPrefixTable(t, workFile("arrlpre2.txt")));
    EXPECT_EQ(t.PrefixCode[1], "K");
}

TEST_F(TablesTest, ShippedCountyFileHoldsAllTexasCounties)
{
    ASSERT_TRUE(QFile::copy(DataDir + "/county2.txt", workFile("county2.txt")));
    state.station.HostState = "TX";
    ASSERT_TRUE(LoadCountyTable(state));
    EXPECT_EQ(state.tables.CountyCount, 254);
    EXPECT_EQ(state.tables.CountyName[1], "Anderson");
}

TEST(StateTable, StateIndexLooksAtTheFirst54EntriesWithoutCase)
{
    ReferenceTables t;
    t.StateAbbreviation[1] = "OK";
    t.StateAbbreviation[54] = "TX";
    t.StateAbbreviation[55] = "ZZ";
    EXPECT_EQ(stateIndex(t, "ok"), 1);
    EXPECT_EQ(stateIndex(t, "TX"), 54);
    EXPECT_EQ(stateIndex(t, "ZZ"), 0);
    EXPECT_EQ(stateIndex(t, "XX"), 0);
    EXPECT_EQ(stateIndex(t, ""), 0);
}

TEST(TypeAhead, EntryThatBeginsWithTheTypedTextFromEitherEnd)
{
    const std::vector<QString> table = {{}, "BEXA", "BEEE", "HARR", "HARN", "HA"};
    const struct {
        qint32 count;
        const char* typed;
        qint32 fromLast;
        qint32 fromFirst;
    } cases[] = {
        {5, "b", 2, 1},
        {5, "bex", 1, 1},
        {5, "HA", 5, 3},
        {5, "HAR", 4, 3}, // a shorter entry never matches
        {4, "HA", 4, 3},  // entries past the count are not searched
        {5, "X", 0, 0},
        {99, "HA", 5, 3},
        {0, "B", 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(entryStartingWith(table, c.count, c.typed, SearchFrom::LastEntry), c.fromLast) << c.typed;
        EXPECT_EQ(entryStartingWith(table, c.count, c.typed, SearchFrom::FirstEntry), c.fromFirst) << c.typed;
    }
}

TEST(TypeAhead, CountiesAndCountriesCompleteTheTypedText)
{
    ReferenceTables t;
    for (const char* county : {"ANDE", "ANDR", "ANGE", "BEXA"})
        t.CountyAbbrev[size_t(++t.CountyCount)] = QString::fromLatin1(county);
    for (const char* country : {"Spain", "Sweden", "South Africa", "Japan"})
        t.PrefixCountry[size_t(++t.PrefixCount)] = QString::fromLatin1(country);

    const Completion first = completeCounty(t, "an", SearchFrom::FirstEntry);
    EXPECT_EQ(first.entry, 1);
    EXPECT_EQ(first.text, "anDE"); // the typed text stays as typed, the rest comes from the table
    const Completion last = completeCounty(t, "AN", SearchFrom::LastEntry);
    EXPECT_EQ(last.entry, 3);
    EXPECT_EQ(last.text, "ANGE");
    EXPECT_EQ(completeCounty(t, "ANDEX", SearchFrom::FirstEntry).entry, 0);
    EXPECT_EQ(completeCounty(t, "ANDEX", SearchFrom::FirstEntry).text, "");

    EXPECT_EQ(completeCountry(t, "S").text, "South Africa"); // countries from the last entry
    EXPECT_EQ(completeCountry(t, "Sp").text, "Spain");
    EXPECT_EQ(completeCountry(t, "South ").text, "South Africa");
    EXPECT_EQ(completeCountry(t, "Ja").entry, 4);
    EXPECT_EQ(completeCountry(t, "X").entry, 0);
}

TEST(CountyTextForCW, ShorterNameReplacesTheAbbreviation)
{
    ReferenceTables t;
    const std::pair<const char*, const char*> rows[] = {{"BEEE", "Bee"}, {"ANDE", "Anderson"}, {"NONE", ""}};
    for (const auto& [abbrev, name] : rows) {
        t.CountyCount += 1;
        t.CountyAbbrev[size_t(t.CountyCount)] = abbrev;
        t.CountyName[size_t(t.CountyCount)] = name;
    }
    const std::pair<const char*, const char*> cases[] = {
        {"BEEE", "Bee"}, {"beee", "Bee"}, {"ANDE", "ANDE"}, {"ande", "ande"},
        {"NONE", "NONE"}, {"HARR", "HARR"}, {"", ""},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(CountyTextForCW(t, text), QLatin1String(expected)) << text;
}

// ---- Prefix table

TEST_F(TablesTest, PrefixTableAppendsRowsOfEightValues)
{
    const QString file = workFile("arrlpre2.txt");
    writeBytes(file, "\"K\",\"USA\",\"NA\",91.87,37.6,5,8,5\r\n"
                     "\"VE\",\"Canada\",\"NA\",78.75,44.35,\"x\",9,-5\r\n");
    ReferenceTables t;
    t.PrefixCount = 1;
    t.PrefixCode[1] = "G";
    ASSERT_TRUE(LoadPrefixTable(t, file));
    ASSERT_EQ(t.PrefixCount, 3);
    EXPECT_EQ(t.PrefixCode[1], "G");
    EXPECT_EQ(t.PrefixCode[2], "K");
    EXPECT_EQ(t.PrefixCountry[2], "USA");
    EXPECT_EQ(t.PrefixContinent[2], "NA");
    EXPECT_FLOAT_EQ(t.PrefixLongitude[2], 91.87f);
    EXPECT_FLOAT_EQ(t.PrefixLatitude[2], 37.6f);
    EXPECT_EQ(t.PrefixCode[3], "VE");
    EXPECT_EQ(t.PrefixCountry[3], "Canada");
    EXPECT_FLOAT_EQ(t.PrefixLatitude[3], 44.35f);

    writeBytes(file, "\"K\",\"USA\",\"NA\",91.87,37.6,5,8,5\r\n\"VE\",\"Canada\",\"NA\",78.75,44.35,5,9\r\n");
    ReferenceTables cut;
    EXPECT_FALSE(LoadPrefixTable(cut, file));
    EXPECT_EQ(cut.PrefixCode[1], "K");

    ReferenceTables none;
    EXPECT_FALSE(LoadPrefixTable(none, workFile("missing.txt")));
    EXPECT_EQ(none.PrefixCount, 0);
}

TEST_F(TablesTest, PrefixTableNeverHoldsMoreThanItsRows)
{
    const QByteArray row = "\"K\",\"USA\",\"NA\",91.87,37.6,5,8,5\r\n";
    const QString file = workFile("arrlpre2.txt");
    writeBytes(file, row.repeated(MaxPrefixRows));
    ReferenceTables full;
    EXPECT_TRUE(LoadPrefixTable(full, file));
    EXPECT_EQ(full.PrefixCount, MaxPrefixRows);

    writeBytes(file, row.repeated(MaxPrefixRows + 1));
    ReferenceTables over;
    EXPECT_FALSE(LoadPrefixTable(over, file));
    EXPECT_EQ(over.PrefixCount, MaxPrefixRows);
}

TEST_F(TablesTest, PrefixFileIsLookedForInSharedThenDataThenWorkingFolder)
{
    const QString shared = state.folders.SharedFolder + "/arrlpre2.txt";
    const QString data = state.folders.DataFolder + "/arrlpre2.txt";
    const QString work = workFile("arrlpre2.txt");
    EXPECT_EQ(findPrefixTable(state.folders), "");
    for (const QString& path : {shared, data, work})
        writeBytes(path, "\"K\",\"USA\",\"NA\",91.87,37.6,5,8,5\r\n");

    EXPECT_EQ(findPrefixTable(state.folders), shared);
    QFile::remove(shared);
    EXPECT_EQ(findPrefixTable(state.folders), data);
    QFile::remove(data);
    EXPECT_EQ(findPrefixTable(state.folders), work);
}

// ---- State table

TEST_F(TablesTest, StateTableTakesTheFirstFiftyRecords)
{
    auto states = [](int n) {
        QByteArray rows;
        for (int i = 1; i <= n; ++i)
            rows += QStringLiteral("\"S%1\",%1.5,%1.25\r\n").arg(i).toLatin1();
        return rows;
    };
    writeBytes(workFile("states.txt"), states(52));
    ASSERT_TRUE(LoadStateTable(state));
    const ReferenceTables& t = state.tables;
    EXPECT_EQ(t.StateAbbreviation[1], "S1");
    EXPECT_FLOAT_EQ(t.StateLatitude[1], 1.5f);
    EXPECT_FLOAT_EQ(t.StateLongitude[1], 1.25f);
    EXPECT_EQ(t.StateAbbreviation[50], "S50");
    EXPECT_FLOAT_EQ(t.StateLongitude[50], 50.25f);
    EXPECT_EQ(t.StateAbbreviation[51], "");

    writeBytes(workFile("states.txt"), states(49));
    AppState shortState;
    folders.applyTo(shortState);
    EXPECT_FALSE(LoadStateTable(shortState));

    QFile::remove(workFile("states.txt"));
    ASSERT_TRUE(QFile::copy(DataDir + "/states.txt", workFile("states.txt")));
    AppState shipped;
    folders.applyTo(shipped);
    ASSERT_TRUE(LoadStateTable(shipped));
    EXPECT_EQ(shipped.tables.StateAbbreviation[1], "AK");
}

// ---- Country lookup

ReferenceTables prefixTable(std::initializer_list<std::pair<const char*, const char*>> rows)
{
    ReferenceTables t;
    for (const auto& [code, country] : rows) {
        ++t.PrefixCount;
        t.PrefixCode[size_t(t.PrefixCount)] = code;
        t.PrefixCountry[size_t(t.PrefixCount)] = country;
    }
    return t;
}

struct CallCase {
    const char* call;
    const char* country;
};

void expectCountries(const ReferenceTables& t, std::initializer_list<CallCase> cases)
{
    for (const CallCase& c : cases)
        EXPECT_EQ(CountryFromCall(t, QString::fromLatin1(c.call)), QString::fromLatin1(c.country)) << c.call;
}

TEST(CountryFromCall, LongestPrefixInASmallTable)
{
    const ReferenceTables t = prefixTable({
        {"2E", "England"}, {"EA", "Spain"}, {"EA8", "Canary Islands"}, {"G", "England"},
        {"K", "USA"}, {"KC4", "Antarctica"}, {"KG4", "Guantanamo Bay"}, {"KH6", "Hawaii"},
        {"KL", "Alaska"}, {"KP4", "Puerto Rico"}, {"N", "USA"}, {"VE", "Canada"},
        {"W", "USA"}, {"XE", "Mexico"}, {"ZL", "New Zealand"},
    });
    expectCountries(t, {
        {"W1AW", "USA"}, {"K1ABC", "USA"}, {"N5XX", "USA"}, {"EA5XX", "Spain"},
        {"EA8AB", "Canary Islands"}, {"VE3ABC", "Canada"}, {"KL7ABC", "Alaska"},
        {"KH6XX", "Hawaii"}, {"KP4AA", "Puerto Rico"}, {"2E0ABC", "England"},
        {"G4ABC", "England"}, {"XE1A", "Mexico"}, {"ZL2AB", "New Zealand"},
        {"JA1XYZ", ""}, {"9A1A", ""}, {"", ""}, {"k5abc", ""}, {"w1aw", ""},
    });
}

TEST(CountryFromCall, ShortPartAfterTheSlashIsLookedUp)
{
    const ReferenceTables t = prefixTable({
        {"EA", "Spain"}, {"EA8", "Canary Islands"}, {"G", "England"}, {"K", "USA"},
        {"KH6", "Hawaii"}, {"N", "USA"}, {"VE", "Canada"}, {"W", "USA"},
    });
    expectCountries(t, {
        {"G4ABC/EA8", "Canary Islands"}, // 3 after the slash, fewer than half of 9
        {"EA8/G4ABC", "Canary Islands"}, // 5 after the slash: the whole call
        {"EA8/KH6X", "Canary Islands"},  // exactly half: the whole call
        {"W1AW/KH6", "Hawaii"},
        {"W1AW/VE", "Canada"},
        {"N0CALL/M", "USA"},             // one character: the whole call
        {"N0CALL/", "USA"},
        {"G4ABCD/ZZ", ""},
        {"/", ""},
    });
}

TEST(CountryFromCall, GuantanamoOnlyForShortKG4Calls)
{
    const ReferenceTables t = prefixTable({{"K", "USA"}, {"KG4", "Guantanamo Bay"}, {"W", "USA"}});
    expectCountries(t, {{"KG4AB", "Guantanamo Bay"}, {"KG4A", "Guantanamo Bay"}, {"KG4ABC", "USA"},
                        {"KG4ABCD", "USA"}, {"KG5ABC", "USA"}});

    const ReferenceTables withoutUsa = prefixTable({{"KG4", "Guantanamo Bay"}});
    expectCountries(withoutUsa, {{"KG4ABC", "USA"}, {"KH6ABC", ""}});
}

TEST(CountryFromCall, GroupAfterTheEstimateIsFoundScanningBack)
{
    // The estimate for W lands on ZL: the scan runs backwards into the W rows.
    const ReferenceTables t = prefixTable({{"K", "USA"}, {"W", "USA"}, {"XE", "Mexico"},
                                           {"YB", "Indonesia"}, {"ZL", "New Zealand"}, {"ZS", "South Africa"}});
    expectCountries(t, {{"W1AW", "USA"}, {"XE1A", "Mexico"}, {"K5ABC", "USA"}, {"ZS6A", "South Africa"},
                        {"VE3A", ""}});
}

TEST(CountryFromCall, EqualLengthsFirstMetWins)
{
    // Scanning forward the earlier row is met first, scanning back the later one.
    const ReferenceTables forward = prefixTable({{"K", "USA"}, {"VE", "Canada"}, {"VE", "Second"}, {"W", "USA"}});
    expectCountries(forward, {{"VE3ABC", "Canada"}});
    const ReferenceTables backward = prefixTable(
        {{"VE", "Canada"}, {"VE", "Second"}, {"XE", "Mexico"}, {"YB", "Indonesia"}, {"ZL", "NZ"}, {"ZS", "ZA"}});
    expectCountries(backward, {{"VE3ABC", "Second"}});
}

TEST(CountryFromCall, EmptyTableFindsNothing)
{
    const ReferenceTables t;
    expectCountries(t, {{"W1AW", ""}, {"2E0ABC", ""}, {"Z", ""}});
}

TEST(CountryFromCall, ShippedPrefixTable)
{
    ReferenceTables t;
    ASSERT_TRUE(LoadPrefixTable(t, DataDir + "/arrlpre2.txt"));
    ASSERT_GT(t.PrefixCount, 1000); // the whole world, one row per distinct longest prefix
    expectCountries(t, {
        {"W1AW", "USA"}, {"K5ABC", "USA"}, {"N0CALL/M", "USA"}, {"EA5XX", "Spain"},
        {"VE3ABC", "Canada"}, {"KL7ABC", "Alaska"}, {"KH6XX", "Hawaii"}, {"2E0ABC", "England"},
        {"G4ABC/EA8", "Canary Islands"}, {"EA8/G4ABC", "Canary Islands"}, {"KG4AB", "Guantanamo Bay"},
        {"KG4ABC", "USA"}, {"JA1XYZ", "Japan"}, {"ZL2ABC", "New Zealand"}, {"ZS6ABC", "South Africa"},
        {"VK2ABC", "Australia"}, {"9A1A", "Croatia"}, {"3D2AB", "Fiji"}, {"1A0KM", "Sov Mil Order of Malta"},
        {"k5abc", ""}, {"", ""},
    });
}

} // namespace
