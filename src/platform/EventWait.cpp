#include "platform/EventWait.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <vector>

namespace {

int waitsRunning = 0;
volatile std::sig_atomic_t endAsked = 0;

struct Deferred {
    QPointer<QObject> context;
    std::function<void()> action;
};
std::vector<Deferred> deferred;
bool flushPosted = false;

void runDeferred()
{
    flushPosted = false;
    // A wait begun since the flush was posted defers it to its own end.
    if (waitsRunning > 0)
        return;
    // An action may defer others, or start a wait: each is taken off the list first.
    while (!deferred.empty() && waitsRunning == 0) {
        Deferred next = std::move(deferred.front());
        deferred.erase(deferred.begin());
        if (next.context)
            next.action();
    }
}

void postFlush()
{
    auto* application = QCoreApplication::instance();
    if (flushPosted || deferred.empty() || !application)
        return;
    flushPosted = true;
    QMetaObject::invokeMethod(application, &runDeferred, Qt::QueuedConnection);
}

} // namespace

int EventWaits::running() { return waitsRunning; }

void EventWaits::whenNoneRuns(const QObject* context, std::function<void()> action)
{
    if (waitsRunning == 0 && deferred.empty()) {
        action();
        return;
    }
    // Only watched for going away, never changed.
    deferred.push_back({const_cast<QObject*>(context), std::move(action)});
    if (waitsRunning == 0)
        postFlush();
}

void EventWaits::requestEnd() { endAsked = 1; }

bool EventWaits::endRequested() { return endAsked != 0; }

void EventWaits::clearEndRequest() { endAsked = 0; }

EventWaitScope::EventWaitScope() { ++waitsRunning; }

EventWaitScope::~EventWaitScope()
{
    // Run from the loop, not here: the wait's caller still has its own steps to take.
    if (--waitsRunning == 0)
        postFlush();
}

void letEventsRun(QEventLoop::ProcessEventsFlags flags)
{
    const EventWaitScope wait;
    QCoreApplication::processEvents(flags);
}

void letEventsRunFor(int ms)
{
    const EventWaitScope wait;
    if (EventWaits::endRequested()) {
        QCoreApplication::processEvents();
        return;
    }
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(std::max(ms, 0));
    loop.exec();
}
