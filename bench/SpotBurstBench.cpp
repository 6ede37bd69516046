// 500 cluster lines arriving at the TNC: cut into lines, passed through the monitor's
// duplicate window, parsed, filed into the spot store with their list rows, and the band
// map redrawn after each spot, as when each spot comes in a read of its own (the log
// window redraws once per read; brevant_spot_display_bench times that). Goal: < 50 ms in
// all. Runs offscreen with the test doubles of the platform services, in
// brevant_window_bench.

#include "support/LoneWindowContext.h"

#include "spots/SpotLines.h"
#include "spots/SpotStore.h"
#include "spots/windows/BandMap.h"

#include <benchmark/benchmark.h>

namespace {

QString burst()
{
    QString text;
    for (int i = 0; i < 500; ++i) {
        QString line = QStringLiteral("DX de K5DX:");
        line = line.leftJustified(15, u' ') + QString::number(14000.0 + (i * 7) % 350, 'f', 1).rightJustified(9, u' ');
        line = line.leftJustified(26, u' ') + QStringLiteral("W%1AB%2").arg(i % 10).arg(QChar(u'A' + i % 26));
        line = line.leftJustified(38, u' ') + QStringLiteral("CQ TQP %1").arg(i);
        line = line.leftJustified(70, u' ') + QStringLiteral("1830Z\r\n");
        text += line;
    }
    return text;
}

void BM_SpotBurstShown(benchmark::State& state)
{
    const QString text = burst();
    for (auto _ : state) {
        state.PauseTiming();
        auto lone = std::make_unique<LoneWindowContext>();
        lone->state.station.CurrentBand = QStringLiteral("20");
        Form form(lone->context(), QStringLiteral("host"), 9600, 7200);
        BandMap map(form);
        form.applyGeometry();
        map.placeArea(96, 6000, 9312, 1200);
        map.setShown(true);
        QList<SpotListRow> rows;
        QString monitor;
        TncLineAssembler tnc;
        state.ResumeTiming();

        tnc.append(text);
        tnc.takeLines([&](const QString& line) {
            monitorLine(monitor, line, false, [&](const QString& spotLine) {
                const SpotLineFields fields = parseSpotLine(spotLine);
                const auto spot = takeSpot(lone->state.spots, lone->state.tables, fields.call, fields.frequency,
                                           fields.record, lone->services.clock->local);
                if (!spot)
                    return;
                map.DisplayBandMapLabels();
                insertSpotListRow(rows, spot->row);
            });
        });
        if (rows.size() != MaxSpotListRows)
            state.SkipWithError("the burst did not fill the list");
    }
}
BENCHMARK(BM_SpotBurstShown)->Unit(benchmark::kMillisecond);

} // namespace
