#pragma once

// Realistic contest logs for the timings: a Texas station's in-state log, written in the
// program's own log.txt format into a temporary working directory.

#include "core/AppState.h"

#include <QTemporaryDir>
#include <memory>
#include <vector>

// A file of the program's data folder in the source tree (county2.txt, arrlpre2.txt, ...).
QString shippedDataFile(const QString& name);

// `count` contacts of a fixed Texas station (own county TRAV), oldest first: Texas stations
// with a county (some of them mobiles moving through counties), the other states and the
// Canadian provinces, and DX with the country the prefix table gives. Bands and modes are
// mixed, dates and times increase through the two operating periods, and no contact
// repeats call, band, mode and county. The same count always gives the same log.
// `tables` must hold the county and prefix tables.
std::vector<LogEntry> makeSampleLog(int count, const ReferenceTables& tables);

// A station set up as the program would be before loading its log: a fresh temporary
// working directory holding county2.txt and a log.txt of sample contacts, the county
// (host state TX), prefix and state/province tables loaded, current band 20 and mode CW.
// The log itself is not loaded.
class BenchStation {
public:
    // Generates `generated` contacts and writes the first `written` of them (all when
    // negative) to log.txt.
    explicit BenchStation(int generated, int written = -1);

    // Empty when the set-up worked, else what failed.
    const QString& error() const { return m_error; }
    AppState& state() { return *m_state; }
    const std::vector<LogEntry>& entries() const { return m_entries; }
    QString logPath() const;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<AppState> m_state;
    std::vector<LogEntry> m_entries;
    QString m_error;
};
