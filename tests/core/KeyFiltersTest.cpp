#include "core/KeyFilters.h"
#include "core/QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

int upper(int key)
{
    KeyToUpper(key);
    return key;
}

int digitsOnly(int key)
{
    KeyDigitsOnly(key);
    return key;
}

TEST(KeyFilters, ToUpperChangesOnlySmallLetters)
{
    EXPECT_EQ(upper('q'), 'Q');
    EXPECT_EQ(upper('a'), 'A');
    EXPECT_EQ(upper('z'), 'Z');
    for (const int unchanged : {int('Q'), int('5'), int('/'), 8, 9, 13, int('`'), int('{'), 128, 225, 255})
        EXPECT_EQ(upper(unchanged), unchanged) << unchanged;
}

TEST(KeyFilters, DigitsOnlyPassesDigitsAndBackspace)
{
    for (const int passed : {int('0'), int('7'), int('8'), int('9'), 8})
        EXPECT_EQ(digitsOnly(passed), passed) << passed;
    for (const int swallowed : {int('A'), int('-'), int(' '), 13, int('/'), int(':'), int('a')})
        EXPECT_EQ(digitsOnly(swallowed), 0) << swallowed;
}

TEST(KeyFilters, CallForFileNameKeepsTheLeadingCapitalsAndDigits)
{
    const std::pair<const char*, const char*> cases[] = {
        {"N0CALL", "N0CALL"}, {"N0CALL/M", "N0CALL"}, {"VE3/N0CALL", "VE3"}, {"W5ABC-1", "W5ABC"},
        {"", "YourCall"},     {"/X", "YourCall"},      {"n0call", "YourCall"}, {"N0call", "N0"},
    };
    for (const auto& [call, expected] : cases)
        EXPECT_EQ(CallForFileName(QString::fromLatin1(call)), QString::fromLatin1(expected)) << call;
}

} // namespace
