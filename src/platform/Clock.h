#pragma once

#include <QDateTime>
#include <optional>

// Local and UTC time taken from one instant, so that the two never straddle a minute,
// and a monotonic millisecond counter for waits and Morse timing.
struct ClockReading {
    QDateTime local; // local wall-clock time (Qt::LocalTime)
    QDateTime utc;   // the same instant in UTC
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual ClockReading now() const = 0;
    // Milliseconds from an arbitrary start; never goes backwards.
    virtual qint64 monotonicMs() const = 0;
    // The same clock in nanoseconds, for timing Morse elements finer than a millisecond.
    virtual qint64 monotonicNs() const { return monotonicMs() * 1'000'000; }
    // Sleeps ms milliseconds; less once the end of the program is asked for (EventWait.h), so
    // that no keyed line waits out a sleep.
    virtual void sleepMs(int ms) = 0;
    // While Morse is keyed: the best scheduling the system grants the calling thread (a
    // raised priority where this user may raise it, else nothing), until endPreciseTiming
    // puts back what it had. Calls do not nest.
    virtual void beginPreciseTiming() {}
    virtual void endPreciseTiming() {}

    QDateTime localNow() const { return now().local; }
    QDateTime utcNow() const { return now().utc; }
};

class SystemClock final : public Clock {
public:
    ClockReading now() const override;
    qint64 monotonicMs() const override;
    qint64 monotonicNs() const override;
    void sleepMs(int ms) override;
    void beginPreciseTiming() override;
    void endPreciseTiming() override;

private:
    std::optional<int> m_nice; // the thread's own before precise timing raised it
};
