// The tables shipped in data/ keep what the program relies on: a hand edit that breaks
// one of these fails here rather than in an operator's log.

#include "core/Tables.h"
#include "core/QStringPrinter.h"
#include "support/TestServices.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <cmath>
#include <string>
#include <gtest/gtest.h>

namespace {

const QString DataDir = QStringLiteral(BREVANT_DATA_DIR);

std::string str(const QString& text) { return text.toStdString(); }

class ShippedTables : public ::testing::Test {
protected:
    TestFolders folders;
    AppState state;

    void SetUp() override
    {
        folders.applyTo(state);
        state.station.HostState = QStringLiteral("TX");
    }
    void copyToWork(const char* name)
    {
        ASSERT_TRUE(QFile::copy(DataDir + '/' + name, folders.work + '/' + name)) << name;
    }
};

TEST_F(ShippedTables, CountiesAreTheTexasOnesInNameOrderWithDistinctAbbreviations)
{
    copyToWork("county2.txt");
    ASSERT_TRUE(LoadCountyTable(state));
    const ReferenceTables& t = state.tables;
    ASSERT_EQ(t.CountyCount, 254);

    static const QRegularExpression fourCapitals(QStringLiteral("^[A-Z]{4}$"));
    QSet<QString> seen;
    for (size_t i = 1; i <= 254; ++i) {
        EXPECT_TRUE(fourCapitals.match(t.CountyAbbrev[i]).hasMatch()) << "row " << i << ": " << str(t.CountyAbbrev[i]);
        EXPECT_FALSE(seen.contains(t.CountyAbbrev[i])) << "row " << i << " repeats " << str(t.CountyAbbrev[i]);
        seen.insert(t.CountyAbbrev[i]);
        EXPECT_FALSE(t.CountyName[i].isEmpty()) << "row " << i;
        if (i > 1) {
            EXPECT_LT(t.CountyName[i - 1].compare(t.CountyName[i], Qt::CaseInsensitive), 0)
                << "row " << i << ": " << str(t.CountyName[i - 1]) << " before " << str(t.CountyName[i]);
        }
    }
}

TEST_F(ShippedTables, PrefixesStandInCharacterCodeOrder)
{
    ReferenceTables& t = state.tables;
    ASSERT_TRUE(LoadPrefixTable(t, DataDir + "/arrlpre2.txt"));
    ASSERT_GT(t.PrefixCount, 1000);
    for (qint32 i = 1; i <= t.PrefixCount; ++i) {
        const QString& code = t.PrefixCode[size_t(i)];
        ASSERT_FALSE(code.isEmpty()) << "row " << i;
        if (i > 1) {
            EXPECT_LE(t.PrefixCode[size_t(i - 1)].compare(code, Qt::CaseSensitive), 0)
                << "row " << i << ": " << str(t.PrefixCode[size_t(i - 1)]) << " before " << str(code);
        }
    }
}

// Longitudes count positive to the west of Greenwich in both files, as the distance and
// bearing computation takes them.
TEST_F(ShippedTables, LongitudesArePositiveWest)
{
    copyToWork("states.txt");
    ASSERT_TRUE(LoadStateTable(state));
    const ReferenceTables& t = state.tables;
    QSet<QString> states;
    for (size_t i = 1; i <= 50; ++i) {
        const std::string name = str(t.StateAbbreviation[i]);
        EXPECT_EQ(t.StateAbbreviation[i].size(), 2) << "row " << i;
        states.insert(t.StateAbbreviation[i]);
        EXPECT_GT(t.StateLongitude[i], 60.f) << name << ": every state lies far west";
        EXPECT_LT(t.StateLongitude[i], 180.f) << name;
        EXPECT_GT(t.StateLatitude[i], 15.f) << name << ": latitude first, then longitude";
        EXPECT_LT(t.StateLatitude[i], 75.f) << name;
    }
    EXPECT_EQ(states.size(), 50);

    ReferenceTables prefixes;
    ASSERT_TRUE(LoadPrefixTable(prefixes, DataDir + "/arrlpre2.txt"));
    for (qint32 i = 1; i <= prefixes.PrefixCount; ++i) {
        const size_t row = size_t(i);
        const QString& continent = prefixes.PrefixContinent[row];
        const float longitude = prefixes.PrefixLongitude[row];
        const std::string where = (prefixes.PrefixCode[row] + ' ' + prefixes.PrefixCountry[row]).toStdString();
        EXPECT_LE(std::abs(longitude), 180.f) << where;
        EXPECT_LE(std::abs(prefixes.PrefixLatitude[row]), 90.f) << where;
        if (continent == QLatin1String("NA") || continent == QLatin1String("SA")) {
            EXPECT_GE(longitude, 0.f) << where << ": the Americas lie west";
        } else if (continent == QLatin1String("AS")) {
            EXPECT_LT(longitude, 0.f) << where << ": Asia lies east";
        }
    }
    const struct {
        const char* call;
        bool west;
    } spots[] = {{"G4ABC", true}, {"EA1AA", true}, {"KH6XX", true}, {"D4ABC", true},
                 {"DL1ABC", false}, {"JA1XYZ", false}, {"VK2ABC", false}, {"ZS6ABC", false}};
    for (const auto& spot : spots) {
        const PrefixMatch match = findLongestPrefix(prefixes, QString::fromLatin1(spot.call), Qt::CaseSensitive);
        ASSERT_GT(match.index, 0) << spot.call;
        EXPECT_EQ(prefixes.PrefixLongitude[size_t(match.index)] > 0, spot.west) << spot.call << " " << str(match.country);
    }
}

} // namespace
