#pragma once

// Waits that let events run, and the program's end.
//
// A device wait keeps the window answering: whatever arrives meanwhile (a key, a click, the
// port's bytes, a screen reader's questions) is handled as it comes, not once the wait is
// over. So anything can happen inside such a wait, the window it was started from closing
// and the program ending included. Three rules keep the wait's caller on firm ground:
//
// 1. Every wait that lets events run goes through letEventsRun or letEventsRunFor (or holds
//    an EventWaitScope around its own loop), so that EventWaits::running() counts it.
// 2. Whatever frees a window, session or device that a wait may be inside (a window's
//    close, a session's release, the way out) first asks EventWaits::running(): when a wait
//    runs, it defers the freeing with EventWaits::whenNoneRuns, which runs it from the event
//    loop once the outermost wait has returned to its caller and that caller to the loop.
// 3. Once the end of the program is asked for (EventWaits::requestEnd: a signal, File >
//    Exit, the last window closing), a loop of waits stops at its next step: it reads
//    EventWaits::endRequested() after each wait, and a busy wait (a Morse element, a hold)
//    reads it while it spins, so that no line stays keyed and the way out is not held up.

#include <QEventLoop>
#include <QObject>
#include <functional>

namespace EventWaits {

// The waits running now, nested ones counted.
int running();

// Runs action at once when no wait runs; otherwise once none runs any more, from the event
// loop, and only while context still exists. Deferred actions run in the order given.
void whenNoneRuns(const QObject* context, std::function<void()> action);

// The end of the program is asked for. Safe inside a signal handler.
void requestEnd();
bool endRequested();
// A new run of the program (App's start) has nothing asked for yet.
void clearEndRequest();

} // namespace EventWaits

// Counts a wait of its own making for as long as it lives.
class EventWaitScope {
public:
    EventWaitScope();
    ~EventWaitScope();
    EventWaitScope(const EventWaitScope&) = delete;
    EventWaitScope& operator=(const EventWaitScope&) = delete;
};

// Lets pending events run once, as a wait.
void letEventsRun(QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents);

// Waits about ms milliseconds on an event loop of its own, events running as they come.
// Once the end is asked for it only lets pending events run once, and returns.
void letEventsRunFor(int ms);
