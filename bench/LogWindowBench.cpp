// The log window's work on a full 11000-contact log: the possible-duplicates line redrawn
// on every key typed into the call field, the duplicate check when a contact is entered,
// and the recount after the log is reloaded.

#include "support/SampleLog.h"

#include "core/LogStore.h"
#include "entry/DupeRules.h"
#include "entry/LogTally.h"
#include "entry/Scoring.h"

#include <benchmark/benchmark.h>


namespace {

// A station with its full sample log loaded, or the reason it could not be set up.
std::unique_ptr<BenchStation> loadedStation(benchmark::State& bench)
{
    auto station = std::make_unique<BenchStation>(MaxLogEntries);
    if (!station->error().isEmpty()) {
        bench.SkipWithError(qPrintable(station->error()));
        return nullptr;
    }
    if (LoadLogFile(station->state()) != LoadLogResult::Loaded
        || station->state().log.QsoCount != MaxLogEntries) {
        bench.SkipWithError("log.txt did not load all 11000 contacts");
        return nullptr;
    }
    return station;
}

// Three typed characters of a call on 20 m CW: Texas and other US calls, a Canadian and a
// DX prefix. The scan stops early only once the line is full, so prefixes with few
// matches cost the most. Goal: < 1 ms a keystroke.
const char* const TypedPrefixes[] = {"K5A", "W5R", "KD0", "VE3", "DL1"};

void PossibleDupesList_3chars(benchmark::State& bench)
{
    const auto station = loadedStation(bench);
    if (!station)
        return;
    const AppState& state = station->state();
    const QString typed = QString::fromLatin1(TypedPrefixes[bench.range(0)]);
    const QString shown = possibleDupesList(state, typed, false, QString());
    for (auto _ : bench) {
        QString list = possibleDupesList(state, typed, false, QString());
        benchmark::DoNotOptimize(list);
    }
    bench.SetLabel(qPrintable(typed + QStringLiteral(" -> ") + QString::number(shown.count(u' ')) + QStringLiteral(" calls")));
}
BENCHMARK(PossibleDupesList_3chars)->DenseRange(0, int(std::size(TypedPrefixes)) - 1)->Unit(benchmark::kMicrosecond);

// The duplicate check of the in-state window when a contact is entered: a call never
// worked, so all 11000 contacts are compared; (0) five characters, the commonest length
// of the log's calls, (1) six characters. Calls of another length are passed over on
// their size alone.
const char* const NewCalls[] = {"N5ZZZ", "KD5ZZZ"};

void FindLogDupe_noMatch(benchmark::State& bench)
{
    const auto station = loadedStation(bench);
    if (!station)
        return;
    const AppState& state = station->state();
    DupeQuery query;
    query.call = QString::fromLatin1(NewCalls[bench.range(0)]);
    query.band = QStringLiteral("20");
    query.mode = QStringLiteral("CW");
    query.county = QStringLiteral("HARR");
    query.compareCountySent = true;
    query.ownCounty = state.station.OwnCounty;
    if (firstContactOf(state, query.call) != 0) {
        bench.SkipWithError("the new call is already in the sample log");
        return;
    }
    for (auto _ : bench) {
        qint32 found = findLogDupe(state, query);
        benchmark::DoNotOptimize(found);
    }
    bench.SetLabel(qPrintable(query.call));
}
BENCHMARK(FindLogDupe_noMatch)->DenseRange(0, int(std::size(NewCalls)) - 1)->Unit(benchmark::kMicrosecond);

// Reloading the in-state window's log: log.txt read again, then points, worked states
// and counties, the per-band DX arrays and the DX and county lists recounted from the
// 11000 contacts (county table of the host state TX from county2.txt). Goal: < 150 ms.
void ReloadRecount_11000(benchmark::State& bench)
{
    BenchStation station(MaxLogEntries);
    if (!station.error().isEmpty()) {
        bench.SkipWithError(qPrintable(station.error()));
        return;
    }
    AppState& state = station.state();
    qsizetype dxCountries = 0;
    qsizetype counties = 0;
    LogTally tally;
    for (auto _ : bench) {
        if (LoadLogFile(state) != LoadLogResult::Loaded || state.log.QsoCount != MaxLogEntries) {
            bench.SkipWithError("log.txt did not load all 11000 contacts");
            break;
        }
        tally.recount(state);
        if (!tally.countiesFit() || !tally.dxFits()) {
            bench.SkipWithError("a county or DX table overflowed");
            break;
        }
        tally.applyTo(state.score, true);
        dxCountries = tally.dxCountries().size();
        counties = tally.workedCounties().size();
    }
    bench.counters["points"] = double(state.score.QsoPoints);
    bench.counters["mults"] = double(state.score.WorkedMultCount);
    bench.counters["dx"] = double(dxCountries);
    bench.counters["counties"] = double(counties);
}
BENCHMARK(ReloadRecount_11000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
