#include "DevicePty.h"

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

DevicePty::~DevicePty()
{
    if (m_heldOpen >= 0)
        ::close(m_heldOpen);
    if (m_fd >= 0)
        ::close(m_fd);
}
