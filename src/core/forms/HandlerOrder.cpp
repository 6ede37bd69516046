#include "core/forms/HandlerOrder.h"

#include <QPointer>
#include <QThread>
#include <deque>
#include <utility>

namespace {

struct Pending {
    QPointer<QObject> control;
    std::function<void()> handler;
};

// The event whose handlers are running: how deep they are nested, the event loop that
// delivered it, and the focus handlers waiting for them to return.
struct Event {
    int depth = 0;
    int loopLevel = 0;
    std::deque<Pending> pending;
};

Event current;

int loopLevel() { return QThread::currentThread()->loopLevel(); }

bool handlerRunning() { return current.depth > 0 && current.loopLevel == loopLevel(); }

// One handler level of the running event; the level that opened the event also runs what
// waits, and an exception (the program ending) drops it.
class Level {
public:
    Level() { ++current.depth; }
    ~Level() { --current.depth; }
    Level(const Level&) = delete;
    Level& operator=(const Level&) = delete;
};

void runWaiting()
{
    while (!current.pending.empty()) {
        Pending next = std::move(current.pending.front());
        current.pending.pop_front();
        if (next.control) {
            Level level;
            next.handler();
        }
    }
}

} // namespace

namespace HandlerOrder {

void runEvent(const std::function<void()>& handler)
{
    // Whatever an outer event has waiting stays waiting for that event.
    Event outer = std::exchange(current, Event{0, loopLevel(), {}});
    struct Restore {
        Event& outer;
        ~Restore() { current = std::move(outer); }
    } restore{outer};
    {
        Level level;
        handler();
    }
    runWaiting();
}

void runFocusHandler(QObject* control, std::function<void()> handler)
{
    if (handlerRunning()) {
        current.pending.push_back({control, std::move(handler)});
        return;
    }
    runEvent(handler);
}

} // namespace HandlerOrder
