// The ADIF export of a full 11000-contact log: the file made in memory, and the whole
// export after the questions, as the menu item runs it (the country table read, the file
// written beside the chosen one, flushed to the disk and renamed over it). Goal: < 100 ms.

#include "support/SampleLog.h"

#include "platform/DiskFile.h"
#include "reports/AdifLog.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct AdifLogSet {
    BenchStation station{MaxLogEntries};
    std::vector<DxccRow> dxcc;
    AdifInput input;
    QString error;

    AdifLogSet()
    {
        error = station.error();
        if (error.isEmpty() && !LoadDxccTable(shippedDataFile(QStringLiteral("ADIFCnt.txt")), dxcc, &error))
            return;
        const ReferenceTables& t = station.state().tables;
        const size_t counties = size_t(t.CountyCount);
        input.hostState = QStringLiteral("TX");
        input.programVersion = QStringLiteral("2.3");
        input.exportDate = QStringLiteral("4/26/26");
        input.power = QStringLiteral("100");
        input.comment = QStringLiteral("TX State QSO Party Contest");
        input.contacts = station.entries();
        input.countyAbbrev = std::span<const QString>(t.CountyAbbrev).subspan(1, counties);
        input.countyName = std::span<const QString>(t.CountyName).subspan(1, counties);
        input.dxcc = dxcc;
    }
};

void AdifToBuffer_11000(benchmark::State& bench)
{
    const AdifLogSet log;
    if (!log.error.isEmpty()) {
        bench.SkipWithError(qPrintable(log.error));
        return;
    }
    QByteArray bytes;
    for (auto _ : bench) {
        bytes.clear();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!WriteAdifLog(buffer, log.input)) {
            bench.SkipWithError("the file was not written");
            break;
        }
        benchmark::DoNotOptimize(bytes.data());
    }
    bench.SetBytesProcessed(bench.iterations() * bytes.size());
    bench.SetItemsProcessed(bench.iterations() * MaxLogEntries);
}
BENCHMARK(AdifToBuffer_11000)->Unit(benchmark::kMillisecond)->UseRealTime();

void AdifExport_11000(benchmark::State& bench)
{
    AdifLogSet log;
    if (!log.error.isEmpty()) {
        bench.SkipWithError(qPrintable(log.error));
        return;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("TX.adi"));
    for (auto _ : bench) {
        QString error;
        std::vector<DxccRow> dxcc;
        bool written = LoadDxccTable(shippedDataFile(QStringLiteral("ADIFCnt.txt")), dxcc, &error);
        log.input.dxcc = dxcc;
        written = written
            && DiskFile::replaceAtomically(
                path, [&](QIODevice& device) { return WriteAdifLog(device, log.input, &error); }, &error);
        if (!written) {
            bench.SkipWithError(qPrintable(error));
            break;
        }
    }
    bench.SetItemsProcessed(bench.iterations() * MaxLogEntries);
}
BENCHMARK(AdifExport_11000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
