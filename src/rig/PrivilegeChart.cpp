#include "rig/PrivilegeChart.h"

#include "core/RecordFile.h"

#include <cmath>

namespace {

constexpr std::size_t MaxRows = 200;

bool readRow(RecordReader& r, BandPlanRow& row)
{
    return r.readText(row.band) && r.readText(row.licenceClass) && r.readText(row.mode) && r.readSingle(row.lower)
        && r.readSingle(row.upper);
}

bool isOverallRange(const BandPlanRow& row) { return row.licenceClass == QLatin1String("O"); }

// Reads on from the band's "O" row through the rows of the same band.
bool bandHasClass(const std::vector<BandPlanRow>& rows, std::size_t overall, const QString& licenceClass)
{
    for (std::size_t i = overall + 1; i < rows.size() && rows[i].band == rows[overall].band; ++i)
        if (rows[i].licenceClass == licenceClass)
            return true;
    return false;
}

const BandPlanRow* firstRowOf(const std::vector<BandPlanRow>& rows, const QString& band)
{
    for (const BandPlanRow& row : rows)
        if (row.band == band)
            return &row;
    return nullptr;
}

} // namespace

BandPlanFile readBandPlanFile(const QString& path)
{
    BandPlanFile file;
    auto reader = RecordReader::fromFile(path);
    if (!reader)
        return file;
    QString header;
    if (!reader->readText(header))
        return file;
    file.effective = header;
    while (!reader->atEnd() && !reader->onlyLineEndsLeft()) {
        BandPlanRow row;
        if (file.rows.size() == MaxRows || !readRow(*reader, row))
            return file;
        file.rows.push_back(row);
    }
    file.ok = true;
    return file;
}

ChartLayout privilegeChart(const std::vector<BandPlanRow>& rows, const QString& licenceClass)
{
    ChartLayout chart;
    for (std::size_t i = 0; i < rows.size() && chart.bands.size() < MaxChartBands; ++i) {
        if (!isOverallRange(rows[i]) || !bandHasClass(rows, i, licenceClass))
            continue;
        const BandPlanRow& edges = *firstRowOf(rows, rows[i].band);
        chart.bands.push_back({rows[i].band, rows[i].lower, rows[i].upper, edges.lower, edges.upper});
    }
    for (const BandPlanRow& row : rows) {
        if (row.licenceClass != licenceClass)
            continue;
        for (std::size_t k = 0; k < chart.bands.size(); ++k) {
            if (chart.bands[k].name != row.band)
                continue;
            // A band without width cannot place a segment: the chart ends here.
            if (chart.bands[k].edgeUpper == chart.bands[k].edgeLower)
                return chart;
            chart.segments.push_back({k, row.mode, row.lower, row.upper});
        }
    }
    return chart;
}

QString chartFrequencyText(float mhz)
{
    const double value = double(mhz);
    const double magnitude = std::round(std::fabs(value) * 1000.0) / 1000.0;
    QString digits = QString::number(magnitude, 'f', 3);
    const qsizetype point = digits.indexOf(QLatin1Char('.'));
    QString whole = digits.left(point);
    const QString fraction = digits.mid(point);
    if (whole == QLatin1String("0"))
        whole.clear();
    for (qsizetype at = whole.size() - 3; at > 0; at -= 3)
        whole.insert(at, QLatin1Char(','));
    const bool negative = value < 0 && magnitude != 0;
    return (negative ? QStringLiteral("-") : QString()) + whole + fraction;
}

QString bandToolTip(const ChartBand& band)
{
    return band.name + QStringLiteral("  ") + chartFrequencyText(band.rangeLower) + QStringLiteral(" - ")
         + chartFrequencyText(band.rangeUpper);
}

QString segmentCaption(const ChartSegment& segment)
{
    return chartFrequencyText(segment.lower) + QStringLiteral(" - ") + chartFrequencyText(segment.upper);
}

QString segmentToolTip(const ChartSegment& segment)
{
    return (segment.mode == QLatin1String("CW") ? QStringLiteral("CW  ") : QStringLiteral("PH  "))
         + segmentCaption(segment);
}
