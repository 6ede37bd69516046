#pragma once

// The radio of the running program: its serial port, the poll and the driver of the chosen
// radio type. App owns it for the whole run and hands what it reads to the running main
// window; it runs on the settings it is given (RigCntrl.txt's values, as App reads them at
// start or as the rig window collects them). The rig window shows and collects the
// settings and shows the session's state, the tune and test windows tune through it, and
// App's way out releases it.
//
// The port and the poll are made when first needed and go when the rig window unloads, so
// a window loaded again starts from a fresh poll as it always has; the band plan and the
// settings stay. What the poll reads and what goes wrong are told through the signals; a
// message box or a line in the main window is a window's to show.
//
// Nothing of the poll goes while a tuning command waits inside it: ending the session then
// ends the wait at once, and the poll and its port go when the command has returned.

#include "core/RadioTuning.h"
#include "rig/RigBandPlan.h"
#include "rig/RigDriver.h"
#include "rig/RigPoller.h"
#include "rig/RigSettings.h"

#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class SerialPort;

class RigSession : public QObject, public RadioTuning {
    Q_OBJECT
public:
    using PortFactory = std::function<std::unique_ptr<SerialPort>()>;
    explicit RigSession(PortFactory makePort, RigTiming timing = RigTiming::real());
    ~RigSession() override;

    // The settings the radio runs with. Taking new ones applies the request texts, the
    // use of the frequency and the mode source at once, and a new radio type's driver; the
    // port's settings take effect at the next test.
    const RigSettings& settings() const { return m_settings; }
    void setSettings(const RigSettings& settings);
    // The Extra-class rows of the band plan, which a tune without a mode asks.
    void setExtraBandPlan(std::vector<BandPlanRow> rows);

    // What the radio last reported; a readout shows it.
    const RigReport& report();
    // The mode is forgotten ("Test", and a change of the mode source).
    void clearMode();
    // A fresh load of the rig window knows no VFO of the radio yet.
    void forgetVfo();
    const RigDriver& driver();
    bool polling() const { return m_poller && m_poller->polling(); }
    // The port, for a look at it (made with the poll on first use).
    SerialPort& port();

    // "Test": a new test of the settings' radio, nothing kept from an earlier one and the
    // radio not yet silent; the port opened on the settings' COM port, speed and power line
    // (closed first), with the driver's handshaking and wake-up bytes. False when the port
    // would not open. A port that fails while polled is opened again the same way.
    bool beginTest();
    // Polls when the poll has what it needs (an open port, or a radio that uses none): one
    // tick at once, then the timer at the settings' rate (as it was for an unknown rate).
    // False, the poll stopped, otherwise.
    bool startPolling();
    void stopPolling();
    // The poll's timer runs at this interval from now on (tests drive the ticks).
    void setPollInterval(int ms);
    int pollInterval() { return poller().tmrGetData.interval(); }
    // One tick of the poll, as the timer's.
    void tick();
    // "End Test": the poll stops and the port closes.
    void stop();
    // The bytes as they are, the test window's command; a closed port takes nothing.
    void send(const QByteArray& bytes);

    // Tune the radio while it is polled (nothing otherwise); the caller's value is not
    // changed. The band maps and the spot list reach it through Form1.
    void ChangeFrequency(float& qChangeFreq) override;
    void ChangeMode(float qChangeFrequency, QString& ModeToChangeTo);
    bool tuning() const override { return m_poller && m_poller->tuning(); }
    void endTuning() override
    {
        if (tuning())
            m_poller->end();
    }

    // The rig window has gone: the poll and the port go with it, without closing bytes, and
    // the handshaking chosen since its load is forgotten.
    void unload();
    // The way out: a radio polled gets its driver's closing bytes, then the poll stops and
    // the port closes.
    void release();

Q_SIGNALS:
    // One read's whole replies, after decoding.
    void replyRead(const QByteArray& reply);
    // Frequency and mode to hand to the log, as the settings ask.
    void frequencyRead(float mhz);
    void modeRead(const QString& mode);
    // A tuning command failed (title, text).
    void failed(const QString& title, const QString& text);
    // The radio stopped answering or lost its port, and why; and when it answers again.
    void radioSilent(const QString& why);
    void radioAnswering();
    // A silence told is over: the radio answered, or the poll ended or began anew.
    void silenceOver();

private:
    void endSilence();
    RigPoller& poller();
    void applySettings();
    bool openPortQuietly();
    void finishUnload();

    PortFactory m_makePort;
    RigTiming m_timing;
    RigSettings m_settings;
    std::vector<BandPlanRow> m_extraBandPlan;
    std::unique_ptr<SerialPort> m_port;
    std::unique_ptr<RigPoller> m_poller;
    bool m_hardwareHandshaking = false;
    bool m_unloadWaits = false; // the rig window went while a tuning command waited
    bool m_silenceTold = false;
};
