#pragma once

// Rewrites of files that may wait a moment. A file's content is made when its write is
// done, so the write always takes the newest; asks for the same file while its write waits
// join that write, so a run of changes (a radio tuned across the bands, one change per
// poll) costs one write. Each write is DiskFile::replaceAtomically: old or new, the file is
// always whole, and it is on the disk once written. The writes wait on a timer of the
// caller's event loop, no thread; flush() makes them at once, and ending the program and
// the destructor call it, so no write that waits is lost at exit. A failed write is
// dropped, as the callers drop their failures.

#include <QByteArray>
#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>
#include <utility>
#include <vector>

class DelayedWrites {
public:
    explicit DelayedWrites(std::chrono::milliseconds delay = std::chrono::milliseconds(500));
    ~DelayedWrites();
    DelayedWrites(const DelayedWrites&) = delete;
    DelayedWrites& operator=(const DelayedWrites&) = delete;

    // Replaces the file with what content() makes once the delay has passed since the first
    // ask that waits. content must stay callable until the write is made.
    void replaceSoon(const QString& path, std::function<QByteArray()> content);
    // Makes every write that waits, now.
    void flush();
    bool pending() const { return !m_waiting.empty(); }

private:
    QTimer m_timer;
    // In the order of each file's first ask.
    std::vector<std::pair<QString, std::function<QByteArray()>>> m_waiting;
};
