// How exactly the keyer times a message: "PARIS PARIS " sent through the keyer's pump with
// the real monotonic clock, keying the RTS line of a real serial port (the program's
// QSerialPort on a pseudo-terminal, so every element makes the serial line calls it makes
// on a real port, which a pseudo-terminal answers without a line to raise), with the echo
// on a real label and the window's events let run between characters as the keyer window
// does (QCoreApplication::processEvents, with a widget to repaint when echo_label is 1).
// Every stretch of the line is compared with its ideal length of 1200 / WPM ms per unit:
// the worst deviation of an element (a mark or the space inside a character) and of a gap
// (between characters and words), in milliseconds, and how many of each were measured.
// The keyer runs at the process's ordinary priority; nothing asks for real-time scheduling.
// Offscreen by default:
//   ./build/bench/brevant_morse_bench

#include "keying/CwKeyer.h"
#include "keying/Morse.h"
#include "platform/Clock.h"
#include "platform/KeyingLine.h"
#include "platform/SerialPort.h"

#include "DevicePty.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <memory>
#include <vector>

namespace {

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The RTS line of a serial port on a pseudo-terminal, each setting noted with the time its
// call returned.
class TimedLine final : public KeyingLine {
public:
    explicit TimedLine(SerialPort& port) : m_line(port, ModemLine::Rts) {}
    std::vector<std::pair<bool, qint64>> settings;
    bool setKeyed(bool keyed) override
    {
        const bool set = m_line.setKeyed(keyed);
        settings.push_back({keyed, nowNs()});
        return set;
    }

private:
    SerialKeyingLine m_line;
};

class BenchWindow final : public CwKeyerWindow {
public:
    explicit BenchWindow(SerialPort& port) : line(port) {}
    QString speed;
    QLabel* echoLabel = nullptr; // the echo shown, when there is one
    TimedLine line;
    QString message(int) const override { return {}; }
    QString repeatSeconds() const override { return QStringLiteral("0"); }
    QString wordsPerMinute() const override { return speed; }
    QString wordSpace() const override { return QStringLiteral("0"); }
    TimingMethod timingMethod() const override { return TimingMethod::Timer; }
    double loopsPer60ms() const override { return 0; }
    bool echo() const override { return echoLabel != nullptr; }
    KeyerOutput& output() override { return lineOutput; }
    void logContact() override {}
    void showOnMainWindow(const QString& text) override { echoLabel->setText(text); }
    void armRepeat() override {}
    // As the keyer window lets them run between characters.
    void letEventsRun() override { QCoreApplication::processEvents(); }
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
    DevicePty pty;
    QtSerialPort port([&pty](int) { return pty.name(); });
    port.setComNumber(1);
    QString error;
    if (pty.fd() < 0 || !port.open(&error)) {
        bench.SkipWithError(qPrintable(QStringLiteral("no serial port on a pseudo-terminal: ") + error));
        return;
    }
    BenchWindow window(port);
    window.speed = QString::number(wpm);
    std::unique_ptr<QLabel> echo;
    if (bench.range(1) != 0) {
        echo = std::make_unique<QLabel>();
        echo->resize(400, 30);
        echo->show();
        window.echoLabel = echo.get();
    }
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

// Speed in WPM; 1 for the echo on a label that repaints.
BENCHMARK(BM_KeyParis)
    ->ArgNames({"wpm", "echo_label"})
    ->Args({25, 0})
    ->Args({40, 0})
    ->Args({40, 1})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
