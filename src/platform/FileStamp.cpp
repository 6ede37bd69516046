#include "platform/FileStamp.h"

#include <QFile>
#include <sys/stat.h>

namespace {

qint64 nanoseconds(const struct timespec& t) { return qint64(t.tv_sec) * 1000000000 + t.tv_nsec; }

} // namespace

FileStamp FileStamp::of(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    FileStamp stamp;
    stamp.exists = true;
    stamp.device = quint64(info.st_dev);
    stamp.inode = quint64(info.st_ino);
    stamp.size = qint64(info.st_size);
    stamp.modifiedNs = nanoseconds(info.st_mtim);
    stamp.changedNs = nanoseconds(info.st_ctim);
    return stamp;
}
