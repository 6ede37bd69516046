// A burst of 500 cluster lines reaching the running log window, as the program runs it: the
// out-of-state or in-state window opened on its 11,000-contact log, the spotting window
// connected to a telnet cluster and its "Done" leaving the band map (or the list) shown,
// and the 500 lines arriving in one read; with the band map shown, also with the spectrum
// map open over the window. Every iteration sends 500 lines not sent before, with calls and
// frequencies of their own, so the labels move every time as they do on a busy cluster.
// Timed: from the read to the window idle again, the spots filed, the list and the maps
// redrawn and the windows repainted; the worst iteration is reported beside the mean (the
// counter worst_ms). Goal: within one 16 ms frame. And one spot arriving at a band map that
// already shows a full store.
//
// The window runs on the display the environment names (QT_QPA_PLATFORM; offscreen when
// none is named), since only a real X server shows what moving widgets costs there:
//   ./build/bench/brevant_spot_display_bench                  (offscreen)
//   bench/on_xvfb.sh ./build/bench/brevant_spot_display_bench (its own Xvfb and window manager)
// The platform services are the test doubles, apart from the screen on a real display.

#include "support/FakeDevices.h"
#include "support/ProgramClose.h"
#include "support/SampleLog.h"
#include "support/TestLog.h"
#include "support/TestServices.h"

#include "FakeCluster.h"
#include "app/App.h"
#include "core/Tables.h"
#include "mainwindow/MainForm.h"
#include "spots/SpotSettings.h"
#include "spots/windows/BandMap.h"
#include "spots/windows/PacketSpotfrm.h"
#include "spots/windows/SpectrumMap.h"
#include "spots/windows/SpotAreaPanel.h"
#include "spots/windows/SpotLabelWidget.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>
#include <string>
#include <utility>

namespace {

using Seconds = std::chrono::duration<double>;
using SteadyClock = std::chrono::steady_clock;

enum class WindowKind { OutOfState, InState };
enum class Display { BandMap, List, SpectrumMap };

bool onRealDisplay() { return QGuiApplication::platformName() != QLatin1String("offscreen"); }

// Spots all over 20 m (and, every fifth line, 40 m, for the spectrum map's other lines);
// line i of the run has a frequency and a call of its own, a call coming back every 260
// lines, so older spots of it are deleted. Bursts from different `first` differ.
QByteArray clusterBurst(int lines, int first = 0)
{
    QByteArray text;
    for (int i = first; i < first + lines; ++i) {
        const double khz = i % 5 == 4 ? 7000.5 + (i * 13) % 299 : 14000.5 + (i * 7) % 349 + (i / 500 % 10) * 0.1;
        text += clusterSpotLine(QStringLiteral("K5DX"), khz,
                                QStringLiteral("W%1A%2%3").arg(i % 10).arg(QChar(u'A' + i % 26)).arg(QChar(u'A' + i / 10 % 10)),
                                QStringLiteral("CQ TQP %1").arg(i));
    }
    return text;
}

double milliseconds(SteadyClock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The window idle again: what the read posted (the redraws, the repaint) worked off.
void workOffEvents()
{
    for (int pass = 0; pass < 3; ++pass)
        QCoreApplication::processEvents();
}

// The log window of a station on its full log, with the spot area open on a telnet cluster.
class SpotWindowRig {
public:
    SpotWindowRig(WindowKind kind, Display display);
    ~SpotWindowRig();
    SpotWindowRig(const SpotWindowRig&) = delete;
    SpotWindowRig& operator=(const SpotWindowRig&) = delete;

    const QString& error() const { return m_error; }
    MainForm& window() { return *m_window; }
    FakeTcpLink& cluster() { return *m_cluster; }
    int labelsShown() const;

private:
    QString setUp(WindowKind kind, Display display);
    QString openSpotArea(Display display);
    void restPointerOnTheSpotArea();

    TestServices m_ts;
    std::shared_ptr<std::vector<FakeTcpLink*>> m_links = m_ts.tcpLinks;
    QTemporaryDir m_dir;
    std::unique_ptr<App> m_app;
    MainForm* m_window = nullptr;
    FakeTcpLink* m_cluster = nullptr;
    QString m_error;
};

SpotWindowRig::SpotWindowRig(WindowKind kind, Display display)
{
    if (onRealDisplay())
        m_ts.services.screen = std::move(Services::real().screen);
    m_app = std::make_unique<App>(std::move(m_ts.services));
    try {
        m_error = setUp(kind, display);
    } catch (const ProgramEnded&) {
        m_error = QStringLiteral("the window ended the program while loading");
    }
}

SpotWindowRig::~SpotWindowRig() { closeProgram(m_app); }

QString SpotWindowRig::setUp(WindowKind kind, Display display)
{
    if (!m_dir.isValid())
        return QStringLiteral("no temporary directory: ") + m_dir.errorString();
    AppState& s = m_app->state();
    Folders& f = s.folders;
    f.WorkingDirectory = m_dir.path();
    f.DataFolder = m_dir.filePath(QStringLiteral("Documents/Texas"));
    f.SharedFolder = m_dir.filePath(QStringLiteral("Documents/Shared"));
    QDir().mkpath(f.DataFolder + QStringLiteral("/BACKUP"));
    QDir().mkpath(f.SharedFolder);
    setUpStation(s.station);
    s.station.OutOfState = kind == WindowKind::OutOfState ? 1 : 0;
    s.station.OwnCall = QStringLiteral("W5LOG");
    s.station.OwnSpc = kind == WindowKind::OutOfState ? QStringLiteral("CO") : QStringLiteral("TX");
    s.station.OwnCounty = QStringLiteral("TRAV");
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
    m_window->clocks->stop(); // the clocks would tick in the middle of a timing
    if (s.log.QsoCount != MaxLogEntries)
        return QStringLiteral("the window loaded %1 contacts").arg(s.log.QsoCount);
    if (!QTest::qWaitForWindowExposed(m_window))
        return QStringLiteral("the window was not shown");
    return openSpotArea(display);
}

// As the operator does it: the spotting window's settings (a telnet cluster, the display
// chosen), its "Done", and the cluster answering.
QString SpotWindowRig::openSpotArea(Display display)
{
    SpotSettings settings;
    settings.TncBaud = QStringLiteral("9600");
    settings.TncParity = QStringLiteral("N");
    settings.TncDataBits = QStringLiteral("8");
    settings.TncStopBits = QStringLiteral("1");
    settings.TncPort = 1;
    settings.TncPower = QStringLiteral("N");
    settings.SpotTransport = QStringLiteral("Telnet");
    settings.TncHandshaking = 1;
    settings.listChosen = display == Display::List;
    settings.hexCharacter = QStringLiteral("03");
    settings.telnetPort = QStringLiteral("7300");
    settings.telnetHost = QStringLiteral("127.0.0.1");
    QFile file(m_dir.filePath(QStringLiteral("PackSpot.txt")));
    if (!file.open(QIODevice::WriteOnly) || !writeSpotSettings(file, settings))
        return QStringLiteral("PackSpot.txt not written");
    file.close();

    m_app->showSpotting();
    PacketSpotfrm* spotting = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<PacketSpotfrm*>(widget))
            spotting = found;
    }
    if (spotting == nullptr)
        return QStringLiteral("no spotting window");
    spotting->cmdDone_Click();
    for (FakeTcpLink* link : *m_links) {
        if (link->state() == TcpLink::State::Connecting)
            m_cluster = link;
    }
    if (m_cluster == nullptr)
        return QStringLiteral("the spotting window did not connect to the cluster");
    m_cluster->accept();
    m_window->activateWindow();
    QApplication::setActiveWindow(m_window);
    workOffEvents();
    restPointerOnTheSpotArea();
    const SpotAreaPanel& area = *m_window->spotArea;
    const bool bandMap = display != Display::List;
    if (area.bandMap->isShown() != bandMap || area.txtDX->isHidden() == !bandMap)
        return QStringLiteral("the spot area does not show the display chosen");
    return {};
}

// The operator's pointer rests on the window, on the spot area under the band map's line,
// where no spot label goes; Qt then keeps track of the widget under it.
void SpotWindowRig::restPointerOnTheSpotArea()
{
    if (!onRealDisplay())
        return;
    const QRect area = m_window->spotArea->txtDX->geometry();
    QCursor::setPos(m_window->mapToGlobal(QPoint(area.center().x(), area.bottom() - area.height() / 8)));
    QTest::qWait(100);
    workOffEvents();
}

int SpotWindowRig::labelsShown() const
{
    int shown = 0;
    for (const SpotLabelWidget* label : m_window->spotArea->bandMap->lblDXSpot)
        shown += label->isVisible() ? 1 : 0;
    return shown;
}

// The window under timing; one at a time.
std::unique_ptr<SpotWindowRig> g_rig;
std::pair<WindowKind, Display> g_rigKind;

SpotWindowRig* rigFor(WindowKind kind, Display display, benchmark::State& bench)
{
    if (!g_rig || g_rigKind != std::pair{kind, display}) {
        g_rig.reset();
        g_rig = std::make_unique<SpotWindowRig>(kind, display);
        g_rigKind = {kind, display};
    }
    if (!g_rig->error().isEmpty()) {
        bench.SkipWithError(qPrintable(g_rig->error()));
        return nullptr;
    }
    return g_rig.get();
}

int spectrumLabelsShown(const SpectrumMap& map)
{
    return int(std::count_if(map.lblDXSpot.begin(), map.lblDXSpot.end(),
                             [](const SpotLabelWidget* label) { return label->isVisible(); }));
}

// Bursts of new lines, each in one read, and the window idle again.
void timeBursts(benchmark::State& bench, SpotWindowRig& rig)
{
    static int sent = 0; // lines sent in this run: every burst is new
    double worst = 0;
    for (auto _ : bench) {
        bench.PauseTiming();
        const QByteArray burst = clusterBurst(500, sent);
        sent += 500;
        bench.ResumeTiming();
        const auto t0 = SteadyClock::now();
        rig.cluster().send(burst);
        workOffEvents();
        const auto t1 = SteadyClock::now();
        bench.SetIterationTime(Seconds(t1 - t0).count());
        worst = std::max(worst, milliseconds(t1 - t0));
    }
    bench.counters["worst_ms"] = worst;
}

void SpotBurst(benchmark::State& bench, WindowKind kind, Display display)
{
    SpotWindowRig* rig = rigFor(kind, display, bench);
    if (!rig)
        return;
    MainForm& w = rig->window();
    SpotAreaPanel& area = *w.spotArea;
    if (display != Display::SpectrumMap) {
        timeBursts(bench, *rig);
    } else {
        // The map is modal, as the program shows it: the bursts run inside its showing, once
        // it is on the screen (its load lets events run before it is shown).
        int spectrumLabels = -1;
        QTimer shown;
        shown.setInterval(10);
        QObject::connect(&shown, &QTimer::timeout, &w, [&] {
            SpectrumMap* map = area.spectrumMap();
            if (!map || !map->isVisible())
                return;
            shown.stop();
            if (!QTest::qWaitForWindowExposed(map)) {
                bench.SkipWithError("the spectrum map did not show");
                for (auto _ : bench) {
                }
            } else {
                QCoreApplication::processEvents();
                timeBursts(bench, *rig);
                spectrumLabels = spectrumLabelsShown(*map);
            }
            map->hide();
        });
        shown.start();
        area.lblDX_DblClick();
        shown.stop();
        if (spectrumLabels == 0)
            bench.SkipWithError("the spectrum map shows no spot");
        bench.counters["map_labels"] = spectrumLabels;
    }
    if (area.spotRows->rowCount() != 200)
        bench.SkipWithError("the list does not hold the newest 200 spots");
    else if (display != Display::List && rig->labelsShown() == 0)
        bench.SkipWithError("the band map shows no spot");
    bench.counters["labels"] = rig->labelsShown();
}

// One spot at a band map showing a full store, as a quiet cluster sends them.
void OneSpot(benchmark::State& bench, WindowKind kind)
{
    SpotWindowRig* rig = rigFor(kind, Display::BandMap, bench);
    if (!rig)
        return;
    rig->cluster().send(clusterBurst(50));
    workOffEvents();
    int next = 50;
    double worst = 0;
    for (auto _ : bench) {
        const QByteArray line = clusterBurst(1, next++);
        const auto t0 = SteadyClock::now();
        rig->cluster().send(line);
        workOffEvents();
        const auto t1 = SteadyClock::now();
        bench.SetIterationTime(Seconds(t1 - t0).count());
        worst = std::max(worst, milliseconds(t1 - t0));
    }
    bench.counters["worst_ms"] = worst;
    if (rig->labelsShown() == 0)
        bench.SkipWithError("the band map shows no spot");
    bench.counters["labels"] = rig->labelsShown();
}

void registerWindow(WindowKind kind)
{
    const std::string window = kind == WindowKind::OutOfState ? "Outfrm" : "Infrm";
    for (const Display display : {Display::BandMap, Display::List, Display::SpectrumMap}) {
        const std::string name = window
            + (display == Display::BandMap ? "/SpotBurst500_BandMap"
               : display == Display::List  ? "/SpotBurst500_List"
                                           : "/SpotBurst500_BandMapAndSpectrumMap");
        benchmark::RegisterBenchmark(name.c_str(), [kind, display](benchmark::State& s) { SpotBurst(s, kind, display); })
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime();
    }
    benchmark::RegisterBenchmark((window + "/OneSpot_BandMap").c_str(), [kind](benchmark::State& s) { OneSpot(s, kind); })
        ->Unit(benchmark::kMicrosecond)
        ->UseManualTime();
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
    registerWindow(WindowKind::OutOfState);
    registerWindow(WindowKind::InState);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_rig.reset();
    return 0;
}
