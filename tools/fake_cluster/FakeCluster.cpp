#include "FakeCluster.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

QByteArray clusterSpotLine(const QString& spotter, double frequencyKHz, const QString& call, const QString& comment,
                           const QString& time)
{
    QString line = (QStringLiteral("DX de ") + spotter + u':').leftJustified(15, u' ');
    line += QString::number(frequencyKHz, 'f', 1).rightJustified(9, u' ');
    line += QStringLiteral("  ") + call.leftJustified(13, u' ');
    line += comment.leftJustified(30, u' ');
    line += u' ' + time;
    return line.toLatin1() + "\r\n";
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(1);
    }
    return true;
}

FakeCluster::FakeCluster() : m_server(new QTcpServer(this))
{
    m_server->listen(QHostAddress::LocalHost, 0);
    connect(m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* client = m_server->nextPendingConnection()) {
            if (m_client)
                m_client->abort();
            m_client = client;
            connect(client, &QTcpSocket::readyRead, this, [this, client] { received += client->readAll(); });
        }
    });
}

FakeCluster::~FakeCluster()
{
    if (m_client)
        m_client->abort();
}

quint16 FakeCluster::port() const { return m_server->serverPort(); }

quint16 FakeCluster::closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

bool FakeCluster::waitForClient(int timeoutMs)
{
    return waitUntil([this] { return connected(); }, timeoutMs);
}

bool FakeCluster::connected() const { return m_client && m_client->state() == QAbstractSocket::ConnectedState; }

void FakeCluster::send(const QByteArray& bytes)
{
    if (!m_client)
        return;
    m_client->write(bytes);
    m_client->flush();
    m_client->waitForBytesWritten(1000);
}

void FakeCluster::hangUp()
{
    if (!m_client)
        return;
    m_client->disconnectFromHost();
    if (m_client && m_client->state() != QAbstractSocket::UnconnectedState)
        m_client->waitForDisconnected(1000);
}
