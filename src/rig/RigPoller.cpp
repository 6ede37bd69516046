#include "rig/RigPoller.h"

#include "platform/SerialPort.h"

#include <QCoreApplication>
#include <chrono>

RigTiming RigTiming::real()
{
    return {[] {
                return qint64(std::chrono::duration_cast<std::chrono::milliseconds>(
                                  std::chrono::steady_clock::now().time_since_epoch())
                                  .count());
            },
            [] { QCoreApplication::processEvents(); }};
}

RigPoller::RigPoller(SerialPort& port, RigTiming timing)
    : m_port(port), m_timing(std::move(timing)), m_driver(rigDriverFor(QString()))
{
    tmrGetData.setInterval(1000);
    connect(&tmrGetData, &QTimer::timeout, this, &RigPoller::tmrGetData_Timer);
}

void RigPoller::setRigName(const QString& rigName, const RigDriverOptions& options)
{
    m_rigName = rigName;
    m_driver = rigDriverFor(rigName, options);
}

void RigPoller::tmrGetData_Timer()
{
    if (RigPollPhase == 0)
        sendPhase();
    else
        readPhase();
}

void RigPoller::sendPhase()
{
    if (m_driver->usesPort()) {
        if (m_port.outputQueued() != 0) {
            // The last request is still going out: read what there is next tick instead.
            RigPollPhase = 1;
            return;
        }
        quint8 toggle = RigRequestToggle;
        const auto request = m_driver->pollRequest(requests, toggle);
        if (!request)
            return;
        if (!request->isEmpty()) {
            if (m_driver->readsByPosition())
                m_port.readAll();
            if (!m_port.write(*request))
                return;
        }
        RigRequestToggle = toggle;
    }
    RigPollPhase = 1;
}

void RigPoller::readPhase()
{
    QByteArray reply;
    if (m_driver->usesPort()) {
        reply = m_port.readAll();
        if (reply.isEmpty()) {
            RigPollPhase = 0;
            return;
        }
    }
    m_driver->decode(reply, requests, RigRequestToggle, report);
    if (modeSource == ModeSource::Frequency)
        ModeFromFrequency(report.frequency, report.mode);
    if (replyRead)
        replyRead(reply);
    // A frequency of 0 means nothing decoded yet: handing it on would store ".000".
    if (useFrequency && report.frequency > 0 && bandFreqConversion)
        bandFreqConversion(report.frequency);
    if (modeSource != ModeSource::DontUse && modeSelection)
        modeSelection(report.mode);
    RigPollPhase = 0;
}

bool RigPoller::sendToRadio(const QByteArray& bytes, QString* error)
{
    if (m_port.write(bytes))
        return true;
    *error = QStringLiteral("The radio's port COM%1 is not open or refused the command.").arg(m_port.comNumber());
    return false;
}

void RigPoller::ChangeFrequency(float qChangeFreq)
{
    if (!tmrGetData.isActive())
        return;
    tmrGetData.stop();
    const float frequency = qChangeFreq;
    if (m_driver->usesPort())
        m_port.readAll();
    QString mode;
    ChangeMode(frequency, mode);
    WaitForRigOutput();
    const std::vector<int> pauses = m_driver->frequencyPausesMs();
    for (std::size_t i = 0; i < pauses.size(); ++i) {
        if (i > 0)
            m_timing.letEventsRun();
        PauseMilliseconds(float(pauses[i]));
    }
    if (!m_driver->usesPort()) {
        m_driver->tuneWithoutPort(frequency, report);
    } else if (const auto command = m_driver->frequencyCommand(frequency, requests, report)) {
        QString error;
        if (!sendToRadio(*command, &error)) {
            if (showError)
                showError(QStringLiteral("Error Changing Frequency"), error);
            // Polling goes on while the port is open; otherwise the window shows it stopped.
            if (m_port.isOpen())
                tmrGetData.start();
            else if (pollingLost)
                pollingLost();
            return;
        }
    }
    WaitForRigOutput();
    tmrGetData.start();
}

void RigPoller::ChangeMode(float qChangeFrequency, QString& ModeToChangeTo)
{
    if (m_rigName == QLatin1String("None"))
        return;
    if (ModeToChangeTo.isEmpty())
        ModeFromBandPlan(extraBandPlan, qChangeFrequency, ModeToChangeTo);
    if (ModeToChangeTo.isEmpty()) {
        WaitForRigOutput();
        return;
    }
    m_timing.letEventsRun();
    WaitForRigOutput();
    PauseMilliseconds(99);
    const auto command = m_driver->usesPort() ? m_driver->modeCommand(ModeToChangeTo, requests) : std::nullopt;
    if (command) {
        QString error;
        if (!sendToRadio(*command, &error)) {
            if (showError)
                showError(QStringLiteral("Error Changing Mode"), error + QLatin1Char(' ') + ModeToChangeTo);
            return;
        }
    }
    WaitForRigOutput();
}

void RigPoller::WaitForRigOutput()
{
    const qint64 start = m_timing.nowMs();
    while (m_timing.nowMs() - start < 2000 && m_port.outputQueued() >= 1)
        m_timing.letEventsRun();
}

void RigPoller::PauseMilliseconds(float milliseconds)
{
    m_timing.letEventsRun();
    const qint64 start = m_timing.nowMs();
    const qint64 end = start + qint64(milliseconds);
    while (m_timing.nowMs() < end) {
    }
    m_timing.letEventsRun();
}
