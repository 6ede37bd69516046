// The Cabrillo file of a full 11000-contact log, written to a buffer and, as the summary
// window writes it, to a file replaced atomically; and the worked-station bonus that the
// window works out each time it opens. Goal for the file: < 100 ms.

#include "platform/DiskFile.h"
#include "reports/BonusPoints.h"
#include "reports/CabrilloLog.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

// A Texas rover's log: Texas mobiles and fixed stations with their counties, the other
// states and provinces, and DX; bands, modes and times spread over the contest.
struct RoverLog {
    std::vector<LogEntry> contacts;
    CabrilloInput input;

    RoverLog()
    {
        static const char* const states[] = {"OK", "LA", "NM", "AR", "CA", "NY", "FL", "ON", "BC", "QC"};
        static const char* const countries[] = {"Spain", "Germany", "Japan", "Brazil", "Italy"};
        static const char* const bands[] = {"80", "40", "20", "15", "10", "6"};
        static const char* const modes[] = {"CW", "PH", "CW", "DG"};
        QStringList counties;
        for (int i = 0; i < 254; ++i)
            counties << QStringLiteral("C%1").arg(i, 3, 10, QLatin1Char('0'));

        contacts.reserve(MaxLogEntries);
        for (int i = 0; i < MaxLogEntries; ++i) {
            LogEntry e;
            const int kind = i % 10;
            if (kind < 6) {
                e.Call = QStringLiteral("K5%1").arg(QChar(u'A' + i % 26)) + QString::number(i % 700);
                e.Spc = QStringLiteral("TX");
                e.County = counties[(i * 7) % counties.size()];
            } else if (kind < 9) {
                e.Call = QStringLiteral("W%1XY").arg(i % 10) + QString::number(i % 300);
                e.Spc = QString::fromLatin1(states[i % std::size(states)]);
            } else {
                e.Call = QStringLiteral("EA%1ZZ").arg(i % 10);
                e.Spc = QString::fromLatin1(countries[i % std::size(countries)]);
            }
            e.Mode = QString::fromLatin1(modes[i % std::size(modes)]);
            e.RstSent = e.RstRcvd = e.Mode == QLatin1String("PH") ? QStringLiteral("59") : QStringLiteral("599");
            e.CountySent = counties[(i / 40) % counties.size()];
            e.Band = QString::fromLatin1(bands[(i / 13) % std::size(bands)]);
            const int minute = i * 2 / 3; // 24 hours of contest in 11000 contacts
            e.Date = minute < 720 ? QStringLiteral("2026/04/25") : QStringLiteral("2026/04/26");
            e.Time = QStringLiteral("%1:%2:%3")
                         .arg((minute / 60) % 24, 2, 10, QLatin1Char('0'))
                         .arg(minute % 60, 2, 10, QLatin1Char('0'))
                         .arg(i % 60, 2, 10, QLatin1Char('0'));
            contacts.push_back(e);
        }

        input.ownCall = QStringLiteral("K5TRV");
        input.arrlSection = QStringLiteral("STX");
        input.hostState = QStringLiteral("TX");
        input.programVersion = QStringLiteral("2.3");
        input.inHostState = true;
        input.contacts = contacts;
        input.qsoCountCW = 5500;
        input.qsoCountPH = 2750;
        input.qsoCountDG = 2750;
        input.name = QStringLiteral("Pat Rover");
        input.fiveCountyBonusText = QStringLiteral("500");
        input.roverBonusText = QStringLiteral("254000");
        input.bonusTotal = 254500;
        input.shownScore = 30250.0 * 322;
        input.countiesWorked = counties;
        for (const char* s : states)
            input.statesWorked << QString::fromLatin1(s);
        for (const char* c : countries)
            input.dxWorked << QString::fromLatin1(c);
        input.shownMultipliers = double(counties.size() + std::size(states) + std::size(countries));
    }
};

void CabrilloToBuffer_11000(benchmark::State& bench)
{
    const RoverLog log;
    QByteArray bytes;
    for (auto _ : bench) {
        bytes.clear();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!WriteCabrilloLog(buffer, log.input)) {
            bench.SkipWithError("the file was not written");
            break;
        }
        benchmark::DoNotOptimize(bytes.data());
    }
    bench.SetBytesProcessed(bench.iterations() * bytes.size());
    bench.SetItemsProcessed(bench.iterations() * MaxLogEntries);
}
BENCHMARK(CabrilloToBuffer_11000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The whole write as the window does it: a temporary file beside the chosen one, filled,
// flushed to the disk and renamed over the file of the previous round.
void CabrilloToTempFile_11000(benchmark::State& bench)
{
    const RoverLog log;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("K5TRV.log"));
    for (auto _ : bench) {
        QString error;
        const bool written = DiskFile::replaceAtomically(
            path, [&](QIODevice& device) { return WriteCabrilloLog(device, log.input); }, &error);
        if (!written) {
            bench.SkipWithError(qPrintable(error));
            break;
        }
    }
    bench.SetItemsProcessed(bench.iterations() * MaxLogEntries);
}
BENCHMARK(CabrilloToTempFile_11000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The worked-station bonus the summary window works out as it opens.
void FiveCountyBonus_11000(benchmark::State& bench)
{
    const RoverLog log;
    for (auto _ : bench)
        benchmark::DoNotOptimize(FiveCountyBonus(log.contacts));
    bench.SetItemsProcessed(bench.iterations() * MaxLogEntries);
}
BENCHMARK(FiveCountyBonus_11000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
