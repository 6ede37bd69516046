#include "FakeRadio.h"

#include <QElapsedTimer>
#include <QtMath>
#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace {

qint64 monotonicNs()
{
    static QElapsedTimer started = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return started.nsecsElapsed();
}

qint64 monotonicMs() { return monotonicNs() / 1000000; }

// The command's letters: "FA00007030000" -> "FA", "MD" -> "MD".
QByteArray letters(const QByteArray& command)
{
    qsizetype n = 0;
    while (n < command.size() && !(command[n] >= '0' && command[n] <= '9'))
        ++n;
    return command.left(n);
}

// BCD, two digits a byte, least significant byte first.
QByteArray bcdLeastFirst(quint64 value, int bytes)
{
    QByteArray out;
    for (int i = 0; i < bytes; ++i, value /= 100)
        out += char((value % 10) | ((value / 10 % 10) << 4));
    return out;
}

quint64 fromBcdLeastFirst(const QByteArray& bytes)
{
    quint64 value = 0;
    for (qsizetype i = bytes.size() - 1; i >= 0; --i) {
        const auto b = quint8(bytes[i]);
        value = value * 100 + (b >> 4) * 10 + (b & 15);
    }
    return value;
}

QByteArray reversed(QByteArray bytes)
{
    std::reverse(bytes.begin(), bytes.end());
    return bytes;
}

// The low `bytes` bytes of the number, most significant first.
QByteArray bigEndian(quint64 value, int bytes)
{
    QByteArray out(bytes, '\0');
    for (int i = bytes - 1; i >= 0; --i, value >>= 8)
        out[i] = char(value & 0xFF);
    return out;
}

quint64 fromBigEndian(const QByteArray& bytes)
{
    quint64 value = 0;
    for (const char b : bytes)
        value = value << 8 | quint8(b);
    return value;
}

} // namespace

FakeRadio::FakeRadio(Family family) : m_family(family)
{
    if (m_pty.fd() < 0)
        return;
    m_notifier = std::make_unique<QSocketNotifier>(m_pty.fd(), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &FakeRadio::readAvailable);
    m_carrier.setTimerType(Qt::PreciseTimer);
    m_carrier.setInterval(1);
    connect(&m_carrier, &QTimer::timeout, this, &FakeRadio::carry);
}

void FakeRadio::pace(int baud, int stopBits)
{
    m_characterNs = baud > 0 ? qint64(1 + 8 + stopBits) * 1000000000 / baud : 0;
}

FakeRadio::~FakeRadio()
{
    m_notifier.reset();
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
    if (m_characterNs == 0) {
        m_pty.write(bytes);
        if (answered)
            answered(bytes);
        return;
    }
    for (const char b : bytes) {
        m_outboundFreeNs = std::max(m_outboundFreeNs, monotonicNs()) + m_characterNs;
        m_outbound.push_back({b, m_outboundFreeNs});
    }
    longestBacklog = std::max(longestBacklog, qsizetype(m_outbound.size()));
    m_carrier.start();
}

void FakeRadio::holdOutput(bool held)
{
    if (!m_notifier)
        return;
    m_notifier->setEnabled(!held);
    if (!held)
        readAvailable();
}

void FakeRadio::readAvailable()
{
    for (QByteArray bytes; !(bytes = m_pty.readChunk()).isEmpty();) {
        received.push_back({bytes, monotonicMs()});
        if (m_characterNs == 0) {
            take(bytes);
            continue;
        }
        for (const char b : bytes) {
            m_inboundFreeNs = std::max(m_inboundFreeNs, monotonicNs()) + m_characterNs;
            m_inbound.push_back({b, m_inboundFreeNs});
        }
        m_carrier.start();
    }
}

void FakeRadio::take(const QByteArray& bytes)
{
    m_pending += bytes;
    for (QByteArray command; !(command = nextCommand()).isEmpty();)
        takeCommand(command);
}

// Moves on what the line has carried by now, both ways.
void FakeRadio::carry()
{
    const qint64 now = monotonicNs();
    QByteArray in;
    for (; !m_inbound.empty() && m_inbound.front().dueNs <= now; m_inbound.pop_front())
        in += m_inbound.front().byte;
    // A shared CI-V line hears each byte as it goes over, the radio's answer after it.
    if (echo && m_family == Family::Icom && !in.isEmpty())
        m_pty.write(in);
    if (!in.isEmpty())
        take(in);
    QByteArray out;
    for (; !m_outbound.empty() && m_outbound.front().dueNs <= now; m_outbound.pop_front())
        out += m_outbound.front().byte;
    if (!out.isEmpty()) {
        m_pty.write(out);
        if (answered)
            answered(out);
    }
    if (m_inbound.empty() && m_outbound.empty())
        m_carrier.stop();
}

QByteArray FakeRadio::nextCommand()
{
    QByteArray command;
    switch (m_family) {
    case Family::Kenwood:
    case Family::Orion: {
        // The terminator is kept, so an empty command still counts; it is cut off below.
        const qsizetype at = m_pending.indexOf(m_family == Family::Kenwood ? ';' : '\r');
        if (at >= 0)
            command = m_pending.left(at + 1);
        break;
    }
    case Family::Icom: {
        const qsizetype start = m_pending.indexOf("\xFE\xFE");
        if (start < 0) {
            m_pending = m_pending.endsWith('\xFE') ? QByteArray("\xFE") : QByteArray();
            return {};
        }
        m_pending.remove(0, start);
        const qsizetype end = m_pending.indexOf('\xFD');
        if (end >= 0)
            command = m_pending.left(end + 1);
        break;
    }
    case Family::Yaesu:
        if (m_pending.size() >= 5)
            command = m_pending.left(5);
        break;
    case Family::TenTecPanel: {
        while (!m_pending.isEmpty() && m_pending[0] != '?' && m_pending[0] != '*')
            m_pending.remove(0, 1);
        if (m_pending.size() < 2)
            return {};
        const qsizetype length = m_pending[0] == '?' ? 3 : m_pending[1] == 'A' ? 7 : m_pending[1] == 'M' ? 5 : 3;
        if (m_pending.size() >= length)
            command = m_pending.left(length);
        break;
    }
    }
    m_pending.remove(0, command.size());
    return command;
}

void FakeRadio::takeCommand(const QByteArray& command)
{
    if (silent) {
        commands.push_back(command);
        return;
    }
    QByteArray answer;
    switch (m_family) {
    case Family::Kenwood:
        commands.push_back(command.chopped(1));
        answer = answerKenwood(commands.back());
        break;
    case Family::Orion:
        commands.push_back(command.chopped(1));
        answer = answerOrion(commands.back());
        break;
    case Family::Icom:
        commands.push_back(command);
        answer = answerIcom(command);
        break;
    case Family::Yaesu:
        commands.push_back(command);
        answer = answerYaesu(command);
        break;
    case Family::TenTecPanel:
        commands.push_back(command);
        answer = answerTenTecPanel(command);
        break;
    }
    if (!answer.isEmpty())
        answer.chop(std::min<qsizetype>(cutAnswers, answer.size()));
    if (echo && m_family == Family::Icom && m_characterNs == 0)
        answer.prepend(command);
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

QByteArray FakeRadio::answerIcom(const QByteArray& frame)
{
    // FE FE <to> <from> <command> <data ...> FD
    if (frame.size() < 6 || quint8(frame[2]) != civAddress)
        return {};
    const char program = frame[3];
    const auto command = quint8(frame[4]);
    const QByteArray data = frame.mid(5, frame.size() - 6);
    const auto answer = [&](const QByteArray& body) {
        return QByteArray("\xFE\xFE") + program + char(civAddress) + body + '\xFD';
    };
    switch (command) {
    case 0x03:
        return answer('\x03' + bcdLeastFirst(quint64(hertz), civFrequencyBytes));
    case 0x04:
        return answer(QByteArray("\x04") + char(modeCode) + '\x01');
    case 0x05:
        hertz = qint64(fromBcdLeastFirst(data));
        return answer("\xFB");
    case 0x06:
        if (!data.isEmpty())
            modeCode = quint8(data[0]);
        return answer("\xFB");
    default:
        return answer("\xFA");
    }
}

QByteArray FakeRadio::answerYaesu(const QByteArray& command)
{
    const auto parameters = command.left(4);
    switch (quint8(command[4])) {
    case 0x03: // frequency and mode
        return reversed(bcdLeastFirst(quint64(hertz / 10), 4)) + char(modeCode);
    case 0x01:
        hertz = qint64(fromBcdLeastFirst(reversed(parameters))) * 10;
        return {};
    case 0x07:
        modeCode = quint8(parameters[0]);
        return {};
    case 0x10:
        return yaesuStatus();
    case 0x0A:
        hertz = qint64(fromBcdLeastFirst(parameters)) * 10;
        return {};
    case 0x0C:
        modeCode = quint8(parameters[3]);
        return {};
    default: // the wake-up and the closing commands, and any other
        return {};
    }
}

QByteArray FakeRadio::yaesuStatus() const
{
    const quint64 tens = quint64(hertz / 10);
    QByteArray block;
    const auto put = [&block](int firstByte, const QByteArray& bytes) { block.replace(firstByte - 1, bytes.size(), bytes); };
    switch (yaesuModel) {
    case YaesuModel::Newer:
        return {};
    case YaesuModel::Ft757:
        block = QByteArray(75, '\0');
        put(6, bcdLeastFirst(tens, 4));
        put(10, QByteArray(1, char(modeCode)));
        return block;
    case YaesuModel::Ft890:
        block = QByteArray(18, '\0');
        put(3, bigEndian(tens, 3));
        break;
    case YaesuModel::Ft920:
        block = QByteArray(28, '\0');
        put(2, bigEndian(quint64(hertz), 4));
        break;
    case YaesuModel::Ft990:
        block = QByteArray(32, '\0');
        put(2, bigEndian(tens, 3));
        break;
    case YaesuModel::Ft1000:
        // Hex digits 4 to 9: the number a half byte up, across bytes 2 to 5.
        block = QByteArray(16, '\0');
        put(1, bigEndian(tens << 4, 5));
        break;
    }
    put(8, QByteArray(1, char(modeCode & 0x0F)));
    return block;
}

QByteArray FakeRadio::answerTenTecPanel(const QByteArray& command)
{
    if (command == "?A\r")
        return 'A' + bigEndian(quint64(hertz), 4) + '\r';
    if (command == "?M\r")
        return QByteArray("M") + char('0' + modeCode) + char('0' + modeCode) + '\r';
    if (command.startsWith("*A") && command.size() == 7)
        hertz = qint64(fromBigEndian(command.mid(2, 4)));
    else if (command.startsWith("*M") && command.size() == 5)
        modeCode = quint8(command[2] - '0');
    return {};
}
