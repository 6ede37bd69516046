#pragma once

// A packet engine on 127.0.0.1, for the tests of the packet-engine link. It speaks the
// engine's TCP interface (36-byte little-endian header, then the data), reading the
// header by itself rather than through the program's codec, records every frame it
// receives and answers as an engine would:
//   'X'  registers the call: answered by 'X' with 1, or 0 when refuseRegistration is set;
//   'm'  toggles monitoring (sendMonitored sends only while it is on);
//   'C', 'c'  a connection request: answered by 'C' "*** CONNECTED To Station <call>" from
//        that call, unless answerConnects is cleared;
//   'd'  answered by 'd' "*** DISCONNECTED From Station <call>" from that call;
//   anything else is only recorded.
// It runs on the caller's event loop.

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <vector>

class FakeAgwEngine : public QObject {
    Q_OBJECT
public:
    struct Frame {
        int port = 0;
        char kind = 0;
        int pid = 0;
        QByteArray callFrom;
        QByteArray callTo;
        QByteArray data;
    };

    FakeAgwEngine();
    ~FakeAgwEngine() override;

    // The port it listens on, 0 when it could not listen.
    quint16 port() const { return m_server.serverPort(); }
    bool clientConnected() const { return m_client && m_client->state() == QAbstractSocket::ConnectedState; }

    bool refuseRegistration = false;
    bool answerRegistration = true;
    bool answerConnects = true;
    bool monitoring = false;
    std::vector<Frame> received;
    // The kinds received, in order ("XmcP").
    QByteArray kinds() const;

    // Sends a frame to the program: a monitored frame, a station's text, a connection change.
    void sendFrame(char kind, const QByteArray& callFrom, const QByteArray& callTo, const QByteArray& data,
                   int port = 0, int pid = 0xF0);
    // A monitored frame, with the header line an engine puts before the station's text.
    bool sendMonitored(const QByteArray& callFrom, const QByteArray& callTo, const QByteArray& text);
    // Raw bytes, as a broken peer would send them.
    void sendBytes(const QByteArray& bytes);
    // Closes the program's connection.
    void hangUp();

    static QByteArray header(char kind, const QByteArray& callFrom, const QByteArray& callTo, quint32 length,
                             int port = 0, int pid = 0);

private:
    void accept();
    void readAvailable();
    void answer(const Frame& frame);

    QTcpServer m_server;
    QPointer<QTcpSocket> m_client;
    QByteArray m_pending;
};
