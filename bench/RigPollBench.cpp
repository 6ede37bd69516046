// The radio's reply reaching the log window on a full log of 11,000 contacts: a Kenwood
// reply waiting at the port, the poll's read tick decodes it and hands it to the window,
// which changes band and mode, reloads the log and keeps the frequency for the next
// contact, and the repaint that follows (goal: one frame, 16 ms, at worst; the poll
// interval is the operator's wait and the program must add nothing to it). The reply
// alternates between 20 m CW and 40 m phone so every tick changes band. Runs offscreen with
// the test doubles of the platform services (the port a FakeSerialPort), in
// brevant_window_bench. And the window's worst stall while polled at the fastest rate on a
// real port, the radio staying on one band or tuned to another band at every poll.
// On a real X display (Xvfb and a window manager):
//   bench/on_xvfb.sh ./build/bench/brevant_window_bench --benchmark_filter='Rig|Polling'

#include "support/FakeDevices.h"
#include "support/ProgramClose.h"
#include "support/SampleLog.h"
#include "support/TestLog.h"
#include "support/TestServices.h"

#include "app/App.h"
#include "core/Tables.h"
#include "mainwindow/MainForm.h"
#include "rig/RigSession.h"
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

// log.txt holding the 11,000 contacts of the sample log; the tables it is made from are
// those the window loads.
bool writeFullLog(AppState& s, const QString& path)
{
    if (!LoadCountyTable(s) || !LoadPrefixTable(s.tables, shippedDataFile(QStringLiteral("arrlpre2.txt"))))
        return false;
    return writeLogFile(path, makeSampleLog(MaxLogEntries, s.tables));
}

// The out-of-state or the in-state window opened as the program opens it on the full log,
// a Kenwood named in RigCntrl.txt polled at the rate letter; null when the window or the
// radio did not start.
std::unique_ptr<App> openWithRadio(TestServices& ts, const QTemporaryDir& dir, const char* rate, bool outOfState,
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
    s.station.OutOfState = outOfState ? 1 : 0;
    s.station.OwnCounty = QStringLiteral("TRAV");
    s.station.RigName = QStringLiteral("Kenwood");
    QFile::copy(shippedDataFile(QStringLiteral("county2.txt")), dir.filePath(QStringLiteral("county2.txt")));
    if (!writeFullLog(s, dir.filePath(QStringLiteral("log.txt"))))
        return nullptr;
    writeFile(dir.filePath(QStringLiteral("RigCntrl.txt")),
              QByteArray("\"4800 \"\r\n\"N\"\r\n\"8\"\r\n\"2\"\r\n\"MD;\"\r\n\"FA;\"\r\n\"4800,N,8,2\"\r\n1\r\n\"N\"\r\n\"")
                  + rate + "\"\r\n\"Kenwood\"\r\n0\r\n1\r\n1\r\n");
    app->showMainWindow();
    if (!app->mainWindow() || !app->rigControlfrmLoaded() || !app->rigSession().polling()
        || s.log.QsoCount != MaxLogEntries)
        return nullptr;
    // The clocks would tick in the middle of a timing.
    app->mainWindow()->clocks->stop();
    return app;
}

const char* windowName(benchmark::State& state) { return state.range(0) == 1 ? "Outfrm" : "Infrm"; }

void BM_RigReplyToLogWindow(benchmark::State& state)
{
    TestServices ts;
    auto serialPorts = ts.serialPorts;
    QTemporaryDir dir;
    auto app = openWithRadio(ts, dir, "F", state.range(0) == 1);
    if (!app) {
        state.SkipWithError("the window, the log or the radio did not start");
        return;
    }
    MainForm* w = app->mainWindow();
    RigPoller& poller = app->rigSession().poller();
    poller.tmrGetData.stop(); // the benchmark runs the ticks
    FakeSerialPort& port = *serialPorts->back();
    const QByteArray replies[] = {"FA00014074000;MD3;", "FA00007200000;MD2;"};
    const char* bands[] = {"20", "40"};
    int n = 0;
    double worstMs = 0;
    for (auto _ : state) {
        if (poller.RigPollPhase == 0)
            poller.tmrGetData_Timer(); // the send tick
        QCoreApplication::processEvents();
        port.received = replies[n % 2];

        const auto start = std::chrono::steady_clock::now();
        poller.tmrGetData_Timer(); // the read tick
        QCoreApplication::processEvents(); // the repaint, and the preferences when their write is due
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(ms / 1000);
        worstMs = std::max(worstMs, ms);

        if (w->Label24->text() != QLatin1String(bands[n % 2]) || app->state().log.QsoCount != MaxLogEntries)
            state.SkipWithError("the window did not follow the radio");
        ++n;
    }
    state.counters["worst_ms"] = worstMs;
    state.SetLabel(windowName(state));
    closeProgram(app);
}
BENCHMARK(BM_RigReplyToLogWindow)->Arg(1)->Arg(0)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The window's responsiveness while a radio on a real port (the fake radio on a
// pseudo-terminal) is polled at the fastest rate: a 1 ms timer runs beside the poll for a
// second and the longest gap between its ticks is the worst stall an operator's key would
// wait (goal < 16 ms). Argument 1: the radio is tuned to another band before every poll
// (every 100 ms), so each poll changes band, reloads the log and asks for the preferences to
// be saved.
void BM_PollingAtTheFastestRateStallsNothing(benchmark::State& state)
{
    const bool tuning = state.range(0) == 1;
    FakeRadio radio(FakeRadio::Family::Kenwood);
    const QByteArray frequencies[] = {"FA00014074000;", "FA00007030000;"};
    radio.replies["FA"] = frequencies[0];
    radio.replies["MD"] = "MD3;";
    TestServices ts;
    ts.environment->variables["BREVANT_COM1"] = radio.name();
    QTemporaryDir dir;
    auto app = openWithRadio(ts, dir, "F", true, [environment = ts.environment, settings = ts.settings](Services& s) {
        s.makeSerialPort = [environment, settings] {
            return std::make_unique<QtSerialPort>(
                [environment, settings](int com) { return comPortDevice(com, *environment, *settings); });
        };
    });
    if (!app) {
        state.SkipWithError("the window, the log or the radio did not start");
        return;
    }
    const QString& band = app->state().station.CurrentBand;
    double worstMs = 0;
    int bandChanges = 0;
    for (auto _ : state) {
        QTimer beat;
        beat.setTimerType(Qt::PreciseTimer);
        beat.setInterval(1);
        auto last = std::chrono::steady_clock::now();
        QString lastBand = band;
        QObject::connect(&beat, &QTimer::timeout, [&] {
            const auto now = std::chrono::steady_clock::now();
            worstMs = std::max(worstMs, std::chrono::duration<double, std::milli>(now - last).count());
            last = now;
            if (band != lastBand) {
                ++bandChanges;
                lastBand = band;
            }
        });
        QTimer tune;
        int turn = 0;
        QObject::connect(&tune, &QTimer::timeout, [&] { radio.replies["FA"] = frequencies[++turn % 2]; });
        beat.start();
        if (tuning)
            tune.start(100);
        QTest::qWait(1000);
    }
    state.counters["worst_gap_ms"] = worstMs;
    state.counters["polls"] = double(std::count(radio.commands.begin(), radio.commands.end(), "FA"));
    state.counters["band_changes"] = bandChanges;
    if (tuning ? bandChanges < 2 : band != QLatin1String("20"))
        state.SkipWithError("the window did not follow the radio");
    closeProgram(app);
}
BENCHMARK(BM_PollingAtTheFastestRateStallsNothing)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
