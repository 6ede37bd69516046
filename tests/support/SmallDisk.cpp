#include "support/SmallDisk.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

SmallDisk::SmallDisk(qint64 bytes)
{
    if (!m_dir.isValid())
        return;
    const QByteArray options = "size=" + QByteArray::number(bytes);
    m_mounted = ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, options.constData()) == 0;
}

SmallDisk::~SmallDisk()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

bool SmallDisk::fill()
{
    const int fd = ::open(QFile::encodeName(file(QStringLiteral("filler"))).constData(),
                          O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    // Large pieces first, then single bytes, until not one more fits.
    for (const size_t piece : {size_t(4096), size_t(1)}) {
        const QByteArray block(qsizetype(piece), 'x');
        while (::write(fd, block.constData(), piece) == ssize_t(piece)) {
        }
    }
    const bool full = errno == ENOSPC;
    ::close(fd);
    return full;
}

void SmallDisk::freeSpace() { QFile::remove(file(QStringLiteral("filler"))); }
