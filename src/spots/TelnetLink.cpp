#include "spots/TelnetLink.h"

#include "spots/SocketErrors.h"

std::optional<quint16> telnetPort(const QString& text)
{
    bool ok = false;
    const int port = text.trimmed().toInt(&ok);
    if (!ok || port < 1 || port > 65535)
        return std::nullopt;
    return quint16(port);
}

namespace {

constexpr quint8 IAC = 255;
constexpr quint8 SE = 240;
constexpr quint8 SB = 250;
constexpr quint8 WILL = 251; // WILL, WONT, DO and DONT are followed by an option byte
constexpr quint8 DONT = 254;
// A subnegotiation (a terminal type, a window size) is a few bytes; a peer that never ends
// one must not swallow the cluster's text for good.
constexpr int LongestSubnegotiation = 1024;

} // namespace

QByteArray TelnetText::take(QByteArrayView bytes)
{
    QByteArray text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto c = quint8(byte);
        switch (m_state) {
        case State::Text:
            if (c == IAC) {
                m_state = State::Command;
            } else if (!(c == '\r' && m_lineStart)) {
                text += byte;
                m_lineStart = c == '\n';
            }
            break;
        case State::Command:
            if (c == IAC) { // a doubled IAC is the byte 255 itself
                text += byte;
                m_lineStart = false;
                m_state = State::Text;
            } else if (c == SB) {
                m_state = State::Subnegotiation;
                m_subnegotiationBytes = 0;
            } else if (c >= WILL && c <= DONT) {
                m_state = State::Option;
            } else {
                m_state = State::Text;
            }
            break;
        case State::Option: m_state = State::Text; break;
        case State::Subnegotiation:
            if (c == IAC)
                m_state = State::SubnegotiationCommand;
            else if (++m_subnegotiationBytes > LongestSubnegotiation)
                m_state = State::Text;
            break;
        case State::SubnegotiationCommand:
            m_state = c == SE ? State::Text : State::Subnegotiation;
            break;
        }
    }
    return text;
}

TelnetLink::TelnetLink(std::unique_ptr<TcpLink> link) : m_link(std::move(link))
{
    m_link->onDataArrived = [this] { takeReceived(m_link->readAll()); };
    m_link->onError = [this](int number, const QString&) { failed(number); };
    m_link->onClosed = [this] { failed(SocketRemoteClosed); };
}

SpotOpen TelnetLink::open()
{
    m_link->close();
    const auto port = telnetPort(m_portText);
    if (!port)
        return SpotOpen::BadPort;
    m_host = m_hostText;
    m_port = *port;
    // A new connection starts a new stream: nothing of the last one waits for its end.
    m_lines = TncLineAssembler();
    m_text = TelnetText();
    m_link->connectToHost(m_host, m_port);
    return SpotOpen::Running;
}

void TelnetLink::close() { m_link->close(); }

bool TelnetLink::isOpen() const { return m_link->state() != TcpLink::State::Closed; }

QString TelnetLink::openingNotice() const
{
    return QStringLiteral("Attempting connection to: ") + m_host + u':' + QString::number(m_port)
           + QStringLiteral("\r\n\r\n");
}

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
    const QString text = QString::fromLatin1(m_text.take(bytes));
    if (text.isEmpty())
        return;
    if (onReceived)
        onReceived(text);
    m_lines.append(text);
    m_lines.takeLines([this](const QString& line) {
        if (onShownLine)
            onShownLine(line);
    });
}

void TelnetLink::failed(int number)
{
    m_link->close();
    if (onError)
        onError(socketErrorText(number));
}
