#include "entry/QsoRates.h"

#include "support/TestLog.h"

#include <gtest/gtest.h>

namespace {

const QDateTime Now(QDate(2026, 9, 26), QTime(15, 0, 0), Qt::UTC);

// A contact logged the given number of seconds before Now, in the log's text form.
Qso agedContact(qint64 secondsAgo)
{
    const QDateTime at = Now.addSecs(-secondsAgo);
    Qso c{"K5A"};
    c.date = at.toString(QStringLiteral("yyyy/MM/dd"));
    c.time = at.toString(QStringLiteral("HH:mm:ss"));
    return c;
}

std::unique_ptr<AppState> logAged(std::initializer_list<qint64> agesOldestFirst)
{
    auto state = stateWithLog({});
    for (qint64 age : agesOldestFirst)
        appendContact(*state, agedContact(age));
    return state;
}

} // namespace

TEST(QsoRates, CountsBackFromTheNewest)
{
    struct Case {
        const char* name;
        std::initializer_list<qint64> ages; // oldest first
        int last60;
        int last20x3;
    };
    const Case cases[] = {
        {"empty log", {}, 0, 0},
        {"ten recent and five older",
         {3000, 2800, 2000, 1500, 1201, 1100, 1000, 900, 800, 600, 500, 400, 300, 60, 0},
         15, 30},
        {"exactly 1200 s counts in the hour only", {1200}, 1, 0},
        {"1199 s counts in both", {1199}, 1, 3},
        {"exactly 3600 s ends the count", {3600, 100}, 1, 3},
        {"3599 s still counts", {3599, 100}, 2, 3},
        {"stops at the first old one even if older ones are newer", {100, 7200, 50}, 1, 3},
        {"a contact dated after now counts in both", {-600, -5}, 2, 6},
    };
    for (const Case& c : cases) {
        auto state = logAged(c.ages);
        const std::optional<QsoRates> rates = countQsoRates(*state, Now);
        ASSERT_TRUE(rates.has_value()) << c.name;
        EXPECT_EQ(rates->last60, c.last60) << c.name;
        EXPECT_EQ(rates->last20x3, c.last20x3) << c.name;
    }
}

TEST(QsoRates, UnreadableDateOrTime)
{
    for (const auto& [date, time] : {std::pair{"2026/09/26", "14:75:00"}, std::pair{"26 Sep", "14:50:00"},
                                     std::pair{"", ""}}) {
        auto state = logAged({100});
        state->log.Log[1].Date = QString::fromLatin1(date);
        state->log.Log[1].Time = QString::fromLatin1(time);
        EXPECT_FALSE(countQsoRates(*state, Now).has_value()) << date << " " << time;
    }
    // An unreadable entry behind the first old one is never read.
    auto state = logAged({100, 4000, 100});
    state->log.Log[1].Date = QStringLiteral("junk");
    const auto rates = countQsoRates(*state, Now);
    ASSERT_TRUE(rates.has_value());
    EXPECT_EQ(rates->last60, 1);
}

TEST(QsoRates, TimeWithoutSecondsAndNowCutToTheSecond)
{
    auto state = stateWithLog({{.call = "K5A", .band = "20", .mode = "CW", .time = "14:00", .date = "2026/09/26"},
                               {.call = "K5B", .band = "20", .mode = "CW", .time = "14:40", .date = "2026/09/26"}});
    // 14:40 is 1200 s before 15:00:00.999 once now loses its milliseconds.
    const QDateTime now(QDate(2026, 9, 26), QTime(15, 0, 0, 999), Qt::UTC);
    const auto rates = countQsoRates(*state, now);
    ASSERT_TRUE(rates.has_value());
    EXPECT_EQ(rates->last60, 1);
    EXPECT_EQ(rates->last20x3, 0);
}

TEST(QsoRates, NowFromTheLocalClock)
{
    // Local 10:00 at UTC-5 is 15:00 UTC: the log's UTC times compare with it directly.
    const QDateTime local(QDate(2026, 9, 26), QTime(10, 0, 0));
    const QDateTime utc = utcFromLocal(local, 5);
    EXPECT_EQ(utc.date(), QDate(2026, 9, 26));
    EXPECT_EQ(utc.time(), QTime(15, 0, 0));
    auto state = logAged({1500, 100});
    const auto rates = countQsoRates(*state, utc);
    ASSERT_TRUE(rates.has_value());
    EXPECT_EQ(rates->last60, 2);
    EXPECT_EQ(rates->last20x3, 3);
}

TEST(QsoRates, UtcFromLocalAddsMinutes)
{
    struct Case {
        float offset;
        QTime local;
        QDate expectedDate;
        QTime expectedTime;
    };
    const QDate day(2026, 9, 26);
    const Case cases[] = {
        {5, QTime(10, 0, 7), day, QTime(15, 0, 7)},
        {5.5f, QTime(10, 0, 7), day, QTime(15, 30, 7)},
        {-3.5f, QTime(1, 15, 0), day.addDays(-1), QTime(21, 45, 0)},
        {6, QTime(20, 30, 0), day.addDays(1), QTime(2, 30, 0)},
        {0, QTime(12, 0, 0), day, QTime(12, 0, 0)},
    };
    for (const Case& c : cases) {
        const QDateTime utc = utcFromLocal(QDateTime(day, c.local), c.offset);
        EXPECT_EQ(utc.date(), c.expectedDate) << c.offset;
        EXPECT_EQ(utc.time(), c.expectedTime) << c.offset;
    }
}

TEST(QsoRates, OperatingTimeText)
{
    const std::pair<float, const char*> cases[] = {
        {0, "00:00:00"},           {59, "00:00:59"},          {60, "00:01:00"},
        {3909, "01:05:09"},        {4200, "01:10:00"},        {36000 + 600 + 10, "10:10:10"},
        {99 * 3600 + 3599, "99:59:59"},
        {100 * 3600 + 309, "00:05:09"}, {123 * 3600 + 45 * 60, "23:45:00"},
    };
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(operatingTimeText(seconds), QLatin1String(text)) << seconds;
}
