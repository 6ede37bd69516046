#pragma once

// Spots through the AGW Packet Engine, as the spotting window runs the link: registering
// the station's call, taking one frame from the engine per poll tick (monitored frames and
// the text of the one connected station), showing it, passing spot lines on, and the
// operator's ":C call" and ":D" commands and typed text. The window gives the link its
// monitor, its "List DX Only" box and the few things it does for it (caption, beep,
// message box) through the hooks below; the link never sees a widget.

#include "spots/AgwEngine.h"

#include <QString>
#include <functional>
#include <memory>

class AgwLink {
public:
    enum class Start {
        Registered, // the engine took the call: the poll timer runs
        NoCall,     // no call sign: nothing asked of the engine
        Refused,    // the engine is not there or refused: the link is shown closed
    };

    explicit AgwLink(std::unique_ptr<AgwEngine> engine);

    // The window's side.
    std::function<QString()> monitorText;
    std::function<bool()> listDxOnly;
    // Appends to the monitor and keeps it bounded.
    std::function<void(const QString& text)> appendMonitor;
    std::function<void(const QString& frequency, const QString& call, const QString& line)> postSpot;
    std::function<void(const QString& caption)> setCaption;
    std::function<void()> beep;
    std::function<void(const QString& text, const QString& title)> messageBox;
    // Shows the spotting window when it is hidden.
    std::function<void()> showWindow;
    // The engine was lost while registered (AgwEngine::onLost): the window shows the
    // message and closes the link, as after a telnet link's error.
    std::function<void(const QString& message)> lost;

    Start StartAgw(const QString& ownCall, const QString& applicationName);
    // One frame from the engine, if one waits.
    void PollAgw();
    // The send box's text: a ":" command or text for the connected station.
    void SendAgw(const QString& text);
    // Close Port: the connected station is disconnected, then the registration ends.
    void closeLink();

    const QString& connectedCall() const { return AgwConnectedCall; }
    AgwEngine& engine() { return *m_engine; }

    static const QString DownloadLine;

private:
    void disconnectStation();
    void takeConnectionFrame(int kind, const QString& fromCall);

    std::unique_ptr<AgwEngine> m_engine;
    QString AgwConnectedCall;
};

// What the link does to a frame's data before it is shown: every CR and every LF becomes
// CR LF.
QString agwLineEnds(const QString& text);
// The frame text: line ends made CR LF; unconnected, the engine's header line dropped and
// the rest trimmed of spaces; a lone line end emptied, a doubled last line end cut to one.
QString agwFrameText(const QString& data, bool connected);
// "DX" (any letter case) first found at the first or second character.
bool agwSpotText(const QString& frameText);
