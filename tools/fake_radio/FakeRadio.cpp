#include "FakeRadio.h"

#include <QElapsedTimer>
#include <QtMath>
#include <QSocketNotifier>
#include <cerrno>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace {

qint64 monotonicMs()
{
    static QElapsedTimer started = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return started.elapsed();
}

// The command's letters: "FA00007030000" -> "FA", "MD" -> "MD".
QByteArray letters(const QByteArray& command)
{
    qsizetype n = 0;
    while (n < command.size() && !(command[n] >= '0' && command[n] <= '9'))
        ++n;
    return command.left(n);
}

} // namespace

FakeRadio::FakeRadio(Family family) : m_family(family)
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
    // Held open here too, so the program closing and reopening its port never hangs up
    // the line (which would wake the notifier for nothing).
    m_heldOpen = ::open(::ptsname(m_fd), O_RDWR | O_NOCTTY);
    // Raw bytes both ways: no echo, no line discipline on the device's side.
    termios t{};
    if (::tcgetattr(m_fd, &t) == 0) {
        ::cfmakeraw(&t);
        ::tcsetattr(m_fd, TCSANOW, &t);
    }
    ::fcntl(m_fd, F_SETFL, O_NONBLOCK);
    m_notifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &FakeRadio::readAvailable);
}

FakeRadio::~FakeRadio()
{
    m_notifier.reset();
    if (m_heldOpen >= 0)
        ::close(m_heldOpen);
    if (m_fd >= 0)
        ::close(m_fd);
}

QByteArray FakeRadio::allReceived() const
{
    QByteArray all;
    for (const Received& r : received)
        all += r.bytes;
    return all;
}

void FakeRadio::send(const QByteArray& bytes)
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

void FakeRadio::readAvailable()
{
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n <= 0)
            return;
        const QByteArray bytes(buffer, n);
        received.push_back({bytes, monotonicMs()});
        m_pending += bytes;
        const char end = m_family == Family::Kenwood ? ';' : '\r';
        for (qsizetype at; (at = m_pending.indexOf(end)) >= 0;) {
            takeCommand(m_pending.left(at));
            m_pending.remove(0, at + 1);
        }
    }
}

void FakeRadio::takeCommand(const QByteArray& command)
{
    commands.push_back(command);
    const QByteArray answer = m_family == Family::Kenwood ? answerKenwood(command) : answerOrion(command);
    if (!answer.isEmpty())
        send(answer);
}

QByteArray FakeRadio::answerKenwood(const QByteArray& command)
{
    const QByteArray name = letters(command);
    if (command.size() > name.size()) { // a set: remembered, not answered
        replies[name] = command + ';';
        return {};
    }
    return replies.value(name);
}

QByteArray FakeRadio::answerOrion(const QByteArray& line)
{
    if (line.startsWith('?'))
        return replies.value(line.mid(1));
    if (line.startsWith('*')) {
        QByteArray body = line.mid(1);
        const QByteArray name = letters(body);
        // The frequency is set in MHz and reported in Hz.
        if (name == "AF")
            body = name + QByteArray::number(qRound64(body.mid(name.size()).toDouble() * 1e6));
        replies[name] = '@' + body + '\r';
    }
    return {};
}
