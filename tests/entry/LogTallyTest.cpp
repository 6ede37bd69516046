// The counts a reload makes: afresh from the record arrays, and contact by contact as
// contacts are logged, the two always the same.

#include "entry/LogTally.h"

#include "entry/Scoring.h"
#include "support/SampleLog.h"
#include "support/TestLog.h"

#include <gtest/gtest.h>

namespace {

void fillCounties(AppState& state)
{
    int row = 0;
    for (const char* a : {"ANDR", "BELL", "BEXR"})
        state.tables.CountyAbbrev[size_t(++row)] = QString::fromLatin1(a);
    state.tables.CountyCount = float(row);
}

// The score a reload leaves in the window of the host state or of another.
ScoreState reloaded(const AppState& state, bool inHostState)
{
    LogTally tally;
    tally.recount(state);
    ScoreState score;
    tally.applyTo(score, inHostState);
    return score;
}

} // namespace

TEST(LogTally, CountsStatesCountiesAndDXOnceForTheWindowThatShowsThem)
{
    // 5 states, the host state (no state multiplier), 2 counties on several bands and
    // modes, 4 DX countries (one twice in other case), and entries that are never DX.
    auto state = stateWithLog({
        {.call = "W1A", .band = "20", .mode = "PH", .spc = "CT"},
        {.call = "W2A", .band = "20", .mode = "PH", .spc = "ny"},
        {.call = "W6A", .band = "40", .mode = "PH", .spc = "CA"},
        {.call = "W6B", .band = "20", .mode = "PH", .spc = "CA"},
        {.call = "VE3A", .band = "20", .mode = "PH", .spc = "ON"},
        {.call = "K7A", .band = "15", .mode = "PH", .spc = "AZ"},
        {.call = "K5A", .county = "BELL", .band = "20", .mode = "PH", .spc = "TX"},
        {.call = "K5B", .county = "bell", .band = "40", .mode = "CW", .spc = "TX"},
        {.call = "K5C", .county = "BEXR", .band = "20", .mode = "PH", .spc = "TX"},
        {.call = "EA1A", .band = "20", .mode = "PH", .spc = "Spain"},
        {.call = "EA1B", .band = "40", .mode = "PH", .spc = "SPAIN"},
        {.call = "OE1A", .band = "30", .mode = "PH", .spc = "Austria"},
        {.call = "JA1A", .band = "2", .mode = "PH", .spc = "Japan"},
        {.call = "DL1A", .band = "20", .mode = "DG", .spc = "Germany"},
        {.call = "K1A", .band = "20", .mode = "PH", .spc = "USA"},
        {.call = "KL7A", .band = "20", .mode = "PH", .spc = "alaska"},
        {.call = "XX1A", .band = "20", .mode = "PH", .spc = "Not Found"},
        {.call = "VE1A", .band = "20", .mode = "PH", .spc = "Canada"},
        {.call = "KH6A", .band = "20", .mode = "PH", .spc = "Hawaii"},
        {.call = "W9A", .band = "20", .mode = "PH", .spc = "I"},
    });
    fillStateProvTable(state->stateProv);
    fillCounties(*state);
    LogTally tally;
    tally.recount(*state);
    EXPECT_EQ(tally.counted(), 20);
    EXPECT_EQ(tally.dxCountries(), QStringList({"Spain", "Austria", "Japan", "Germany"}));
    EXPECT_EQ(tally.workedCounties(), QStringList({"BELL", "BEXR"}));

    // What the last reload left is replaced, not added to.
    ScoreState score;
    score.QsoPoints = 99;
    score.QsoCountDG = 7;
    score.DXCountries[size_t(bandDXIndex("15"))].Count = 5;
    tally.applyTo(score, true);
    EXPECT_EQ(score.QsoPoints, 42);
    EXPECT_EQ(score.QsoCountCW, 1);
    EXPECT_EQ(score.QsoCountDG, 1);
    EXPECT_EQ(score.QsoCountPH, 18);
    EXPECT_EQ(score.WorkedMultCount, 7);
    EXPECT_EQ(score.WorkedMults[MultKindStateProv][24], 0) << "host state";
    const BandDXList& b20 = score.DXCountries[size_t(bandDXIndex("20"))];
    const BandDXList& b40 = score.DXCountries[size_t(bandDXIndex("40"))];
    ASSERT_EQ(b20.Count, 2);
    EXPECT_EQ(b20.Countries[1], "Spain");
    EXPECT_EQ(b20.Countries[2], "Germany");
    ASSERT_EQ(b40.Count, 1);
    EXPECT_EQ(b40.Countries[1], "SPAIN");
    EXPECT_EQ(score.DXCountries[size_t(bandDXIndex("15"))].Count, 0);

    // Outside the host state only the counties are multipliers, and no band keeps DX.
    tally.applyTo(score, false);
    EXPECT_EQ(score.WorkedMultCount, 2);
    EXPECT_EQ(score.WorkedMults[MultKindStateProv][1], 0);
    EXPECT_EQ(score.DXCountries[size_t(bandDXIndex("20"))].Count, 0);
    EXPECT_EQ(score.QsoPoints, 42);
}

TEST(LogTally, TablesThatOverflowAreSaid)
{
    AppState state;
    for (int row = 1; row <= 262; ++row)
        state.tables.CountyAbbrev[size_t(row)] = QStringLiteral("C%1").arg(row);
    state.tables.CountyCount = 262;
    appendContact(state, {.call = "K5A", .county = "C5"});
    appendContact(state, {.call = "K5B", .county = "C262"});
    appendContact(state, {.call = "K5C", .county = "C7"});
    LogTally tally;
    tally.recount(state);
    EXPECT_FALSE(tally.countiesFit());
    ScoreState score;
    tally.applyTo(score, false);
    EXPECT_EQ(score.WorkedMults[MultKindCounty][7], 1) << "the counties inside the table still count";
    EXPECT_EQ(score.WorkedMultCount, 2);

    // A band holds a thousand DX countries; a repeat takes no slot.
    auto dx = stateWithLog({});
    for (int i = 1; i <= 1000; ++i)
        appendContact(*dx, {.call = "DX", .band = "10", .spc = QStringLiteral("Country %1").arg(i)});
    appendContact(*dx, {.call = "DX", .band = "10", .spc = "country 7"});
    tally.recount(*dx);
    EXPECT_TRUE(tally.dxFits());
    EXPECT_TRUE(tally.countiesFit());
    appendContact(*dx, {.call = "DX", .band = "10", .spc = "One more"});
    tally.add(*dx, dx->log.Log[size_t(dx->log.QsoCount)]);
    EXPECT_FALSE(tally.dxFits());
    EXPECT_EQ(tally.dxCountries().size(), 1001) << "the log's list has no limit";
}

// A large mixed log counted contact by contact, as it is logged, is at every step what a
// recount of the records finds, and lists what the reports list.
TEST(LogTally, ContactByContactIsARecount)
{
    BenchStation station(3000, 0);
    ASSERT_TRUE(station.error().isEmpty()) << station.error().toStdString();
    AppState& state = station.state();
    state.station.HostState = QStringLiteral("TX");
    std::vector<LogEntry> entries = station.entries();
    // The same county and country in other case, as operators type them.
    for (size_t i = 0; i < entries.size(); i += 7) {
        entries[i].County = entries[i].County.toLower();
        if (entries[i].Spc.size() > 2)
            entries[i].Spc = entries[i].Spc.toUpper();
    }

    LogTally running;
    for (size_t i = 0; i < entries.size(); ++i) {
        state.log.Log[i + 1] = entries[i];
        state.log.QsoCount = qint32(i + 1);
        running.add(state, entries[i]);
        if ((i + 1) % 250 != 0 && i + 1 != entries.size())
            continue;
        SCOPED_TRACE(i + 1);
        LogTally afresh;
        afresh.recount(state);
        EXPECT_EQ(running.counted(), afresh.counted());
        EXPECT_EQ(running.workedCounties(), afresh.workedCounties());
        EXPECT_EQ(running.workedCounties(), workedCountiesOfLog(state));
        EXPECT_EQ(running.dxCountries(), dxCountriesOfLog(state));
        for (const bool inHostState : {true, false}) {
            ScoreState a;
            ScoreState b;
            running.applyTo(a, inHostState);
            afresh.applyTo(b, inHostState);
            EXPECT_EQ(describeScore(a).join(u'\n').toStdString(),
                      describeScore(b).join(u'\n').toStdString());
        }
    }
    const ScoreState score = reloaded(state, true);
    EXPECT_GT(score.WorkedMults[MultKindStateProv][1], 0);
    EXPECT_GT(score.WorkedMultCount, 100);
    EXPECT_GT(score.DXCountries[size_t(bandDXIndex("20"))].Count, 5);
}
