#pragma once

// One source of DX spots as the spot session drives it: a packet TNC on a serial port, a
// telnet DX cluster, the AGW packet engine. The session hands the source the settings the
// spotting window collected, opens and closes it, passes it the lines the operator types
// and, while the source runs, ticks it every 333 ms. The source hands back what it receives
// and what happens to the link through the callbacks; the session keeps the monitor, takes
// the spots and reports the rest to the window. Only one source runs at a time.

#include <QString>
#include <functional>

// The serial settings of the TNC, as the window's buttons give them.
struct TncSerialOptions {
    quint8 TncPort = 0;      // 1 to 10
    QString TncBaud;         // "1200" ... "19200"
    QString TncParity;       // "O", "N", "E"
    QString TncDataBits;     // "7", "8"
    QString TncStopBits;     // "1", "2"
    QString TncPower;        // "N" none, "R" RTS, "D" DTR: the line that powers the TNC
    quint8 TncHandshaking = 0; // 1 none, 2 XON/XOFF, 3 RTS, 4 RTS and XON/XOFF
};

// What the spotting window collects before a source opens; each source takes its part.
struct SpotLinkSettings {
    TncSerialOptions tnc;
    QString telnetHost;
    QString telnetPort; // the port box's text
    QString ownCall;    // the packet engine registers the station's call
    QString applicationName;
};

// What came of opening a source; the window shows each its own way.
enum class SpotOpen {
    Running,    // the link runs (a network link may still be connecting): the tick runs
    PortFailed, // the serial port would not open with the settings
    BadPort,    // the network port is no port: nothing was started
    Refused,    // the far end is not there or refused; the source has said why
    NoCall,     // nothing was asked: the source needs the station's call, and has said so
};

class SpotSource {
public:
    virtual ~SpotSource() = default;

    virtual void configure(const SpotLinkSettings& settings) = 0;
    // Starts the link with the settings configured.
    virtual SpotOpen open() = 0;
    // Closes at once, with whatever the link's far end is to be told on the way (the packet
    // engine's disconnect and unregistering); no error follows.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Replaces the monitor's text once the source runs (where it connects to); empty for
    // none.
    virtual QString openingNotice() const { return {}; }

    // A line typed in the send box, without its line end: the source adds the ending its
    // link wants. False when the link could not take it (the window then drops the text).
    virtual bool sendLine(const QString& text) = 0;
    // The command character given as hexadecimal digits ("03"); false where the source has
    // none or could not send it.
    virtual bool sendCommandCharacter(const QString& hexDigits)
    {
        Q_UNUSED(hexDigits);
        return false;
    }
    // A link for short lines takes the typed text at the first word break past this many
    // characters; 0 where the operator's Enter alone sends.
    virtual int wordBreakLength() const { return 0; }
    // The tick while the link runs. A source that receives by event has nothing to do here.
    virtual void poll() {}

    // One complete received line, its line ending included: the session filters it, shows
    // it and takes a spot from it.
    std::function<void(const QString& line)> onLine;
    // A source whose monitor shows everything (prompts without a line end included) hands
    // on its text as it arrives instead, before it is cut into lines, and then each complete
    // line of it, which the session reads for a spot only.
    std::function<void(const QString& text)> onReceived;
    std::function<void(const QString& line)> onShownLine;
    // A notice of the link for the monitor, appended exactly as given.
    std::function<void(const QString& text)> onStatus;
    // The link failed or the far end left: the message is appended to the monitor as given,
    // then the link is closed with a beep.
    std::function<void(const QString& message)> onError;

    // A source that shows and filters what it receives itself (the packet engine) reads the
    // monitor and the window's List DX Only box, and hands on the spots it takes.
    std::function<QString()> monitorText;
    std::function<bool()> listDxOnly;
    std::function<void(const QString& frequency, const QString& call, const QString& line)> onSpot;
    // What such a source has the window do: its caption, a beep, a message box, and showing
    // itself when hidden.
    std::function<void(const QString& caption)> onCaption;
    std::function<void()> onBeep;
    std::function<void(const QString& text, const QString& title)> onMessage;
    std::function<void()> onShowWindow;
};
