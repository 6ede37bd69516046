// From setup's "Done" to the first question ("Open existing log?") drawn on the screen: the
// main window built and loaded up to its question, with the real message box on the display
// the environment names (run it on Xvfb, as the end-to-end scenarios run the program). Once
// as the first box of the run, once after the warm-up the logo runs while it shows. Either
// is the first box of its process, so each runs alone, once. The working folder is seeded
// as ./run seeds it, with every shipped file of data/ (the tables, the help text, the
// prompt recordings):
//   bench/on_xvfb.sh ./build/bench/brevant_first_question_bench --benchmark_filter=Cold
//   bench/on_xvfb.sh ./build/bench/brevant_first_question_bench --benchmark_filter=Prepared

#include "support/ProgramClose.h"
#include "support/SampleLog.h"
#include "support/TestLog.h"
#include "support/TestServices.h"

#include "app/App.h"
#include "mainwindow/MainForm.h"
#include "platform/QtDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>
#include <optional>

namespace {

using SteadyClock = std::chrono::steady_clock;

// Notes when the first message box is drawn, and answers it Yes.
class FirstBoxWatch : public QObject {
public:
    std::optional<SteadyClock::time_point> drawn;
    QString title;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (box && event->type() == QEvent::Paint && !drawn) {
            drawn = SteadyClock::now();
            title = box->windowTitle();
            QTimer::singleShot(0, box, [box] { box->button(QMessageBox::Yes)->click(); });
        }
        return false;
    }
};

// Every file of data/ copied into the working folder, as ./run seeds it.
bool seedWorkingFolder(const QString& work)
{
    const QDir data = QFileInfo(shippedDataFile(QStringLiteral("county2.txt"))).absoluteDir();
    const QStringList files = data.entryList(QDir::Files);
    if (files.size() < 2)
        return false;
    for (const QString& name : files) {
        if (!QFile::copy(data.filePath(name), work + QLatin1Char('/') + name))
            return false;
    }
    return true;
}

void BM_DoneToFirstQuestion(benchmark::State& bench, bool prepared)
{
    for (auto _ : bench) {
        TestServices ts;
        ts.services.dialogs = std::make_unique<QtDialogs>();
        TestFolders folders;
        auto app = std::make_unique<App>(std::move(ts.services));
        folders.applyTo(app->state());
        setUpStation(app->state().station);
        app->state().station.OutOfState = 1;
        if (!seedWorkingFolder(folders.work)) {
            bench.SkipWithError("the working folder was not seeded with the shipped data");
            return;
        }
        if (prepared) {
            app->services().dialogs->prepare();
            QCoreApplication::processEvents();
        }

        FirstBoxWatch watch;
        qApp->installEventFilter(&watch);
        const auto done = SteadyClock::now();
        app->showMainWindow();
        qApp->removeEventFilter(&watch);
        if (!watch.drawn || watch.title != QStringLiteral("Open existing log?")) {
            bench.SkipWithError("the question was not the first box drawn");
            return;
        }
        bench.SetIterationTime(std::chrono::duration<double>(*watch.drawn - done).count());

        closeProgram(app);
    }
}

BENCHMARK_CAPTURE(BM_DoneToFirstQuestion, Cold, false)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DoneToFirstQuestion, Prepared, true)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
