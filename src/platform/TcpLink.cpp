#include "platform/TcpLink.h"

int socketErrorNumber(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError: return 10061;
    case QAbstractSocket::RemoteHostClosedError: return 10054;
    case QAbstractSocket::HostNotFoundError: return 11001;
    case QAbstractSocket::SocketAccessError: return 10013;
    case QAbstractSocket::SocketResourceError: return 10055;
    case QAbstractSocket::SocketTimeoutError: return 10060;
    case QAbstractSocket::DatagramTooLargeError: return 10040;
    case QAbstractSocket::NetworkError: return 10050;
    case QAbstractSocket::AddressInUseError: return 10048;
    case QAbstractSocket::SocketAddressNotAvailableError: return 10049;
    case QAbstractSocket::UnsupportedSocketOperationError: return 10043;
    case QAbstractSocket::UnfinishedSocketOperationError: return 10036;
    case QAbstractSocket::TemporaryError: return 10035;
    case QAbstractSocket::OperationError: return 10057;
    default: return 10050; // any other failure below the link: "Network subsystem failed."
    }
}

QtTcpLink::QtTcpLink()
{
    QObject::connect(&m_socket, &QTcpSocket::connected, &m_socket, [this] {
        if (onConnected)
            onConnected();
    });
    QObject::connect(&m_socket, &QTcpSocket::readyRead, &m_socket, [this] {
        if (onDataArrived)
            onDataArrived();
    });
    QObject::connect(&m_socket, &QTcpSocket::errorOccurred, &m_socket, [this](QAbstractSocket::SocketError error) {
        // The far end closing is no error of the link.
        if (error == QAbstractSocket::RemoteHostClosedError) {
            if (onClosed)
                onClosed();
            return;
        }
        if (onError)
            onError(socketErrorNumber(error), m_socket.errorString());
    });
}

QtTcpLink::~QtTcpLink()
{
    m_socket.disconnect();
    m_socket.abort();
}

void QtTcpLink::connectToHost(const QString& host, quint16 port)
{
    m_socket.abort();
    m_socket.connectToHost(host, port);
}

void QtTcpLink::close()
{
    const QSignalBlocker quiet(&m_socket);
    m_socket.flush(); // what the program queued before closing still goes out
    m_socket.abort();
}

TcpLink::State QtTcpLink::state() const
{
    switch (m_socket.state()) {
    case QAbstractSocket::ConnectedState: return State::Connected;
    case QAbstractSocket::HostLookupState:
    case QAbstractSocket::ConnectingState: return State::Connecting;
    default: return State::Closed;
    }
}

bool QtTcpLink::write(const QByteArray& bytes)
{
    if (m_socket.state() != QAbstractSocket::ConnectedState)
        return false;
    return m_socket.write(bytes) == bytes.size();
}

QByteArray QtTcpLink::readAll() { return m_socket.readAll(); }
