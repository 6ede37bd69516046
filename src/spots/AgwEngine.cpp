#include "spots/AgwEngine.h"

#include "platform/EventWait.h"
#include "spots/SocketErrors.h"

#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// The frames that carry a station's text or a connection's change, as they are handed out.
char handedOutKind(char kind)
{
    switch (kind) {
    case 'C': return 'c';
    case 'd':
    case 'D':
    case 'I':
    case 'U':
    case 'S':
    case 'T': return kind;
    default: return 0;
    }
}

} // namespace

AgwAddress agwAddress(const QString& text)
{
    AgwAddress address;
    const qsizetype colon = text.lastIndexOf(u':');
    const QString host = colon < 0 ? QString() : text.left(colon).trimmed();
    if (!host.isEmpty())
        address.host = host;
    bool number = false;
    const uint port = text.mid(colon + 1).trimmed().toUInt(&number);
    if (number && port > 0 && port <= 65535)
        address.port = quint16(port);
    return address;
}

AgwEngine::AgwEngine(std::unique_ptr<TcpLink> link, QString host, quint16 port, int waitMs)
    : m_link(std::move(link)), m_host(std::move(host)), m_port(port), m_waitMs(waitMs)
{
    m_link->onConnected = [this] { wake(); };
    m_link->onDataArrived = [this] { takeBytes(); };
    m_link->onClosed = [this] { linkLost(socketErrorText(SocketRemoteClosed)); };
    m_link->onError = [this](int number, const QString&) { linkLost(socketErrorText(number)); };
}

AgwEngine::~AgwEngine()
{
    m_link->onConnected = nullptr;
    m_link->onDataArrived = nullptr;
    m_link->onClosed = nullptr;
    m_link->onError = nullptr;
    if (m_wait)
        m_wait->quit();
}

short AgwEngine::AGWStartPoll(const QByteArray& call, const QByteArray& application, int callLength,
                              int applicationLength)
{
    Q_UNUSED(application);
    Q_UNUSED(applicationLength);
    if (m_wait)
        return 0; // a registration is already under way
    m_link->close();
    m_decoder.reset();
    m_waiting.clear();
    m_registered = false;
    m_call = call.left(std::max(0, callLength));
    if (m_call.isEmpty())
        return 0;

    m_link->connectToHost(m_host, m_port);
    if (!waitFor([this] { return m_link->state() != TcpLink::State::Connecting; })
        || m_link->state() != TcpLink::State::Connected) {
        m_link->close();
        return 0;
    }
    m_registration = Answer::Pending;
    send('X', {});
    waitFor([this] { return m_registration != Answer::Pending || m_link->state() != TcpLink::State::Connected; });
    if (m_registration != Answer::Accepted || m_link->state() != TcpLink::State::Connected) {
        m_registration = Answer::None;
        m_link->close();
        return 0;
    }
    m_registered = send('m', {});
    return m_registered ? 1 : 0;
}

short AgwEngine::AGWPutData(const QByteArray& call, const QByteArray& data, int kind, int length, int reserved)
{
    Q_UNUSED(reserved);
    if (!m_registered || kind <= 0 || kind > 255)
        return 0;
    const QByteArray bytes = data.left(std::clamp<qsizetype>(length, 0, data.size()));
    const char k = char(kind);
    const quint8 pid = (k == 'c' || k == 'D' || k == 'M') ? AgwNoLayer3 : 0;
    return send(k, call, bytes, pid) ? 1 : 0;
}

short AgwEngine::AGWGetData(std::array<char, AgwFromCallField>& fromCall, std::array<char, AgwDataField>& data,
                            int& kind, int& length, int& port)
{
    if (m_waiting.empty())
        return 0;
    const AgwFrame frame = std::move(m_waiting.front());
    m_waiting.pop_front();
    fromCall.fill('\0');
    std::memcpy(fromCall.data(), frame.callFrom.constData(),
                std::min<size_t>(size_t(frame.callFrom.size()), fromCall.size() - 1));
    length = int(std::min<qsizetype>(frame.data.size(), AgwDataField));
    std::memcpy(data.data(), frame.data.constData(), size_t(length));
    kind = quint8(frame.kind);
    port = frame.port;
    return 1;
}

void AgwEngine::AGWClose()
{
    if (m_registered)
        send('x', {});
    m_registered = false;
    m_registration = Answer::None;
    m_link->close();
    m_decoder.reset();
    wake();
}

void AgwEngine::takeBytes()
{
    const QByteArray bytes = m_link->readAll();
    if (!m_decoder.feed(bytes, [this](AgwFrame&& frame) { takeFrame(std::move(frame)); })) {
        const QString badFrame = m_decoder.badFrame(); // losing the link resets the decoder
        linkLost(badFrame);
    }
}

void AgwEngine::takeFrame(AgwFrame&& frame)
{
    if (frame.kind == 'X') {
        if (m_registration == Answer::Pending) {
            m_registration = !frame.data.isEmpty() && frame.data[0] == 1 ? Answer::Accepted : Answer::Refused;
            wake();
        }
        return;
    }
    const char kind = handedOutKind(frame.kind);
    if (kind == 0 || !m_registered)
        return;
    frame.kind = kind;
    if (m_waiting.size() >= size_t(MaxWaitingFrames))
        m_waiting.pop_front();
    m_waiting.push_back(std::move(frame));
}

void AgwEngine::linkLost(const QString& message)
{
    const bool wasRegistered = m_registered;
    m_registered = false;
    m_link->close();
    m_decoder.reset();
    wake();
    if (wasRegistered && onLost)
        onLost(message);
}

bool AgwEngine::send(char kind, const QByteArray& callTo, const QByteArray& data, quint8 pid)
{
    AgwFrame frame;
    frame.kind = kind;
    frame.pid = pid;
    frame.callFrom = m_call;
    frame.callTo = callTo;
    frame.data = data;
    return m_link->write(encodeAgwFrame(frame));
}

template <typename Done> bool AgwEngine::waitFor(Done done)
{
    if (done())
        return true;
    const EventWaitScope waiting;
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    limit.start(m_waitMs);
    m_wait = &loop;
    while (!done() && limit.isActive() && m_wait)
        loop.exec();
    m_wait = nullptr;
    return done();
}

void AgwEngine::wake()
{
    if (m_wait)
        m_wait->quit();
}
