#include "platform/Clock.h"

#include "platform/EventWait.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <sys/resource.h>
#include <thread>

ClockReading SystemClock::now() const
{
    const QDateTime instant = QDateTime::currentDateTime();
    // Local fields as the wall clock shows them; the UTC reading of the same instant.
    return {instant, instant.toUTC()};
}

qint64 SystemClock::monotonicMs() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

qint64 SystemClock::monotonicNs() const
{
    using namespace std::chrono;
    return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}

void SystemClock::sleepMs(int ms)
{
    // In short steps: a signal asking for the end comes in the middle of a sleep.
    using namespace std::chrono;
    constexpr int StepMs = 5;
    const auto end = steady_clock::now() + milliseconds(ms);
    while (!EventWaits::endRequested()) {
        const auto left = duration_cast<microseconds>(end - steady_clock::now());
        if (left.count() <= 0)
            return;
        std::this_thread::sleep_for(std::min<microseconds>(left, milliseconds(StepMs)));
    }
}

void SystemClock::beginPreciseTiming()
{
    if (m_nice)
        return;
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, 0);
    if (nice == -1 && errno != 0)
        return;
    // A raised priority among the normal threads, as far as this user may raise it. Not a
    // real-time one: Morse is timed by busy waits, and a real-time thread that never sleeps
    // is stopped by the system for a twentieth of every second.
    for (int raised = std::max(nice - 10, -20); raised < nice; ++raised) {
        if (setpriority(PRIO_PROCESS, 0, raised) == 0) {
            m_nice = nice;
            return;
        }
    }
}

void SystemClock::endPreciseTiming()
{
    if (!m_nice)
        return;
    setpriority(PRIO_PROCESS, 0, *m_nice);
    m_nice.reset();
}
