#include "spots/SpotDisplay.h"
#include "spots/SpotStore.h"

#include <gtest/gtest.h>

#include <bit>

namespace {

const QDateTime noon(QDate(2024, 10, 5), QTime(12, 0));

std::vector<QString> captionsOf(FrequencyRange range)
{
    const auto captions = scaleCaptions(range);
    return {captions.begin(), captions.end()};
}

std::vector<QString> texts(std::initializer_list<const char*> list)
{
    std::vector<QString> out;
    for (const char* text : list)
        out.push_back(QString::fromLatin1(text));
    return out;
}

SpotStoreState storeWith(std::initializer_list<float> frequencies, const QDateTime& arrival = noon)
{
    SpotStoreState store;
    int i = 0;
    for (float f : frequencies)
        fileSpot(store, QStringLiteral("K%1AA").arg(i++), f, arrival);
    return store;
}

TEST(BandMapScale, NarrowsToTwoOrMoreFrequenciesOfTheBand)
{
    const FrequencyRange band = bandMapEdges(QStringLiteral("20"));
    EXPECT_EQ(captionsOf(ZoomBandToSpots(storeWith({14.020f, 14.030f}), band)),
              texts({"14.019", "14.022", "14.025", "14.028", "14.031"}));
    EXPECT_EQ(captionsOf(ZoomBandToSpots(storeWith({14.025f, 14.025f, 14.35f, 14.0f}), band)),
              texts({"14.000", "14.088", "14.175", "14.263", "14.350"}));
    EXPECT_EQ(captionsOf(bandMapEdges(QStringLiteral("30"))), texts({".000", ".000", ".000", ".000", ".000"}));
}

TEST(BandMapScale, SlotZeroDoesNotCount)
{
    SpotStoreState store = storeWith({14.1f, 14.2f, 14.3f});
    for (int i = 0; i < 47; ++i)
        fileSpot(store, QStringLiteral("W%1X").arg(i), 7.01f, noon);
    ASSERT_EQ(store.SpotFrequency[0], 14.1f);
    const auto captions = scaleCaptions(ZoomBandToSpots(store, SpectrumBandLines()[4]));
    EXPECT_EQ(captions[0], QStringLiteral("14.199"));
    EXPECT_EQ(captions[4], QStringLiteral("14.301"));
}

TEST(SpectrumScale, LinesLieOnTheBandEdgesInSinglePrecision)
{
    const FrequencyRange expected[SpectrumLineCount] = {{1.8f, 2},       {3.5f, 4},       {7, 7.3f},         {10.1f, 10.15f},
                                                        {14, 14.35f},    {18.068f, 18.168f}, {21, 21.45f}, {24.89f, 24.99f},
                                                        {28, 29.7f},     {50, 54},        {144, 148}};
    const auto& lines = SpectrumBandLines();
    for (int k = 0; k < SpectrumLineCount; ++k) {
        EXPECT_EQ(std::bit_cast<quint32>(lines[k].low), std::bit_cast<quint32>(expected[k].low)) << "line " << k;
        EXPECT_EQ(std::bit_cast<quint32>(lines[k].high), std::bit_cast<quint32>(expected[k].high)) << "line " << k;
    }
}

TEST(SpectrumScale, CaptionsInSinglePrecisionRoundHalfToEven)
{
    const SpotStoreState empty;
    const auto& lines = SpectrumBandLines();
    EXPECT_EQ(captionsOf(ZoomBandToSpots(empty, lines[0])), texts({"1.800", "1.850", "1.900", "1.950", "2.000"}));
    EXPECT_EQ(captionsOf(ZoomBandToSpots(empty, lines[3])), texts({"10.100", "10.113", "10.125", "10.137", "10.150"}));
    EXPECT_EQ(captionsOf(ZoomBandToSpots(empty, lines[6])), texts({"21.000", "21.113", "21.225", "21.338", "21.450"}));
    EXPECT_EQ(captionsOf(ZoomBandToSpots(empty, lines[10])),
              texts({"144.000", "145.000", "146.000", "147.000", "148.000"}));
    EXPECT_EQ(captionsOf(ZoomBandToSpots(storeWith({14.025f, 14.074f}), lines[4])),
              texts({"14.024", "14.037", "14.049", "14.062", "14.075"}));
    EXPECT_EQ(captionsOf(ZoomBandToSpots(storeWith({14.1f, 14.3f}), lines[4])),
              texts({"14.099", "14.150", "14.200", "14.251", "14.301"}));
    EXPECT_EQ(captionsOf(ZoomBandToSpots(storeWith({14.0005f, 14.2f}), lines[4])),
              texts({"13.999", "14.050", "14.100", "14.151", "14.201"}));
}

TEST(SpotLabels, AgeColoursAndTheHourThatEndsARedraw)
{
    const std::pair<qint64, Rgb> cases[] = {{599, rgb(255, 255, 128)}, {600, rgb(255, 255, 255)},
                                            {1799, rgb(255, 255, 255)}, {1800, rgb(192, 192, 192)},
                                            {3599, rgb(192, 192, 192)}};
    for (const auto& [age, colour] : cases)
        EXPECT_EQ(spotAgeColour(age), colour) << age;
    EXPECT_FALSE(spotAgeColour(3600));
}

TEST(SpotLabels, TheToolTipGivesCallFrequencyAndUtcArrival)
{
    EXPECT_EQ(spotToolTip(QStringLiteral("N5ABC"), 14.025f, noon, 6), QStringLiteral("N5ABC  14.025  18:00:00"));
    EXPECT_EQ(spotToolTip(QStringLiteral("N5ABC"), 14.025f, noon, 5.5f), QStringLiteral("N5ABC  14.025  17:30:00"));
    // Three decimals at least, more where the spot has them.
    const std::pair<float, const char*> shown[] = {{7.0253f, "7.0253"},   {14.0333f, "14.0333"}, {14.0f, "14.000"},
                                                   {7.03f, "7.030"},      {0.5f, ".500"},        {0.1357f, ".1357"},
                                                   {144.174123f, "144.17412"}, {10368.1f, "10368.100"}};
    for (const auto& [mhz, text] : shown)
        EXPECT_EQ(formatSpotFrequency(mhz), QString::fromLatin1(text)) << text;
}

TEST(BandMapLabels, AnOldInBandSpotEndsTheRedrawButOtherBandsAndDeletedSpotsDoNot)
{
    SpotStoreState store;
    fileSpot(store, QStringLiteral("K1OLD"), 14.010f, noon.addSecs(-4000));
    fileSpot(store, QStringLiteral("K2MID"), 14.020f, noon.addSecs(-100));
    fileSpot(store, QStringLiteral("K3OLD"), 7.020f, noon.addSecs(-5000));
    fileSpot(store, QStringLiteral("K4DEL"), 14.030f, noon.addSecs(-5000));
    deleteSpot(store, 49);
    fileSpot(store, QStringLiteral("K5NEW"), 14.040f, noon);
    const auto labels = bandMapLabels(store, {14.0f, 14.35f}, noon, 0);
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].slot, 49);
    EXPECT_EQ(labels[1].caption, QStringLiteral("K2"));
    EXPECT_NEAR(labels[1].position, 0.02 / 0.35, 1e-5);
}

TEST(BandMapLabels, ASpotExactlyOnAnEdgeOfTheShownRangeIsLeftOut)
{
    // Filed from the cluster's kHz as the intake files them, the range read back from the
    // scale's captions as the map reads it.
    const ReferenceTables tables;
    SpotStoreState store;
    for (const char* kHz : {"14000.0", "14350.0", "14100.0"})
        ASSERT_TRUE(takeSpot(store, tables, QStringLiteral("K%1X").arg(QLatin1String(kHz).left(5)), QLatin1String(kHz), {},
                             noon));
    const auto onWholeBand = [&] {
        return bandMapLabels(store, displayedRange(scaleCaptions(ZoomBandToSpots(store, bandMapEdges("20")))), noon, 0);
    };
    auto labels = onWholeBand();
    ASSERT_EQ(labels.size(), 1u) << "one spot inside: the whole band, 14.000 to 14.350";
    EXPECT_EQ(store.SpotFrequency[size_t(labels[0].slot)], 14.1f);

    // Narrowed to two spots, a spot of slot 0 (which does not narrow the scale) exactly on
    // its low edge is left out too.
    store = SpotStoreState{};
    ASSERT_TRUE(takeSpot(store, tables, QStringLiteral("K0EDGE"), QStringLiteral("14019.0"), {}, noon));
    for (int i = 0; i < 47; ++i)
        ASSERT_TRUE(takeSpot(store, tables, QStringLiteral("W%1X").arg(i), QStringLiteral("7010.0"), {}, noon));
    ASSERT_TRUE(takeSpot(store, tables, QStringLiteral("K1AA"), QStringLiteral("14020.0"), {}, noon));
    ASSERT_TRUE(takeSpot(store, tables, QStringLiteral("K2AA"), QStringLiteral("14030.0"), {}, noon));
    ASSERT_EQ(store.SpotCall[0], QStringLiteral("K0EDGE"));
    labels = onWholeBand();
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[1].slot, 48);
}

TEST(SpectrumLabels, EverySlotCountsForTheHourAndOnlySpotsOnALineAreShown)
{
    SpotStoreState store;
    fileSpot(store, QStringLiteral("K1OLD"), 14.010f, noon.addSecs(-4000));
    fileSpot(store, QStringLiteral("K2EDGE"), 14.0f, noon);
    fileSpot(store, QStringLiteral("K3AA"), 14.001f, noon);
    fileSpot(store, QStringLiteral("K4AA"), 5.3f, noon);
    std::array<FrequencyRange, SpectrumLineCount> shown = SpectrumBandLines();
    const auto labels = spectrumMapLabels(store, shown, noon, 0);
    ASSERT_EQ(labels.size(), 3u);
    EXPECT_FALSE(labels[0].shown); // 5.3 MHz lies on no line
    EXPECT_TRUE(labels[1].shown);
    EXPECT_EQ(labels[1].line, 4);
    EXPECT_FALSE(labels[2].shown); // exactly on the edge
    EXPECT_TRUE(spectrumMapLabels(SpotStoreState{}, shown, noon, 0).empty());
}

} // namespace
