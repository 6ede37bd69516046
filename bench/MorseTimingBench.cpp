// How exactly the keyer times a message: "PARIS PARIS " sent through the keyer's pump on a
// recording line with the real monotonic clock, the pump doing a given amount of work
// between characters (as the echo and the window's events do: 0, 0.7 and 3 ms), every
// stretch of the line compared with its ideal length of 1200 / WPM ms per unit. Reports
// the worst deviation of an element (a mark or the space inside a character) and of a gap
// (between characters and words), in milliseconds, and how many of each were measured.
// The keyer asks for real-time scheduling while it sends: run as root, or with the right
// to it, to measure with it.

#include "keying/CwKeyer.h"
#include "keying/Morse.h"
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
    qint64 workNs = 0;
    TimedLine line;
    QString message(int) const override { return {}; }
    QString repeatSeconds() const override { return QStringLiteral("0"); }
    QString wordsPerMinute() const override { return speed; }
    QString wordSpace() const override { return QStringLiteral("0"); }
    TimingMethod timingMethod() const override { return TimingMethod::Timer; }
    double loopsPer60ms() const override { return 0; }
    bool echo() const override { return false; }
    KeyerOutput& output() override { return lineOutput; }
    void logContact() override {}
    void showOnMainWindow(const QString&) override {}
    void armRepeat() override {}
    // The work between characters.
    void letEventsRun() override
    {
        const qint64 until = nowNs() + workNs;
        while (nowNs() < until) {
        }
    }
    QString countyText(const QString& a) const override { return a; }

private:
    class LineOutput final : public KeyerOutput {
    public:
        explicit LineOutput(TimedLine& line) : m_line(line) {}
        bool keys() const override { return true; }
        KeyingTarget keyingLine() override { return {KeyingTarget::State::Ready, &m_line}; }

    private:
        TimedLine& m_line;
    };
    LineOutput lineOutput{line};
};

// Runs of one state as (keyed, length): units for the elements, nanoseconds for the line.
template <class T>
void addRun(std::vector<std::pair<bool, T>>& runs, bool keyed, T length)
{
    if (!runs.empty() && runs.back().first == keyed)
        runs.back().second += length;
    else
        runs.push_back({keyed, length});
}

void BM_KeyParis(benchmark::State& bench)
{
    const int wpm = int(bench.range(0));
    const QString text = QStringLiteral("PARIS PARIS ");
    SystemClock clock;
    KeyerState keyer;
    keyer.CWKeyingInterface = KeyingInterface::Rts;
    BenchWindow window;
    window.speed = QString::number(wpm);
    window.workNs = bench.range(1) * 1000;
    CwKeyer cw(keyer, clock, window);
    const double unitNs = 1200.0 / wpm * 1e6;

    std::vector<std::pair<bool, int>> ideal;
    for (const QChar c : text) {
        for (const QChar e : c == QLatin1Char(' ') ? adjustedWordSpace(0) : morseElements(c))
            addRun(ideal, e == QLatin1Char('1'), 1);
    }
    double worstElementMs = 0;
    double worstGapMs = 0;
    qint64 elements = 0;
    qint64 gaps = 0;
    for (auto _ : bench) {
        window.line.settings.clear();
        keyer.CWBuffer = text;
        cw.LoopThroughCWBuffer();
        window.line.settings.push_back({false, nowNs()});
        std::vector<std::pair<bool, qint64>> measured;
        for (size_t i = 0; i + 1 < window.line.settings.size(); ++i) {
            const auto& [keyed, at] = window.line.settings[i];
            addRun(measured, keyed, window.line.settings[i + 1].second - at);
        }
        if (measured.size() != ideal.size()) {
            bench.SkipWithError("the line did not key the message's elements");
            return;
        }
        // The last gap runs on to the end of the recording.
        for (size_t i = 0; i + 1 < ideal.size(); ++i) {
            const double errorMs = std::abs(double(measured[i].second) - ideal[i].second * unitNs) / 1e6;
            const bool gap = !ideal[i].first && ideal[i].second >= 3;
            (gap ? worstGapMs : worstElementMs) = std::max(gap ? worstGapMs : worstElementMs, errorMs);
            ++(gap ? gaps : elements);
        }
    }
    bench.counters["worst_element_ms"] = worstElementMs;
    bench.counters["worst_gap_ms"] = worstGapMs;
    bench.counters["elements"] = double(elements);
    bench.counters["gaps"] = double(gaps);
}

// Speed in WPM, work between characters in microseconds.
BENCHMARK(BM_KeyParis)
    ->ArgNames({"wpm", "work_us"})
    ->Args({25, 0})
    ->Args({40, 0})
    ->Args({40, 700})
    ->Args({40, 3000})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

} // namespace
