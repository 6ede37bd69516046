// The radio's reply reaching the log window: a Kenwood reply waiting at the port, the poll's
// read tick decodes it and hands it to the out-of-state window, which changes band and mode
// and keeps the frequency for the next contact (goal < 2 ms; the poll interval is the
// operator's wait and the program must add nothing to it). The reply alternates between
// 20 m CW and 40 m phone so every tick changes band. Runs offscreen with the test doubles
// of the platform services (the port a FakeSerialPort), in brevant_window_bench.

#include "support/FakeDevices.h"
#include "support/SampleLog.h"
#include "support/TestLog.h"
#include "support/TestServices.h"

#include "app/App.h"
#include "mainwindow/MainForm.h"
#include "rig/windows/RigControlfrm.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

void BM_RigReplyToLogWindow(benchmark::State& state)
{
    TestServices ts;
    auto serialPorts = ts.serialPorts;
    QTemporaryDir dir;
    auto app = std::make_unique<App>(std::move(ts.services));
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
              "\"4800 \"\r\n\"N\"\r\n\"8\"\r\n\"2\"\r\n\"MD;\"\r\n\"FA;\"\r\n\"4800,N,8,2\"\r\n1\r\n\"N\"\r\n\"F\"\r\n"
              "\"Kenwood\"\r\n0\r\n1\r\n1\r\n");
    app->showMainWindow();
    MainForm* w = app->mainWindow();
    if (!w || !app->rigControlfrmLoaded() || serialPorts->empty()) {
        state.SkipWithError("the window or the radio did not start");
        return;
    }
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
    w->hide();
    app.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
BENCHMARK(BM_RigReplyToLogWindow)->Unit(benchmark::kMicrosecond);

} // namespace
