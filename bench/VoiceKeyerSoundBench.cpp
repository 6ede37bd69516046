// How long push-to-talk stays up against a message's length, on a real audio output (a
// private sound server's null output): F1 of the voice keyer with a real wave file of
// 0.3 s and 1 s (30 presses each) and 3 s, the real player process and the real watch, the
// port a FakeSerialPort that records when RTS rose and fell. Counters: the file's length,
// push-to-talk's time up (mean), how much longer than the file it stayed up (mean and
// worst: the end of playback seen late), the shortest (a message cut short would show
// below 0), when the player reported the end, and what the keyer added after that report.
// Run by hand:
//   ./build/bench/brevant_sound_bench                     (the null output at a sound card's pace)
//   ./build/bench/brevant_sound_bench --bare-null-output  (the null output left alone)

#include "core/forms/Form1.h"
#include "keying/windows/PhoneFrm.h"
#include "support/LoneKeyerSession.h"
#include "support/SoundServer.h"
#include "support/WaveSamples.h"

#include <QApplication>
#include <algorithm>
#include <QElapsedTimer>
#include <QLocale>
#include <QTest>
#include <chrono>
#include <cstring>
#include <benchmark/benchmark.h>

namespace {

qint64 steadyNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void BM_PushToTalkAgainstTheMessage(benchmark::State& state)
{
    const int lengthMs = int(state.range(0));
    TestFolders folders;
    LoneWindowContext lone;
    folders.applyTo(lone.state);
    lone.running.makeWavePlayer = [] { return std::make_unique<ProcessWavePlayer>(QStringLiteral(BREVANT_PLAYER)); };
    lone.running.clock = std::make_unique<SystemClock>();
    const QString file = folders.path(QStringLiteral("work/cq.wav"));
    writeBytes(file, toneWave(lengthMs));
    LoneKeyerSession keyer(lone);
    PhoneFrm phone(lone.context());
    auto& port = static_cast<FakeSerialPort&>(keyer.session.pttPort());
    phone.Text1->setText(file);
    phone.Text10->setText(QStringLiteral("1"));

    double keyedMs = 0, reportedMs = 0, addedMs = 0, worstAddedMs = 0, givenUp = 0;
    double overMs = 0, worstOverMs = -1e9, leastOverMs = 1e9;
    for (auto _ : state) {
        port.lineChanges.clear();
        phone.FKeyPhone(112);
        // Keyed once the player's output is ready.
        while (!port.rts && phone.lblSound->text().isEmpty())
            QTest::qWait(1);
        const qint64 keyedAt = port.lineChanges.empty() ? steadyNs() : port.lineChanges.back().atNs;
        qint64 reportedAt = 0;
        while (port.rts) {
            if (!reportedAt && keyer.voicePlayer().mode() != WavePlayer::ModePlaying)
                reportedAt = steadyNs();
            QTest::qWait(1);
        }
        const qint64 releasedAt = port.lineChanges.empty() ? steadyNs() : port.lineChanges.back().atNs;
        if (!reportedAt)
            reportedAt = releasedAt;
        const double up = double(releasedAt - keyedAt) / 1e6;
        const double added = double(releasedAt - reportedAt) / 1e6;
        state.SetIterationTime(up / 1000);
        keyedMs += up;
        overMs += up - lengthMs;
        worstOverMs = std::max(worstOverMs, up - lengthMs);
        leastOverMs = std::min(leastOverMs, up - lengthMs);
        reportedMs += double(reportedAt - keyedAt) / 1e6;
        addedMs += added;
        worstAddedMs = std::max(worstAddedMs, added);
        givenUp += phone.lblSound->text().isEmpty() ? 0 : 1;
        QTest::qWait(200); // the stream gone before the next
    }
    const double n = double(state.iterations());
    state.counters["file_ms"] = lengthMs;
    state.counters["ptt_up_ms"] = keyedMs / n;
    state.counters["over_mean_ms"] = overMs / n;
    state.counters["over_worst_ms"] = worstOverMs;
    state.counters["over_least_ms"] = leastOverMs;
    state.counters["player_end_ms"] = reportedMs / n;
    state.counters["keyer_added_ms"] = addedMs / n;
    state.counters["worst_added_ms"] = worstAddedMs;
    state.counters["given_up"] = givenUp;
}
BENCHMARK(BM_PushToTalkAgainstTheMessage)->Arg(300)->Arg(1000)->Iterations(30)->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PushToTalkAgainstTheMessage)->Arg(3000)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication application(argc, argv);
    bool bare = false;
    for (int i = 1; i < argc; ++i)
        bare = bare || std::strcmp(argv[i], "--bare-null-output") == 0;
    PrivateSoundServer server(bare ? PrivateSoundServer::Pace::BareNullOutput : PrivateSoundServer::Pace::SoundCard);
    if (!server.start()) {
        fprintf(stderr, "%s\n", qPrintable(server.error()));
        return 1;
    }
    std::vector<char*> args{argv[0]};
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--bare-null-output") != 0)
            args.push_back(argv[i]);
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
