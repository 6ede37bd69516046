#include "app/EndSignals.h"

#include "platform/EventWait.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr std::array<int, 4> Taken = {SIGTERM, SIGINT, SIGHUP, SIGQUIT};
volatile sig_atomic_t writeEnd = -1;

extern "C" void passOn(int signalNumber)
{
    const int saved = errno;
    // A Morse element or a hold that is being waited out ends at once, the line dropped
    // there; the rest of the way out runs from the event loop.
    EventWaits::requestEnd();
    const char number = char(signalNumber);
    // Non-blocking: with the pair full the signals already waiting say enough.
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &number, 1);
    errno = saved;
}

void take(int signalNumber, void (*handler)(int))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(signalNumber, &action, nullptr);
}

} // namespace

EndSignals::EndSignals()
{
    // A peer gone from a socket or pipe is an error of the write, never the end of the program.
    take(SIGPIPE, SIG_IGN);
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, m_fds) != 0)
        return; // the signals keep their default: they end the program as before
    writeEnd = m_fds[0];
    m_notifier = std::make_unique<QSocketNotifier>(m_fds[1], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &EndSignals::readSignals);
    for (const int s : Taken)
        take(s, passOn);
}

EndSignals::~EndSignals()
{
    if (m_fds[0] < 0)
        return;
    for (const int s : Taken)
        take(s, SIG_DFL);
    writeEnd = -1;
    m_notifier.reset();
    ::close(m_fds[0]);
    ::close(m_fds[1]);
}

void EndSignals::readSignals()
{
    char numbers[16];
    ssize_t count = 0;
    while ((count = ::read(m_fds[1], numbers, sizeof numbers)) > 0) {
        for (ssize_t i = 0; i < count; ++i)
            Q_EMIT received(int(numbers[i]));
    }
}
