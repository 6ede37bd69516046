#pragma once

// The poll of the radio over its serial port. The ticks of tmrGetData send the radio
// type's request, a send tick and a read tick in turn, so that a poll takes two ticks at
// the least. What the radio answers is read as it arrives (and at the read tick, whatever
// is still waiting), decoded and handed on at once; a reply still arriving is kept
// unfinished and read whole with what comes next, and of several answers read together
// the newest counts. The next request waits for the answer to the last one (every reply
// it asked for: "FA;MD;" is answered by two), or for the time that answer may take on the
// line, so a slow line or a slow radio is never asked
// faster than it answers and no answers queue up. A radio that stops answering, or whose
// port fails, is reported; the poll goes on, reopens a failed port now and then, and
// reports the radio back when it answers again. ChangeFrequency and ChangeMode tune the
// radio with polling held off, paced by fixed pauses and drain waits.

#include "rig/RigBandPlan.h"
#include "rig/RigTypes.h"
#include "rig/RigReport.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

class SerialPort;
struct SerialSettings;

// Where the mode handed to the log comes from ("Mode by:").
enum class ModeSource { Rig = 1, Frequency = 2, DontUse = 3 };

// The waits of the tuning commands. Tests give a clock that moves on each reading.
struct RigTiming {
    std::function<qint64()> nowMs;     // a monotonic millisecond count
    std::function<void()> letEventsRun;
    static RigTiming real();
};

class RigPoller : public QObject {
    Q_OBJECT
public:
    RigPoller(SerialPort& port, RigTiming timing);
    ~RigPoller() override;

    QTimer tmrGetData;

    // The radio type and what the operator set in the window.
    void setRigName(const QString& rigName, const RigDriverOptions& options = {});
    const QString& rigName() const { return m_rigName; }
    const RigDriver& driver() const { return *m_driver; }
    RigRequests requests;
    bool useFrequency = true;
    ModeSource modeSource = ModeSource::Rig;
    std::vector<BandPlanRow> extraBandPlan;

    // The poll state.
    quint8 RigPollPhase = 0;
    quint8 RigRequestToggle = 0;
    RigReport report;
    bool polling() const { return tmrGetData.isActive(); }
    // Whether the radio is reported silent (no whole reply for a while, or its port failed).
    bool silent() const { return m_silent; }

    // What one read tick does with a reply besides handing it on: the window shows it.
    std::function<void(const QByteArray& reply)> replyRead;
    // The hand-over to the running main window.
    std::function<void(float)> bandFreqConversion;
    std::function<void(const QString&)> modeSelection;
    // A message box (title, text).
    std::function<void(const QString&, const QString&)> showError;
    // The radio stopped answering, or its port failed: why, in words for the operator.
    // Told again when the reason changes.
    std::function<void(const QString& why)> radioSilent;
    // A whole reply came again after radioSilent.
    std::function<void()> radioAnswering;
    // Opens the failed port again with its settings and wake-up bytes; true when it opened.
    std::function<bool()> reopenPort;

    // A new test of the radio: nothing kept from an earlier one, the radio not yet silent.
    void beginPolling();
    // The line's speed, which the time an answer may take follows (9600 baud, 8N1, until
    // told).
    void setLine(const SerialSettings& settings);
    // How long the answer to a request of that many bytes may take: the request and a
    // long answer over the line, and the radio's own delay.
    qint64 answerTimeMs(qsizetype requestBytes) const;

    // One tick: send or read by the phase.
    void tmrGetData_Timer();

    void ChangeFrequency(float qChangeFreq);
    // Tunes the mode; an empty mode is taken from the band plan and written back.
    void ChangeMode(float qChangeFrequency, QString& ModeToChangeTo);

    // Waits until the port's output has gone, at most 2 s, letting events run; false when
    // it had not gone by then. Ends early, false, when the poll is ended meanwhile.
    bool WaitForRigOutput();
    // Whether a tuning command is running (its waits let events run).
    bool tuning() const { return m_tuning > 0; }
    // The poll is ended while a tuning wait may be running: the wait returns at once and
    // the tuning sends nothing more.
    void end();
    // Keeps the processor busy for the pause; events run only before and after.
    void PauseMilliseconds(float milliseconds);

private:
    void sendPhase();
    bool readyToSend();
    bool holdForQuietLine();
    void readPhase();
    void readArrived();
    void takeReply(const QByteArray& bytes);
    QByteArray takeWholeReplies(const QByteArray& bytes);
    void noteReply(bool answered);
    void becomeSilent(const QString& why);
    void portFailed(const QString& reason);
    bool sendToRadio(const QByteArray& bytes, QString* error);
    bool tuneMode(float frequency, QString& mode, const QString& errorTitle);
    bool drained(const QString& errorTitle, const QString& after = {});

    SerialPort& m_port;
    RigTiming m_timing;
    QString m_rigName;
    std::unique_ptr<RigDriver> m_driver;

    QByteArray m_tail;     // the unfinished reply of the last read
    int m_sendsHeld = 0;   // send ticks in a row that waited for a quiet line
    bool m_lineBusy = false; // bytes came since the last tick
    bool m_awaiting = false; // a request went out and its answer has not come yet
    bool m_answered = false; // an answer came since the last request
    int m_repliesDue = 0;    // the replies the last request asked for that have not come yet
    qint64 m_answerDueMs = 0;
    qint64 m_characterUs = 1042; // one character on the line (9600 baud, 8N1)
    int m_tuning = 0;
    bool m_ended = false;
    int m_unansweredReads = 0;
    qint64 m_lastAnswerMs = -1; // when the last whole reply came, or the watch began
    bool m_silent = false;
    QString m_silentWhy;
    QString m_portFailure; // why the port failed, until it opens again
    qint64 m_lastReopenMs = 0;
};
