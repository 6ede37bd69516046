#pragma once

// The poll of the radio over its serial port. Each tick of tmrGetData either sends the
// radio type's request or reads what came back, decodes it and hands frequency and mode
// on; a poll is two ticks. changeFrequency and changeMode tune the radio with polling
// held off, paced by fixed pauses and drain waits.

#include "rig/RigBandPlan.h"
#include "rig/RigDriver.h"
#include "rig/RigReport.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

class SerialPort;

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

    QTimer tmrGetData;

    // The radio type and what the operator set in the window.
    void setRigName(const QString& rigName, const RigDriverOptions& options = {});
    const QString& rigName() const { return m_rigName; }
    RigRequests requests;
    bool useFrequency = true;
    ModeSource modeSource = ModeSource::Rig;
    std::vector<BandPlanRow> extraBandPlan;

    // The poll state.
    quint8 RigPollPhase = 0;
    quint8 RigRequestToggle = 0;
    RigReport report;
    bool polling() const { return tmrGetData.isActive(); }

    // What one read tick does with a reply besides handing it on: the window shows it.
    std::function<void(const QByteArray& reply)> replyRead;
    // The hand-over to the running main window.
    std::function<void(float)> bandFreqConversion;
    std::function<void(const QString&)> modeSelection;
    // A message box (title, text).
    std::function<void(const QString&, const QString&)> showError;
    // Polling stopped for good after a tuning error (the port had closed).
    std::function<void()> pollingLost;

    // One tick: send or read by the phase.
    void tmrGetData_Timer();

    void ChangeFrequency(float qChangeFreq);
    // Tunes the mode; an empty mode is taken from the band plan and written back.
    void ChangeMode(float qChangeFrequency, QString& ModeToChangeTo);

    // Waits until the port's output has gone, at most 2 s, letting events run.
    void WaitForRigOutput();
    // Keeps the processor busy for the pause; events run only before and after.
    void PauseMilliseconds(float milliseconds);

private:
    void sendPhase();
    void readPhase();
    bool sendToRadio(const QByteArray& bytes, QString* error);

    SerialPort& m_port;
    RigTiming m_timing;
    QString m_rigName;
    std::unique_ptr<RigDriver> m_driver;
};
