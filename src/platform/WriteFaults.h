#pragma once

// Write failures brought about on purpose, so that tests can show what every caller of the
// durable writes does when the disk fills up or refuses to sync, without a full disk.
// While a WriteFault is installed, each durable write (DiskFile) of a matching file fails
// the way it says; nothing else changes.

#include <QString>
#include <QtGlobal>
#include <optional>

struct WriteFault {
    // Only files whose full path holds this text (without regard to case); empty: all.
    QString pathContains;
    // The write fails with "No space left on device" once this many bytes of one append
    // or rewrite were written (the bytes before that do reach the file); -1: never.
    qint64 failAfterBytes = -1;
    // The sync that ends the write fails with an I/O error.
    bool failSync = false;
};

// Installs a fault for its lifetime; the one installed before comes back afterwards.
class ScopedWriteFault {
public:
    explicit ScopedWriteFault(WriteFault fault);
    ~ScopedWriteFault();
    ScopedWriteFault(const ScopedWriteFault&) = delete;
    ScopedWriteFault& operator=(const ScopedWriteFault&) = delete;

private:
    std::optional<WriteFault> m_previous;
};

// The fault that applies to a write of this file, if any.
std::optional<WriteFault> writeFaultFor(const QString& path);
