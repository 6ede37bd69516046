// A band change from the radio on the running log window, as the program runs it: the
// out-of-state or in-state window opened on its 11,000-contact log, the radio's reading
// handed to Form1.BandFreqConversion as the rig session hands it (20 m and 40 m in turn, so
// every reading changes band), the window's change of band, its reload of the log, its
// repaint, and the preferences' delayed write (made here at once, with no delay, so that the
// window thread's part of it, making the file's bytes and handing them to the file writer, is
// inside every iteration; the writer syncs the file on its own thread). Timed: from the
// reading to the window idle again. The worst iteration is reported beside the mean (the
// counter worst_ms); writes_ms is the writer's own time for a write, which the window no
// longer waits for. Goal: within one 16 ms frame.
//
// The window runs on the display the environment names (offscreen when none), with the
// real file writer, and the real screen on a real display:
//   bench/on_xvfb.sh ./build/bench/brevant_band_change_bench

#include "support/ProgramClose.h"
#include "support/SampleLog.h"
#include "support/TestLog.h"
#include "support/TestServices.h"

#include "app/App.h"
#include "core/Tables.h"
#include "core/forms/Form1.h"
#include "mainwindow/MainForm.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <chrono>
#include <memory>
#include <string>

namespace {

using SteadyClock = std::chrono::steady_clock;

double milliseconds(SteadyClock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

bool onRealDisplay() { return QGuiApplication::platformName() != QLatin1String("offscreen"); }

// The window idle again: what the change posted (the repaint, the preferences' hand-over)
// worked off.
void workOffEvents()
{
    for (int pass = 0; pass < 3; ++pass)
        QCoreApplication::processEvents();
}

class BandChangeRig {
public:
    explicit BandChangeRig(bool outOfState);
    ~BandChangeRig() { closeProgram(m_app); }
    BandChangeRig(const BandChangeRig&) = delete;
    BandChangeRig& operator=(const BandChangeRig&) = delete;

    const QString& error() const { return m_error; }
    App& app() { return *m_app; }
    MainForm& window() { return *m_window; }
    QString prefPath() const { return m_dir.filePath(QStringLiteral("QSOpref.txt")); }

private:
    QString setUp(bool outOfState);

    TestServices m_ts;
    QTemporaryDir m_dir;
    std::unique_ptr<App> m_app;
    MainForm* m_window = nullptr;
    QString m_error;
};

BandChangeRig::BandChangeRig(bool outOfState)
{
    if (onRealDisplay())
        m_ts.services.screen = std::move(Services::real().screen);
    // The preferences' write made as soon as the change is worked off, not half a second
    // later, so that each iteration holds its hand-over.
    m_ts.services.fileWriter = std::make_unique<FileWriter>();
    m_ts.services.delayedWrites =
        std::make_unique<DelayedWrites>(m_ts.services.fileWriter.get(), std::chrono::milliseconds(0));
    m_app = std::make_unique<App>(std::move(m_ts.services));
    try {
        m_error = setUp(outOfState);
    } catch (const ProgramEnded&) {
        m_error = QStringLiteral("the window ended the program while loading");
    }
}

QString BandChangeRig::setUp(bool outOfState)
{
    if (!m_dir.isValid())
        return QStringLiteral("no temporary directory");
    AppState& s = m_app->state();
    Folders& f = s.folders;
    f.WorkingDirectory = m_dir.path();
    f.DataFolder = m_dir.filePath(QStringLiteral("Documents/Texas"));
    f.SharedFolder = m_dir.filePath(QStringLiteral("Documents/Shared"));
    QDir().mkpath(f.DataFolder + QStringLiteral("/BACKUP"));
    QDir().mkpath(f.SharedFolder);
    setUpStation(s.station);
    s.station.OutOfState = outOfState ? 1 : 0;
    s.station.OwnCall = QStringLiteral("W5LOG");
    s.station.OwnSpc = outOfState ? QStringLiteral("CO") : QStringLiteral("TX");
    s.station.OwnCounty = QStringLiteral("TRAV");
    s.station.CurrentBand = QStringLiteral("20");
    s.station.CurrentMode = QStringLiteral("CW");
    for (const char* name : {"county2.txt", "states.txt"}) {
        const QString file = QString::fromLatin1(name);
        if (!QFile::copy(shippedDataFile(file), m_dir.filePath(file)))
            return QStringLiteral("cannot copy ") + shippedDataFile(file);
    }
    if (!LoadCountyTable(s) || !LoadPrefixTable(s.tables, shippedDataFile(QStringLiteral("arrlpre2.txt")))
        || !LoadStateTable(s))
        return QStringLiteral("the tables did not load");
    if (!writeLogFile(m_dir.filePath(QStringLiteral("log.txt")), makeSampleLog(MaxLogEntries, s.tables)))
        return QStringLiteral("log.txt not written");
    m_app->showMainWindow();
    m_window = m_app->mainWindow();
    if (m_window == nullptr)
        return QStringLiteral("no main window opened");
    m_window->clocks->stop();
    if (s.log.QsoCount != MaxLogEntries)
        return QStringLiteral("the window loaded %1 contacts").arg(s.log.QsoCount);
    if (!QTest::qWaitForWindowExposed(m_window))
        return QStringLiteral("the window was not shown");
    m_window->activateWindow();
    QApplication::setActiveWindow(m_window);
    workOffEvents();
    return {};
}

void BandChangeFromRadio(benchmark::State& bench, bool outOfState)
{
    BandChangeRig rig(outOfState);
    if (!rig.error().isEmpty()) {
        bench.SkipWithError(qPrintable(rig.error()));
        return;
    }
    Form1& form1 = rig.app().form1();
    FileWriter& writer = *rig.app().services().fileWriter;
    double worst = 0;
    double writes = 0;
    int changes = 0;
    for (auto _ : bench) {
        const float mhz = changes % 2 == 0 ? 7.1f : 14.025f;
        const auto t0 = SteadyClock::now();
        form1.BandFreqConversion(mhz);
        workOffEvents();
        const auto t1 = SteadyClock::now();
        bench.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
        worst = std::max(worst, milliseconds(t1 - t0));
        ++changes;
        // The write, made on the writer's thread while the window is idle again, ends
        // before the next reading so that writes do not pile up.
        bench.PauseTiming();
        writer.waitForAll();
        writes += milliseconds(SteadyClock::now() - t1);
        bench.ResumeTiming();
    }
    const QString band = rig.app().state().station.CurrentBand;
    if (band != QLatin1String(changes % 2 == 0 ? "20" : "40"))
        bench.SkipWithError("the window did not follow the radio");
    QFile pref(rig.prefPath());
    if (!pref.open(QIODevice::ReadOnly) || pref.readAll().split('\n').value(9) != "\"" + band.toLatin1() + "\"\r")
        bench.SkipWithError("QSOpref.txt does not hold the band the radio reported");
    bench.counters["worst_ms"] = worst;
    bench.counters["writes_ms"] = changes ? writes / changes : 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::AddCustomContext("display", QGuiApplication::platformName().toStdString());
    for (const bool outOfState : {true, false}) {
        const std::string name = std::string(outOfState ? "Outfrm" : "Infrm") + "/BandChangeFromRadio";
        benchmark::RegisterBenchmark(name.c_str(), [outOfState](benchmark::State& s) {
            BandChangeFromRadio(s, outOfState);
        })->Unit(benchmark::kMillisecond)->UseManualTime();
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
