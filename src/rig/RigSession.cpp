#include "rig/RigSession.h"

#include "platform/SerialPort.h"
#include "rig/RigSettings.h"

RigSession::RigSession(PortFactory makePort, RigTiming timing)
    : m_makePort(std::move(makePort)), m_timing(std::move(timing))
{
}

RigSession::~RigSession() { unload(); }

RigPoller& RigSession::poller()
{
    if (m_poller)
        return *m_poller;
    m_port = m_makePort();
    m_poller = std::make_unique<RigPoller>(*m_port, m_timing);
    m_poller->replyRead = [this](const QByteArray& reply) { Q_EMIT replyRead(reply); };
    m_poller->bandFreqConversion = [this](float mhz) { Q_EMIT frequencyRead(mhz); };
    m_poller->modeSelection = [this](const QString& mode) { Q_EMIT modeRead(mode); };
    m_poller->showError = [this](const QString& title, const QString& text) { Q_EMIT failed(title, text); };
    m_poller->radioSilent = [this](const QString& why) { Q_EMIT radioSilent(why); };
    m_poller->radioAnswering = [this] { Q_EMIT radioAnswering(); };
    m_poller->reopenPort = [this] { return openPortQuietly(); };
    return *m_poller;
}

SerialPort& RigSession::port()
{
    poller();
    return *m_port;
}

void RigSession::chooseRadio(const QString& rigName) { poller().setRigName(rigName); }

void RigSession::beginTest(const QString& rigName)
{
    chooseRadio(rigName);
    m_poller->beginPolling();
}

bool RigSession::openPort(const RigSettings& settings)
{
    m_comPort = settings.RigComPort;
    m_portSettings = settings.RigPortSettings;
    m_powerLine = settings.RigPowerLine;
    return openPortQuietly();
}

// Both lines are dropped before the port opens; the power line is raised after.
bool RigSession::openPortQuietly()
{
    SerialPort& line = port();
    const RigDriver& driver = m_poller->driver();
    if (line.isOpen())
        line.close();
    line.setComNumber(m_comPort);
    if (driver.hardwareHandshaking())
        m_hardwareHandshaking = true;
    QString error;
    const auto settings = parseSerialSettings(m_portSettings);
    bool ok = settings && line.setHandshaking(m_hardwareHandshaking ? Handshaking::RtsCts : Handshaking::None)
              && line.setSettings(*settings) && line.setDtr(false) && line.setRts(false) && line.open(&error);
    if (ok && m_powerLine == QLatin1String("R"))
        ok = line.setRts(true);
    if (ok && m_powerLine == QLatin1String("D"))
        ok = line.setDtr(true);
    if (const QByteArray wakeUp = driver.openingBytes(); ok && !wakeUp.isEmpty())
        ok = line.write(wakeUp);
    return ok;
}

bool RigSession::readyToPoll() { return port().isOpen() || !driver().usesPort(); }

void RigSession::startPolling(std::optional<int> intervalMs)
{
    RigPoller& poll = poller();
    poll.tmrGetData_Timer();
    if (intervalMs)
        poll.tmrGetData.setInterval(*intervalMs);
    poll.tmrGetData.start();
}

void RigSession::stopPolling()
{
    if (m_poller)
        m_poller->tmrGetData.stop();
}

void RigSession::stop()
{
    stopPolling();
    if (m_port && m_port->isOpen())
        m_port->close();
}

void RigSession::send(const QByteArray& bytes) { port().write(bytes); }

void RigSession::ChangeFrequency(float& qChangeFreq)
{
    if (m_poller)
        m_poller->ChangeFrequency(qChangeFreq);
}

void RigSession::ChangeMode(float qChangeFrequency, QString& ModeToChangeTo)
{
    if (m_poller)
        m_poller->ChangeMode(qChangeFrequency, ModeToChangeTo);
}

void RigSession::unload()
{
    stop();
    m_poller.reset();
    m_port.reset();
    m_hardwareHandshaking = false;
}

void RigSession::release()
{
    if (!m_poller)
        return;
    if (const QByteArray signOff = m_poller->driver().closingBytes(); !signOff.isEmpty() && m_poller->polling())
        m_port->write(signOff);
    stop();
}
