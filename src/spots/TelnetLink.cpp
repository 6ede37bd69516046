#include "spots/TelnetLink.h"

#include <QHash>

QString telnetErrorMessage(int number)
{
    static const QHash<int, const char*> messages = {
        {7, "ERROR: Out of memory."},
        {380, "ERROR: The property value is invalid."},
        {383, "ERROR: The property is read-only."},
        {394, "ERROR: The property can't be read."},
        {1004, "ERROR: The operation was canceled."},
        {10014, "ERROR: The requested address is a broadcast address, but flag is not set."},
        {10035, "ERROR: Socket is non-blocking and the specified operation will block."},
        {10036, "ERROR: A blocking Winsock operation in progress."},
        {10037, "ERROR: The operation is completed. No blocking operation in progress"},
        {10038, "ERROR: The descriptor is not a socket."},
        {10040, "ERROR: The datagram is too large to fit into the buffer and is truncated."},
        {10043, "ERROR: The specified port is not supported."},
        {10048, "ERROR: Address in use."},
        {10049, "ERROR: Address not available from the local machine."},
        {10050, "ERROR: Network subsystem failed."},
        {10051, "ERROR: The network cannot be reached from this host at this time."},
        {10052, "ERROR: Connection has timed out when SO_KEEPALIVE is set."},
        {10053, "ERROR: Connection is aborted due to timeout or other failure."},
        {10054, "ERROR: The connection is reset by remote side.!"},
        {10055, "ERROR: No buffer space is available."},
        {10056, "ERROR: Socket is already connected."},
        {10057, "ERROR: Socket is not connected."},
        {10058, "ERROR: Socket has been shut down."},
        {10060, "ERROR: Socket has been shut down."},
        {10061, "ERROR: Connection is forcefully rejected."},
        {10093, "ERROR: WinsockInit should be called first."},
        {11001, "ERROR: Authoritative answer: Host not found."},
        {11002, "ERROR: Non-Authoritative answer: Host not found."},
        {11003, "ERROR: Non-recoverable errors."},
        {11004, "ERROR: Valid name, no data record of requested type."},
    };
    const auto found = messages.constFind(number);
    if (found == messages.constEnd())
        return QStringLiteral("Error number ") + QString::number(number);
    return QString::fromLatin1(found.value());
}

std::optional<quint16> telnetPort(const QString& text)
{
    bool ok = false;
    const int port = text.trimmed().toInt(&ok);
    if (!ok || port < 0 || port > 65535)
        return std::nullopt;
    return quint16(port);
}

TelnetLink::TelnetLink(std::unique_ptr<TcpLink> link) : m_link(std::move(link))
{
    m_link->onDataArrived = [this] { takeReceived(m_link->readAll()); };
    m_link->onError = [this](int number, const QString&) { failed(number); };
    m_link->onClosed = [this] { failed(TelnetRemoteClosed); };
}

bool TelnetLink::open()
{
    m_link->close();
    const auto port = telnetPort(m_portText);
    if (!port)
        return false;
    m_host = m_hostText;
    m_port = *port;
    // A new connection starts a new stream: nothing of the last one waits for its end.
    m_lines = TncLineAssembler();
    m_link->connectToHost(m_host, m_port);
    return true;
}

void TelnetLink::close() { m_link->close(); }

bool TelnetLink::isOpen() const { return m_link->state() != TcpLink::State::Closed; }

bool TelnetLink::sendLine(const QString& text)
{
    if (m_link->state() == TcpLink::State::Connected && m_link->write(text.toLatin1() + "\r\n"))
        return true;
    if (onStatus)
        onStatus(QStringLiteral("**  Connection not yet established.  Please wait a moment and try again.\r\n\r\n"));
    return false;
}

void TelnetLink::takeReceived(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return;
    const QString text = QString::fromLatin1(bytes);
    if (onReceived)
        onReceived(text);
    m_lines.append(text);
    m_lines.takeLines([this](const QString& line) {
        if (onLine)
            onLine(line);
    });
}

void TelnetLink::failed(int number)
{
    m_link->close();
    if (onError)
        onError(telnetErrorMessage(number));
}
