// Random code-practice groups: the practice table, the pool each choice draws from, and
// the counts the boxes may hold.

#include "keying/CodePractice.h"

#include "core/QStringPrinter.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

TEST(PracticeTable, HoldsLettersFiguresAndFiveMarks)
{
    const PracticeTable table = practiceCharacters();
    EXPECT_EQ(table[0], "");
    EXPECT_EQ(table[1], "A");
    EXPECT_EQ(table[26], "Z");
    EXPECT_EQ(table[27], "0");
    EXPECT_EQ(table[36], "9");
    EXPECT_EQ(table[37] + table[38] + table[39] + table[40] + table[41], ".,?/-");
    for (size_t i = 42; i < table.size(); ++i)
        EXPECT_EQ(table[i], "") << i;
}

TEST(RandomGroups, DrawGroupsFromThePoolChosen)
{
    QRandomGenerator random(7);
    const QString all = randomGroups(10, 5, false, random);
    EXPECT_EQ(all.size(), 60);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^([A-Z0-9.,?/-]{5} ){10}$")).match(all).hasMatch()) << all.toStdString();

    const QString letters = randomGroups(10, 5, true, random);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^([A-Z]{5} ){10}$")).match(letters).hasMatch()) << letters.toStdString();

    // Every character of the pool comes up, the first and the last included.
    const QString many = randomGroups(2000, 5, false, random);
    QSet<QChar> seen(many.begin(), many.end());
    seen.remove(QLatin1Char(' '));
    EXPECT_EQ(seen.size(), CharactersInTable);
}

TEST(RandomGroups, CountsTheBoxesMayHold)
{
    const struct {
        const char* name;
        double groups;
        double perGroup;
        const char* pattern;
    } cases[] = {
        {"no groups", 0, 5, "^$"},
        {"fewer than none", -3, 5, "^$"},
        {"a fraction of a group", 0.5, 5, "^$"},
        {"groups up to the fraction", 2.7, 3, "^(\\S{3} ){2}$"},
        {"characters up to the fraction", 3, 2.5, "^(\\S{2} ){3}$"},
        {"empty groups", 2, 0, "^  $"},
    };
    QRandomGenerator random(1);
    for (const auto& c : cases) {
        const QString text = randomGroups(c.groups, c.perGroup, false, random);
        EXPECT_TRUE(QRegularExpression(QString::fromLatin1(c.pattern)).match(text).hasMatch())
            << c.name << ": " << text.toStdString();
    }
}

TEST(RandomGroups, AnOversizedCountStopsAtAWholeGroup)
{
    QRandomGenerator random(3);
    const QString text = randomGroups(1e12, 5, true, random);
    EXPECT_LE(text.size(), LongestPracticeText);
    EXPECT_GT(text.size(), LongestPracticeText - 6);
    EXPECT_EQ(text.size() % 6, 0);
    EXPECT_EQ(randomGroups(1, 1e12, true, random), "");
}

} // namespace
