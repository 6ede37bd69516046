#include "FakeAgwEngine.h"

#include <QtEndian>
#include <cstring>

namespace {

QByteArray callOf(const char* field)
{
    return QByteArray(field, int(strnlen(field, 10)));
}

} // namespace

FakeAgwEngine::FakeAgwEngine()
{
    connect(&m_server, &QTcpServer::newConnection, this, &FakeAgwEngine::accept);
    m_server.listen(QHostAddress::LocalHost);
}

FakeAgwEngine::~FakeAgwEngine()
{
    if (m_client)
        m_client->abort();
}

QByteArray FakeAgwEngine::kinds() const
{
    QByteArray k;
    for (const Frame& f : received)
        k += f.kind;
    return k;
}

QByteArray FakeAgwEngine::header(char kind, const QByteArray& callFrom, const QByteArray& callTo, quint32 length,
                                 int port, int pid)
{
    QByteArray h(36, '\0');
    h[0] = char(port);
    h[4] = kind;
    h[6] = char(pid);
    std::memcpy(h.data() + 8, callFrom.constData(), size_t(qMin(callFrom.size(), qsizetype(10))));
    std::memcpy(h.data() + 18, callTo.constData(), size_t(qMin(callTo.size(), qsizetype(10))));
    qToLittleEndian<quint32>(length, h.data() + 28);
    return h;
}

void FakeAgwEngine::sendFrame(char kind, const QByteArray& callFrom, const QByteArray& callTo,
                              const QByteArray& data, int port, int pid)
{
    sendBytes(header(kind, callFrom, callTo, quint32(data.size()), port, pid) + data);
}

bool FakeAgwEngine::sendMonitored(const QByteArray& callFrom, const QByteArray& callTo, const QByteArray& text)
{
    if (!monitoring)
        return false;
    const QByteArray line = " 1:Fm " + callFrom + " To " + callTo + " <UI pid=F0 Len=" + QByteArray::number(text.size())
                            + " >[18:30:00]\r";
    sendFrame('U', callFrom, callTo, line + text);
    return true;
}

void FakeAgwEngine::sendBytes(const QByteArray& bytes)
{
    if (m_client) {
        m_client->write(bytes);
        m_client->flush();
    }
}

void FakeAgwEngine::hangUp()
{
    if (m_client)
        m_client->disconnectFromHost();
}

void FakeAgwEngine::accept()
{
    while (QTcpSocket* next = m_server.nextPendingConnection()) {
        if (m_client)
            m_client->abort();
        m_client = next;
        m_pending.clear();
        monitoring = false;
        connect(next, &QTcpSocket::readyRead, this, &FakeAgwEngine::readAvailable);
    }
}

void FakeAgwEngine::readAvailable()
{
    if (!m_client)
        return;
    m_pending += m_client->readAll();
    while (m_pending.size() >= 36) {
        const quint32 length = qFromLittleEndian<quint32>(m_pending.constData() + 28);
        if (quint32(m_pending.size() - 36) < length)
            return;
        const char* h = m_pending.constData();
        Frame f{quint8(h[0]), h[4], quint8(h[6]), callOf(h + 8), callOf(h + 18), m_pending.mid(36, qsizetype(length))};
        m_pending.remove(0, 36 + qsizetype(length));
        received.push_back(f);
        answer(f);
    }
}

void FakeAgwEngine::answer(const Frame& f)
{
    switch (f.kind) {
    case 'X':
        if (answerRegistration)
            sendFrame('X', f.callFrom, {}, QByteArray(1, refuseRegistration ? '\0' : '\1'));
        break;
    case 'm': monitoring = !monitoring; break;
    case 'C':
    case 'c':
        if (answerConnects)
            sendFrame('C', f.callTo, f.callFrom, "*** CONNECTED To Station " + f.callTo + "\r");
        break;
    case 'd': sendFrame('d', f.callTo, f.callFrom, "*** DISCONNECTED From Station " + f.callTo + "\r"); break;
    default: break;
    }
}
