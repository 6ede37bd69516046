#pragma once

// SIGTERM, SIGINT, SIGHUP and SIGQUIT as events of the window thread. The handler only
// marks the end as asked for (EventWaits::requestEnd, which a keyed Morse element stops
// at) and writes the signal's number into a socket pair (all a handler may safely do); a
// notifier reads the other end when the event loop runs, so the program ends through its
// own orderly way out, with its lines released, and never from inside the handler.
// SIGPIPE is ignored: a write to a peer that has gone fails and is reported.

#include <QObject>
#include <QSocketNotifier>
#include <memory>

class EndSignals : public QObject {
    Q_OBJECT
public:
    // Takes the four signals for as long as it lives; one object at a time.
    EndSignals();
    ~EndSignals() override;

Q_SIGNALS:
    void received(int signalNumber);

private:
    void readSignals();

    int m_fds[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> m_notifier;
};
