#include "entry/DateTimeText.h"

#include "platform/Environment.h"

#include <gtest/gtest.h>

namespace {

struct DateCase {
    const char* format; // the user's short date format
    const char* text;
    QDate expected; // invalid: refused
};

void expectDates(std::initializer_list<DateCase> cases)
{
    for (const DateCase& c : cases) {
        const QDate got = parseTypedDate(QString::fromLatin1(c.text), QString::fromLatin1(c.format));
        EXPECT_EQ(got, c.expected) << c.format << " " << c.text << " gave "
                                   << got.toString(Qt::ISODate).toStdString();
    }
}

} // namespace

TEST(TypedDate, LogOrderAndTheUsersOwnOrder)
{
    const QDate sep29(2024, 9, 29);
    const QDate feb3(2024, 2, 3);
    expectDates({
        // The log's own order, whatever the user's.
        {"M/d/yy", "2024/09/29", sep29},
        {"dd.MM.yy", "2024/9/29", sep29},
        {"d MMM yyyy", "2024/2/3", feb3},
        // Month first (United States), day first (Britain, Germany, the C locale's names).
        {"M/d/yy", "9/29/2024", sep29},
        {"M/d/yy", "2/3/2024", feb3},
        {"M/d/yy", "02/03/2024", feb3},
        {"dd/MM/yyyy", "29/9/2024", sep29},
        {"dd/MM/yyyy", "3/2/2024", feb3},
        {"dd.MM.yy", "29/09/2024", sep29},
        {"d MMM yyyy", "29/9/2024", sep29},
        {"'le' d MMM yyyy", "3/2/2024", feb3},
        {"dddd, M/d/yy", "2/3/2024", feb3},
        // Year first (Sweden, Japan): only the log's order.
        {"yyyy-MM-dd", "2024/9/29", sep29},
        {"yyyy-MM-dd", "29/9/2024", {}},
    });
}

TEST(TypedDate, RefusesOtherForms)
{
    expectDates({
        {"M/d/yy", "9/29/24", {}},      // the year in full only
        {"M/d/yy", "29/9/2024", {}},    // not the user's order
        {"dd/MM/yyyy", "9/29/2024", {}},
        {"M/d/yy", "9-29-2024", {}},    // "/" only
        {"M/d/yy", "2024-09-29", {}},
        {"dd.MM.yy", "29.9.2024", {}},
        {"M/d/yy", "2/30/2024", {}},    // no such day
        {"M/d/yy", "2/29/2023", {}},
        {"M/d/yy", "2024/2/29/", {}},
        {"M/d/yy", "009/29/2024", {}},
        {"M/d/yy", "9/29/02024", {}},
        {"M/d/yy", " 9/29/2024", {}},
        {"M/d/yy", "20240929", {}},
        {"M/d/yy", "", {}},
        {"", "9/29/2024", {}},          // no order known: the log's only
        {"MMMM yyyy", "9/29/2024", {}},
    });
}

TEST(TypedTime, HoursAndMinutesOfOneOrTwoDigits)
{
    const struct {
        const char* text;
        QTime expected;
    } cases[] = {
        {"12:3", QTime(12, 3)},   {"12:03", QTime(12, 3)}, {"9:30", QTime(9, 30)},
        {"0:0", QTime(0, 0)},     {"23:59", QTime(23, 59)}, {"1:2:3", QTime(1, 2, 3)},
        {"24:00", {}},            {"12:60", {}},            {"12:", {}},
        {":30", {}},              {"1230", {}},             {"123:0", {}},
        {"12:30:", {}},           {"12.30", {}},            {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseTypedTime(QString::fromLatin1(c.text)), c.expected) << c.text;
}

TEST(TypedDate, StoredInTheLogsForm)
{
    const std::pair<const char*, const char*> cases[] = {
        {"2026/04/05", "2026/04/05"}, {"2026/4/5", "2026/04/05"}, {"4/5/2026", "2026/04/05"},
        {"2026/02/30", ""},           {"2026-4-5", ""},           {"", ""},
    };
    for (const auto& [typed, stored] : cases)
        EXPECT_EQ(logDateText(QString::fromLatin1(typed), QStringLiteral("M/d/yy")), QLatin1String(stored)) << typed;
}

TEST(TypedTime, StoredInTheLogsFormWithOrWithoutSeconds)
{
    const std::pair<const char*, const char*> cases[] = {
        {"7:05", "07:05"}, {"07:05", "07:05"}, {"7:5", "07:05"}, {"7:05:09", "07:05:09"},
        {"24:00", ""},     {"705", ""},        {"", ""},
    };
    for (const auto& [typed, stored] : cases)
        EXPECT_EQ(logTimeText(QString::fromLatin1(typed)), QLatin1String(stored)) << typed;
}

TEST(LogDateTime, ReadsTheLogsOwnForms)
{
    const std::pair<const char*, QDate> dates[] = {
        {"2026/09/26", QDate(2026, 9, 26)}, {"2026/9/6", QDate(2026, 9, 6)}, {"2026-09-26", QDate(2026, 9, 26)},
        {" 2026/09/26 ", QDate(2026, 9, 26)}, {"2026/02/30", {}}, {"09/26/2026", {}}, {"26 Sep", {}}, {"", {}},
    };
    for (const auto& [text, date] : dates)
        EXPECT_EQ(parseLogDate(QString::fromLatin1(text)), date) << text;

    const std::pair<const char*, QTime> times[] = {
        {"14:05:09", QTime(14, 5, 9)}, {"14:05", QTime(14, 5)}, {"9:05", QTime(9, 5)}, {" 09:05 ", QTime(9, 5)},
        {"24:00", {}}, {"14:75:00", {}}, {"14:5", {}}, {"1405", {}}, {"", {}},
    };
    for (const auto& [text, time] : times)
        EXPECT_EQ(parseLogTime(QString::fromLatin1(text)), time) << text;
}

TEST(LogDateTime, WritesTheLogsOwnForms)
{
    EXPECT_EQ(logDate(QDate(2026, 9, 6)), QLatin1String("2026/09/06"));
    EXPECT_EQ(logTime(QTime(7, 5, 9)), QLatin1String("07:05:09"));
    EXPECT_EQ(parseLogDate(logDate(QDate(2026, 12, 31))), QDate(2026, 12, 31));
    EXPECT_EQ(parseLogTime(logTime(QTime(23, 59, 59))), QTime(23, 59, 59));
}

TEST(LogDateTime, AsListed)
{
    const std::pair<const char*, const char*> dates[] = {
        {"2026/12/08", "12/08"}, {"2026/4/5", "04/05"}, {"2026/02/30", "2026/02/30"},
        {"12/08/2026", "12/08/2026"}, {"", ""}, {"junk", "junk"},
    };
    for (const auto& [stored, shown] : dates)
        EXPECT_EQ(logDateMonthDay(stored), QLatin1String(shown)) << stored;

    const std::pair<const char*, const char*> times[] = {
        {"14:05:09", "14:05"}, {"14:05", "14:05"}, {"9:05", "09:05"}, {"00:00:59", "00:00"},
        {"24:00", "24:00"},    {"14:5", "14:5"},   {"", ""},         {"noon", "noon"},
    };
    for (const auto& [stored, shown] : times)
        EXPECT_EQ(logTimeHourMinute(stored), QLatin1String(shown)) << stored;
}

TEST(TypedTime, PostContestTimeTakesItsColonAndLogsHoursAndMinutes)
{
    const struct {
        const char* typed;
        const char* field;  // what the field shows once read
        const char* logged; // empty: refused
    } cases[] = {
        {"930", "9:30", "09:30"},   {"1405", "14:05", "14:05"}, {"14:05", "14:05", "14:05"},
        {"7:5", "7:5", "07:05"},    {"1:2:3", "1:2:3", "01:02"}, {"2460", "24:60", ""},
        {"12345", "12345", ""},     {"93", "93", ""},           {"-12", "-:12", ""},
        {"9a0", "9a0", ""},         {"", "", ""},
    };
    for (const auto& c : cases) {
        const PostContestTime read = readPostContestTime(QString::fromLatin1(c.typed));
        EXPECT_EQ(read.field, QLatin1String(c.field)) << c.typed;
        EXPECT_EQ(read.logged, QLatin1String(c.logged)) << c.typed;
    }
}
