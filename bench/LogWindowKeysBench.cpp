// Timings of the log windows themselves on a full log, each window opened as the program
// opens it (App::showMainWindow: county table, "Open existing log?" answered Yes, the log
// loaded) and driven as the operator drives it:
//   - one key typed into the call field, the possible-duplicates line on (goal < 1 ms);
//   - Mains logging contact 11,000 into a 10,999-contact log, the log list refreshed
//     (goal < 5 ms);
//   - ReloadLog of the 11,000 contacts (goal < 150 ms);
// for the out-of-state window (Outfrm) and the in-state window (Infrm). The windows run
// offscreen with the test doubles of the platform services. Built with the program when
// the tests are built, run by hand, never registered with ctest:
//   ./build/bench/brevant_window_bench

#include "support/ProgramClose.h"
#include "support/SampleLog.h"
#include "support/TestLog.h"
#include "support/TestServices.h"

#include "app/App.h"
#include "core/LogStore.h"
#include "core/RecordFile.h"
#include "core/Tables.h"
#include "entry/DupeRules.h"
#include "mainwindow/Infrm.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Outfrm.h"
#include "platform/DiskFile.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSet>
#include <QTest>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <chrono>
#include <memory>
#include <string>

namespace {

enum class WindowKind { OutOfState, InState };

const char* windowName(WindowKind kind) { return kind == WindowKind::OutOfState ? "Outfrm" : "Infrm"; }

using Seconds = std::chrono::duration<double>;
using SteadyClock = std::chrono::steady_clock;

// Sets each iteration's time and reports the worst beside the mean (the counter worst_ms),
// for what the operator feels is the worst wait, not the average one.
class IterationTimes {
public:
    explicit IterationTimes(benchmark::State& bench) : m_bench(bench) {}
    ~IterationTimes() { m_bench.counters["worst_ms"] = m_worstMs; }
    IterationTimes(const IterationTimes&) = delete;
    IterationTimes& operator=(const IterationTimes&) = delete;
    void set(SteadyClock::duration taken)
    {
        m_bench.SetIterationTime(Seconds(taken).count());
        m_worstMs = std::max(m_worstMs, std::chrono::duration<double, std::milli>(taken).count());
    }

private:
    benchmark::State& m_bench;
    double m_worstMs = 0;
};

// FNV-1a of a call: the same call always gets the same home county.
quint32 callHash(const QString& call)
{
    quint32 h = 2166136261u;
    for (const QChar c : call) {
        h ^= c.unicode();
        h *= 16777619u;
    }
    return h;
}

// The sample log as an out-of-state operator logs it: every contact is a Texas station
// with its county (stations outside Texas get a fixed home county each), and neither the
// state nor a county sent is recorded. No call, band, mode and county repeats.
void makeOutOfStateLog(std::vector<LogEntry>& entries, const ReferenceTables& tables)
{
    const quint32 counties = quint32(tables.CountyCount);
    QSet<QString> logged;
    for (LogEntry& e : entries) {
        e.Spc.clear();
        e.CountySent.clear();
        if (e.County.isEmpty()) {
            quint32 pick = callHash(e.Call) % counties;
            for (;;) {
                e.County = tables.CountyAbbrev[size_t(pick) + 1];
                const QString key = e.Call + u'|' + e.Band + u'|' + e.Mode + u'|' + e.County;
                if (!logged.contains(key))
                    break;
                pick = (pick + 1) % counties;
            }
        }
        logged.insert(e.Call + u'|' + e.Band + u'|' + e.Mode + u'|' + e.County);
    }
}

// One main window of a station, opened on its 11,000-contact log in a temporary working
// directory. log.txt can be cut back to fewer contacts and the window reloaded.
class WindowRig {
public:
    explicit WindowRig(WindowKind kind);
    ~WindowRig();
    WindowRig(const WindowRig&) = delete;
    WindowRig& operator=(const WindowRig&) = delete;

    const QString& error() const { return m_error; }
    WindowKind kind() const { return m_kind; }
    MainForm& window() { return *m_window; }
    AppState& state() { return m_app->state(); }
    ScriptedDialogs& dialogs() { return *m_dialogs; }
    const std::vector<LogEntry>& entries() const { return m_entries; }
    QString logPath() const { return m_dir.filePath(QStringLiteral("log.txt")); }
    // The size of log.txt holding the first `count` contacts.
    qint64 logBytes(int count) const { return m_offsets[size_t(count)]; }
    // The first `count` records of log.txt, and the record of contact n (1 to 11,000).
    QByteArray logText(int count) const { return m_records.left(logBytes(count)); }
    QByteArray record(int n) const { return m_records.mid(logBytes(n - 1), logBytes(n) - logBytes(n - 1)); }

    // log.txt cut to its first `count` contacts (rewritten from the kept bytes), then the
    // window's ReloadLog. Empty when the window holds them all, else what went wrong.
    QString loadContacts(int count);
    // The window active with the cursor in an empty call field. False when it is not.
    bool activate();

private:
    QString setUp();

    WindowKind m_kind;
    TestServices m_ts;
    ScriptedDialogs* m_dialogs = m_ts.dialogs;
    QTemporaryDir m_dir;
    std::unique_ptr<App> m_app;
    MainForm* m_window = nullptr;
    std::vector<LogEntry> m_entries;
    QByteArray m_records;          // the 11,000 records of log.txt
    std::vector<qint64> m_offsets; // bytes of the first n records, n = 0 to 11,000
    QString m_error;
};

WindowRig::WindowRig(WindowKind kind) : m_kind(kind)
{
    m_app = std::make_unique<App>(std::move(m_ts.services));
    try {
        m_error = setUp();
    } catch (const ProgramEnded&) {
        m_error = QStringLiteral("the window ended the program while loading");
    }
}

WindowRig::~WindowRig() { closeProgram(m_app); }

QString WindowRig::setUp()
{
    if (!m_dir.isValid())
        return QStringLiteral("no temporary directory: ") + m_dir.errorString();
    AppState& s = state();
    Folders& f = s.folders;
    f.WorkingDirectory = m_dir.path();
    f.WorkingDrive = f.WorkingDirectory.left(1);
    f.DataFolder = m_dir.filePath(QStringLiteral("Documents/Texas"));
    f.SharedFolder = m_dir.filePath(QStringLiteral("Documents/Shared"));
    f.ProgramVersion = QStringLiteral("2.3");
    QDir().mkpath(f.DataFolder + QStringLiteral("/BACKUP"));
    QDir().mkpath(f.SharedFolder);

    StationData& st = s.station;
    const bool outOfState = m_kind == WindowKind::OutOfState;
    setUpStation(st);
    st.OutOfState = outOfState ? 1 : 0;
    st.OwnCall = outOfState ? QStringLiteral("W0OUT") : QStringLiteral("W5LOG");
    st.OwnSpc = outOfState ? QStringLiteral("CO") : QStringLiteral("TX");
    st.OwnCounty = QStringLiteral("TRAV");
    st.UtcOffsetHours = 5;
    st.OwnLatitude = 30.27f; // Austin; longitudes count positive toward the west
    st.OwnLongitude = 97.74f;
    m_ts.clock->utcOffsetSeconds = 5 * 3600;

    // The working directory's files, and the tables start-up loads before the window.
    for (const char* name : {"county2.txt", "states.txt"}) {
        const QString file = QString::fromLatin1(name);
        if (!QFile::copy(shippedDataFile(file), m_dir.filePath(file)))
            return QStringLiteral("cannot copy ") + shippedDataFile(file);
    }
    if (!LoadCountyTable(s) || s.tables.CountyCount < 1)
        return QStringLiteral("county table not loaded");
    if (!LoadPrefixTable(s.tables, shippedDataFile(QStringLiteral("arrlpre2.txt"))))
        return QStringLiteral("prefix table not loaded");
    if (!LoadStateTable(s))
        return QStringLiteral("state table not loaded");

    m_entries = makeSampleLog(MaxLogEntries, s.tables);
    if (outOfState)
        makeOutOfStateLog(m_entries, s.tables);
    {
        QBuffer buffer(&m_records);
        buffer.open(QIODevice::WriteOnly);
        RecordWriter writer(buffer);
        m_offsets.push_back(0);
        for (const LogEntry& e : m_entries) {
            writeLogEntry(writer, e);
            buffer.waitForBytesWritten(0);
            m_offsets.push_back(buffer.pos());
        }
        if (!writer.ok())
            return QStringLiteral("log records not written");
    }
    writeBytes(logPath(), m_records);

    m_app->showMainWindow();
    m_window = m_app->mainWindow();
    if (m_window == nullptr)
        return QStringLiteral("no main window opened");
    m_window->clocks->stop(); // the clocks and rates would tick in the middle of a timing
    if (dialogs().shown.size() != 1 || dialogs().shown.front().title != QStringLiteral("Open existing log?"))
        return QStringLiteral("the load showed an unexpected box: ") + dialogs().shown.back().text;
    if (s.log.QsoCount != MaxLogEntries)
        return QStringLiteral("the window loaded %1 contacts").arg(s.log.QsoCount);
    if (!activate())
        return QStringLiteral("the window did not become active with the cursor in the call field");
    m_window->cmdLogOn_Click(); // the operating clock on, as during the contest
    if (s.clock.TimedOn != 1)
        return QStringLiteral("the operating clock did not start");
    return {};
}

bool WindowRig::activate()
{
    MainForm& w = window();
    QApplication::setActiveWindow(&w);
    w.activateWindow();
    const bool active = QTest::qWaitForWindowActive(&w);
    w.txtCall->setFocus();
    QCoreApplication::processEvents();
    w.ClearEntry();
    QCoreApplication::processEvents();
    return active && QApplication::focusWidget() == w.txtCall;
}

QString WindowRig::loadContacts(int count)
{
    if (state().log.QsoCount == count && QFileInfo(logPath()).size() == logBytes(count))
        return {};
    writeBytes(logPath(), logText(count));
    try {
        window().ReloadLog();
    } catch (const ProgramEnded&) {
        return QStringLiteral("ReloadLog ended the program");
    }
    QCoreApplication::processEvents();
    if (state().log.QsoCount != count)
        return QStringLiteral("ReloadLog loaded %1 of %2 contacts").arg(state().log.QsoCount).arg(count);
    return {};
}

// The window under timing. One at a time: opening the other kind closes it first.
std::unique_ptr<WindowRig> g_rig;

WindowRig* rigFor(WindowKind kind, benchmark::State& bench)
{
    if (!g_rig || g_rig->kind() != kind) {
        g_rig.reset();
        g_rig = std::make_unique<WindowRig>(kind);
    }
    if (!g_rig->error().isEmpty()) {
        bench.SkipWithError(qPrintable(g_rig->error()));
        return nullptr;
    }
    return g_rig.get();
}

void setLabel(benchmark::State& bench, const QString& text) { bench.SetLabel(text.toStdString()); }

// ---- one key in the call field ----

// The three characters of a call typed on 20 m CW: Texas and other US calls, a Canadian
// and a DX prefix. The third key is the one timed: the first that fills the line.
const char* const TypedPrefixes[] = {"K5A", "W5R", "KD0", "VE3", "DL1"};

// The third character typed into the call field holding the first two; Backspace takes
// it out again untimed. With `repaint`, the window's repaint that the key schedules is
// timed too.
void CallKey(benchmark::State& bench, WindowKind kind, const char* typedPrefix, bool repaint)
{
    WindowRig* rig = rigFor(kind, bench);
    if (!rig)
        return;
    if (const QString failed = rig->loadContacts(MaxLogEntries); !failed.isEmpty()) {
        bench.SkipWithError(qPrintable(failed));
        return;
    }
    if (!rig->activate()) {
        bench.SkipWithError("the window is not active with the cursor in the call field");
        return;
    }
    MainForm& w = rig->window();
    const AppState& state = rig->state();
    w.PartialDupesOn = 1;
    const QString typed = QString::fromLatin1(typedPrefix);
    const QString start = typed.left(2);
    for (const QChar c : start)
        QTest::keyClick(w.txtCall, c.toLatin1());
    QCoreApplication::processEvents();
    const char key = typed.back().toLatin1();
    if (w.txtCall->text() != start) {
        bench.SkipWithError("the first two keys did not reach the call field");
        return;
    }
    const QString expected = possibleDupesList(state, typed, w.inState(), state.station.OwnCounty);
    bool checked = false;
    IterationTimes times(bench);
    for (auto _ : bench) {
        const auto t0 = SteadyClock::now();
        QTest::keyClick(w.txtCall, key);
        if (repaint)
            QCoreApplication::processEvents();
        const auto t1 = SteadyClock::now();
        times.set(t1 - t0);
        bench.PauseTiming();
        if (!checked) {
            // A prefix with no match scans the whole log: the line stays empty.
            if (w.txtCall->text() != typed || w.lblDupe->text() != expected) {
                bench.SkipWithError(qPrintable(QStringLiteral("the key did not list the possible duplicates: \"")
                                               + w.txtCall->text() + QStringLiteral("\" -> \"")
                                               + w.lblDupe->text() + u'"'));
                break;
            }
            checked = true;
        }
        QTest::keyClick(w.txtCall, Qt::Key_Backspace);
        QCoreApplication::processEvents();
        bench.ResumeTiming();
    }
    setLabel(bench, typed + QStringLiteral(" -> ") + QString::number(expected.count(u' ')) + QStringLiteral(" calls listed"));
    w.ClearEntry();
    QCoreApplication::processEvents();
}

// ---- Mains: contact 11,000 ----

// Fills the entry fields with the contact, as typed before Enter.
void fillEntry(MainForm& w, const LogEntry& e)
{
    w.txtCall->setText(e.Call);
    w.txtRSTR->setText(e.RstRcvd);
    if (w.inState())
        w.txtCntry->setText(e.Spc);
    w.txtSec->setText(e.County);
    w.txtRSTS->setText(e.RstSent);
    w.txtCall->setFocus();
}

// The window's lists that a new multiplier changes, as counts.
std::vector<int> listCounts(WindowRig& rig)
{
    MainForm& w = rig.window();
    std::vector<int> counts{w.List2->count(), w.countiesToGo->count()};
    if (rig.kind() == WindowKind::InState)
        counts.push_back(static_cast<Infrm&>(w).List1->count());
    return counts;
}

// Enter's work on the 11,000th contact of the sample log (on the window's 20 m CW) with
// 10,999 in the log: the checks, the record appended to log.txt (flushed to the disk),
// the score, the county lists and the log list refreshed and repainted. Between
// iterations, untimed: log.txt cut back to 10,999 contacts, the count and the score set
// back (a full ReloadLog when the contact brought a new multiplier).
void MainsLastContact(benchmark::State& bench, WindowKind kind)
{
    WindowRig* rig = rigFor(kind, bench);
    if (!rig)
        return;
    constexpr int Before = MaxLogEntries - 1;
    if (const QString failed = rig->loadContacts(Before); !failed.isEmpty()) {
        bench.SkipWithError(qPrintable(failed));
        return;
    }
    if (!rig->activate()) {
        bench.SkipWithError("the window is not active with the cursor in the call field");
        return;
    }
    MainForm& w = rig->window();
    AppState& state = rig->state();
    LogEntry contact = rig->entries()[size_t(Before)];
    if (contact.RstRcvd.size() != 3) { // logged on CW
        contact.RstRcvd = QStringLiteral("599");
        contact.RstSent = QStringLiteral("599");
    }
    DupeQuery query;
    query.call = contact.Call;
    query.county = w.inState() && contact.Spc != state.station.HostState ? QString() : contact.County;
    query.band = state.station.CurrentBand;
    query.mode = state.station.CurrentMode;
    query.compareCountySent = w.inState();
    query.ownCounty = state.station.OwnCounty;
    if (findLogDupe(state, query) != 0) {
        bench.SkipWithError("contact 11,000 is a duplicate on 20 m CW");
        return;
    }
    if (state.clock.TimedOn != 1)
        w.cmdLogOn_Click();

    const QString path = rig->logPath();
    const qint64 shortSize = rig->logBytes(Before);
    const auto score = std::make_unique<ScoreState>(state.score);
    const std::vector<int> lists = listCounts(*rig);
    int reloads = 0;
    IterationTimes times(bench);
    for (auto _ : bench) {
        bench.PauseTiming();
        fillEntry(w, contact);
        QCoreApplication::processEvents();
        const size_t boxes = rig->dialogs().shown.size();
        bench.ResumeTiming();

        const auto t0 = SteadyClock::now();
        try {
            w.Mains();
        } catch (const ProgramEnded&) {
            bench.SkipWithError("Mains ended the program");
            break;
        }
        const auto t1 = SteadyClock::now();
        times.set(t1 - t0);

        bench.PauseTiming();
        if (state.log.QsoCount != MaxLogEntries || QFileInfo(path).size() <= shortSize
            || rig->dialogs().shown.size() != boxes) {
            bench.SkipWithError(qPrintable(QStringLiteral("Mains did not log contact 11,000 (%1 in the log): ")
                                               .arg(state.log.QsoCount)
                                           + w.lblDialog->text()));
            break;
        }
        QFile::resize(path, shortSize);
        state.log.QsoCount = Before;
        if (listCounts(*rig) != lists || state.score.WorkedMultCount != score->WorkedMultCount) {
            ++reloads;
            w.ReloadLog();
        } else {
            state.score = *score;
            w.RefreshLogList();
        }
        QCoreApplication::processEvents();
        bench.ResumeTiming();
    }
    bench.counters["reloads"] = reloads;
    setLabel(bench, contact.Call + u' ' + (w.inState() ? contact.Spc + u' ' : QString()) + contact.County);
    if (const QString failed = rig->loadContacts(MaxLogEntries); !failed.isEmpty())
        bench.SkipWithError(qPrintable(failed));
}

// The part of Mains that is the disk: one log record appended to log.txt and flushed to
// the disk (fdatasync), as every contact logged is.
void AppendRecordDurably(benchmark::State& bench, WindowKind kind)
{
    WindowRig* rig = rigFor(kind, bench);
    if (!rig)
        return;
    // A copy of the 10,999-contact log beside log.txt.
    const QString path = rig->logPath() + QStringLiteral(".copy");
    writeBytes(path, rig->logText(MaxLogEntries - 1));
    const qint64 shortSize = rig->logBytes(MaxLogEntries - 1);
    const QByteArray record = rig->record(MaxLogEntries);
    IterationTimes times(bench);
    for (auto _ : bench) {
        const auto t0 = SteadyClock::now();
        const bool ok = DiskFile::appendDurably(path, record);
        const auto t1 = SteadyClock::now();
        times.set(t1 - t0);
        if (!ok) {
            bench.SkipWithError("log record not appended");
            break;
        }
        QFile::resize(path, shortSize);
    }
    QFile::remove(path);
}

// ---- ReloadLog ----

// The window's ReloadLog of the full log: log.txt read, points, multipliers and the
// county (and DX) lists recounted, the log list refilled. With `repaint`, the window's
// repaint it schedules is timed too.
void ReloadFullLog(benchmark::State& bench, WindowKind kind, bool repaint)
{
    WindowRig* rig = rigFor(kind, bench);
    if (!rig)
        return;
    if (const QString failed = rig->loadContacts(MaxLogEntries); !failed.isEmpty()) {
        bench.SkipWithError(qPrintable(failed));
        return;
    }
    MainForm& w = rig->window();
    AppState& state = rig->state();
    IterationTimes times(bench);
    for (auto _ : bench) {
        const auto t0 = SteadyClock::now();
        try {
            w.ReloadLog();
        } catch (const ProgramEnded&) {
            bench.SkipWithError("ReloadLog ended the program");
            break;
        }
        if (repaint)
            QCoreApplication::processEvents();
        const auto t1 = SteadyClock::now();
        times.set(t1 - t0);
        if (state.log.QsoCount != MaxLogEntries) {
            bench.SkipWithError("ReloadLog did not load all 11,000 contacts");
            break;
        }
        if (!repaint)
            QCoreApplication::processEvents();
    }
    bench.counters["points"] = double(state.score.QsoPoints);
    bench.counters["mults"] = double(state.score.WorkedMultCount);
    bench.counters["countiesToGo"] = w.countiesToGo->count();
}

void registerWindow(WindowKind kind)
{
    const std::string window = windowName(kind);
    benchmark::RegisterBenchmark((window + "/ReloadLog_11000").c_str(),
                                 [kind](benchmark::State& s) { ReloadFullLog(s, kind, false); })
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime();
    benchmark::RegisterBenchmark((window + "/ReloadLog_11000_repainted").c_str(),
                                 [kind](benchmark::State& s) { ReloadFullLog(s, kind, true); })
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime();
    for (const char* typed : TypedPrefixes) {
        for (const bool repaint : {false, true}) {
            const std::string name =
                window + "/CallKey_possibleDupes" + (repaint ? "_repainted/" : "/") + typed;
            benchmark::RegisterBenchmark(name.c_str(), [kind, typed, repaint](benchmark::State& s) {
                CallKey(s, kind, typed, repaint);
            })->Unit(benchmark::kMicrosecond)->UseManualTime();
        }
    }
    benchmark::RegisterBenchmark((window + "/Mains_contact11000").c_str(),
                                 [kind](benchmark::State& s) { MainsLastContact(s, kind); })
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime();
    benchmark::RegisterBenchmark((window + "/AppendRecordDurably").c_str(),
                                 [kind](benchmark::State& s) { AppendRecordDurably(s, kind); })
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime();
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    // Grouped by window, so each window is opened once.
    registerWindow(WindowKind::OutOfState);
    registerWindow(WindowKind::InState);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_rig.reset();
    return 0;
}
