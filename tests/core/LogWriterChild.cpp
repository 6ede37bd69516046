// A log writer for the kill test: it loads log.txt from the folder it is given, then logs
// one contact after another (appended, or stored by rewriting the whole log) and prints
// each contact's number once the log store has reported it written. The test kills it
// at random moments.
//
//   log_writer_child append|rewrite <working folder> <data folder>

#include "core/LogStore.h"
#include "support/TestLog.h"

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
        appendContact(*state, Qso{.call = QStringLiteral("K%1").arg(n), .county = QStringLiteral("HARR")});
        if (!(append ? AppendLogEntry(*state) : RewriteLogFile(*state)))
            return 4;
        std::printf("%d\n", n);
        std::fflush(stdout);
    }
    return 0;
}
