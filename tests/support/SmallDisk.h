#pragma once

// A real file system that fills up: a 64 KiB tmpfs mounted over a temporary folder for the
// life of the object. Mounting needs root (or the right to mount); where the machine does
// not allow it, mounted() is false and the test skips.

#include <QString>
#include <QTemporaryDir>

class SmallDisk {
public:
    explicit SmallDisk(qint64 bytes = 64 * 1024);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return m_mounted; }
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.path() + QLatin1Char('/') + name; }

    // Takes every free byte with a filler file. False when the disk did not fill.
    bool fill();
    // Removes the filler again.
    void freeSpace();

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};
