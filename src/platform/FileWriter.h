#pragma once

// The one writer of settings files. A rewrite asked on the window thread is made on a
// thread of the writer's own, so that syncing the file to the disk (tens of milliseconds
// on a busy machine, more on a laptop's disk) never holds up the window. The program is
// otherwise one thread (see the architecture guide); file writes are the one exception,
// and this thread touches nothing but the bytes and the file it is handed.
//
// Rewrites are made one at a time in the order asked. A rewrite of a file that has not
// started yet when another is asked for the same file is dropped: the last value wins,
// and a run of changes costs one write. Each write is DiskFile::replaceAtomically: the
// file is old or new, always whole, and on the disk once written. What happened comes
// back, when asked for, on the thread that made the writer, through its event loop: a
// failure is told there after the fact. waitForAll() blocks until every write asked so far
// is made; the program calls it on each way out, and the destructor does.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class QIODevice;

class FileWriter {
public:
    // written is false when the write failed; error then names the file and the reason.
    using Done = std::function<void(bool written, const QString& error)>;

    FileWriter();
    ~FileWriter();
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    // Replaces the file with bytes on the writer's thread; done, when given, runs on the
    // thread that made the writer once the write is made (not when a later rewrite of the
    // same file replaced this one before it started).
    void replace(const QString& path, QByteArray bytes, Done done = {});
    // The same with the content made now, on the caller's thread, by a writer; a writer
    // that returns false writes nothing and done is told so at once.
    void replace(const QString& path, const std::function<bool(QIODevice&)>& writer, Done done = {});
    // Blocks until every write asked so far is made.
    void waitForAll();
    // No write waits or runs.
    bool idle() const;

private:
    struct Job {
        QString path;
        QByteArray bytes;
        Done done;
    };
    void run();

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_finished;
    std::deque<Job> m_queue;
    bool m_writing = false;
    bool m_stopping = false;
    // Lives on the thread that made the writer: what is done is told there.
    QObject m_replies;
    std::thread m_thread;
};

// Rewrites a file through the writer, or at once on the caller's thread when there is none.
void replaceFile(FileWriter* writer, const QString& path, const std::function<bool(QIODevice&)>& content,
                 FileWriter::Done done = {});
