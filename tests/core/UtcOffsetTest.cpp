#include "core/UtcOffset.h"
#include "core/QStringPrinter.h"
#include "support/TestServices.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

ClockReading reading(const QDateTime& local, const QDateTime& utc)
{
    return {QDateTime(local.date(), local.time()), QDateTime(utc.date(), utc.time(), Qt::UTC)};
}

QDateTime at(int day, int hour, int minute) { return QDateTime(QDate(2026, 4, day), QTime(hour, minute)); }

TEST(RecommendedUtcOffset, FromTheWallClocks)
{
    struct Case {
        QDateTime local, utc;
        float hours;
    };
    const Case cases[] = {
        {at(25, 13, 5), at(25, 18, 5), 5},     // Texas summer
        {at(25, 13, 5), at(25, 18, 35), 5.5f},
        {at(25, 13, 5), at(25, 18, 50), 5.75f},
        {at(25, 13, 5), at(25, 13, 5), 0},
        {at(25, 18, 35), at(25, 13, 5), -5.5f}, // India
        {at(25, 18, 50), at(25, 13, 5), -5.75f}, // Nepal
        {at(25, 22, 30), at(26, 3, 30), 5},    // UTC already on the next day
        {at(26, 1, 0), at(25, 15, 0), -10},    // local already on the next day
        {at(26, 10, 0), at(25, 22, 0), -12},   // New Zealand
        {at(25, 13, 0), at(26, 1, 0), 12},
    };
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(recommendedUtcOffset(reading(c.local, c.utc)), c.hours)
            << c.local.toString().toStdString() << " / " << c.utc.toString().toStdString();
}

class CheckUtcOffsetTest : public ::testing::Test {
protected:
    TestFolders folders;
    TestServices t;
    AppState state;

    void SetUp() override
    {
        folders.applyTo(state);
        t.clock->local = QDateTime(QDate(2026, 4, 25), QTime(13, 5, 0));
        t.clock->utcOffsetSeconds = 5 * 3600;
    }
    QString prefFile() const { return folders.work + "/QSOpref.txt"; }
};

TEST_F(CheckUtcOffsetTest, MatchingOffsetAsksNothing)
{
    state.station.UtcOffsetHours = 5;
    CheckUTCOffset(state, t.services, t.prompts());
    EXPECT_TRUE(t.dialogs->shown.empty());
    EXPECT_FALSE(QFileInfo::exists(prefFile()));
}

TEST_F(CheckUtcOffsetTest, DifferentOffsetOffersTheMeasuredOne)
{
    state.station.UtcOffsetHours = 6;
    t.dialogs->inputAnswers.push_back(QString("5"));
    CheckUTCOffset(state, t.services, t.prompts());

    ASSERT_EQ(t.dialogs->count("input"), 1);
    const auto* box = t.dialogs->last("input");
    EXPECT_EQ(box->title, "Update the Local Time / UTC Offset?");
    EXPECT_EQ(box->defaultAnswer, "5");
    const QStringList lines = box->text.split('\n');
    const QStringList expected = {"Current System Time: 18:05", "Current Local Time: 13:05",
                                  "Recommended Offset Setting: 5", "Current Offset Setting: 6"};
    for (const QString& e : expected)
        EXPECT_TRUE(lines.contains(e)) << e.toStdString() << "\n" << box->text.toStdString();
    for (qsizetype i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].isEmpty(), i % 2 == 1) << "line " << i << ": " << box->text.toStdString();

    EXPECT_EQ(state.station.UtcOffsetHours, 5);
    const QList<QByteArray> file = readBytes(prefFile()).split('\n');
    ASSERT_GE(file.size(), 11);
    EXPECT_EQ(file[10], "5\r");
}

TEST_F(CheckUtcOffsetTest, AnswersOtherThanANumberChangeNothing)
{
    for (const std::optional<QString>& answer : {std::optional<QString>(), std::optional<QString>("abc"),
                                                std::optional<QString>(""), std::optional<QString>("5,5")}) {
        state.station.UtcOffsetHours = 6;
        t.dialogs->inputAnswers.push_back(answer);
        CheckUTCOffset(state, t.services, t.prompts());
        EXPECT_EQ(state.station.UtcOffsetHours, 6) << answer.value_or("<cancel>").toStdString();
        EXPECT_FALSE(QFileInfo::exists(prefFile()));
    }
}

TEST_F(CheckUtcOffsetTest, TypedNumberIsTakenAsIs)
{
    state.station.UtcOffsetHours = 6;
    t.dialogs->inputAnswers.push_back(QString("4"));
    CheckUTCOffset(state, t.services, t.prompts());
    EXPECT_EQ(state.station.UtcOffsetHours, 4);
    EXPECT_EQ(readBytes(prefFile()).split('\n').value(10), "4\r");

    // A half-hour zone is offered as such.
    t.clock->utcOffsetSeconds = -(5 * 3600 + 30 * 60);
    t.dialogs->inputAnswers.push_back(QString("-5.5"));
    CheckUTCOffset(state, t.services, t.prompts());
    EXPECT_EQ(t.dialogs->last("input")->defaultAnswer, "-5.5");
    EXPECT_EQ(state.station.UtcOffsetHours, -5.5f);
}

} // namespace
