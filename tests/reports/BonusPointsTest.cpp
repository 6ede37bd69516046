// The two bonuses of the summary sheet, worked out from the log.

#include "reports/BonusPoints.h"

#include "support/TestLog.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// `n` contacts with K5ABC, each sent from the county.
void sentFrom(std::vector<LogEntry>& log, const char* county, int n)
{
    for (int i = 0; i < n; ++i)
        log.push_back(Qso{.call = "K5ABC", .county = "BEXA", .countySent = county}.entry());
}

// One contact with the call in each county, in the order given.
void workedIn(std::vector<LogEntry>& log, const char* call, std::initializer_list<const char*> counties)
{
    for (const char* county : counties)
        log.push_back(Qso{.call = call, .county = county}.entry());
}

TEST(RoverBonus, ThousandForEachCountyWithFiveContacts)
{
    struct Case {
        const char* what;
        std::vector<std::pair<const char*, int>> sent;
        qint64 bonus;
    };
    const Case cases[] = {
        {"5 from one county, 4 from another", {{"ANDE", 3}, {"ande", 2}, {"BEXA", 4}}, 1000},
        {"4 is not enough", {{"ANDE", 4}}, 0},
        {"empty sent county is not a county", {{"", 7}, {"ANDE", 4}}, 0},
        {"three counties, two covered", {{"ANDE", 5}, {"BEXA", 6}, {"COLL", 4}}, 2000},
        {"contacts of one county spread through the log", {{"ANDE", 2}, {"BEXA", 5}, {"Ande", 3}}, 2000},
    };
    for (const Case& c : cases) {
        std::vector<LogEntry> log;
        for (const auto& [county, n] : c.sent)
            sentFrom(log, county, n);
        EXPECT_EQ(RoverBonus(log), c.bonus) << c.what;
    }
    EXPECT_EQ(RoverBonus({}), 0);
}

TEST(RoverBonus, MoreDistinctCountiesThanTheTallyHoldsIsAFailure)
{
    std::vector<LogEntry> log;
    std::vector<QByteArray> names;
    for (int i = 0; i < MaxRoverCountyTexts; ++i)
        names.push_back("C" + QByteArray::number(i));
    for (const QByteArray& name : names)
        sentFrom(log, name.constData(), 5);
    EXPECT_EQ(RoverBonus(log), qint64(MaxRoverCountyTexts) * 1000);

    sentFrom(log, "ONE MORE", 1);
    EXPECT_EQ(RoverBonus(log), std::nullopt);
}

TEST(FiveCountyBonus, FiveHundredForEveryFiveCountiesOfOneStation)
{
    struct Case {
        const char* what;
        std::vector<LogEntry> log;
        qint64 bonus;
    };
    std::vector<Case> cases;
    auto add = [&](const char* what, qint64 bonus, auto fill) {
        Case c{what, {}, bonus};
        fill(c.log);
        cases.push_back(std::move(c));
    };
    add("no contacts", 0, [](auto&) {});
    add("4 counties", 0, [](auto& l) { workedIn(l, "K5M", {"ANDE", "BEXA", "COLL", "DALL"}); });
    add("9 counties, out of order and repeated", 500, [](auto& l) {
        workedIn(l, "K5M", {"HARR", "ANDE", "TRAV", "BEXA", "ANDE", "COLL", "DALL", "ELPA", "FANN", "GALV", "HARR"});
    });
    add("10 counties", 1000, [](auto& l) {
        workedIn(l, "K5M", {"A1", "A2", "A3", "A4", "A5", "A6", "A7", "A8", "A9", "B0"});
    });
    add("two stations with 5 each, interleaved", 1000, [](auto& l) {
        workedIn(l, "K5M", {"ANDE", "BEXA"});
        workedIn(l, "N5M", {"ANDE", "BEXA", "COLL", "DALL", "ELPA"});
        workedIn(l, "K5M", {"COLL", "DALL", "ELPA"});
    });
    add("call in either case is one station", 500, [](auto& l) {
        workedIn(l, "k5m", {"ANDE", "BEXA", "COLL"});
        workedIn(l, "K5M", {"DALL", "ELPA"});
    });
    add("county in either case is one county", 0, [](auto& l) {
        workedIn(l, "K5M", {"ANDE", "ande", "BEXA", "COLL", "DALL"});
    });
    add("12 contacts in one county", 0, [](auto& l) {
        for (int i = 0; i < 12; ++i)
            workedIn(l, "K5M", {"ANDE"});
    });
    add("an empty county counts as one", 500, [](auto& l) {
        workedIn(l, "K5M", {"ANDE", "", "BEXA", "COLL", "DALL"});
    });
    add("a call that begins another call is its own station", 0, [](auto& l) {
        workedIn(l, "K5M", {"ANDE", "BEXA", "COLL"});
        workedIn(l, "K5M/M", {"DALL", "ELPA", "FANN"});
    });
    for (const Case& c : cases)
        EXPECT_EQ(FiveCountyBonus(c.log), c.bonus) << c.what;
}

TEST(LoggedContacts, AreRecordsOneToTheCount)
{
    LogStoreState store;
    store.Log[1].Call = QStringLiteral("FIRST");
    store.Log[2].Call = QStringLiteral("SECOND");
    store.Log[3].Call = QStringLiteral("NOT LOGGED");
    store.QsoCount = 2;
    const auto contacts = loggedContacts(store);
    ASSERT_EQ(contacts.size(), 2u);
    EXPECT_EQ(contacts.front().Call, QStringLiteral("FIRST"));
    EXPECT_EQ(contacts.back().Call, QStringLiteral("SECOND"));
}

} // namespace
