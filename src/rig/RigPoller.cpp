#include "rig/RigPoller.h"

#include "platform/EventWait.h"
#include "platform/SerialPort.h"
#include "rig/RigText.h"

#include <algorithm>

#include <QCoreApplication>
#include <chrono>

namespace {

// A reply is kept unfinished no longer than a few replies would take.
constexpr qsizetype LongestTail = 128;
// Send ticks in a row that wait for the rest of a block read by position before asking again.
constexpr int MostSendsHeld = 2;
// The radio is reported silent after this long, and at least two read ticks, without a whole
// reply; a failed port is tried again this often.
constexpr qint64 SilenceMs = 3000;
constexpr qint64 ReopenEveryMs = 3000;
// What an answer may take besides the line: the longest answer of any family (a status
// block) and the radio's own delay before it answers.
constexpr qint64 LongestAnswerBytes = 80;
constexpr qint64 RadioDelayMs = 250;

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
            [] { ::letEventsRun(); }};
}

RigPoller::RigPoller(SerialPort& port, RigTiming timing)
    : m_port(port), m_timing(std::move(timing)), m_driver(rigDriverFor(QString()))
{
    tmrGetData.setInterval(1000);
    connect(&tmrGetData, &QTimer::timeout, this, &RigPoller::tmrGetData_Timer);
    m_port.onFailed = [this](const QString& reason) { portFailed(reason); };
    m_port.onReadyRead = [this] {
        if (tmrGetData.isActive())
            readArrived();
    };
}

RigPoller::~RigPoller()
{
    m_port.onFailed = nullptr;
    m_port.onReadyRead = nullptr;
}

void RigPoller::setLine(const SerialSettings& settings)
{
    const int bits = 1 + settings.dataBits + (settings.parity == 'N' ? 0 : 1) + settings.stopBits;
    m_characterUs = settings.baud > 0 ? std::max<qint64>(1, qint64(bits) * 1000000 / settings.baud) : 1042;
}

qint64 RigPoller::answerTimeMs(qsizetype requestBytes) const
{
    return (qint64(requestBytes) + LongestAnswerBytes) * m_characterUs / 1000 + 1 + RadioDelayMs;
}

void RigPoller::setRigName(const QString& rigName, const RigDriverOptions& options)
{
    m_rigName = rigName;
    m_driver = rigDriverFor(rigName, options);
    m_tail.clear();
    m_awaiting = false;
}

void RigPoller::beginPolling()
{
    m_tail.clear();
    m_sendsHeld = 0;
    m_lineBusy = false;
    m_awaiting = false;
    m_answered = false;
    m_ended = false;
    m_unansweredReads = 0;
    m_lastAnswerMs = -1;
    m_silent = false;
    m_silentWhy.clear();
    m_portFailure.clear();
}

void RigPoller::tmrGetData_Timer()
{
    if (m_driver->usesPort())
        readArrived();
    if (RigPollPhase == 0)
        sendPhase();
    else
        readPhase();
    m_lineBusy = false;
}

void RigPoller::sendPhase()
{
    if (m_driver->usesPort()) {
        if (!readyToSend())
            return;
        if (m_awaiting) {
            // The answer may still be on its way: the radio is not asked over it.
            if (m_timing.nowMs() < m_answerDueMs)
                return;
            m_awaiting = false;
            noteReply(false);
        }
        if (m_port.outputQueued() != 0) {
            // The last request is still going out (the line is slow, or held by the radio):
            // nothing more is queued behind it.
            m_answered = false;
            RigPollPhase = 1;
            return;
        }
        if (holdForQuietLine())
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
        if (!request->isEmpty()) {
            if (!m_port.write(*request))
                return;
            m_awaiting = true;
            m_repliesDue = m_driver->repliesAsked(*request);
            m_answerDueMs = m_timing.nowMs() + answerTimeMs(request->size());
        }
        m_answered = false;
        m_sendsHeld = 0;
        RigRequestToggle = toggle;
    }
    RigPollPhase = 1;
}

// A block read by position has no end marker: the rest of a long block still coming after
// its fields were read must not be read as the next block. So the next question waits
// until the line is quiet for a tick, at most twice in a row.
bool RigPoller::holdForQuietLine()
{
    if (!m_driver->readsByPosition() || !m_lineBusy || m_sendsHeld >= MostSendsHeld)
        return false;
    ++m_sendsHeld;
    return true;
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
    RigPollPhase = 0;
    if (!m_driver->usesPort()) {
        // The exchange files of the Pegasus come and go with the program that writes them,
        // unreported.
        takeReply({});
        return;
    }
    // Nothing went out (the output was held) or nothing came in its time.
    if (!m_answered && (!m_awaiting || m_timing.nowMs() >= m_answerDueMs)) {
        m_awaiting = false;
        noteReply(false);
    }
}

// What came from the radio, read as it arrives while polling and at every tick; never
// inside a tuning command, whose own waits let events run (what came then is dropped as the
// command begins, or read at the next tick).
void RigPoller::readArrived()
{
    if (m_tuning > 0 || !m_driver->usesPort() || !m_port.isOpen())
        return;
    const QByteArray bytes = m_port.readAll();
    if (bytes.isEmpty())
        return;
    m_lineBusy = true;
    // The rest of a block read by position after its fields were read: no block of its own.
    if (m_driver->readsByPosition() && m_answered && !m_awaiting)
        return;
    const QByteArray reply = takeWholeReplies(bytes);
    if (!reply.isEmpty())
        takeReply(reply);
}

void RigPoller::takeReply(const QByteArray& reply)
{
    const bool answered = m_driver->decode(reply, requests, RigRequestToggle, report);
    if (m_driver->usesPort()) {
        m_repliesDue -= m_driver->repliesIn(reply, answered);
        if (answered) {
            m_answered = true;
            noteReply(true);
        }
        // A request of several commands is answered by its last reply, not its first: the
        // line is free for the next request only then.
        if (m_answered && m_repliesDue <= 0 && m_tail.isEmpty())
            m_awaiting = false;
    }
    if (modeSource == ModeSource::Frequency)
        ModeFromFrequency(report.frequency, report.mode);
    if (replyRead)
        replyRead(reply);
    // A frequency of 0 means nothing decoded yet: handing it on would store ".000".
    if (useFrequency && report.frequency > 0 && bandFreqConversion)
        bandFreqConversion(report.frequency);
    if (modeSource != ModeSource::DontUse && modeSelection)
        modeSelection(report.mode);
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
    m_awaiting = false;
    becomeSilent(QStringLiteral("No Response: ") + reason);
}

bool RigPoller::sendToRadio(const QByteArray& bytes, QString* error)
{
    if (m_port.write(bytes))
        return true;
    *error = QStringLiteral("The radio's port COM%1 is not open or refused the command.").arg(m_port.comNumber());
    return false;
}

namespace {

// Marks a tuning command as running for as long as it runs.
class TuningScope {
public:
    explicit TuningScope(int& running) : m_running(running) { ++m_running; }
    ~TuningScope() { --m_running; }
    TuningScope(const TuningScope&) = delete;
    TuningScope& operator=(const TuningScope&) = delete;

private:
    int& m_running;
};

} // namespace

void RigPoller::end()
{
    m_ended = true;
    tmrGetData.stop();
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
    TuningScope scope(m_tuning);
    tmrGetData.stop();
    const float frequency = qChangeFreq;
    if (m_driver->usesPort())
        m_port.readAll();
    m_tail.clear();
    m_awaiting = false;
    // Polling goes on after the tuning, unless the poll was ended during one of its waits.
    const auto resume = [this] {
        if (!m_ended)
            tmrGetData.start();
    };
    QString mode;
    if (!tuneMode(frequency, mode, FrequencyError) || !drained(FrequencyError)) {
        resume();
        return;
    }
    const std::vector<int> pauses = m_driver->frequencyPausesMs();
    for (std::size_t i = 0; i < pauses.size(); ++i) {
        if (i > 0)
            m_timing.letEventsRun();
        PauseMilliseconds(float(pauses[i]));
    }
    if (m_ended)
        return;
    if (!m_driver->usesPort()) {
        m_driver->tuneWithoutPort(frequency, report);
    } else if (const auto command = m_driver->frequencyCommand(frequency, requests, report)) {
        QString error;
        if (!sendToRadio(*command, &error)) {
            if (showError)
                showError(FrequencyError, error);
            resume();
            return;
        }
    }
    const bool sent = drained(FrequencyError);
    resume();
    // The commands went out, but nothing says that the radio took them.
    if (sent && m_silent && showError)
        showError(FrequencyError, m_silentWhy + QStringLiteral(": the frequency was sent, but the radio is not answering."));
}

void RigPoller::ChangeMode(float qChangeFrequency, QString& ModeToChangeTo)
{
    TuningScope scope(m_tuning);
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
    if (m_ended)
        return false;
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
    if (showError && !m_ended) {
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
    while (!m_ended && m_port.outputQueued() >= 1) {
        if (m_timing.nowMs() - start >= 2000)
            return false;
        m_timing.letEventsRun();
    }
    return !m_ended;
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
