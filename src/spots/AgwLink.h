#pragma once

// Spots through the AGW Packet Engine as a spot source: registering the station's call,
// taking one frame from the engine per tick (monitored frames and the text of the one
// connected station), showing it, passing spot lines on, and the operator's ":C call" and
// ":D" commands and typed text. The engine's frames are shown and filtered here, against
// the monitor and the List DX Only box the source's hooks give; the caption, the beeps and
// the message boxes go out through them too. The link never sees a widget.

#include "spots/AgwEngine.h"
#include "spots/SpotSource.h"

#include <QString>
#include <memory>

class AgwLink final : public SpotSource {
public:
    explicit AgwLink(std::unique_ptr<AgwEngine> engine);

    void configure(const SpotLinkSettings& settings) override;
    // StartAgw with the call and application name configured.
    SpotOpen open() override;
    // Close Port: the connected station is disconnected, then the registration ends.
    void close() override { closeLink(); }
    // Registered with the engine.
    bool isOpen() const override;
    // Nothing goes to an engine the link is not registered with.
    bool sendLine(const QString& text) override;
    int wordBreakLength() const override { return 70; }
    void poll() override { PollAgw(); }

    // Running when the engine took the call; NoCall (nothing asked of the engine) without a
    // call sign; Refused when the engine is not there or refused.
    SpotOpen StartAgw(const QString& ownCall, const QString& applicationName);
    // One frame from the engine, if one waits.
    void PollAgw();
    // The send box's text: a ":" command or text for the connected station.
    void SendAgw(const QString& text);
    void closeLink();

    const QString& connectedCall() const { return AgwConnectedCall; }
    AgwEngine& engine() { return *m_engine; }

    static const QString DownloadLine;

private:
    void disconnectStation();
    void takeConnectionFrame(int kind, const QString& fromCall);
    void appendMonitor(const QString& text) const;
    void setCaption(const QString& caption) const;
    void beep() const;
    void messageBox(const QString& text, const QString& title) const;

    std::unique_ptr<AgwEngine> m_engine;
    QString AgwConnectedCall;
    QString m_ownCall;
    QString m_applicationName;
};

// What the link does to a frame's data before it is shown: every CR and every LF becomes
// CR LF.
QString agwLineEnds(const QString& text);
// The frame text: line ends made CR LF; unconnected, the engine's header line dropped and
// the rest trimmed of spaces; a lone line end emptied, a doubled last line end cut to one.
QString agwFrameText(const QString& data, bool connected);
// "DX" (any letter case) first found at the first or second character.
bool agwSpotText(const QString& frameText);
// The spot line of a frame text: from a "DX de " that follows other text on its first line
// (a prompt left without its line end); else the whole text when agwSpotText holds;
// else empty.
QString agwSpotLine(const QString& frameText);
