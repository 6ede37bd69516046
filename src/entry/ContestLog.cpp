#include "entry/ContestLog.h"

LoadLogResult ContestLog::load(QString* notice)
{
    // Until the load is counted, a change of band or mode (the radio's, while a box about
    // this load shows) reads the log itself.
    m_talliedFile.reset();
    const FileStamp before = logFileStamp(m_state);
    const LoadLogResult loaded = LoadLogFile(m_state, notice);
    m_loaded = loaded == LoadLogResult::Loaded;
    if (!m_loaded)
        return loaded;
    m_tally.recount(m_state);
    // A file that changed while it was loaded (or that the load mended) is read again at the
    // next change of band or mode.
    if (const FileStamp after = logFileStamp(m_state); after == before)
        m_talliedFile = after;
    return loaded;
}

bool ContestLog::append(const LogEntry& contact, QString* error)
{
    if (full()) {
        if (error)
            *error = QStringLiteral("The log is full: no more than 11000 contacts can be logged.");
        return false;
    }
    const bool tallied = asTallied();
    LogEntry& slot = m_state.log.Log[size_t(count()) + 1];
    slot = contact;
    ++m_state.log.QsoCount;
    if (!AppendLogEntry(m_state, error)) {
        --m_state.log.QsoCount;
        return false;
    }
    m_tally.add(m_state, slot);
    // log.txt changed under the tally's stamp only by this contact, unless the file keeps it
    // otherwise than it is held, or something else had written it before.
    m_talliedFile.reset();
    if (tallied && readsBackAsHeld(slot))
        m_talliedFile = logFileStamp(m_state);
    return true;
}

bool ContestLog::rewrite(QString* error)
{
    m_talliedFile.reset();
    return RewriteLogFile(m_state, error);
}

bool ContestLog::remove(qint32 n, QString* error)
{
    if (!DeleteLogEntry(m_state, n, error))
        return false;
    m_talliedFile.reset();
    return true;
}

bool ContestLog::startNew(CoreServices& services, const Prompts& prompts)
{
    if (!StartNewLog(m_state, services, prompts))
        return false;
    m_talliedFile.reset();
    return true;
}

bool ContestLog::archive(const QString& target, QString* error) const
{
    return ArchiveLogFile(m_state, target, error);
}

bool ContestLog::restore(const CoreServices& services, const QString& source, QString* error)
{
    if (!RestoreLogFile(m_state, services, source, error))
        return false;
    m_talliedFile.reset();
    return true;
}

void ContestLog::backUp(const CoreServices& services) const { BackupLogFile(m_state, services); }

bool ContestLog::reloadFromMemory()
{
    if (!asTallied())
        return false;
    ReloadLogFromMemory(m_state);
    return true;
}

bool ContestLog::asTallied() const
{
    return m_loaded && m_talliedFile && m_tally.counted() == m_state.log.QsoCount
        && logFileStamp(m_state) == *m_talliedFile;
}
