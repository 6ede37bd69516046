#include "entry/BandPlan.h"
#include "entry/Scoring.h"

#include <gtest/gtest.h>

TEST(BandPlan, BandForFrequency)
{
    const std::pair<double, const char*> cases[] = {
        {1.8, "160"},    {2.0, "160"},     {1.7999, ""},     {2.0001, ""},   {3.5, "80"},
        {7.3, "40"},     {7.3001, ""},     {14.35, "20"},    {21.2, "15"},   {29.7, "10"},
        {28.5, "10"},    {50.1, "6"},      {146.52, "2"},    {5.35, ""},     {0, ""},
        {10.1, "30"},    {18.1, "17"},     {24.9, "12"},     {222, "1.25"},  {432, "440"},
        {903, "902"},    {1296, "1.24"},   {2304, "2.3"},    {3400, "3.3"},  {5760, "5.6"},
        {10368, "10"},   {10000, ""},      {10500, ""},      {-14.2, ""},    {27.9999, ""},
        // Edges compare in single precision: these lie inside the rows as doubles.
        {6.9999, ""},    {148.0001, ""},
    };
    for (const auto& [mhz, band] : cases)
        EXPECT_EQ(bandForFrequency(mhz), QLatin1String(band)) << mhz;
}

TEST(BandPlan, ContestBandsAndCycle)
{
    const std::pair<const char*, const char*> next[] = {
        {"160", "80"}, {"80", "40"}, {"40", "20"}, {"20", "15"}, {"15", "10"},
        {"10", "6"},   {"6", "2"},   {"2", "160"},
    };
    for (const auto& [band, following] : next) {
        EXPECT_TRUE(isContestBand(band)) << band;
        EXPECT_EQ(nextBand(band), QLatin1String(following)) << band;
    }
    for (const char* other : {"30", "1.25", "440", "", "20 ", "160m"}) {
        EXPECT_FALSE(isContestBand(other)) << other;
        EXPECT_EQ(nextBand(other), "") << other;
    }
}

TEST(BandPlan, EveryBandListFollowsTheContestBandsOrder)
{
    EXPECT_EQ(contestBands(), (QStringList{"160", "80", "40", "20", "15", "10", "6", "2"}));
    const std::pair<const char*, int> places[] = {{"160", 0}, {"10", 5}, {"6", 6}, {"2", 7}, {"30", -1}, {"", -1}};
    for (const auto& [band, index] : places)
        EXPECT_EQ(contestBandIndex(band), index) << band;
    // The per-band DX lists stop before 2 m.
    const std::pair<const char*, int> dxLists[] = {{"160", 0}, {"6", 6}, {"2", -1}, {"30", -1}};
    for (const auto& [band, index] : dxLists)
        EXPECT_EQ(bandDXIndex(band), index) << band;
}

TEST(BandPlan, ContestModes)
{
    for (const char* mode : {"CW", "PH", "DG", "cw", "Ph"})
        EXPECT_TRUE(isContestMode(mode)) << mode;
    for (const char* other : {"SSB", "RTTY", "", "CW ", "C"})
        EXPECT_FALSE(isContestMode(other)) << other;
}

TEST(BandPlan, ReportsOfEachMode)
{
    const struct {
        const char* mode;
        bool phone;
        const char* report;
        int length;
    } cases[] = {{"PH", true, "59", 2}, {"ph", true, "59", 2}, {"CW", false, "599", 3}, {"DG", false, "599", 3},
                 {"", false, "599", 3}};
    for (const auto& c : cases) {
        EXPECT_EQ(isPhoneMode(c.mode), c.phone) << c.mode;
        EXPECT_EQ(defaultReport(c.mode), QLatin1String(c.report)) << c.mode;
        EXPECT_EQ(reportLength(c.mode), c.length) << c.mode;
    }
}

TEST(BandPlan, FrequencyText)
{
    const std::pair<double, const char*> cases[] = {
        {14.025, "14.025"},     {7, "7.000"},             {144.2, "144.200"},
        {0.5, ".500"},          {0, ".000"},              {0.0004, ".000"},
        {14.0254, "14.025"},    {14.0255, "14.026"},      {1296.9999, "1297.000"},
        {10368.1, "10368.100"}, {12345.678, "12345.678"}, {123456.5, "123456.500"},
        // A radio's single-precision reading keeps its decimal digits.
        {double(14.025f), "14.025"}, {double(7.0125f), "7.013"}, {double(3.5735f), "3.574"},
    };
    for (const auto& [mhz, text] : cases)
        EXPECT_EQ(formatFrequency(mhz), QLatin1String(text)) << mhz;
}
