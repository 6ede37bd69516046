#include "platform/Clock.h"

#include <chrono>
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
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
