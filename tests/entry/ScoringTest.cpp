#include "entry/Scoring.h"

#include "entry/LogTally.h"

#include "support/TestLog.h"

#include <gtest/gtest.h>

#include <QSet>

namespace {

// Host-state county table: ANDR, BELL, BEXR, then whatever a test adds.
void fillCounties(AppState& state, std::initializer_list<const char*> abbrevs = {"ANDR", "BELL", "BEXR"})
{
    int row = 0;
    for (const char* a : abbrevs)
        state.tables.CountyAbbrev[++row] = QString::fromLatin1(a);
    state.tables.CountyCount = float(row);
}

std::unique_ptr<AppState> inStateLog(std::initializer_list<Qso> contacts)
{
    auto state = stateWithLog(contacts);
    fillStateProvTable(state->stateProv);
    fillCounties(*state);
    return state;
}

} // namespace

TEST(Scoring, PointsAndModeCounts)
{
    struct Case {
        const char* mode;
        float points;
        float ph, cw, dg;
    };
    const Case cases[] = {
        {"PH", 2, 1, 0, 0}, {"ph", 2, 1, 0, 0}, {"CW", 3, 0, 1, 0}, {"cw", 3, 0, 1, 0},
        {"DG", 3, 0, 0, 1}, {"RTTY", 3, 0, 0, 1}, {"", 3, 0, 0, 1}, {"PH ", 3, 0, 0, 1},
    };
    for (const Case& c : cases) {
        ScoreState score;
        addContactPoints(score, QString::fromLatin1(c.mode));
        EXPECT_EQ(score.QsoPoints, c.points) << c.mode;
        EXPECT_EQ(score.QsoCountPH, c.ph) << c.mode;
        EXPECT_EQ(score.QsoCountCW, c.cw) << c.mode;
        EXPECT_EQ(score.QsoCountDG, c.dg) << c.mode;
    }
}

TEST(Scoring, StateProvTableOrder)
{
    StateProvTable table;
    fillStateProvTable(table);
    EXPECT_EQ(table.StateProvCount, 63);
    const std::pair<int, const char*> spots[] = {{1, "CT"},  {10, "PA"}, {24, "TX"}, {36, "AK"},
                                                 {50, "SD"}, {51, "NB"}, {60, "NF"}, {63, "YT"}};
    for (const auto& [row, abbrev] : spots)
        EXPECT_EQ(table.StateProvAbbrev[row], QLatin1String(abbrev)) << row;
    EXPECT_EQ(table.StateProvName[59], "Northwest Territories");
    EXPECT_EQ(table.StateProvName[62], "Prince Edward");
    QSet<QString> distinct;
    for (int row = 1; row <= 63; ++row) {
        EXPECT_EQ(table.StateProvAbbrev[row].size(), 2) << row;
        EXPECT_FALSE(table.StateProvName[row].isEmpty()) << row;
        distinct.insert(table.StateProvAbbrev[row]);
    }
    EXPECT_EQ(distinct.size(), 63);
    EXPECT_TRUE(table.StateProvAbbrev[0].isEmpty());
    EXPECT_TRUE(table.StateProvAbbrev[64].isEmpty());
}

TEST(Scoring, CountyIndexIsFirstMatchWithoutCase)
{
    AppState state;
    fillCounties(state, {"ANDR", "BELL", "bell", "BEXR"});
    state.tables.CountyAbbrev[5] = QStringLiteral("HARR"); // beyond CountyCount
    EXPECT_EQ(countyIndex(state.tables, "bell"), 2);
    EXPECT_EQ(countyIndex(state.tables, "BEXR"), 4);
    EXPECT_EQ(countyIndex(state.tables, "BEXR "), 0);
    EXPECT_EQ(countyIndex(state.tables, "HARR"), 0);
    EXPECT_EQ(countyIndex(state.tables, ""), 0);
}

TEST(Scoring, CountyAndStateChecksOfTheEntryFields)
{
    AppState state;
    fillCounties(state, {"ANDR", "BELL"});
    fillStateProvTable(state.stateProv);
    state.station.HostState = QStringLiteral("TX");
    EXPECT_TRUE(isCountyAbbreviation(state.tables, "bell"));
    EXPECT_FALSE(isCountyAbbreviation(state.tables, " BELL"));
    EXPECT_FALSE(isCountyAbbreviation(state.tables, ""));
    // The host state is a state here, though it is never a multiplier.
    EXPECT_TRUE(isStateProvAbbreviation(state.stateProv, "tx"));
    EXPECT_EQ(stateProvIndex(state, "TX"), 0);
    EXPECT_TRUE(isStateProvAbbreviation(state.stateProv, "YT"));
    for (const char* other : {"ZZ", "", "T", "TXX"})
        EXPECT_FALSE(isStateProvAbbreviation(state.stateProv, other)) << other;
}

TEST(Scoring, MarkCountyCountsEachCountyOnce)
{
    AppState state;
    fillCounties(state);
    EXPECT_EQ(markCounty(state, "bell"), MarkResult::NewlyWorked);
    EXPECT_EQ(markCounty(state, "BELL"), MarkResult::AlreadyWorked);
    EXPECT_EQ(markCounty(state, "XXXX"), MarkResult::NotFound);
    EXPECT_EQ(markCounty(state, ""), MarkResult::NotFound);
    EXPECT_EQ(state.score.WorkedMults[MultKindCounty][2], 1);
    EXPECT_EQ(state.score.WorkedMultCount, 1);
}

TEST(Scoring, CountyRowsEndAt260)
{
    AppState state;
    for (int row = 1; row <= 262; ++row)
        state.tables.CountyAbbrev[row] = QStringLiteral("C%1").arg(row);
    state.tables.CountyCount = 262;
    EXPECT_EQ(markCounty(state, "C260"), MarkResult::NewlyWorked);
    EXPECT_EQ(markCounty(state, "C261"), MarkResult::BeyondTable);
    EXPECT_EQ(state.score.WorkedMultCount, 1);
}

TEST(Scoring, MarkStateProvSkipsHostStateAndNonStates)
{
    auto state = inStateLog({});
    state->station.HostState = QStringLiteral("tx");
    qint32 row = -1;
    EXPECT_EQ(markStateProv(*state, "TX", &row), MarkResult::NotFound);
    EXPECT_EQ(row, -1);
    EXPECT_EQ(markStateProv(*state, "ok", &row), MarkResult::NewlyWorked);
    EXPECT_EQ(row, 25);
    EXPECT_EQ(markStateProv(*state, "OK", &row), MarkResult::AlreadyWorked);
    for (const char* spc : {"OK ", "O", "", "Spain", "ZZ"})
        EXPECT_EQ(markStateProv(*state, spc), MarkResult::NotFound) << spc;
    EXPECT_EQ(state->score.WorkedMultCount, 1);
    EXPECT_EQ(state->score.WorkedMults[MultKindStateProv][25], 1);
}

TEST(Scoring, ScoreBoxFiguresFromTheScoreState)
{
    // 2 phone and 3 CW or digital contacts; 2 counties and a state worked, 2 DX countries.
    auto state = inStateLog({
        {.call = "K5A", .county = "BELL", .band = "20", .mode = "PH", .spc = "TX"},
        {.call = "W1A", .band = "20", .mode = "CW", .spc = "CT"},
        {.call = "K5C", .county = "BEXR", .band = "40", .mode = "DG", .spc = "TX"},
        {.call = "EA1A", .band = "20", .mode = "PH", .spc = "Spain"},
        {.call = "JA1A", .band = "20", .mode = "RTTY", .spc = "Japan"},
    });
    LogTally tally;
    tally.recount(*state);
    tally.applyTo(state->score, true);
    const struct {
        bool inHostState;
        double multipliers;
    } windows[] = {{true, 5}, {false, 3}}; // the DX countries count in the host state's window only
    EXPECT_EQ(contactsWithSpc(*state, "tx"), 2); // the total a state label shows
    EXPECT_EQ(contactsWithSpc(*state, "OK"), 0);
    for (const auto& w : windows) {
        const ScoreFigures figures = scoreFigures(*state, w.inHostState);
        EXPECT_EQ(figures.phoneContacts, 2) << w.inHostState;
        EXPECT_EQ(figures.cwAndDigitalContacts, 3) << w.inHostState;
        EXPECT_EQ(figures.multipliers, w.multipliers) << w.inHostState;
        EXPECT_EQ(figures.score, 13 * w.multipliers) << w.inHostState;
    }
}

TEST(Scoring, WorkedCountiesAsFirstLogged)
{
    auto state = inStateLog({{.call = "K5A", .county = "bexr", .band = "20", .mode = "CW"},
                             {.call = "W1A", .band = "20", .mode = "CW"},
                             {.call = "K5B", .county = "BEXR", .band = "40", .mode = "PH"},
                             {.call = "K5C", .county = "NOTINTABLE", .band = "20", .mode = "CW"},
                             {.call = "K5D", .county = "Andr", .band = "20", .mode = "CW"}});
    EXPECT_EQ(workedCountiesOfLog(*state), QStringList({"bexr", "NOTINTABLE", "Andr"}));
}

TEST(Scoring, NeverDXTexts)
{
    for (const char* spc : {"USA", "usa", "Canada", "CANADA", "Alaska", "Hawaii", "not found"})
        EXPECT_TRUE(isExcludedFromDX(spc)) << spc;
    for (const char* spc : {"USA ", "Spain", "US", "Not  Found", "Mexico"})
        EXPECT_FALSE(isExcludedFromDX(spc)) << spc;
}

TEST(Scoring, NewDXCountryOnTheBand)
{
    auto state = inStateLog({{.call = "EA1A", .band = "20", .spc = "Spain"}});
    LogTally tally;
    tally.recount(*state);
    tally.applyTo(state->score, true);
    const struct {
        const char* band;
        const char* spc;
        bool isNew;
    } cases[] = {
        {"20", "Spain", false}, {"20", "SPAIN", false}, {"40", "Spain", true}, {"2", "Spain", true},
        {"20", "Japan", true},  {"20", "Canada", false}, {"20", "Not Found", false}, {"20", "CT", false},
        {"20", "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isNewDXCountry(state->score, c.band, c.spc), c.isNew) << c.band << " " << c.spc;
}

TEST(Scoring, BandDXArrayHoldsAThousand)
{
    ScoreState score;
    EXPECT_FALSE(addBandDXCountry(score, "2", "Japan"));
    EXPECT_FALSE(addBandDXCountry(score, "17", "Japan"));
    EXPECT_TRUE(addBandDXCountry(score, "15", "Japan"));
    EXPECT_TRUE(addBandDXCountry(score, "15", "Japan")) << "the array is not searched";
    EXPECT_EQ(score.DXCountries[4].Count, 2);
}
