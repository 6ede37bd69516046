#pragma once

// The telnet DX cluster as a spot source, over a TCP link. The cluster sends text lines
// ended by CR LF, LF or CR alone (a login prompt may come without one); the typed lines go
// out ended by CR LF. The received text is handed on as it arrives, for the monitor, and
// cut into lines (TncLineAssembler), for the spots: a line split over two reads comes out
// whole once its end arrives, and several lines in one read come out one by one.
//
// What the telnet protocol adds to the text is taken out as it arrives, before anything is
// shown or cut into lines: option negotiation (IAC, a command and its option byte; a
// subnegotiation from IAC SB up to IAC SE) and the CR that starts a line when a cluster
// ends its lines LF CR. The link answers no negotiation: a cluster takes silence as no.
//
// Errors come from the link as socket error numbers and go on as their texts
// (SocketErrors.h). The cluster hanging up is reported as "ERROR: Socket has been shut
// down.".

#include "platform/TcpLink.h"
#include "spots/SpotLines.h"
#include "spots/SpotSource.h"

#include <QString>
#include <memory>
#include <optional>

// The port box's text as a port: a whole number 1 to 65535, blanks around allowed.
std::optional<quint16> telnetPort(const QString& text);

// The cluster's bytes without the telnet protocol's own: fed each read in turn, it keeps
// what it has seen of a sequence cut between reads.
class TelnetText {
public:
    QByteArray take(QByteArrayView bytes);

private:
    enum class State { Text, Command, Option, Subnegotiation, SubnegotiationCommand };
    State m_state = State::Text;
    bool m_lineStart = true;
    int m_subnegotiationBytes = 0;
};

class TelnetLink final : public SpotSource {
public:
    explicit TelnetLink(std::unique_ptr<TcpLink> link);

    void setRemote(const QString& host, const QString& portText)
    {
        m_hostText = host;
        m_portText = portText;
    }
    void configure(const SpotLinkSettings& settings) override
    {
        setRemote(settings.telnetHost, settings.telnetPort);
    }
    // Closes any connection and starts a new one to the host and port set; BadPort (and
    // nothing started) when the port text is no port.
    SpotOpen open() override;
    void close() override;
    bool isOpen() const override;
    // "Attempting connection to: host:port".
    QString openingNotice() const override;
    // The text and CR LF while connected; otherwise a notice and false.
    bool sendLine(const QString& text) override;

    QString remoteHost() const { return m_host; }
    quint16 remotePort() const { return m_port; }
    // The part of a line still waiting for its end.
    const QString& waitingText() const { return m_lines.buffer(); }

    // What arrives from the link, one read at a time (the link's data event).
    void takeReceived(const QByteArray& bytes);

private:
    void failed(int number);

    std::unique_ptr<TcpLink> m_link;
    TelnetText m_text;
    QString m_hostText;
    QString m_portText;
    QString m_host;
    quint16 m_port = 0;
    TncLineAssembler m_lines;
};
