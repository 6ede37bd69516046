#pragma once

// Rewrites of files that may wait a moment. A file's content is made when its wait ends,
// so the write always takes the newest; asks for the same file while it waits join that
// write, so a run of changes (a radio tuned across the bands, one change per poll) costs
// one write. The wait is a timer of the caller's event loop; the content is made there
// and handed to the file writer, which makes it durable off the window thread (without a
// writer, at once on the caller's thread). flush() hands over every write that waits and
// waits until the writer has made them; ending the program and the destructor call it,
// so no write that waits is lost at exit. A failed write is dropped, as the callers drop
// their failures.

#include <QByteArray>
#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>
#include <utility>
#include <vector>

class FileWriter;

class DelayedWrites {
public:
    explicit DelayedWrites(FileWriter* writer = nullptr,
                           std::chrono::milliseconds delay = std::chrono::milliseconds(500));
    ~DelayedWrites();
    DelayedWrites(const DelayedWrites&) = delete;
    DelayedWrites& operator=(const DelayedWrites&) = delete;

    // Replaces the file with what content() makes once the delay has passed since the first
    // ask that waits. content must stay callable until the write is made.
    void replaceSoon(const QString& path, std::function<QByteArray()> content);
    // Makes every write that waits, now, and waits until the writer has made them all.
    void flush();
    // A write waits for its delay (not: the writer is still at it).
    bool pending() const { return !m_waiting.empty(); }

private:
    void handOver();

    FileWriter* m_writer;
    QTimer m_timer;
    // In the order of each file's first ask.
    std::vector<std::pair<QString, std::function<QByteArray()>>> m_waiting;
};
