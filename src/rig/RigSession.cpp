#include "rig/RigSession.h"

#include "platform/SerialPort.h"

RigSession::RigSession(PortFactory makePort, RigTiming timing)
    : m_makePort(std::move(makePort)), m_timing(std::move(timing))
{
}

RigSession::~RigSession()
{
    stop();
    m_poller.reset();
    m_port.reset();
}

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
    m_poller->radioSilent = [this](const QString& why) {
        m_silenceTold = true;
        Q_EMIT radioSilent(why);
    };
    m_poller->radioAnswering = [this] {
        Q_EMIT radioAnswering();
        endSilence();
    };
    m_poller->reopenPort = [this] { return openPortQuietly(); };
    m_poller->setRigName(m_settings.RigName);
    applySettings();
    return *m_poller;
}

void RigSession::setSettings(const RigSettings& settings)
{
    const bool newRadio = settings.RigName != m_settings.RigName;
    m_settings = settings;
    if (!m_poller)
        return;
    if (newRadio)
        m_poller->setRigName(m_settings.RigName);
    applySettings();
}

void RigSession::applySettings()
{
    RigPoller& poll = *m_poller;
    poll.requests = {m_settings.RigFrequencyRequest, m_settings.RigModeRequest, m_settings.convertToHex};
    poll.useFrequency = m_settings.useFrequency;
    poll.modeSource = m_settings.modeSource == 2   ? ModeSource::Frequency
                      : m_settings.modeSource == 3 ? ModeSource::DontUse
                                                   : ModeSource::Rig;
    poll.extraBandPlan = m_extraBandPlan;
}

void RigSession::setExtraBandPlan(std::vector<BandPlanRow> rows)
{
    m_extraBandPlan = std::move(rows);
    if (m_poller)
        m_poller->extraBandPlan = m_extraBandPlan;
}

const RigReport& RigSession::report() { return poller().report; }
void RigSession::clearMode() { poller().report.mode.clear(); }
void RigSession::forgetVfo() { poller().report.kenwoodVfoCode = RigReport{}.kenwoodVfoCode; }
const RigDriver& RigSession::driver() { return poller().driver(); }

SerialPort& RigSession::port()
{
    poller();
    return *m_port;
}

void RigSession::endSilence()
{
    if (!m_silenceTold)
        return;
    m_silenceTold = false;
    Q_EMIT silenceOver();
}

bool RigSession::beginTest()
{
    endSilence();
    RigPoller& poll = poller();
    poll.setRigName(m_settings.RigName);
    poll.beginPolling();
    if (!poll.driver().usesPort())
        return true;
    return openPortQuietly();
}

// Both lines are dropped before the port opens; the power line is raised after.
bool RigSession::openPortQuietly()
{
    SerialPort& line = port();
    const RigDriver& driver = m_poller->driver();
    if (line.isOpen())
        line.close();
    line.setComNumber(m_settings.RigComPort);
    if (driver.hardwareHandshaking())
        m_hardwareHandshaking = true;
    QString error;
    const auto serial = parseSerialSettings(m_settings.RigPortSettings);
    bool ok = serial && line.setHandshaking(m_hardwareHandshaking ? Handshaking::RtsCts : Handshaking::None)
              && line.setSettings(*serial) && line.setDtr(false) && line.setRts(false) && line.open(&error);
    if (serial)
        m_poller->setLine(*serial);
    if (ok && m_settings.RigPowerLine == QLatin1String("R"))
        ok = line.setRts(true);
    if (ok && m_settings.RigPowerLine == QLatin1String("D"))
        ok = line.setDtr(true);
    if (const QByteArray wakeUp = driver.openingBytes(); ok && !wakeUp.isEmpty())
        ok = line.write(wakeUp);
    return ok;
}

bool RigSession::startPolling()
{
    RigPoller& poll = poller();
    if (!port().isOpen() && poll.driver().usesPort()) {
        stopPolling(); // no poll of a port that did not open
        return false;
    }
    poll.tmrGetData_Timer();
    if (const auto interval = pollIntervalMs(m_settings.RigPollRate))
        poll.tmrGetData.setInterval(*interval);
    poll.tmrGetData.start();
    return true;
}

void RigSession::stopPolling()
{
    if (m_poller)
        m_poller->tmrGetData.stop();
}

void RigSession::setPollInterval(int ms)
{
    RigPoller& poll = poller();
    poll.tmrGetData.setInterval(ms);
    if (poll.polling())
        poll.tmrGetData.start();
}

void RigSession::tick() { poller().tmrGetData_Timer(); }

void RigSession::stop()
{
    endSilence();
    stopPolling();
    if (m_port && m_port->isOpen())
        m_port->close();
}

void RigSession::send(const QByteArray& bytes) { port().write(bytes); }

void RigSession::ChangeFrequency(float& qChangeFreq)
{
    if (!m_poller)
        return;
    m_poller->ChangeFrequency(qChangeFreq);
    if (m_unloadWaits && !m_poller->tuning())
        finishUnload();
}

void RigSession::ChangeMode(float qChangeFrequency, QString& ModeToChangeTo)
{
    if (!m_poller)
        return;
    m_poller->ChangeMode(qChangeFrequency, ModeToChangeTo);
    if (m_unloadWaits && !m_poller->tuning())
        finishUnload();
}

void RigSession::unload()
{
    m_hardwareHandshaking = false;
    if (m_poller && m_poller->tuning()) {
        // The tuning command's wait ends at once; its poll and port go when it has returned.
        m_poller->end();
        if (m_port->isOpen())
            m_port->close();
        m_unloadWaits = true;
        return;
    }
    finishUnload();
}

void RigSession::finishUnload()
{
    m_unloadWaits = false;
    stop();
    m_poller.reset();
    m_port.reset();
}

void RigSession::release()
{
    if (!m_poller)
        return;
    if (m_poller->tuning())
        m_poller->end(); // the way out does not wait for the radio
    if (const QByteArray signOff = m_poller->driver().closingBytes(); !signOff.isEmpty() && m_poller->polling())
        m_port->write(signOff);
    stop();
}
