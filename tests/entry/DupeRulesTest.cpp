#include "entry/DupeRules.h"

#include "support/TestLog.h"

#include <gtest/gtest.h>

namespace {

// Entries 1 to 6; K5ABC is in the log three times.
std::unique_ptr<AppState> dupeLog()
{
    return stateWithLog({
        // 1: logged in lower case
        {.call = "k5abc", .county = "BELL", .band = "20", .mode = "CW", .spc = "TX", .countySent = "TRAV"},
        {.call = "W1AW", .band = "40", .mode = "PH", .spc = "CT", .countySent = "TRAV"}, // 2
        {.call = "K5ABC", .county = "BELL", .band = "40", .mode = "CW", .spc = "TX", .countySent = "TRAV"}, // 3
        // 4: from another own county
        {.call = "K5ABC", .county = "BELL", .band = "20", .mode = "CW", .spc = "TX", .countySent = "HAYS"},
        {.call = "W1AW", .band = "40", .mode = "PH", .spc = "CT", .countySent = "HAYS"}, // 5
        {.call = "N5XY", .county = "BEXR", .band = "20", .mode = "CW", .spc = "TX", .countySent = "TRAV"}, // 6
    });
}

} // namespace

TEST(DupeRules, LogTimeRule)
{
    auto state = dupeLog();
    struct Case {
        const char* call;
        const char* county;
        const char* band;
        const char* mode;
        bool inState;
        const char* ownCounty;
        qint32 expected;
    };
    const Case cases[] = {
        {"K5ABC", "BELL", "20", "CW", false, "", 1},    // same call in other case
        {"K5ABC", "bell", "20", "cw", false, "", 1},
        {"K5ABC ", "BELL", "20", "CW", false, "", 0},   // trailing blank differs
        {"K5ABC", "BELL ", "20", "CW", false, "", 0},
        {"K5ABC", "BEXR", "20", "CW", false, "", 0},    // other county received
        {"K5ABC", "BELL", "15", "CW", false, "", 0},
        {"K5ABC", "BELL", "20", "PH", false, "", 0},
        {"K5ABC", "BELL", "40", "CW", false, "", 3},
        {"K5ABC", "BELL", "20", "CW", true, "HAYS", 4}, // in-state: county sent too
        {"K5ABC", "BELL", "20", "CW", true, "hays", 4},
        {"K5ABC", "BELL", "20", "CW", true, "LLAN", 0},
        {"W1AW", "", "40", "PH", true, "HAYS", 5},      // outside the host state: no county
        {"W1AW", "", "40", "PH", false, "", 2},         // the oldest duplicate
        {"K5AB", "BELL", "20", "CW", false, "", 0},
    };
    for (const Case& c : cases) {
        DupeQuery q;
        q.call = c.call;
        q.county = c.county;
        q.band = c.band;
        q.mode = c.mode;
        q.compareCountySent = c.inState;
        q.ownCounty = c.ownCounty;
        EXPECT_EQ(findLogDupe(*state, q), c.expected)
            << c.call << "|" << c.county << "|" << c.band << "|" << c.mode << "|" << c.ownCounty;
    }
}

TEST(DupeRules, EditedContactMeetsEveryDuplicateButItself)
{
    auto state = dupeLog();
    // 7: like 1, sent from TRAV
    appendContact(*state, {.call = "K5ABC", .county = "BELL", .band = "20", .mode = "CW", .spc = "TX", .countySent = "TRAV"});
    DupeQuery q;
    q.call = "K5ABC";
    q.county = "BELL";
    q.band = "20";
    q.mode = "CW";
    EXPECT_EQ(findLogDupes(*state, q, 7), (std::vector<qint32>{1, 4}));
    EXPECT_EQ(findLogDupes(*state, q, 1), (std::vector<qint32>{4, 7}));
    q.compareCountySent = true;
    q.ownCounty = "TRAV";
    EXPECT_EQ(findLogDupes(*state, q, 7), (std::vector<qint32>{1}));
    EXPECT_EQ(findLogDupes(*state, q, 0), (std::vector<qint32>{1, 7}));
    q.call = "N5XY";
    EXPECT_TRUE(findLogDupes(*state, q, 6).empty());
}

TEST(DupeRules, ContactsOfACall)
{
    auto state = dupeLog();
    EXPECT_EQ(firstContactOf(*state, "K5ABC"), 1);
    EXPECT_EQ(firstContactOf(*state, "w1aw"), 2);
    EXPECT_EQ(firstContactOf(*state, "K5AB"), 0);
    EXPECT_EQ(contactsOf(*state, "K5abc"), (std::vector<qint32>{1, 3, 4}));
    EXPECT_TRUE(contactsOf(*state, "W1AW ").empty());
    EXPECT_TRUE(contactsOf(*stateWithLog({}), "W1AW").empty());
}

TEST(DupeRules, PossibleDupesOfCurrentBandAndMode)
{
    auto state = dupeLog();
    appendContact(*state, {.call = "K5", .band = "20", .mode = "CW", .spc = "TX", .countySent = "TRAV"});
    appendContact(*state, {.call = "K5ABD", .band = "20", .mode = "cw", .spc = "TX", .countySent = "TRAV"});
    // Later matches first, each followed by a blank.
    EXPECT_EQ(possibleDupesList(*state, "K5", false, ""), "K5ABD K5 K5ABC k5abc ");
    EXPECT_EQ(possibleDupesList(*state, "k5ab", false, ""), "K5ABD K5ABC k5abc ");
    // A logged call shorter than the typed text never matches.
    EXPECT_EQ(possibleDupesList(*state, "K5ABCD", false, ""), "");
    // In-state: only the contacts made from the own county.
    EXPECT_EQ(possibleDupesList(*state, "K5A", true, "TRAV"), "K5ABD k5abc ");
    EXPECT_EQ(possibleDupesList(*state, "K5A", true, "LLAN"), "");

    state->station.CurrentBand = QStringLiteral("40");
    state->station.CurrentMode = QStringLiteral("PH");
    EXPECT_EQ(possibleDupesList(*state, "W", false, ""), "W1AW W1AW ");
    EXPECT_EQ(possibleDupesList(*state, "K5", false, ""), "");
}

TEST(DupeRules, PossibleDupesKeepTheOldestOnceLongerThan100)
{
    auto state = stateWithLog({});
    for (int i = 1; i <= 40; ++i) // 7 characters each with the blank
        appendContact(*state, {QStringLiteral("W5A%1").arg(i, 3, 10, QLatin1Char('0'))});
    const QString list = possibleDupesList(*state, "W5", false, "");
    // 14 calls make 98 characters; the 15th passes 100 and ends the list.
    EXPECT_EQ(list.size(), 105);
    EXPECT_TRUE(list.startsWith("W5A015 W5A014 ")) << list.toStdString();
    EXPECT_TRUE(list.endsWith("W5A002 W5A001 ")) << list.toStdString();

    // Exactly 100 characters is not yet longer than 100: one more call follows.
    auto exact = stateWithLog({});
    for (int i = 1; i <= 30; ++i) // 5 characters each with the blank
        appendContact(*exact, {QStringLiteral("K5%1").arg(i, 2, 10, QLatin1Char('0'))});
    const QString shortCalls = possibleDupesList(*exact, "K", false, "");
    EXPECT_EQ(shortCalls.size(), 105);
    EXPECT_TRUE(shortCalls.startsWith("K521 K520 ")) << shortCalls.toStdString();
}

// "2" is the 2 m band and "20" the 20 m band: neither matches the other by its start.
TEST(DupeRules, BandsCompareWholeNotByTheirStart)
{
    auto state = stateWithLog({
        {.call = "K5ABC", .county = "BELL", .band = "20", .mode = "CW"}, // 1
        {.call = "K5ABD", .county = "BELL", .band = "2", .mode = "CW"},  // 2
    });
    const struct {
        const char* call;
        const char* band;
        qint32 expected;
    } cases[] = {
        {"K5ABC", "20", 1}, {"K5ABC", "2", 0}, {"K5ABC", "200", 0},
        {"K5ABD", "2", 2},  {"K5ABD", "20", 0},
    };
    for (const auto& c : cases) {
        DupeQuery q;
        q.call = c.call;
        q.county = "BELL";
        q.band = c.band;
        q.mode = "CW";
        EXPECT_EQ(findLogDupe(*state, q), c.expected) << c.call << " on " << c.band;
        EXPECT_EQ(findLogDupes(*state, q, 0), c.expected ? std::vector<qint32>{c.expected} : std::vector<qint32>{})
            << c.call << " on " << c.band;
    }

    state->station.CurrentBand = QStringLiteral("2");
    EXPECT_EQ(possibleDupesList(*state, "K5", false, ""), "K5ABD ");
    state->station.CurrentBand = QStringLiteral("20");
    EXPECT_EQ(possibleDupesList(*state, "K5", false, ""), "K5ABC ");
}
