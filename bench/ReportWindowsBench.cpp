// The rate graph window on a full 11,000-contact log: the graph computed from the log and
// drawn (the curve and the band strip into the window's picture), as the background
// button does it. Goal: < 50 ms. Runs offscreen with the test doubles of the platform
// services, in brevant_window_bench.

#include "support/SampleLog.h"
#include "support/TestServices.h"

#include "app/App.h"
#include "reports/windows/GraphQSO.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

void BM_RateGraphDrawn(benchmark::State& state)
{
    BenchStation station(MaxLogEntries);
    if (!station.error().isEmpty()) {
        state.SkipWithError(station.error().toStdString().c_str());
        return;
    }
    TestServices ts;
    App app(std::move(ts.services));
    LogStoreState& log = app.state().log;
    for (const LogEntry& e : station.entries())
        log.Log[size_t(++log.QsoCount)] = e;
    GraphQSO graph(app.context());
    graph.Form_Load();
    for (auto _ : state)
        graph.Command1_Click();
    if (graph.lblTime[0]->text() == QLatin1String("00:00"))
        state.SkipWithError("the graph was not drawn");
}
BENCHMARK(BM_RateGraphDrawn)->Unit(benchmark::kMillisecond);

} // namespace
