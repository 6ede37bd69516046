// The figures of the contact-rate graph: the 10-minute rate, the contacts in time order,
// the time labels, the slots with their bridges, smoothing and band colours, and the
// value labels.

#include "core/QStringPrinter.h"
#include "support/TestLog.h"
#include "reports/RateGraph.h"

#include <QDateTime>
#include <gtest/gtest.h>

namespace {

const Rgb Black = rgb(0, 0, 0);
const Rgb White = rgb(255, 255, 255);
const std::array<Rgb, RateBandCount> Bands = {rgb(255, 255, 255), rgb(0, 0, 255),     rgb(255, 0, 0),
                                              rgb(0, 255, 0),     rgb(128, 255, 255), rgb(255, 0, 255),
                                              rgb(255, 255, 0)};

// The log of a station that logged the contacts, in this order.
LogStoreState logOf(std::initializer_list<Qso> contacts) { return stateWithLog(contacts)->log; }

qint64 utc(const char* text)
{
    QDateTime moment = QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy/MM/dd hh:mm:ss"));
    moment.setTimeSpec(Qt::UTC);
    return moment.toSecsSinceEpoch();
}

std::vector<RateContact> contactsAt(std::initializer_list<qint64> offsets, int band = 3)
{
    std::vector<RateContact> contacts;
    for (qint64 seconds : offsets)
        contacts.push_back({1700000000 + seconds, band});
    return contacts;
}

TEST(RateGraph, TheRateCountsTheContactsOfTheTenMinutesUpToEachContact)
{
    const auto contacts = contactsInTimeOrder(logOf({Qso{.time = "14:00:00"},
                                                     Qso{.time = "14:05:00"},
                                                     Qso{.time = "14:09:59"},
                                                     Qso{.time = "14:10:00"}}));
    ASSERT_TRUE(contacts);
    // 14:00:00 is exactly 600 seconds before 14:10:00 and no longer counts.
    const int expected[] = {1, 2, 3, 3};
    for (size_t i = 0; i < contacts->size(); ++i)
        EXPECT_EQ(contactsInTenMinutes(*contacts, i), expected[i]) << "contact " << i + 1;
}

TEST(RateGraph, ContactsAreTakenInTimeOrderWithLaterEntriesInTheirPlace)
{
    // The last two were entered after the contest, with times of the contest's first day.
    const auto contacts = contactsInTimeOrder(logOf({Qso{.band = "40", .time = "14:00:00"},
                                                     Qso{.band = "20", .time = "14:30:00"},
                                                     Qso{.band = "15", .time = "02:00:00", .date = "2026/04/26"},
                                                     Qso{.band = "80", .time = "13:55"},
                                                     Qso{.band = "6", .time = "14:30"}}));
    ASSERT_TRUE(contacts);
    const qint64 expectedTimes[] = {utc("2026/04/25 13:55:00"), utc("2026/04/25 14:00:00"),
                                    utc("2026/04/25 14:30:00"), utc("2026/04/25 14:30:00"),
                                    utc("2026/04/26 02:00:00")};
    const int expectedBands[] = {1, 2, 3, 6, 4}; // equal times keep log order
    ASSERT_EQ(contacts->size(), 5u);
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ((*contacts)[i].utcSeconds, expectedTimes[i]) << i;
        EXPECT_EQ((*contacts)[i].band, expectedBands[i]) << i;
    }
    EXPECT_EQ(contactsInTenMinutes(*contacts, 1), 2) << "the later entry counts for the contact after it";

    EXPECT_FALSE(contactsInTimeOrder(logOf({Qso{.time = "14:00:00"}, Qso{.time = "14:05:00", .date = "25.04.2026"}})));
    EXPECT_FALSE(contactsInTimeOrder(logOf({Qso{.time = "14:00:00"}, Qso{.time = "24:00"}})));
}

TEST(RateGraph, AnEarlierEntryAtTheEndOfTheLogGivesTheGraphOfTheSameContactsInOrder)
{
    const auto inOrder = contactsInTimeOrder(logOf({Qso{.time = "13:00:00"},
                                                    Qso{.time = "14:00:00"},
                                                    Qso{.time = "14:04:00"},
                                                    Qso{.time = "15:00:00"},
                                                    Qso{.time = "16:00:00"}}));
    const auto enteredLate = contactsInTimeOrder(logOf({Qso{.time = "14:00:00"},
                                                        Qso{.time = "14:04:00"},
                                                        Qso{.time = "15:00:00"},
                                                        Qso{.time = "16:00:00"},
                                                        Qso{.time = "13:00"}}));
    ASSERT_TRUE(inOrder && enteredLate);
    const auto a = computeRateGraph(*inOrder, Bands, Black);
    const auto b = computeRateGraph(*enteredLate, Bands, Black);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->SlotPlot, b->SlotPlot);
    EXPECT_EQ(a->SlotColor, b->SlotColor);
    EXPECT_EQ(a->SlotRate[1500], 6.0f) << "the last contact in time lands in the last slot";
}

TEST(RateGraph, TimeLabelsSpreadTheSpanOverFourteenSteps)
{
    // 42 hours: the labels are 3 hours apart.
    const qint64 start = utc("2026/04/25 14:00:00");
    const qint64 span = 42 * 3600;
    EXPECT_EQ(rateTimeLabelMoment(start, span, 0).toString(QStringLiteral("MM/dd hh:mm")),
              QStringLiteral("04/25 14:00"));
    EXPECT_EQ(rateTimeLabelMoment(start, span, 1).toString(QStringLiteral("MM/dd hh:mm")),
              QStringLiteral("04/25 17:00"));
    EXPECT_EQ(rateTimeLabelMoment(start, span, 4).toString(QStringLiteral("MM/dd hh:mm")),
              QStringLiteral("04/26 02:00"));
    EXPECT_EQ(rateTimeLabelMoment(start, span, 14).toString(QStringLiteral("MM/dd hh:mm")),
              QStringLiteral("04/27 08:00"));
    // 100 seconds: 7.14... seconds per step, to the nearest second.
    EXPECT_EQ(rateTimeLabelMoment(start, 100, 1).toSecsSinceEpoch() - start, 7);
    EXPECT_EQ(rateTimeLabelMoment(start, 100, 13).toSecsSinceEpoch() - start, 93);
}

TEST(RateGraph, EachContactsRateAndBandGoIntoItsSlot)
{
    // 1500 seconds: one slot per second. Three contacts 10 slots apart, then one at the end.
    const auto graph = computeRateGraph(contactsAt({0, 10, 20, 1500}), Bands, Black);
    ASSERT_TRUE(graph);
    EXPECT_EQ(graph->SlotRate[1], 6.0f);
    EXPECT_EQ(graph->SlotRate[10], 12.0f);
    EXPECT_EQ(graph->SlotRate[20], 18.0f);
    EXPECT_EQ(graph->SlotRate[1500], 6.0f);
    EXPECT_EQ(graph->SlotColor[10], Bands[3]);
    EXPECT_EQ(graph->PlotMin, 0.0f);
    EXPECT_GT(graph->PlotMax, 12.0f);

    EXPECT_FALSE(computeRateGraph(contactsAt({0, 0, 0, 0, 0, 0, 0}), Bands, Black))
        << "no time between the first and the last contact";
    EXPECT_FALSE(computeRateGraph({}, Bands, Black));
}

TEST(RateGraph, AContactBetweenTwoSlotsGoesToTheNearestOneAHalfToTheEven)
{
    // 900 seconds: 0.6 s a slot, so few contacts fall on a whole slot.
    const auto graph = computeRateGraph(contactsAt({0, 1, 4, 5, 899, 900}), Bands, Black);
    ASSERT_TRUE(graph);
    const struct {
        int slot;
        bool contact;
    } slots[] = {{1, true},    {2, true},     {6, false},    {7, true},
                 {8, true},    {1497, false}, {1498, true},  {1500, true}};
    for (const auto& s : slots)
        EXPECT_EQ(graph->SlotContact[size_t(s.slot)], s.contact) << "slot " << s.slot;
    EXPECT_EQ(graph->SlotRate[7], 18.0f) << "the contact of second 4 (slot 6.67) with the two before it";

    // 3000 seconds: 2 s a slot; seconds 5 and 7 lie on halves, which go to the even slot.
    const auto halves = computeRateGraph(contactsAt({0, 5, 7, 3000}), Bands, Black);
    ASSERT_TRUE(halves);
    EXPECT_TRUE(halves->SlotContact[2]);
    EXPECT_FALSE(halves->SlotContact[3]);
    EXPECT_TRUE(halves->SlotContact[4]);
}

TEST(RateGraph, AGapOfUpToFifteenSlotsIsBridgedAndALongerOneDropsToZero)
{
    RateGraph graph;
    graph.SlotRate[1] = 6;
    for (int s = 90; s <= 100; ++s)
        graph.SlotRate[size_t(s)] = 60; // a steady run of contacts up to slot 100
    graph.SlotRate[130] = 12; // 30 slots after the last of them
    graph.SlotRate[140] = 24; // 10 slots after the second
    bridgeRateGaps(graph);
    EXPECT_EQ(graph.SlotPlot[114], 0.0f) << "more than 15 slots before the next contact";
    EXPECT_EQ(graph.SlotRate[115], 0.0f) << "the ramp starts from the empty slot before it";
    EXPECT_FLOAT_EQ(graph.SlotRate[116], 0.8f);
    EXPECT_FLOAT_EQ(graph.SlotRate[129], 11.2f);
    // The line starts with the previous slot's value at the first empty slot.
    EXPECT_FLOAT_EQ(graph.SlotRate[131], 12.0f);
    EXPECT_FLOAT_EQ(graph.SlotRate[135], 12.0f + 4 * 12.0f / 9) << "from the second contact to the third";
    EXPECT_EQ(graph.SlotPlot[131], graph.SlotRate[131]);

    smoothRateCurve(graph);
    for (int s = 101; s <= 106; ++s)
        EXPECT_EQ(graph.SlotPlot[size_t(s)], 60.0f) << "the last value holds for 6 slots: " << s;
    for (int s = 107; s <= 115; ++s)
        EXPECT_EQ(graph.SlotPlot[size_t(s)], 0.0f) << s;
    EXPECT_FLOAT_EQ(graph.SlotPlot[116], 0.8f);
    EXPECT_FLOAT_EQ(graph.SlotPlot[117], 1.2f);
    EXPECT_FLOAT_EQ(graph.SlotPlot[130], (7.2f + 8 + 8.8f + 9.6f + 10.4f + 11.2f + 12) / 7);
}

TEST(RateGraph, BandColoursCarryAlongTheCurveUntilItDropsToZero)
{
    const Rgb red = Bands[2];
    const Rgb green = Bands[3];
    RateGraph graph;
    graph.SlotColor.fill(White);
    for (int s = 1; s <= 20; ++s)
        graph.SlotPlot[size_t(s)] = 10;
    auto contact = [&graph](int slot, Rgb colour) {
        graph.SlotColor[size_t(slot)] = colour;
        graph.SlotContact[size_t(slot)] = true;
    };
    contact(1, red);
    contact(8, green);
    contact(12, White); // 160 m, the colour of the background
    // From slot 21 the curve lies at 0; slot 30 rises again without a contact.
    graph.SlotPlot[30] = 5;
    graph.SlotPlot[31] = 5;
    contact(31, red);
    carryBandColours(graph, White);
    EXPECT_EQ(graph.SlotColor[7], red);
    EXPECT_EQ(graph.SlotColor[8], green);
    EXPECT_EQ(graph.SlotColor[11], green);
    EXPECT_EQ(graph.SlotColor[12], White) << "160 m stays white on white, not the band before it";
    EXPECT_EQ(graph.SlotColor[20], White);
    EXPECT_EQ(graph.SlotColor[21], White) << "slots at 0 keep their own colour";
    EXPECT_EQ(graph.SlotColor[30], White) << "the band does not carry over a drop to 0";
    EXPECT_EQ(graph.SlotColor[31], red);

    RateGraph first;
    first.SlotColor.fill(White);
    first.SlotPlot[1] = 6;
    carryBandColours(first, White);
    EXPECT_EQ(first.SlotColor[1], Black) << "before any band the current colour is black";
}

TEST(RateGraph, BandsOfTheLegend)
{
    const struct {
        const char* band;
        int index;
    } cases[] = {{"160", 0}, {"80", 1}, {"40", 2}, {"20", 3}, {"15", 4}, {"10", 5},
                 {"6", 6},   {"2", 6},  {"", 6},   {"17", 6}};
    for (const auto& c : cases)
        EXPECT_EQ(rateBandIndex(QString::fromLatin1(c.band)), c.index) << c.band;
}

TEST(RateGraph, ValueLabelsRunFromTheSmallestToTheLargestValueWithOneDecimal)
{
    RateGraph graph;
    graph.PlotMin = 0;
    graph.PlotMax = 36;
    EXPECT_EQ(rateValueLabel(graph, 0), QStringLiteral("0.0"));
    EXPECT_EQ(rateValueLabel(graph, 1), QStringLiteral("2.3")) << "2.25: a half rounds up";
    EXPECT_EQ(rateValueLabel(graph, 16), QStringLiteral("36.0"));
    graph.PlotMin = 6;
    graph.PlotMax = 11526;
    EXPECT_EQ(rateValueLabel(graph, 16), QStringLiteral("11526.0")) << "no thousands separator";
    EXPECT_EQ(rateValueLabel(graph, 8), QStringLiteral("5766.0"));
}

} // namespace
