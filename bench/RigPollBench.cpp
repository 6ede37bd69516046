// The radio's reply reaching the log window: a Kenwood reply waiting at the port, the poll's
// read tick decodes it and hands it to the out-of-state window, which changes band and mode
// and keeps the frequency for the next contact (goal < 2 ms; the poll interval is the
// operator's wait and the program must add nothing to it). The reply alternates between
// 20 m CW and 40 m phone so every tick changes band. Runs offscreen with the test doubles
// of the platform services (the port a FakeSerialPort), in brevant_window_bench. And the
// window's worst stall while polled at the fastest rate on a real port.

#include "support/FakeDevices.h"
#include "support/SampleLog.h"
#include "support/TestLog.h"
#include "support/TestServices.h"

#include "app/App.h"
#include "mainwindow/MainForm.h"
#include "rig/windows/RigControlfrm.h"
#include "platform/SerialPort.h"

#include "FakeRadio.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <functional>
#include <benchmark/benchmark.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

// The out-of-state window opened as the program opens it, a Kenwood named in RigCntrl.txt
// polled at the rate letter; null when the window or the radio did not start.
std::unique_ptr<App> openWithRadio(TestServices& ts, const QTemporaryDir& dir, const char* rate,
                                   const std::function<void(Services&)>& ports = {})
{
    auto app = std::make_unique<App>(std::move(ts.services));
    if (ports)
        ports(app->services());
    AppState& s = app->state();
    s.folders.WorkingDirectory = dir.path();
    s.folders.DataFolder = dir.filePath(QStringLiteral("Documents/Texas"));
    s.folders.SharedFolder = dir.filePath(QStringLiteral("Documents/Shared"));
    QDir().mkpath(s.folders.DataFolder + QStringLiteral("/BACKUP"));
    QDir().mkpath(s.folders.SharedFolder);
    setUpStation(s.station);
    s.station.OutOfState = 1;
    s.station.RigName = QStringLiteral("Kenwood");
    QFile::copy(shippedDataFile(QStringLiteral("county2.txt")), dir.filePath(QStringLiteral("county2.txt")));
    writeFile(dir.filePath(QStringLiteral("log.txt")), QByteArray());
    writeFile(dir.filePath(QStringLiteral("RigCntrl.txt")),
              QByteArray("\"4800 \"\r\n\"N\"\r\n\"8\"\r\n\"2\"\r\n\"MD;\"\r\n\"FA;\"\r\n\"4800,N,8,2\"\r\n1\r\n\"N\"\r\n\"")
                  + rate + "\"\r\n\"Kenwood\"\r\n0\r\n1\r\n1\r\n");
    app->showMainWindow();
    if (!app->mainWindow() || !app->rigControlfrmLoaded() || !app->rigControlfrm().poller().polling())
        return nullptr;
    return app;
}

void closeWindow(std::unique_ptr<App>& app)
{
    if (app && app->mainWindow())
        app->mainWindow()->hide();
    app.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_RigReplyToLogWindow(benchmark::State& state)
{
    TestServices ts;
    auto serialPorts = ts.serialPorts;
    QTemporaryDir dir;
    auto app = openWithRadio(ts, dir, "F");
    if (!app) {
        state.SkipWithError("the window or the radio did not start");
        return;
    }
    MainForm* w = app->mainWindow();
    RigPoller& poller = app->rigControlfrm().poller();
    poller.tmrGetData.stop(); // the benchmark runs the ticks
    FakeSerialPort& port = *serialPorts->back();
    const QByteArray replies[] = {"FA00014074000;MD3;", "FA00007200000;MD2;"};
    const char* bands[] = {"20", "40"};
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (poller.RigPollPhase == 0)
            poller.tmrGetData_Timer(); // the send tick
        port.received = replies[n % 2];
        state.ResumeTiming();

        poller.tmrGetData_Timer(); // the read tick

        state.PauseTiming();
        if (w->Label24->text() != QLatin1String(bands[n % 2]))
            state.SkipWithError("the window did not follow the radio");
        ++n;
        state.ResumeTiming();
    }
    closeWindow(app);
}
BENCHMARK(BM_RigReplyToLogWindow)->Unit(benchmark::kMicrosecond);

// The window's responsiveness while a radio on a real port (the fake radio on a
// pseudo-terminal) is polled at the fastest rate: a 1 ms timer runs beside the poll for a
// second and the longest gap between its ticks is the worst stall an operator's key would
// wait (goal < 16 ms).
void BM_PollingAtTheFastestRateStallsNothing(benchmark::State& state)
{
    FakeRadio radio(FakeRadio::Family::Kenwood);
    radio.replies["FA"] = "FA00014074000;";
    radio.replies["MD"] = "MD3;";
    TestServices ts;
    ts.environment->variables["BREVANT_COM1"] = radio.name();
    QTemporaryDir dir;
    auto app = openWithRadio(ts, dir, "F", [environment = ts.environment, settings = ts.settings](Services& s) {
        s.makeSerialPort = [environment, settings] {
            return std::make_unique<QtSerialPort>(
                [environment, settings](int com) { return comPortDevice(com, *environment, *settings); });
        };
    });
    if (!app) {
        state.SkipWithError("the window or the radio did not start");
        return;
    }
    double worstMs = 0;
    for (auto _ : state) {
        QTimer beat;
        beat.setTimerType(Qt::PreciseTimer);
        beat.setInterval(1);
        auto last = std::chrono::steady_clock::now();
        QObject::connect(&beat, &QTimer::timeout, [&] {
            const auto now = std::chrono::steady_clock::now();
            worstMs = std::max(worstMs, std::chrono::duration<double, std::milli>(now - last).count());
            last = now;
        });
        beat.start();
        QTest::qWait(1000);
    }
    state.counters["worst_gap_ms"] = worstMs;
    state.counters["polls"] = double(std::count(radio.commands.begin(), radio.commands.end(), "FA"));
    if (app->state().station.CurrentBand != QLatin1String("20"))
        state.SkipWithError("the window did not follow the radio");
    closeWindow(app);
}
BENCHMARK(BM_PollingAtTheFastestRateStallsNothing)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
