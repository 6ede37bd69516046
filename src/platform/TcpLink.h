#pragma once

// A TCP client link (the DX cluster's telnet, the packet engine): it connects in the
// background and tells its user, through the callbacks, when it is connected, when data
// has arrived, when the far end closed, and when an error ended it. Errors come as the
// socket error numbers the windows know (10061 refused, 11001 host not found, ...).

#include <QByteArray>
#include <QString>
#include <QTcpSocket>
#include <functional>

class TcpLink {
public:
    enum class State { Closed, Connecting, Connected };

    virtual ~TcpLink() = default;

    // Starts connecting and returns at once; a link already open is closed first.
    virtual void connectToHost(const QString& host, quint16 port) = 0;
    // Closes at once; no callback follows.
    virtual void close() = 0;
    virtual State state() const = 0;
    // Queues the bytes for sending; false when the link is not connected.
    virtual bool write(const QByteArray& bytes) = 0;
    // Every byte received and not yet taken.
    virtual QByteArray readAll() = 0;

    std::function<void()> onConnected;
    std::function<void()> onDataArrived;
    std::function<void()> onClosed; // the far end closed the link
    std::function<void(int number, const QString& description)> onError;
};

// The socket error number of a Qt socket error.
int socketErrorNumber(QAbstractSocket::SocketError error);

class QtTcpLink final : public TcpLink {
public:
    QtTcpLink();
    ~QtTcpLink() override;

    void connectToHost(const QString& host, quint16 port) override;
    void close() override;
    State state() const override;
    bool write(const QByteArray& bytes) override;
    QByteArray readAll() override;

private:
    QTcpSocket m_socket;
};
