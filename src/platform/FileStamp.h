#pragma once

// What the file system says of a file without reading it: which file it is, its size and
// when its content and its entry last changed. Two equal stamps taken at different times
// mean that nothing wrote, replaced, truncated or re-permitted the file in between, so what
// was read from it then is what it holds now.

#include <QString>
#include <QtGlobal>

struct FileStamp {
    bool exists = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;

    bool operator==(const FileStamp&) const = default;

    // The stamp of the file now; a file that cannot be looked at reads as missing.
    static FileStamp of(const QString& path);
};
