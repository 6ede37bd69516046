#include "platform/FolderLock.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

const QString FolderLock::FileName = QStringLiteral(".brevant.lock");

FolderLock::~FolderLock()
{
    if (m_fd >= 0)
        ::close(m_fd); // lets go of the lock
}

FolderLock::Result FolderLock::take(const QString& folder)
{
    if (m_fd >= 0)
        return Result::Taken;
    const QByteArray path = QFile::encodeName(QDir(folder).filePath(FileName));
    // Closed on exec: a program this one starts never keeps the folder's lock.
    int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC); // a lock file this user may not write
    if (fd < 0)
        return Result::Unavailable;
    int locked;
    do {
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return held ? Result::HeldByAnother : Result::Unavailable;
    }
    m_fd = fd;
    return Result::Taken;
}
