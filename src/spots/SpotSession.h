#pragma once

// The spot link of the running program: the source the operator chose in the spotting
// window (a TNC on a serial port, a telnet DX cluster, the AGW packet engine), its link, the
// 333 ms tick that reads it, and the monitor text of what arrived. App owns it for the whole
// run and closes its link on the way out. The spotting window collects the settings, calls
// the session and shows what it reports: the monitor, the spots, a failed link, and what the
// packet engine has the window do (caption, beeps, message boxes).

#include "spots/SpotLinkKind.h"
#include "spots/SpotSource.h"

#include <QString>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>

class SpotSession {
public:
    static constexpr int TickMs = 333;

    explicit SpotSession(SpotLinkDevices devices);
    ~SpotSession();
    SpotSession(const SpotSession&) = delete;
    SpotSession& operator=(const SpotSession&) = delete;

    // The kind of the window's transport (a row of spotLinkKinds). A kind's source is made on
    // its first choice and kept until the window unloads, so a link closed and opened again
    // keeps what it held. "None" is chosen until the window chooses.
    void choose(const SpotLinkKind& kind);
    const SpotLinkKind& chosen() const { return *m_chosen; }
    // The chosen kind's source: the null source for "None".
    SpotSource& source() const { return *m_sources.at(m_chosen); }

    // Opens the chosen source with the settings: the tick starts when it runs, and stops
    // when the far end refused.
    SpotOpen open(const SpotLinkSettings& settings);
    // Closes the chosen link; the tick stops.
    void close();
    bool sendLine(const QString& text);
    bool sendCommandCharacter(const QString& hexDigits);
    // Typed text that has run past the open link's short lines and ends in a blank goes out
    // without that blank; true when it went.
    bool sendAtWordBreak(const QString& text);
    // Reads what waits at the chosen source.
    void poll();

    bool ticking() const { return m_tick.isActive(); }
    void stopTick() { m_tick.stop(); }

    // The monitor: every change is reported through onMonitorChanged. Appending keeps it
    // bounded (TrimMonitor).
    const QString& monitorText() const { return m_monitor; }
    void replaceMonitor(const QString& text);
    void appendMonitor(const QString& text);
    void trimMonitor();

    // The program ends: the chosen link closes with what its far end is to be told (the
    // packet engine's disconnect and unregistering).
    void release();
    // The spotting window has gone: the sources go with it, their links closed as they
    // stand, the monitor is emptied and nothing more is reported.
    void unload();

    // What the window does on each tick (reading the source through poll()); without it the
    // tick reads the source itself.
    std::function<void()> onTick;
    // The window's List DX Only box: only spot lines are shown.
    std::function<bool()> listDxOnly;
    std::function<void()> onMonitorChanged;
    std::function<void(const QString& frequency, const QString& call, const QString& line)> onSpot;
    // The link failed or its far end left: the window shows the message and closes it.
    std::function<void(const QString& message)> onError;
    std::function<void(const QString& caption)> onCaption;
    std::function<void()> onBeep;
    std::function<void(const QString& text, const QString& title)> onMessage;
    std::function<void()> onShowWindow;

private:
    void wire(SpotSource& source);
    bool dxOnly() const { return listDxOnly && listDxOnly(); }
    void spot(const QString& frequency, const QString& call, const QString& line);
    void monitorChanged();
    // A line of a source that shows only its lines: passed over when seen lately, a spot
    // handed on, other lines shown unless only spots are listed.
    void filteredLine(const QString& line);
    // A source that shows its text as it arrives (the telnet cluster) has its lines read for
    // spots only.
    void arrivedText(const QString& text);
    void arrivedLine(const QString& line);

    SpotLinkDevices m_devices;
    std::map<const SpotLinkKind*, std::unique_ptr<SpotSource>> m_sources;
    const SpotLinkKind* m_chosen = nullptr;
    QTimer m_tick;
    QString m_monitor;
};
