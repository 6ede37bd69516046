// The country of a call by the prefix table (data/arrlpre2.txt), as looked up while a
// call is typed. Goal: < 5 µs a call.

#include "support/SampleLog.h"

#include "core/Tables.h"

#include <benchmark/benchmark.h>

#include <QStringList>

namespace {

// Calls as they reach the entry line: plain US and Canadian calls, portables and
// mobiles, DX from every continent, and prefixes that need the longest match
// (KG4 two-by-two is Guantanamo Bay, KG4 with three letters is the USA).
const QStringList Calls = {
    QStringLiteral("W1AW"),     QStringLiteral("K5ABC"),    QStringLiteral("N0CALL/M"),
    QStringLiteral("VE3XYZ"),   QStringLiteral("EA5ABC"),   QStringLiteral("JA1XYZ"),
    QStringLiteral("G4ABC/P"),  QStringLiteral("DL1ABC"),   QStringLiteral("4X4XX"),
    QStringLiteral("9A1AA"),    QStringLiteral("ZL2ABC"),   QStringLiteral("VK2ABC"),
    QStringLiteral("LU1ABC"),   QStringLiteral("PY2ABC"),   QStringLiteral("KH6XX"),
    QStringLiteral("KL7ABC"),   QStringLiteral("KG4AB"),    QStringLiteral("KG4ABC"),
    QStringLiteral("3D2XX"),    QStringLiteral("AA5XY"),    QStringLiteral("KD5ABC"),
    QStringLiteral("WB5ZZZ"),   QStringLiteral("N5TX/R"),   QStringLiteral("K5LOG/M"),
    QStringLiteral("W6ABC"),    QStringLiteral("KP4XYZ"),   QStringLiteral("VE7ABC"),
    QStringLiteral("VO1AB"),    QStringLiteral("VY2XYZ"),   QStringLiteral("XE1ABC"),
    QStringLiteral("CO2AB"),    QStringLiteral("YV5ABC"),   QStringLiteral("CE3AB"),
    QStringLiteral("F5ABC"),    QStringLiteral("I2ABC"),    QStringLiteral("ON4ABC"),
    QStringLiteral("PA3ABC"),   QStringLiteral("OH2AB"),    QStringLiteral("SM5ABC"),
    QStringLiteral("OK1ABC"),   QStringLiteral("SP9XYZ"),   QStringLiteral("HA5AB"),
    QStringLiteral("S52AB"),    QStringLiteral("EI5AB"),    QStringLiteral("ZS6ABC"),
    QStringLiteral("UA3ABC"),   QStringLiteral("LY2AB"),    QStringLiteral("YO9ABC"),
    QStringLiteral("GM4ABC"),   QStringLiteral("MM0ABC"),   QStringLiteral("2E0ABC"),
    QStringLiteral("DL/K5ABC"), QStringLiteral("VE3/W1AW"),
};

void CountryFromCall_mixed(benchmark::State& bench)
{
    ReferenceTables tables;
    const QString path = shippedDataFile(QStringLiteral("arrlpre2.txt"));
    if (!LoadPrefixTable(tables, path) || tables.PrefixCount < 1) {
        bench.SkipWithError(qPrintable(QStringLiteral("prefix table not loaded from ") + path));
        return;
    }
    int unmatched = 0;
    for (const QString& call : Calls)
        unmatched += CountryFromCall(tables, call).isEmpty() ? 1 : 0;

    qsizetype next = 0;
    for (auto _ : bench) {
        QString country = CountryFromCall(tables, Calls.at(next));
        benchmark::DoNotOptimize(country);
        if (++next == Calls.size())
            next = 0;
    }
    bench.counters["calls"] = double(Calls.size());
    bench.counters["unmatched"] = double(unmatched);
    bench.counters["prefixes"] = double(tables.PrefixCount);
}
BENCHMARK(CountryFromCall_mixed)->Unit(benchmark::kMicrosecond);

} // namespace
