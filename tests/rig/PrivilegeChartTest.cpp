// The privileges chart worked out from the band plan's rows: which bands a class gets,
// where its segments sit, the number format of the captions and the file's failures.

#include "rig/PrivilegeChart.h"

#include "core/QStringPrinter.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

std::vector<BandPlanRow> plan()
{
    return {
        {"160", "O", "PH", 1.8f, 2.0f},      {"160", "E", "CW", 1.8f, 1.843f},   {"160", "E", "PH", 1.843f, 2.0f},
        {"40", "O", "PH", 7.0f, 7.3f},       {"40", "N", "CW", 7.025f, 7.125f},  {"40", "E", "CW", 7.0f, 7.125f},
        {"40", "E", "PH", 7.125f, 7.3f},     {"30", "N", "CW", 10.1f, 10.15f},   {"30", "E", "CW", 10.1f, 10.15f},
        {"23", "O", "PH", 1240.0f, 1300.0f}, {"23", "E", "PH", 1240.0f, 1300.0f},
    };
}

TEST(PrivilegeChart, BarsAndSegmentsOfAClass)
{
    const ChartLayout extra = privilegeChart(plan(), QStringLiteral("E"));
    ASSERT_EQ(extra.bands.size(), 3u) << "30 m has no overall row: no bar";
    EXPECT_EQ(extra.bands[0].name, "160");
    EXPECT_EQ(extra.bands[2].name, "23");
    EXPECT_EQ(bandToolTip(extra.bands[1]), "40  7.000 - 7.300");
    EXPECT_EQ(bandToolTip(extra.bands[2]), "23  1,240.000 - 1,300.000");
    ASSERT_EQ(extra.segments.size(), 5u);
    EXPECT_EQ(extra.segments[2].band, 1u);
    EXPECT_EQ(segmentCaption(extra.segments[2]), "7.000 - 7.125");
    EXPECT_EQ(segmentToolTip(extra.segments[2]), "CW  7.000 - 7.125");
    EXPECT_EQ(segmentToolTip(extra.segments[3]), "PH  7.125 - 7.300");

    const ChartLayout novice = privilegeChart(plan(), QStringLiteral("N"));
    ASSERT_EQ(novice.bands.size(), 1u);
    EXPECT_EQ(novice.bands[0].name, "40");
    EXPECT_EQ(novice.segments.size(), 1u);
    EXPECT_TRUE(privilegeChart(plan(), QStringLiteral("G")).bands.empty());
    EXPECT_TRUE(privilegeChart(plan(), QStringLiteral("e")).bands.empty()) << "classes are matched exactly";
}

TEST(PrivilegeChart, EdgesComeFromTheBandsFirstRow)
{
    // The first 20 m row is a class row: its edges place the segments; the tool tip keeps
    // the overall row's range. A band without width ends the segments there.
    const std::vector<BandPlanRow> rows = {
        {"20", "E", "CW", 14.0f, 14.15f}, {"20", "O", "PH", 14.0f, 14.35f}, {"20", "E", "PH", 14.15f, 14.35f},
        {"6", "O", "PH", 50.0f, 50.0f},   {"6", "E", "PH", 50.1f, 54.0f},    {"20", "E", "CW", 14.0f, 14.025f},
    };
    const ChartLayout chart = privilegeChart(rows, QStringLiteral("E"));
    ASSERT_EQ(chart.bands.size(), 2u);
    EXPECT_FLOAT_EQ(chart.bands[0].edgeUpper, 14.15f);
    EXPECT_EQ(bandToolTip(chart.bands[0]), "20  14.000 - 14.350");
    EXPECT_EQ(chart.segments.size(), 2u) << "the 6 m segment ends the chart";
}

TEST(PrivilegeChart, FrequencyFormat)
{
    const struct {
        float mhz;
        const char* text;
    } cases[] = {{1.8f, "1.800"},   {0.5f, ".500"},          {14.35f, "14.350"}, {5.3305f, "5.331"},
                 {1240, "1,240.000"}, {10368.25f, "10,368.250"}, {0, ".000"}};
    for (const auto& c : cases)
        EXPECT_EQ(chartFrequencyText(c.mhz), c.text) << c.mhz;
}

class BandPlanReading : public ::testing::Test {
protected:
    QString write(const QByteArray& bytes)
    {
        const QString path = folder.filePath(QStringLiteral("BandPlan.txt"));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    QTemporaryDir folder;
};

TEST_F(BandPlanReading, HeaderRowsAndFailures)
{
    BandPlanFile file = readBandPlanFile(write("\"March 5, 2012\"\r\n\"40\",\"O\",\"PH\",7,7.3\r\n\"40\",\"E\",\"CW\",7,7.125\r\n\r\n"));
    EXPECT_TRUE(file.ok);
    EXPECT_EQ(file.effective, "March 5, 2012");
    ASSERT_EQ(file.rows.size(), 2u);
    EXPECT_FLOAT_EQ(file.rows[1].upper, 7.125f);

    file = readBandPlanFile(write("2012\r\n\"40\",\"O\",\"PH\",7,7.3\r\n\"40\",\"E\",\"CW\",7\r\n"));
    EXPECT_FALSE(file.ok) << "a row cut short";
    EXPECT_EQ(file.effective, "2012");
    EXPECT_EQ(file.rows.size(), 1u);

    QByteArray many = "\"2012\"\r\n";
    for (int i = 0; i < 201; ++i)
        many += "\"40\",\"E\",\"CW\",7,7.125\r\n";
    file = readBandPlanFile(write(many));
    EXPECT_FALSE(file.ok) << "more than 200 rows";
    EXPECT_EQ(file.rows.size(), 200u);

    file = readBandPlanFile(folder.filePath(QStringLiteral("none.txt")));
    EXPECT_FALSE(file.ok);
    EXPECT_FALSE(file.effective.has_value());
}

} // namespace
