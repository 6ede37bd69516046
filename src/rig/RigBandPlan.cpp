#include "rig/RigBandPlan.h"

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

void ModeFromFrequency(float f, QString& mode)
{
    static const struct {
        float low, split, high;
        bool phone;
    } segments[] = {{3.5f, 3.6f, 4.0f, true},      {7.0f, 7.125f, 7.3f, true},   {10.1f, 10.15f, 10.15f, false},
                    {14.0f, 14.15f, 14.35f, true}, {18.068f, 18.11f, 18.168f, true}, {21.0f, 21.2f, 21.45f, true},
                    {24.89f, 24.93f, 24.99f, true}, {28.0f, 28.3f, 29.7f, true},  {50.0f, 50.1f, 54.0f, true},
                    {144.0f, 144.1f, 148.0f, true}};
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
