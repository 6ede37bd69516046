// How exactly the keyer times its elements: "PARIS " keyed on a recording line with the
// real monotonic clock, every element compared with its ideal length of 1200 / WPM ms per
// unit. Reports the worst deviation in milliseconds (worst_ms) and the element count.

#include "keying/CwKeyer.h"
#include "platform/Clock.h"
#include "platform/KeyingLine.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <vector>

namespace {

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Each setting of the line with its time.
class TimedLine final : public KeyingLine {
public:
    std::vector<std::pair<bool, qint64>> settings;
    bool setKeyed(bool keyed) override
    {
        settings.push_back({keyed, nowNs()});
        return true;
    }
};

class BenchWindow final : public CwKeyerWindow {
public:
    QString speed;
    TimedLine line;
    QString message(int) const override { return {}; }
    QString repeatSeconds() const override { return QStringLiteral("0"); }
    QString wordsPerMinute() const override { return speed; }
    QString wordSpace() const override { return QStringLiteral("0"); }
    TimingMethod timingMethod() const override { return TimingMethod::Timer; }
    double loopsPer60ms() const override { return 0; }
    bool echo() const override { return false; }
    KeyingLine* keyingLine() override { return &line; }
    void logContact() override {}
    void showOnMainWindow(const QString&) override {}
    void armRepeat() override {}
    void letEventsRun() override {}
    QString countyText(const QString& a) const override { return a; }
    void winKeyTransmit() override {}
};

void BM_KeyParis(benchmark::State& bench)
{
    const int wpm = int(bench.range(0));
    SystemClock clock;
    KeyerState keyer;
    keyer.CWKeyingInterface = KeyingInterface::Rts;
    BenchWindow window;
    window.speed = QString::number(wpm);
    CwKeyer cw(keyer, clock, window);
    const double unitNs = 1200.0 / wpm * 1e6;
    double worstMs = 0;
    qint64 elements = 0;
    for (auto _ : bench) {
        window.line.settings.clear();
        for (QChar c : QStringLiteral("PARIS "))
            cw.Transmit(c);
        window.line.settings.push_back({false, nowNs()});
        // Each element lasts from its setting to the next one.
        for (size_t i = 0; i + 1 < window.line.settings.size(); ++i) {
            const double length = double(window.line.settings[i + 1].second - window.line.settings[i].second);
            worstMs = std::max(worstMs, std::abs(length - unitNs) / 1e6);
            ++elements;
        }
    }
    bench.counters["worst_ms"] = worstMs;
    bench.counters["elements"] = double(elements);
}

BENCHMARK(BM_KeyParis)->Arg(25)->Arg(40)->Iterations(2)->Unit(benchmark::kMillisecond);

} // namespace
