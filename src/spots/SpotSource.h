#pragma once

// One source of DX spots as the spotting window drives it: a packet TNC on a serial port, a
// telnet DX cluster, the AGW packet engine. The window opens and closes the source, passes
// it the lines the operator types and, while the source runs, ticks it every 333 ms. The
// source hands back what it receives and what happens to the link through the callbacks;
// the window shows that in its monitor, takes the spots and closes the link after an error.
// Only one source runs at a time.

#include <QString>
#include <functional>

class SpotSource {
public:
    virtual ~SpotSource() = default;

    // Starts the link; true when it runs (or, for a network link, is connecting), which
    // starts the window's poll timer. False when it could not start; the source has then
    // already said why through onStatus or onError where it has something to say.
    virtual bool open() = 0;
    // Closes at once; no callback follows.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // A line typed in the send box, without its line end: the source adds the ending its
    // link wants. False when the link could not take it (the window then drops the text).
    virtual bool sendLine(const QString& text) = 0;
    // The window's poll tick while the link runs. A source that receives by event has
    // nothing to do here.
    virtual void poll() {}

    // Text as it arrived, before it is cut into lines (for a monitor that shows everything,
    // prompts without a line end included). A source may leave it unset.
    std::function<void(const QString& text)> onReceived;
    // One complete received line, its line ending included: the window filters it, shows
    // it and takes a spot from it.
    std::function<void(const QString& line)> onLine;
    // A notice of the link for the monitor, appended exactly as given.
    std::function<void(const QString& text)> onStatus;
    // The link failed or the far end left: the message is appended to the monitor as given,
    // then the window closes the link and beeps.
    std::function<void(const QString& message)> onError;
};
