// The figures of the rate graph for a full 11,000-contact log (the contacts read and put in
// time order, the slots filled, bridged, smoothed and coloured), and the county map's
// colouring with every one of the 254 counties worked (each a flood fill from its label).
// Goal for each: well under the 50 ms the whole drawing may take.

#include "support/SampleLog.h"

#include "platform/FloodFill.h"
#include "reports/CountyMap.h"
#include "reports/RateGraph.h"
#include "reports/windows/CountyMapColouring.h"

#include <QFile>
#include <benchmark/benchmark.h>

namespace {

const std::array<QRgb, RateBandCount> BandColours = {qRgb(255, 255, 255), qRgb(0, 0, 255),   qRgb(255, 0, 0),
                                                     qRgb(0, 255, 0),     qRgb(128, 255, 255), qRgb(255, 0, 255),
                                                     qRgb(255, 255, 0)};

void BM_RateGraphFigures(benchmark::State& state)
{
    BenchStation station(MaxLogEntries);
    if (!station.error().isEmpty()) {
        state.SkipWithError(station.error().toStdString().c_str());
        return;
    }
    LogStoreState log;
    for (const LogEntry& e : station.entries())
        log.Log[size_t(++log.QsoCount)] = e;
    for (auto _ : state) {
        const auto contacts = contactsInTimeOrder(log);
        const auto graph = computeRateGraph(*contacts, BandColours, qRgb(0, 0, 0));
        benchmark::DoNotOptimize(graph->PlotMax);
    }
}
BENCHMARK(BM_RateGraphFigures)->Unit(benchmark::kMillisecond);

void BM_CountyMapAllCountiesWorked(benchmark::State& state)
{
    const QImage map = QImage(shippedDataFile(QStringLiteral("pictures/countymap.png")));
    QFile file(shippedDataFile(QStringLiteral("pictures/countymap.txt")));
    const auto labels = file.open(QIODevice::ReadOnly) ? readCountyMapLabels(file.readAll()) : std::nullopt;
    if (map.isNull() || !labels || labels->size() != 254) {
        state.SkipWithError("county map picture or labels not found in the data folder");
        return;
    }
    // The tool tips are the names here: each item of the list finds its label by them.
    std::vector<CountyLabelArea> areas;
    QStringList worked;
    for (const CountyMapLabel& label : *labels) {
        areas.push_back({label.name, label.rect});
        worked << label.name;
    }
    QRandomGenerator random(1);
    for (auto _ : state) {
        state.PauseTiming();
        QImage picture = map.convertToFormat(QImage::Format_RGB32);
        state.ResumeTiming();
        benchmark::DoNotOptimize(colourWorkedCounties(picture, areas, worked, random));
    }
}
BENCHMARK(BM_CountyMapAllCountiesWorked)->Unit(benchmark::kMillisecond);

} // namespace
