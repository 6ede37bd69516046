#include "entry/ContactCheck.h"

#include "entry/Scoring.h"
#include "support/TestLog.h"

#include <gtest/gtest.h>

namespace {

using F = EntryField;

EntryTexts entry(const char* call, const char* received, const char* spc, const char* county, const char* sent)
{
    return {QString::fromLatin1(call), QString::fromLatin1(received), QString::fromLatin1(spc),
            QString::fromLatin1(county), QString::fromLatin1(sent)};
}

std::vector<std::pair<QString, F>> shown(const std::vector<Refusal>& refusals)
{
    std::vector<std::pair<QString, F>> list;
    for (const Refusal& r : refusals)
        list.emplace_back(r.message, r.field);
    return list;
}

TEST(ContactCheck, MissingFieldsInTheOrderTheWindowRefusesThem)
{
    const struct {
        const char* name;
        bool inState;
        EntryTexts typed;
        std::vector<std::pair<QString, F>> refused;
    } cases[] = {
        {"complete out of state", false, entry("K5ABC", "599", "", "BEXR", "599"), {}},
        {"everything missing out of state", false, entry("K5", "", "", "", ""),
         {{"Need County!", F::County}, {"Report Received!", F::ReportReceived}, {"Need Call Sign!", F::Call},
          {"Need Report Sent!", F::ReportSent}}},
        {"complete host-state station", true, entry("K5ABC", "599", "tx", "BEXR", "599"), {}},
        {"host-state station without county", true, entry("K5ABC", "599", "TX", "", "599"),
         {{"Need County!", F::County}}},
        {"other state needs no county", true, entry("W1AW", "599", "CT", "", "599"), {}},
        {"everything missing in state", true, entry("", "", "", "", ""),
         {{"Report Received!", F::ReportReceived}, {"Need Call Sign!", F::Call}, {"Need Country!", F::StPrvCountry},
          {"Need Report Sent!", F::ReportSent}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shown(missingFields(c.typed, c.inState, QStringLiteral("TX"))), c.refused) << c.name;
}

TEST(ContactCheck, CountiesAndSectionsOutsideTheTables)
{
    AppState state;
    state.tables.CountyAbbrev[1] = QStringLiteral("BEXR");
    state.tables.CountyCount = 1;
    fillStateProvTable(state.stateProv);

    EXPECT_FALSE(invalidCounty(state.tables, QStringLiteral("bexr")));
    const auto county = invalidCounty(state.tables, QStringLiteral("BEX"));
    ASSERT_TRUE(county);
    EXPECT_EQ(county->message, "BEX is not a valid county!");
    EXPECT_EQ(county->field, F::County);
    EXPECT_EQ(invalidCounty(state.tables, QString())->message, " is not a valid county!");

    for (const char* accepted : {"CT", "on", "TX", "Spain", "X", ""})
        EXPECT_FALSE(invalidStateProv(state.stateProv, QLatin1String(accepted))) << accepted;
    const auto section = invalidStateProv(state.stateProv, QStringLiteral("XX"));
    ASSERT_TRUE(section);
    EXPECT_EQ(section->message, "Invald Section!");
    EXPECT_EQ(section->field, F::StPrvCountry);
}

TEST(ContactCheck, EarlierContactsFillTheEmptyFieldsBeforeTheDuplicateRule)
{
    // The station logs 20 m CW; the in-state window also compares the county sent.
    auto state = stateWithLog({
        {.call = "K5ABC", .county = "", .band = "40", .spc = "TX"},
        {.call = "K5ABC", .county = "BEXR", .band = "40", .spc = "TX", .countySent = "ANDR"},
        {.call = "K5ABC", .county = "BEXR", .band = "20", .spc = "TX", .countySent = "ANDR"},
    });
    const struct {
        const char* name;
        bool inState;
        const char* ownCounty;
        EntryTexts typed;
        const char* county;
        const char* spc;
        qint32 duplicateOf;
    } cases[] = {
        {"county filled from the first contact that has one", false, "", entry("K5ABC", "", "", "", ""), "BEXR", "", 3},
        {"a county typed is kept", false, "", entry("K5ABC", "", "", "HARR", ""), "HARR", "", 0},
        {"in state both fields fill", true, "ANDR", entry("K5ABC", "", "", "", ""), "BEXR", "TX", 3},
        {"another own county is no duplicate", true, "HARR", entry("K5ABC", "", "", "", ""), "BEXR", "TX", 0},
        {"a station outside the host state takes no county", true, "ANDR", entry("K5ABC", "", "OK", "", ""), "", "OK", 0},
        {"a new call fills nothing", true, "ANDR", entry("N5NEW", "", "", "", ""), "", "", 0},
    };
    for (const auto& c : cases) {
        state->station.OwnCounty = QString::fromLatin1(c.ownCounty);
        const DuplicateScan scan = scanForDuplicate(*state, c.typed, c.inState);
        EXPECT_EQ(scan.county, QLatin1String(c.county)) << c.name;
        EXPECT_EQ(scan.stPrvCountry, QLatin1String(c.spc)) << c.name;
        EXPECT_EQ(scan.duplicateOf, c.duplicateOf) << c.name;
    }
}

TEST(ContactCheck, DuplicateMessagesOfEachWindow)
{
    const LogEntry earlier = toEntry({.call = "K5ABC", .time = "17:05:09", .date = "2026/04/25"});
    EXPECT_EQ(duplicateMessage(earlier, 12, false), "Duplicate K5ABC  2026/04/25  17:05:09   Rec#  12");
    EXPECT_EQ(duplicateMessage(earlier, 12, true), "Duplicate K5ABC 04/25 17:05:09  Rec#  12");
}

TEST(ContactCheck, TheRecordToStore)
{
    auto state = stateWithLog({});
    state->station.OwnCounty = QStringLiteral("ANDR");
    state->RigFrequencyText = QStringLiteral("14.025");
    const EntryTexts typed = entry("K5ABC", "579", "TX", "BEXR", "599");

    const LogEntry in = contactRecord(*state, typed, true, QStringLiteral("2026/04/25"), QStringLiteral("17:05:09"));
    const LogEntry inExpected = toEntry({.call = "K5ABC", .county = "BEXR", .band = "20", .mode = "CW",
                                         .time = "17:05:09", .spc = "TX", .countySent = "ANDR",
                                         .date = "2026/04/25", .rstSent = "599", .rstRcvd = "579",
                                         .frequency = "14.025"});
    EXPECT_EQ(logRecord(in), logRecord(inExpected));

    // The out-of-state window stores neither St/Prv/Country nor a county sent.
    const LogEntry out = contactRecord(*state, typed, false, QStringLiteral("2026/04/25"), QStringLiteral("17:05:09"));
    const LogEntry outExpected = toEntry({.call = "K5ABC", .county = "BEXR", .band = "20", .mode = "CW",
                                          .time = "17:05:09", .date = "2026/04/25", .rstSent = "599",
                                          .rstRcvd = "579", .frequency = "14.025"});
    EXPECT_EQ(logRecord(out), logRecord(outExpected));
}

} // namespace
