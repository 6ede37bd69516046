#pragma once

// The radio of the running program: its serial port, the poll and the driver of the chosen
// radio type. App owns it for the whole run; the rig window shows and collects the settings
// and calls it, the tune and test windows tune through it, and App's way out releases it.
//
// The port and the poll are made when the rig window first needs them and go when it
// unloads, so a window loaded again starts from a fresh poll as it always has. What the
// poll reads and what goes wrong are told through the signals; a message box or a line in
// the main window is the window's to show.

#include "core/RadioTuning.h"
#include "rig/RigDriver.h"
#include "rig/RigPoller.h"

#include <QObject>
#include <functional>
#include <memory>
#include <optional>

class SerialPort;
struct RigSettings;

class RigSession : public QObject, public RadioTuning {
    Q_OBJECT
public:
    using PortFactory = std::function<std::unique_ptr<SerialPort>()>;
    explicit RigSession(PortFactory makePort, RigTiming timing = RigTiming::real());
    ~RigSession() override;

    // The poll and the port, made on first use.
    RigPoller& poller();
    SerialPort& port();
    const RigDriver& driver() { return poller().driver(); }
    bool polling() const { return m_poller && m_poller->polling(); }
    // A fresh load of the rig window knows no VFO of the radio yet.
    void forgetVfo() { poller().report.kenwoodVfoCode = RigReport{}.kenwoodVfoCode; }

    // The radio type chosen in the list.
    void chooseRadio(const QString& rigName);
    // A new test of that type: nothing kept from an earlier one, the radio not yet silent.
    void beginTest(const QString& rigName);
    // Opens the port on the settings' COM port, speed and power line (closing it first),
    // with the driver's handshaking and wake-up bytes; false when any of it fails. A port
    // that fails while polled is opened again the same way.
    bool openPort(const RigSettings& settings);
    // Whether the poll has what it needs: an open port, or a radio that uses none.
    bool readyToPoll();
    // One tick at once, then the timer at the interval (as it was when there is none).
    void startPolling(std::optional<int> intervalMs);
    void stopPolling();
    // "End Test": the poll stops and the port closes.
    void stop();
    // The bytes as they are, the test window's command; a closed port takes nothing.
    void send(const QByteArray& bytes);

    // Tune the radio while it is polled (nothing otherwise); the caller's value is not
    // changed. The band maps and the spot list reach it through Form1.
    void ChangeFrequency(float& qChangeFreq) override;
    void ChangeMode(float qChangeFrequency, QString& ModeToChangeTo);

    // The rig window has gone: the poll and the port go with it, without closing bytes, and
    // the handshaking chosen since its load is forgotten.
    void unload();
    // The way out: a radio polled gets its driver's closing bytes, then the poll stops and
    // the port closes.
    void release();

Q_SIGNALS:
    // One read tick's whole replies, after decoding.
    void replyRead(const QByteArray& reply);
    // Frequency and mode to hand to the log, as the window's choices ask.
    void frequencyRead(float mhz);
    void modeRead(const QString& mode);
    // A tuning command failed (title, text).
    void failed(const QString& title, const QString& text);
    // The radio stopped answering or lost its port, and why; and when it answers again.
    void radioSilent(const QString& why);
    void radioAnswering();

private:
    bool openPortQuietly();

    PortFactory m_makePort;
    RigTiming m_timing;
    std::unique_ptr<SerialPort> m_port;
    std::unique_ptr<RigPoller> m_poller;
    quint8 m_comPort = 1;
    QString m_portSettings;
    QString m_powerLine;
    bool m_hardwareHandshaking = false;
};
