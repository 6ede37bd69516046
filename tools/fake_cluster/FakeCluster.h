#pragma once

// A DX cluster at the far end of a local TCP connection (127.0.0.1 only, a port the system
// picks): it takes one client at a time, records what the client sends and sends what the
// test tells it to, whole, split across writes or in bursts. It runs on the caller's event
// loop, no thread.
//
// Its spot lines have the cluster's layout: "DX de " and the spotter's call with a colon,
// the frequency in kHz right-aligned to column 24, the spotted call from column 27, a
// comment from column 40 and the time in UTC ("1830Z") at column 71, ended by CR LF:
//   DX de K5DX:      14025.0  W1AW         CQ TQP                        1830Z

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QTcpServer;
class QTcpSocket;

QByteArray clusterSpotLine(const QString& spotter, double frequencyKHz, const QString& call,
                           const QString& comment = {}, const QString& time = QStringLiteral("1830Z"));

class FakeCluster : public QObject {
    Q_OBJECT
public:
    FakeCluster();
    ~FakeCluster() override;

    quint16 port() const;
    // A port on 127.0.0.1 where nothing listens: connecting there is refused.
    static quint16 closedPort();

    // Waits, letting events run, until a client is connected (at most the time given).
    bool waitForClient(int timeoutMs = 5000);
    bool connected() const;
    // One write to the client; the bytes are flushed before it returns.
    void send(const QByteArray& bytes);
    // The far end hangs up.
    void hangUp();

    // Every byte the client sent, in order.
    QByteArray received;

private:
    QTcpServer* m_server;
    QPointer<QTcpSocket> m_client;
};

// Lets events run until the condition holds or the time is out; whether it holds.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);
