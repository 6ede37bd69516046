#include "rig/RigBandPlan.h"

#include "core/AmateurBands.h"
#include "core/RecordFile.h"
#include "platform/FileLookup.h"

namespace {

constexpr std::size_t MaxExtraRows = 200;

bool readRow(RecordReader& r, BandPlanRow& row)
{
    return r.readText(row.band) && r.readText(row.licenceClass) && r.readText(row.mode) && r.readSingle(row.lower)
        && r.readSingle(row.upper);
}

} // namespace

std::vector<BandPlanRow> readBandPlanRows(RecordReader& reader)
{
    std::vector<BandPlanRow> rows;
    if (!reader.skipValue())
        return rows;
    while (!reader.atEnd() && !reader.onlyLineEndsLeft()) {
        BandPlanRow row;
        if (!readRow(reader, row))
            break;
        rows.push_back(row);
    }
    return rows;
}

std::vector<BandPlanRow> LoadBandPlan(const QString& folder)
{
    auto reader = RecordReader::fromFile(FileLookup::resolve(folder, QStringLiteral("BandPlan.txt")));
    std::vector<BandPlanRow> extra;
    if (!reader)
        return extra;
    for (const BandPlanRow& row : readBandPlanRows(*reader))
        if (row.licenceClass == QLatin1String("E") && extra.size() < MaxExtraRows)
            extra.push_back(row);
    return extra;
}

void ModeFromBandPlan(const std::vector<BandPlanRow>& extraRows, float frequency, QString& mode)
{
    for (const BandPlanRow& row : extraRows) {
        if (!(row.lower < frequency && frequency < row.upper))
            continue;
        if (row.band == QLatin1String("160"))
            mode.clear();
        else if (row.mode == QLatin1String("PH"))
            mode = row.band == QLatin1String("80") || row.band == QLatin1String("40") ? QStringLiteral("LSB")
                                                                                      : QStringLiteral("USB");
        else
            mode = row.mode;
        return;
    }
}

namespace {

// The contest's own split of a band into its CW and phone parts. The split is the
// contest's rule, not a band edge, so it lives here; the band's edges come from
// core/AmateurBands. A band without phone (30 m) is CW up to its upper edge.
struct ModeSegment {
    const char* band;
    float split; // MHz; 0: no phone part
};
constexpr ModeSegment Segments[] = {{"80", 3.6f},    {"40", 7.125f},  {"30", 0},       {"20", 14.15f}, {"17", 18.11f},
                                    {"15", 21.2f},   {"12", 24.93f},  {"10", 28.3f},   {"6", 50.1f},   {"2", 144.1f}};

struct SegmentEdges {
    float low, split, high;
    bool phone;
};

std::vector<SegmentEdges> segmentEdges()
{
    std::vector<SegmentEdges> edges;
    for (const ModeSegment& segment : Segments) {
        const AmateurBand* band = findAmateurBand(QLatin1String(segment.band), AmateurBand::Lookup);
        Q_ASSERT(band);
        const float low = float(AmateurBand::megahertz(band->lower));
        const float high = float(AmateurBand::megahertz(band->upper));
        const bool phone = segment.split != 0;
        edges.push_back({low, phone ? segment.split : high, high, phone});
    }
    return edges;
}

} // namespace

void ModeFromFrequency(float f, QString& mode)
{
    static const std::vector<SegmentEdges> segments = segmentEdges();
    for (const auto& s : segments) {
        if (s.low < f && f < s.split) {
            mode = QStringLiteral("CW");
            return;
        }
        if (s.phone && s.split < f && f < s.high) {
            mode = QStringLiteral("PH");
            return;
        }
    }
}
