#pragma once

// The contest log as one object: the record arrays of AppState::log that hold it in memory,
// log.txt that holds it on disk (written and read through the log store), the tally counted
// from the records contact by contact, and the stamp of log.txt the tally was counted from.
// App owns it for the whole run and hands it to the log window in its context; the window
// logs contacts through it and shows what it holds.
//
// A change of band or mode changes no contact. While log.txt is as the log last read or
// wrote it, a reload then takes the records already in memory and the tally kept beside
// them (reloadFromMemory), where reading and counting 11,000 contacts again would hold the
// window up for longer than a frame on every change the radio reports. A log.txt that
// something else wrote since is read again.

#include "core/AppState.h"
#include "core/LogStore.h"
#include "entry/LogTally.h"
#include "platform/FileStamp.h"

#include <QString>
#include <optional>

struct CoreServices;
struct Prompts;

class ContestLog {
public:
    explicit ContestLog(AppState& state) : m_state(state) {}
    ContestLog(const ContestLog&) = delete;
    ContestLog& operator=(const ContestLog&) = delete;

    // The records, 1 to count(), oldest first.
    qint32 count() const { return m_state.log.QsoCount; }
    const LogEntry& entry(qint32 n) const { return m_state.log.Log[size_t(n)]; }
    // No slot is left for another contact.
    bool full() const { return count() >= MaxLogEntries; }

    // Reads log.txt into the record arrays (LoadLogFile, its notice in *notice) and counts
    // it. Anything but Loaded leaves the log not loaded.
    LoadLogResult load(QString* notice = nullptr);
    // Whether the last load read the log whole.
    bool loaded() const { return m_loaded; }

    // Logs a contact: the record after the last one, written to log.txt and counted. False,
    // with the reason in *error, when the log is full or log.txt could not take it; the log
    // is then as it was.
    bool append(const LogEntry& contact, QString* error = nullptr);

    // log.txt written afresh from the records (an edited contact), or record n taken out of
    // both (see RewriteLogFile and DeleteLogEntry). The tally no longer stands for the file:
    // the caller loads the log again.
    bool rewrite(QString* error = nullptr);
    bool remove(qint32 n, QString* error = nullptr);

    // The File menu's commands on log.txt (see LogStore.h): a new log after the typed YES
    // (true when the log was emptied), a copy kept under a chosen name, a copy put back in
    // place of log.txt, and the copy into BACKUP as the log window closes. After a new log or
    // a restore the caller loads the log.
    bool startNew(CoreServices& services, const Prompts& prompts);
    bool archive(const QString& target, QString* error) const;
    bool restore(const CoreServices& services, const QString& source, QString* error);
    void backUp(const CoreServices& services) const;

    // The reload after a change of band or mode: while log.txt and the records are as the
    // tally counted them, leaves the state as a load would (ReloadLogFromMemory) and returns
    // true; false, changing nothing, when the log must be read again.
    bool reloadFromMemory();

    // What the records count to, contact by contact since the last load.
    const LogTally& tally() const { return m_tally; }

private:
    // Whether log.txt and the record arrays are still as the tally counted them.
    bool asTallied() const;

    AppState& m_state;
    bool m_loaded = false;
    LogTally m_tally;
    // The stamp of log.txt the tally was counted from; nothing when the file may hold other
    // records than the arrays.
    std::optional<FileStamp> m_talliedFile;
};
