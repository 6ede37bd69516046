#include "spots/TncLink.h"

namespace {

QString withoutTrailingBlanks(QString text)
{
    while (text.endsWith(u' '))
        text.chop(1);
    return text;
}

Handshaking handshakingFor(quint8 choice)
{
    switch (choice) {
    case 2: return Handshaking::XonXoff;
    case 3: return Handshaking::RtsCts;
    case 4: return Handshaking::RtsCtsAndXonXoff;
    default: return Handshaking::None;
    }
}

} // namespace

QString tncSettingsText(const TncSerialOptions& o)
{
    return withoutTrailingBlanks(o.TncBaud) + u',' + o.TncParity + u',' + o.TncDataBits + u',' + o.TncStopBits;
}

std::optional<char> tncCommandCharacter(const QString& hexDigits)
{
    bool ok = false;
    const uint code = hexDigits.toUInt(&ok, 16);
    if (!ok || hexDigits.isEmpty() || code > 255)
        return std::nullopt;
    return char(code);
}

TncLink::TncLink(std::unique_ptr<SerialPort> port) : m_port(std::move(port)) {}

SpotOpen TncLink::open()
{
    if (m_port->isOpen())
        m_port->close();
    m_port->setComNumber(m_options.TncPort);
    const auto settings = parseSerialSettings(tncSettingsText(m_options));
    if (!settings || m_options.TncPort < 1 || m_options.TncPort > 10)
        return SpotOpen::PortFailed;
    m_port->setSettings(*settings);
    m_port->setDtr(false);
    m_port->setRts(false);
    m_port->setHandshaking(handshakingFor(m_options.TncHandshaking));
    if (m_options.TncHandshaking == 3 || m_options.TncHandshaking == 4)
        m_port->setRts(true);
    if (!m_port->open())
        return SpotOpen::PortFailed;
    if (m_options.TncPower == QLatin1String("R"))
        m_port->setRts(true);
    else if (m_options.TncPower == QLatin1String("D"))
        m_port->setDtr(true);
    if (onStatus)
        onStatus(QStringLiteral("** TNC Serial Port Open **\r\n\r\n"));
    return SpotOpen::Running;
}

void TncLink::close()
{
    if (m_port->isOpen())
        m_port->close();
}

bool TncLink::isOpen() const { return m_port->isOpen(); }

bool TncLink::sendLine(const QString& text)
{
    if (!m_port->isOpen())
        return false;
    return m_port->write(text.toLatin1() + '\r');
}

void TncLink::poll()
{
    if (!m_port->isOpen())
        return;
    const QByteArray bytes = m_port->readAll();
    if (bytes.isEmpty())
        return;
    m_lines.append(QString::fromLatin1(bytes));
    m_lines.takeLines([this](const QString& line) {
        if (onLine)
            onLine(line);
    });
}

bool TncLink::sendCommandCharacter(const QString& hexDigits)
{
    const auto character = tncCommandCharacter(hexDigits);
    if (!character || !m_port->isOpen())
        return false;
    return m_port->write(QByteArray(1, *character));
}
