// log.txt at the log's full size: the load at start-up and after every edit, and the
// append that stores each new contact.

#include "support/SampleLog.h"

#include "core/LogStore.h"

#include <QFile>

#include <benchmark/benchmark.h>

namespace {

// Reading the full 11000-contact log.txt into the record arrays (the file is in the page
// cache after the first round, as it is when the program reloads its log). Goal: < 50 ms.
void LoadLogFile_11000(benchmark::State& bench)
{
    BenchStation station(MaxLogEntries);
    if (!station.error().isEmpty()) {
        bench.SkipWithError(qPrintable(station.error()));
        return;
    }
    AppState& state = station.state();
    for (auto _ : bench) {
        if (LoadLogFile(state) != LoadLogResult::Loaded || state.log.QsoCount != MaxLogEntries) {
            bench.SkipWithError("log.txt did not load all 11000 contacts");
            break;
        }
        benchmark::DoNotOptimize(state.log.Log.data());
    }
    bench.SetItemsProcessed(bench.iterations() * MaxLogEntries);
}
BENCHMARK(LoadLogFile_11000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Storing contact 11000 behind 10999 others: one record appended to log.txt and
// fdatasync'ed before the call returns. The same record is appended every round and the
// file is left to grow (by ~90 bytes a round), since the cost of an append does not
// depend on the file's size; QsoCount stays at 11000 throughout. Wall-clock time, as the
// wait for the disk is the cost. Goal: < 1 ms.
void AppendLogEntry_11000th(benchmark::State& bench)
{
    BenchStation station(MaxLogEntries, MaxLogEntries - 1);
    if (!station.error().isEmpty()) {
        bench.SkipWithError(qPrintable(station.error()));
        return;
    }
    AppState& state = station.state();
    if (LoadLogFile(state) != LoadLogResult::Loaded || state.log.QsoCount != MaxLogEntries - 1) {
        bench.SkipWithError("log.txt did not load 10999 contacts");
        return;
    }
    state.log.QsoCount = MaxLogEntries;
    state.log.Log[MaxLogEntries] = station.entries().back();
    for (auto _ : bench) {
        if (!AppendLogEntry(state)) {
            bench.SkipWithError("the contact could not be appended to log.txt");
            break;
        }
    }
}
BENCHMARK(AppendLogEntry_11000th)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

namespace {

// A log.txt whose last line was cut off after a megabyte of one value (what a crash in the
// middle of a write of garbage leaves): the load that finds it, copies the file into
// BACKUP, cuts the line and words the notice the box then shows. The file is written
// again before each round. Goal: well under the second in which the box must appear.
void LoadLogFile_MegabyteCutLine(benchmark::State& bench)
{
    BenchStation station(100);
    if (!station.error().isEmpty()) {
        bench.SkipWithError(qPrintable(station.error()));
        return;
    }
    AppState& state = station.state();
    QFile file(station.logPath());
    if (!file.open(QIODevice::ReadOnly)) {
        bench.SkipWithError("log.txt could not be read");
        return;
    }
    const QByteArray cut = file.readAll() + "\"K5CUT\",\"" + QByteArray(1 << 20, 'x');
    file.close();
    for (auto _ : bench) {
        bench.PauseTiming();
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(cut) != cut.size()) {
            bench.SkipWithError("log.txt could not be written");
            break;
        }
        file.close();
        bench.ResumeTiming();
        QString notice;
        if (LoadLogFile(state, &notice) != LoadLogResult::Loaded || state.log.QsoCount != 100 || notice.size() > 1000) {
            bench.SkipWithError("the cut line was not set aside with a short notice");
            break;
        }
        benchmark::DoNotOptimize(notice.data());
    }
}
BENCHMARK(LoadLogFile_MegabyteCutLine)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
