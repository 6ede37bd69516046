#include "rig/RigPoller.h"

#include "platform/SerialPort.h"
#include "rig/RigText.h"

#include <QCoreApplication>
#include <chrono>

namespace {

// A reply is kept unfinished no longer than a few replies would take.
constexpr qsizetype LongestTail = 128;
// Send ticks in a row that wait for a slow answer before asking again.
constexpr int MostSendsHeld = 2;
// The radio is reported silent after this long, and at least two read ticks, without a whole
// reply; a failed port is tried again this often.
constexpr qint64 SilenceMs = 3000;
constexpr qint64 ReopenEveryMs = 3000;

const QString FrequencyError = QStringLiteral("Error Changing Frequency");
const QString ModeError = QStringLiteral("Error Changing Mode");

} // namespace

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
    m_port.onFailed = [this](const QString& reason) { portFailed(reason); };
}

void RigPoller::setRigName(const QString& rigName, const RigDriverOptions& options)
{
    m_rigName = rigName;
    m_driver = rigDriverFor(rigName, options);
    m_tail.clear();
}

void RigPoller::beginPolling()
{
    m_tail.clear();
    m_sendsHeld = 0;
    m_lastReadAnswered = true;
    m_unansweredReads = 0;
    m_lastAnswerMs = -1;
    m_silent = false;
    m_silentWhy.clear();
    m_portFailure.clear();
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
        if (!readyToSend())
            return;
        if (m_port.outputQueued() != 0) {
            // The last request is still going out: read what there is next tick instead.
            RigPollPhase = 1;
            return;
        }
        if (holdForAnswer())
            return;
        if (m_driver->readsByPosition()) {
            // Nothing of an earlier block may be read as the start of the next one.
            m_port.readAll();
            m_tail.clear();
        }
        quint8 toggle = RigRequestToggle;
        const auto request = m_driver->pollRequest(requests, toggle);
        if (!request)
            return;
        if (!request->isEmpty() && !m_port.write(*request))
            return;
        m_sendsHeld = 0;
        RigRequestToggle = toggle;
    }
    RigPollPhase = 1;
}

// A slow radio is not talked over (on a shared CI-V line the two would collide): after a
// read without a whole answer the poll reads again before it asks anew, and for a block read
// by position it waits until the line is quiet, so that the rest of a long block is not read
// as the next block. At most twice in a row: a radio that does not answer is asked again.
bool RigPoller::holdForAnswer()
{
    if (m_sendsHeld >= MostSendsHeld)
        return false;
    if (!m_lastReadAnswered) {
        ++m_sendsHeld;
        RigPollPhase = 1;
        return true;
    }
    if (m_driver->readsByPosition() && !m_port.readAll().isEmpty()) {
        ++m_sendsHeld;
        return true;
    }
    return false;
}

// A port that failed is opened again now and then; until it opens the tick sends nothing.
bool RigPoller::readyToSend()
{
    if (m_port.isOpen())
        return true;
    const qint64 now = m_timing.nowMs();
    if (m_portFailure.isEmpty() || now - m_lastReopenMs < ReopenEveryMs || !reopenPort)
        return false;
    m_lastReopenMs = now;
    if (!reopenPort())
        return false;
    m_portFailure.clear();
    m_tail.clear();
    return true;
}

void RigPoller::readPhase()
{
    QByteArray reply;
    if (m_driver->usesPort()) {
        reply = takeWholeReplies(m_port.readAll());
        if (reply.isEmpty()) {
            noteReply(false);
            RigPollPhase = 0;
            return;
        }
    }
    const bool answered = m_driver->decode(reply, requests, RigRequestToggle, report);
    // The Pegasus exchange files come and go with the program that writes them, unreported.
    if (m_driver->usesPort())
        noteReply(answered);
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

QByteArray RigPoller::takeWholeReplies(const QByteArray& bytes)
{
    const QByteArray read = m_tail + bytes;
    const qsizetype whole = m_driver->wholeReplies(read, RigRequestToggle);
    m_tail = read.mid(whole);
    if (m_tail.size() > LongestTail)
        m_tail.clear(); // no reply is that long: noise, or the wrong speed
    return read.left(whole);
}

void RigPoller::noteReply(bool answered)
{
    m_lastReadAnswered = answered;
    const qint64 now = m_timing.nowMs();
    if (answered) {
        m_unansweredReads = 0;
        m_lastAnswerMs = now;
        if (m_silent) {
            m_silent = false;
            m_silentWhy.clear();
            if (radioAnswering)
                radioAnswering();
        }
        return;
    }
    ++m_unansweredReads;
    if (m_lastAnswerMs < 0)
        m_lastAnswerMs = now;
    if (m_unansweredReads >= 2 && now - m_lastAnswerMs >= SilenceMs)
        becomeSilent(QStringLiteral("No Response from the radio on COM%1").arg(m_port.comNumber()));
}

void RigPoller::becomeSilent(const QString& why)
{
    if (m_silent && why == m_silentWhy)
        return;
    m_silent = true;
    m_silentWhy = why;
    if (radioSilent)
        radioSilent(why);
}

void RigPoller::portFailed(const QString& reason)
{
    m_portFailure = reason;
    m_lastReopenMs = m_timing.nowMs();
    m_tail.clear();
    becomeSilent(QStringLiteral("No Response: ") + reason);
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
    if (!mhzToHertz(qChangeFreq, HighestRadioHertz)) {
        // Nothing goes to the radio; each family's command also refuses what its field
        // cannot carry.
        if (showError)
            showError(FrequencyError, QStringLiteral("%1 MHz is no frequency a radio can be sent.")
                                          .arg(QString::number(double(qChangeFreq), 'g', 9)));
        return;
    }
    if (m_driver->usesPort() && !m_port.isOpen()) {
        // The port failed; the poll goes on trying to open it again.
        if (showError)
            showError(FrequencyError, m_portFailure.isEmpty()
                                          ? QStringLiteral("The radio's port COM%1 is not open.").arg(m_port.comNumber())
                                          : QStringLiteral("No Response: ") + m_portFailure);
        return;
    }
    tmrGetData.stop();
    const float frequency = qChangeFreq;
    if (m_driver->usesPort())
        m_port.readAll();
    m_tail.clear();
    QString mode;
    if (!tuneMode(frequency, mode, FrequencyError) || !drained(FrequencyError)) {
        tmrGetData.start();
        return;
    }
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
                showError(FrequencyError, error);
            tmrGetData.start();
            return;
        }
    }
    const bool sent = drained(FrequencyError);
    tmrGetData.start();
    // The commands went out, but nothing says that the radio took them.
    if (sent && m_silent && showError)
        showError(FrequencyError, m_silentWhy + QStringLiteral(": the frequency was sent, but the radio is not answering."));
}

void RigPoller::ChangeMode(float qChangeFrequency, QString& ModeToChangeTo)
{
    tuneMode(qChangeFrequency, ModeToChangeTo, ModeError);
}

// The mode command with its waits; false when the radio took nothing for a whole drain wait,
// which ends the tuning under `errorTitle`.
bool RigPoller::tuneMode(float frequency, QString& mode, const QString& errorTitle)
{
    if (m_rigName == QLatin1String("None"))
        return true;
    if (mode.isEmpty())
        ModeFromBandPlan(extraBandPlan, frequency, mode);
    const QString named = errorTitle == ModeError ? mode : QString();
    if (mode.isEmpty())
        return drained(errorTitle);
    m_timing.letEventsRun();
    if (!drained(errorTitle, named))
        return false;
    PauseMilliseconds(99);
    const auto command = m_driver->usesPort() ? m_driver->modeCommand(mode, requests) : std::nullopt;
    if (command) {
        QString error;
        if (!sendToRadio(*command, &error)) {
            if (showError)
                showError(ModeError, error + QLatin1Char(' ') + mode);
            return true; // the frequency may still go
        }
    }
    return drained(errorTitle, named);
}

bool RigPoller::drained(const QString& errorTitle, const QString& after)
{
    if (WaitForRigOutput())
        return true;
    if (showError) {
        QString text = QStringLiteral("The radio on COM%1 took nothing for 2 seconds: is it on and connected?")
                           .arg(m_port.comNumber());
        if (!after.isEmpty())
            text += QLatin1Char(' ') + after;
        showError(errorTitle, text);
    }
    return false;
}

bool RigPoller::WaitForRigOutput()
{
    const qint64 start = m_timing.nowMs();
    while (m_port.outputQueued() >= 1) {
        if (m_timing.nowMs() - start >= 2000)
            return false;
        m_timing.letEventsRun();
    }
    return true;
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
