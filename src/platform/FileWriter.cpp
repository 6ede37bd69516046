#include "platform/FileWriter.h"

#include "platform/DiskFile.h"

#include <QBuffer>
#include <QMetaObject>
#include <algorithm>

FileWriter::FileWriter() : m_thread([this] { run(); }) {}

FileWriter::~FileWriter()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    // The thread makes every write still queued before it ends.
    m_thread.join();
}

void FileWriter::replace(const QString& path, QByteArray bytes, Done done)
{
    {
        std::lock_guard lock(m_mutex);
        std::erase_if(m_queue, [&](const Job& job) { return job.path == path; });
        m_queue.push_back(Job{path, std::move(bytes), std::move(done)});
    }
    m_wake.notify_one();
}

void FileWriter::replace(const QString& path, const std::function<bool(QIODevice&)>& writer, Done done)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!writer(buffer)) {
        if (done)
            done(false, QStringLiteral("%1 could not be written.").arg(path));
        return;
    }
    replace(path, std::move(bytes), std::move(done));
}

void FileWriter::waitForAll()
{
    std::unique_lock lock(m_mutex);
    m_finished.wait(lock, [this] { return m_queue.empty() && !m_writing; });
}

bool FileWriter::idle() const
{
    std::lock_guard lock(m_mutex);
    return m_queue.empty() && !m_writing;
}

void FileWriter::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
        if (m_queue.empty())
            return; // stopping, and nothing left to write
        Job job = std::move(m_queue.front());
        m_queue.pop_front();
        m_writing = true;
        lock.unlock();
        QString error;
        const bool written = DiskFile::replaceAtomically(job.path, job.bytes, &error);
        if (job.done) {
            QMetaObject::invokeMethod(
                &m_replies, [done = std::move(job.done), written, error] { done(written, error); },
                Qt::QueuedConnection);
        }
        lock.lock();
        m_writing = false;
        if (m_queue.empty())
            m_finished.notify_all();
    }
}

void replaceFile(FileWriter* writer, const QString& path, const std::function<bool(QIODevice&)>& content,
                 FileWriter::Done done)
{
    if (writer) {
        writer->replace(path, content, std::move(done));
        return;
    }
    QString error;
    const bool written = DiskFile::replaceAtomically(path, content, &error);
    if (done)
        done(written, error);
}
