// Runs with the environment of a US user (LC_ALL=en_US.UTF-8): the short date format the
// program asks the system for puts the month first.

#include "entry/DateTimeText.h"
#include "platform/Environment.h"

#include <gtest/gtest.h>

TEST(SystemDateOrder, AUsUserTypesTheMonthFirst)
{
    const QString format = SystemEnvironment().shortDateFormat();
    EXPECT_EQ(parseTypedDate(QStringLiteral("9/29/2024"), format), QDate(2024, 9, 29)) << format.toStdString();
    EXPECT_FALSE(parseTypedDate(QStringLiteral("29/9/2024"), format).isValid()) << format.toStdString();
    EXPECT_EQ(parseTypedDate(QStringLiteral("2024/9/29"), format), QDate(2024, 9, 29));
}
