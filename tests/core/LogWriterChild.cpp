// A log writer for the kill test: it loads log.txt from the folder it is given, then logs
// one contact after another (appended, or stored by rewriting the whole log) and prints
// each contact's number once the log store has reported it written. The test kills it
// at random moments.
//
//   log_writer_child append|rewrite <working folder> <data folder>

#include "core/LogStore.h"

#include <QString>
#include <cstdio>
#include <memory>

int main(int argc, char* argv[])
{
    if (argc != 4)
        return 2;
    const bool append = QString::fromLocal8Bit(argv[1]) == QLatin1String("append");
    auto state = std::make_unique<AppState>();
    state->folders.WorkingDirectory = QString::fromLocal8Bit(argv[2]);
    state->folders.DataFolder = QString::fromLocal8Bit(argv[3]);
    if (LoadLogFile(*state) != LoadLogResult::Loaded)
        return 3;
    LogStoreState& log = state->log;
    while (log.QsoCount < MaxLogEntries) {
        const qint32 n = log.QsoCount + 1;
        LogEntry& e = log.Log[size_t(n)];
        e = LogEntry{};
        e.Call = QStringLiteral("K%1").arg(n);
        e.RstSent = e.RstRcvd = QStringLiteral("599");
        e.County = QStringLiteral("HARR");
        e.Date = QStringLiteral("2026/04/25");
        e.Time = QStringLiteral("18:05:12");
        e.Mode = QStringLiteral("CW");
        e.Band = QStringLiteral("20");
        log.QsoCount = n;
        if (!(append ? AppendLogEntry(*state) : RewriteLogFile(*state)))
            return 4;
        std::printf("%d\n", n);
        std::fflush(stdout);
    }
    return 0;
}
