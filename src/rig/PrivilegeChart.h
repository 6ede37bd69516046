#pragma once

// The privileges chart: which bands a licence class may use and where its CW and phone
// segments lie within each band, from the rows of BandPlan.txt (see RigBandPlan.h).

#include "rig/RigBandPlan.h"

#include <QString>
#include <optional>
#include <vector>

// BandPlan.txt as the chart reads it: the header (the date the plan is effective) and every
// row in file order. A missing file, a row cut short or more than 200 rows is a failure;
// the header and the rows read before it are kept.
struct BandPlanFile {
    std::optional<QString> effective;
    std::vector<BandPlanRow> rows;
    bool ok = false;
};
BandPlanFile readBandPlanFile(const QString& path);

// One bar of the chart: the band's name, the overall range its "O" row gives (the tool
// tip) and the edges its segments are placed between (the first row of the band in the file).
struct ChartBand {
    QString name;
    float rangeLower = 0;
    float rangeUpper = 0;
    float edgeLower = 0;
    float edgeUpper = 0;
};

// One privilege: a segment of the bar `band` (an index into ChartLayout::bands).
struct ChartSegment {
    std::size_t band = 0;
    QString mode;
    float lower = 0;
    float upper = 0;
};

struct ChartLayout {
    std::vector<ChartBand> bands;
    std::vector<ChartSegment> segments;
};

// The most bars one chart holds.
constexpr std::size_t MaxChartBands = 20;

// The bars of the class: a band whose "O" row is followed, before another band's rows, by
// a row of the class; then the class's segments on those bars, in file order.
ChartLayout privilegeChart(const std::vector<BandPlanRow>& rows, const QString& licenceClass);

// "#,###.##0": thousands grouped with a comma, three decimals, no digit before the point
// below 1 (1.8 shows "1.800", 0.5 ".500", 1240 "1,240.000").
QString chartFrequencyText(float mhz);
// A bar's tool tip: "20  14.000 - 14.350".
QString bandToolTip(const ChartBand& band);
// A segment's caption "14.000 - 14.150" and tool tip "CW  14.000 - 14.150" ("PH  " for any
// mode but CW).
QString segmentCaption(const ChartSegment& segment);
QString segmentToolTip(const ChartSegment& segment);
