#include "entry/DistanceBearing.h"
#include "core/QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

// Own station in central Texas; longitudes count positive toward the west.
constexpr double OwnLat = 31;
constexpr double OwnLon = 100;

DistanceBearingText texts(double lat, double lon, double ownLat = OwnLat, double ownLon = OwnLon)
{
    return formatDistanceBearing(computeDistanceBearing(ownLat, ownLon, lat, lon), QLatin1Char(','));
}

TEST(DistanceBearing, LabelTextsForKnownPlaces)
{
    struct Case {
        double lat, lon;
        const char* bearing;
        const char* miles;
    };
    const Case cases[] = {
        {41, 74, "57 ", "1,600 "},       // New York area
        {31, 99, "90 ", "59 "},          // one degree east
        {31, 101, "270 ", "59 "},        // one degree west
        {35.7, -139.7, "315 ", "6,414 "}, // Tokyo, east of Greenwich
    };
    for (const Case& c : cases) {
        const DistanceBearingText t = texts(c.lat, c.lon);
        EXPECT_EQ(t.bearing, QLatin1String(c.bearing)) << c.lat << " " << c.lon;
        EXPECT_EQ(t.miles, QLatin1String(c.miles)) << c.lat << " " << c.lon;
    }
}

TEST(DistanceBearing, OwnPositionHasNoBearing)
{
    const std::pair<double, double> places[] = {{31, 100}, {32.9, 97.04}, {45.5, -73.6}, {-33.9, -151.2}, {0, 0}};
    for (const auto& [lat, lon] : places) {
        EXPECT_FALSE(computeDistanceBearing(lat, lon, lat, lon).has_value()) << lat << " " << lon;
        const DistanceBearingText t = texts(lat, lon, lat, lon);
        EXPECT_EQ(t.bearing, "");
        EXPECT_EQ(t.miles, "");
    }
}

TEST(DistanceBearing, AntipodeStillGetsBearingAndDistance)
{
    const auto result = computeDistanceBearing(OwnLat, OwnLon, -31, -80);
    ASSERT_TRUE(result.has_value());
    EXPECT_NEAR(result->miles, 12430, 10);
    EXPECT_GE(result->bearing, 0);
    EXPECT_LE(result->bearing, 360);
    const DistanceBearingText t = texts(-31, -80);
    EXPECT_TRUE(t.miles.startsWith("12,4") && t.miles.endsWith(' ') && t.miles.size() == 7)
        << t.miles.toStdString();
    EXPECT_FALSE(t.bearing.isEmpty());
}

TEST(DistanceBearing, DueNorth)
{
    const auto result = computeDistanceBearing(OwnLat, OwnLon, 41, OwnLon);
    ASSERT_TRUE(result.has_value());
    EXPECT_NEAR(result->miles, 691, 1);
    const DistanceBearingText t = texts(41, OwnLon);
    EXPECT_TRUE(t.bearing == "360 " || t.bearing == " ") << t.bearing.toStdString();
    EXPECT_TRUE(t.miles == "690 " || t.miles == "691 ") << t.miles.toStdString();
}

TEST(DistanceBearing, ZeroShowsAsNothing)
{
    const DistanceBearingText small = formatDistanceBearing(DistanceBearing{0.4, 0.49}, QLatin1Char(','));
    EXPECT_EQ(small.bearing, " ");
    EXPECT_EQ(small.miles, " ");
    const DistanceBearingText rounded = formatDistanceBearing(DistanceBearing{359.5, 1234.5}, QLatin1Char('.'));
    EXPECT_EQ(rounded.bearing, "360 ");
    EXPECT_EQ(rounded.miles, "1.235 ");
}

} // namespace
