#include "DevicePty.h"

#include <cerrno>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

DevicePty::DevicePty()
{
    m_fd = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_fd < 0)
        return;
    if (::grantpt(m_fd) != 0 || ::unlockpt(m_fd) != 0) {
        ::close(m_fd);
        m_fd = -1;
        return;
    }
    m_name = QString::fromLatin1(::ptsname(m_fd));
    m_heldOpen = ::open(::ptsname(m_fd), O_RDWR | O_NOCTTY);
    termios t{};
    if (::tcgetattr(m_fd, &t) == 0) {
        ::cfmakeraw(&t);
        ::tcsetattr(m_fd, TCSANOW, &t);
    }
    ::fcntl(m_fd, F_SETFL, O_NONBLOCK);
}

DevicePty::~DevicePty() { hangUp(); }

void DevicePty::hangUp()
{
    if (m_heldOpen >= 0)
        ::close(m_heldOpen);
    if (m_fd >= 0)
        ::close(m_fd);
    m_heldOpen = m_fd = -1;
}

void DevicePty::write(const QByteArray& bytes)
{
    qsizetype done = 0;
    while (m_fd >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return;
        if (n > 0)
            done += n;
    }
}

QByteArray DevicePty::readChunk()
{
    char buffer[512];
    const ssize_t n = m_fd >= 0 ? ::read(m_fd, buffer, sizeof buffer) : -1;
    return n > 0 ? QByteArray(buffer, n) : QByteArray();
}
