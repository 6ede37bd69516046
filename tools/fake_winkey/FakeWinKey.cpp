#include "FakeWinKey.h"

#include <QElapsedTimer>
#include <QSocketNotifier>
#include <cerrno>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int Capacity = 128;

} // namespace

qint64 FakeWinKey::nowMs()
{
    static QElapsedTimer started = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return started.elapsed();
}

FakeWinKey::FakeWinKey()
{
    if (m_pty.fd() < 0)
        return;
    m_notifier = std::make_unique<QSocketNotifier>(m_pty.fd(), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &FakeWinKey::readAvailable);
    connect(&m_keyer, &QTimer::timeout, this, &FakeWinKey::keyOne);
}

FakeWinKey::~FakeWinKey()
{
    m_notifier.reset();
}

QByteArray FakeWinKey::allReceived() const
{
    QByteArray all;
    for (const Received& r : received)
        all += r.bytes;
    return all;
}

QByteArray FakeWinKey::takenText() const
{
    QByteArray text;
    for (const Taken& t : taken)
        text += t.character;
    return text;
}

quint8 FakeWinKey::status() const
{
    quint8 s = 0xC0;
    if (!m_buffer.isEmpty())
        s |= 0x04;
    if (m_heldFull || m_buffer.size() > Capacity * 2 / 3)
        s |= 0x01;
    return s;
}

void FakeWinKey::holdFull(bool full)
{
    m_heldFull = full;
    reportIfChanged();
}

void FakeWinKey::hangUp()
{
    m_notifier.reset();
    m_keyer.stop();
    m_pty.hangUp();
}

void FakeWinKey::send(const QByteArray& bytes)
{
    if (silent)
        return;
    m_pty.write(bytes);
}

void FakeWinKey::readAvailable()
{
    for (QByteArray chunk; !(chunk = m_pty.readChunk()).isEmpty();) {
        received.push_back({chunk, nowMs()});
        for (const char c : chunk)
            take(quint8(c));
    }
}

// The keyer's own table of parameter bytes per command.
int FakeWinKey::parameterCount(const QByteArray& command) const
{
    const auto code = quint8(command[0]);
    if (code == 0x00) {
        if (command.size() < 2)
            return 1; // the admin command's own code comes first
        const auto admin = quint8(command[1]);
        return 1 + ((admin == 0x00 || admin == 0x04 || admin == 0x0E) ? 1 : 0);
    }
    switch (code) {
    case 0x04:
    case 0x1B: return 2;
    case 0x05: return 3;
    case 0x0F: return 15;
    case 0x07:
    case 0x08:
    case 0x0A:
    case 0x13:
    case 0x15:
    case 0x1E:
    case 0x1F: return 0;
    default: return 1;
    }
}

void FakeWinKey::take(quint8 byte)
{
    if (m_command.isEmpty() && byte >= 0x20) {
        taken.push_back({char(byte), nowMs()});
        if (m_buffer.size() < Capacity)
            m_buffer += char(byte);
        if (!m_keyer.isActive())
            m_keyer.start(msPerCharacter);
        reportIfChanged();
        return;
    }
    m_command += char(byte);
    if (m_command.size() - 1 >= parameterCount(m_command)) {
        const QByteArray command = std::exchange(m_command, {});
        commands.push_back(command);
        runCommand(command);
    }
}

void FakeWinKey::runCommand(const QByteArray& command)
{
    const auto code = quint8(command[0]);
    if (code == 0x00) {
        switch (quint8(command[1])) {
        case 0x02:
            if (answersOpen) {
                m_hostOpen = true;
                send(QByteArray(1, char(version)));
            }
            break;
        case 0x03: m_hostOpen = false; break;
        case 0x04:
            if (answersEcho)
                send(QByteArray(1, char(echoInstead.value_or(quint8(command[2])))));
            break;
        default: break;
        }
        return;
    }
    switch (code) {
    case 0x08: m_buffer.chop(1); break;
    case 0x0A: m_buffer.clear(); break;
    case 0x15: send(QByteArray(1, char(status()))); m_reported = status(); return;
    default: break;
    }
    reportIfChanged();
}

void FakeWinKey::keyOne()
{
    if (m_buffer.isEmpty()) {
        m_keyer.stop();
    } else {
        keyed += m_buffer.front();
        m_buffer.remove(0, 1);
    }
    reportIfChanged();
}

void FakeWinKey::reportIfChanged()
{
    const quint8 now = status();
    if (now == m_reported || !m_hostOpen)
        return;
    m_reported = now;
    send(QByteArray(1, char(now)));
}
