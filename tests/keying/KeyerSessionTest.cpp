// The keyer session as the windows drive it, on a recording output and the fake clock: a
// function key's message keyed with its elements timed from the settings, F1 repeated until
// a key ends it, every line let go by the way out, and the prompt wait ended by the
// prompt's end or given up when the end never comes.

#include "keying/KeyerSession.h"

#include "core/QStringPrinter.h"
#include "platform/KeyingLine.h"
#include "support/TestServices.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <cmath>

namespace {

// A line output whose line records each edge with the fake clock's time.
class RecordingOutput final : public KeyerOutput {
public:
    struct Edge {
        bool keyed;
        qint64 atNs;
    };

    explicit RecordingOutput(const FakeClock& clock) : m_line(*this, clock) {}

    std::vector<Edge> edges;
    int releases = 0;

    bool keys() const override { return true; }
    KeyingTarget keyingLine() override { return {KeyingTarget::State::Ready, &m_line}; }
    void release() override { ++releases; }
    bool keyed() const { return !edges.empty() && edges.back().keyed; }
    int keyDowns() const
    {
        return int(std::count_if(edges.begin(), edges.end(), [](const Edge& e) { return e.keyed; }));
    }

private:
    class Line final : public KeyingLine {
    public:
        Line(RecordingOutput& output, const FakeClock& clock) : m_output(output), m_clock(clock) {}
        bool setKeyed(bool keyed) override
        {
            if (m_output.keyed() != keyed)
                m_output.edges.push_back({keyed, m_clock.nanoseconds()});
            return true;
        }

    private:
        RecordingOutput& m_output;
        const FakeClock& m_clock;
    };

    Line m_line;
};

class KeyerSessionTest : public ::testing::Test {
protected:
    KeyerSessionTest()
    {
        state.keyer.CWKeyingInterface = KeyingInterface::Rts;
        CwSettings cw;
        cw.messages[0] = QStringLiteral("E");   // F1
        cw.messages[1] = QStringLiteral("T E"); // F2
        cw.wordsPerMinute = QStringLiteral("13"); // a unit of 92.3 ms, off whole milliseconds
        cw.wordSpace = QStringLiteral("0");
        cw.repeatSeconds = QStringLiteral("0");
        session.setCwSettings(cw);
        session.setCwTiming(TimingMethod::Timer, 0);
    }

    void setRepeatSeconds(const QString& seconds)
    {
        CwSettings cw = session.cwSettings();
        cw.repeatSeconds = seconds;
        session.setCwSettings(cw);
    }

    TestServices ts;
    FakeClock& clock = *ts.clock;
    AppState state;
    RecordingOutput* output = nullptr; // the one the session made for RTS
    KeyerSession session{state.keyer,
                         state.tables,
                         clock,
                         *ts.parallelPort,
                         ts.services.makeSerialPort,
                         ts.services.makeWavePlayer,
                         [this](KeyingInterface keying) -> std::unique_ptr<KeyerOutput> {
                             if (keying != KeyingInterface::Rts)
                                 return nullptr;
                             auto made = std::make_unique<RecordingOutput>(clock);
                             output = made.get();
                             return made;
                         }};
};

TEST_F(KeyerSessionTest, AFunctionKeysMessageIsKeyedOnTheChosenOutputInItsElementsTime)
{
    const qint64 startNs = clock.nanoseconds();
    session.FKeyCW(113); // F2: "T E"
    ASSERT_NE(output, nullptr);
    const double unitNs = 1200.0 / 13 * 1e6;
    // T is a dah and its character gap (6 units), the word space 8, E a dit: down, up,
    // down, up, each edge on the message's own timeline.
    const std::pair<bool, double> expected[] = {{true, 0}, {false, 3}, {true, 14}, {false, 15}};
    ASSERT_EQ(output->edges.size(), std::size(expected));
    const qint64 firstNs = output->edges[0].atNs;
    EXPECT_LT(firstNs - startNs, 100'000) << "the first element starts at once";
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(output->edges[i].keyed, expected[i].first) << i;
        EXPECT_NEAR(double(output->edges[i].atNs - firstNs), expected[i].second * unitNs, 20'000) << i;
    }
    EXPECT_NEAR(double(clock.nanoseconds() - firstNs), 18 * unitNs, 100'000) << "returns once E's gap is timed";
    EXPECT_TRUE(state.keyer.CWBuffer.isEmpty());

    // No interface chosen: nothing is keyed.
    state.keyer.CWKeyingInterface = KeyingInterface::None;
    const size_t edges = output->edges.size();
    session.FKeyCW(113);
    EXPECT_EQ(output->edges.size(), edges);
}

TEST_F(KeyerSessionTest, F1RepeatsUntilAKeyEndsIt)
{
    setRepeatSeconds(QStringLiteral("0.05"));
    session.setCwRepeatMs(50);
    session.FKeyCW(112);
    EXPECT_EQ(state.keyer.CWRepeatActive, 1);
    EXPECT_TRUE(session.cwRepeatWaiting());
    EXPECT_TRUE(QTest::qWaitFor([&] { return output->keyDowns() >= 3; }, 5000)) << "F1 goes out again and again";

    session.stopRepeats();
    EXPECT_EQ(state.keyer.CWRepeatActive, 0);
    EXPECT_FALSE(session.cwRepeatWaiting());
    const int sent = output->keyDowns();
    QTest::qWait(50);
    EXPECT_EQ(output->keyDowns(), sent) << "nothing comes back";

    // F2 never repeats, whatever the seconds.
    session.FKeyCW(113);
    EXPECT_EQ(state.keyer.CWRepeatActive, 0);
    EXPECT_FALSE(session.cwRepeatWaiting());
}

TEST_F(KeyerSessionTest, ReleaseAllLetsTheLineGoAndEndsTheRepeat)
{
    setRepeatSeconds(QStringLiteral("2"));
    session.setCwRepeatMs(2000);
    session.FKeyCW(112);
    ASSERT_TRUE(session.cwRepeatWaiting());
    const int releases = output->releases;
    state.keyer.CWBuffer = QStringLiteral("TEST");

    session.releaseAll();
    EXPECT_GT(output->releases, releases);
    EXPECT_FALSE(session.cwRepeatWaiting());
    EXPECT_EQ(state.keyer.CWRepeatActive, 0);
    EXPECT_TRUE(state.keyer.CWBuffer.isEmpty()) << "a send under way stops";
}

TEST_F(KeyerSessionTest, ThePromptWaitEndsWithThePromptOrGivesItUp)
{
    TestFolders folders;
    const QString prompt = folders.work + QStringLiteral("/Call.wav");
    writeBytes(prompt, "RIFF");
    FakeWavePlayer& player = ts.keyerPromptPlayer();
    player.lengthMs = 730;
    player.clockMs = [this] { return clock.monotonicMs(); };
    QSignalSpy told(&session, &KeyerSession::promptProblem);

    // The prompt plays its 730 ms on the clock; the wait looks every 10 ms.
    ASSERT_EQ(session.playPrompt(prompt).kind, WaveProblem::Kind::None);
    qint64 since = clock.monotonicMs();
    EXPECT_EQ(session.waitForPrompt().kind, WaveProblem::Kind::None);
    EXPECT_GE(clock.monotonicMs() - since, 730);
    EXPECT_LT(clock.monotonicMs() - since, 730 + 20);
    EXPECT_EQ(told.count(), 0);

    // A sound system that never reports the end: given up at its length and the margin.
    player.neverEnds = true;
    ASSERT_EQ(session.playPrompt(prompt).kind, WaveProblem::Kind::None);
    since = clock.monotonicMs();
    const WaveProblem problem = session.waitForPrompt();
    EXPECT_EQ(problem.kind, WaveProblem::Kind::Output);
    EXPECT_GE(clock.monotonicMs() - since, 730 + WavePlayer::EndMarginMs);
    EXPECT_LT(clock.monotonicMs() - since, 730 + WavePlayer::EndMarginMs + 20);
    EXPECT_EQ(player.mode(), WavePlayer::ModeNotOpen) << "the prompt is closed";
    ASSERT_EQ(told.count(), 1) << "the window that tells it hears it";

    // A prompt that cannot play says why at once.
    EXPECT_EQ(session.playPrompt(folders.work + QStringLiteral("/None.wav")).kind, WaveProblem::Kind::File);
}

} // namespace
