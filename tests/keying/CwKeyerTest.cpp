// Morse elements and their timing on a recording line, the macros of the messages, and
// the send pump with its re-entry, repeat and refusals.

#include "keying/CwKeyer.h"
#include "keying/Morse.h"

#include "core/QStringPrinter.h"
#include "support/TestServices.h"

#include <gtest/gtest.h>
#include <cmath>
#include <map>

namespace {

TEST(MorseCode, ElementStringsOfTheTable)
{
    EXPECT_EQ(morseElements(QChar('A')), "10111000");
    EXPECT_EQ(morseElements(QChar('a')), "10111000") << "looked up upper-cased";
    EXPECT_EQ(morseElements(QChar('0')), "1110111011101110111000");
    EXPECT_EQ(morseElements(QChar('=')), "1110101010111000");
    EXPECT_EQ(morseElements(QChar('-')), morseElements(QChar('=')));
    EXPECT_EQ(morseElements(QChar('[')), "1011101011101000");
    EXPECT_EQ(morseElements(QChar(']')), "101010111010111000");
    EXPECT_EQ(morseElements(QChar(';')), "111010111011101000");
    EXPECT_EQ(morseElements(QChar('\\')), "111010111010101110101000");
    EXPECT_EQ(morseElements(QChar('?')), "101011101110101000");
    for (char none : {'!', '$', '#', '"', '@'})
        EXPECT_TRUE(morseElements(QChar(none)).isEmpty()) << none;
}

TEST(MorseCode, WordSpaceAdjustmentAndUnit)
{
    const std::pair<double, int> spaces[] = {{0, 8}, {2, 10}, {2.5, 10}, {0.5, 8}, {-3, 5}, {-2.5, 6}, {-8, 0}};
    for (auto [n, units] : spaces) {
        EXPECT_EQ(adjustedWordSpace(n), QString(units, QChar('0'))) << n;
    }
    EXPECT_DOUBLE_EQ(*unitMs(20), 60);
    EXPECT_DOUBLE_EQ(*unitMs(13), 1200.0 / 13);
    EXPECT_FALSE(unitMs(0));
    EXPECT_FALSE(unitMs(-5));
    EXPECT_EQ(parseBaseAddress(QStringLiteral("&H378")), 0x378);
    EXPECT_EQ(parseBaseAddress(QStringLiteral("&h3bc")), 0x3BC);
    EXPECT_EQ(parseBaseAddress(QStringLiteral("888")), 888);
    EXPECT_FALSE(parseBaseAddress(QStringLiteral("LPT1")));
}

TEST(MorseMacros, FourPassesInOrder)
{
    KeyerState keyer;
    auto county = [](const QString& abbreviation) {
        return abbreviation == QLatin1String("TRAV") ? QStringLiteral(" TRV ") : abbreviation;
    };
    keyer.CWCall = QStringLiteral(" K5ABC ");
    keyer.CWSentRST = QStringLiteral("599");
    keyer.CWOwnCounty = QStringLiteral("TRAV");
    EXPECT_EQ(expandMacros(QStringLiteral("$ TU *# ^ !"), keyer, county), "K5ABC TU 5NN TRV !");
    EXPECT_EQ(keyer.CWSentRST, "5NN") << "the report sent is kept as sent";

    keyer.CWSentRST.clear();
    EXPECT_EQ(expandMacros(QStringLiteral("*"), keyer, county), "5NN");
    keyer.CWSentRST = QStringLiteral("579");
    EXPECT_EQ(expandMacros(QStringLiteral("*"), keyer, county), "579");

    // With an empty call the scan steps past the "$" that moved into the replaced place.
    keyer.CWCall.clear();
    EXPECT_EQ(expandMacros(QStringLiteral("$$ DE"), keyer, county), "$ DE");
    keyer.CWOwnCounty.clear();
    EXPECT_EQ(expandMacros(QStringLiteral("QTH ^"), keyer, county), "QTH ");
}

// The settings window as the keyer sees it, with a recording line and a record of what
// the keyer asked for.
class FakeKeyerWindow final : public CwKeyerWindow {
public:
    std::map<int, QString> messages;
    QString repeat = QStringLiteral("0");
    QString speed = QStringLiteral("20");
    QString space = QStringLiteral("0");
    TimingMethod method = TimingMethod::Timer;
    double loops = 0;
    bool echoOn = false;
    KeyingTarget::State lineState = KeyingTarget::State::Ready;
    RecordingKeyingLine line;
    int failuresTold = 0;
    int contactsLogged = 0;
    QStringList shown;
    int repeatsArmed = 0;
    int yields = 0;
    std::function<void()> onYield;
    QString handedToDevice;

    QString message(int keyCode) const override
    {
        const auto it = messages.find(keyCode);
        return it == messages.end() ? QString() : it->second;
    }
    QString repeatSeconds() const override { return repeat; }
    QString wordsPerMinute() const override { return speed; }
    QString wordSpace() const override { return space; }
    TimingMethod timingMethod() const override { return method; }
    double loopsPer60ms() const override { return loops; }
    bool echo() const override { return echoOn; }
    // The output of the interface the keyer state names: a recording line for RTS, DTR and
    // the printer port, a device that takes whole messages for WinKey, else none.
    KeyerOutput& output() override
    {
        switch (keyer->CWKeyingInterface) {
        case KeyingInterface::WinKey: return device;
        case KeyingInterface::None: return none;
        default: return lineOutput;
        }
    }
    void logContact() override
    {
        ++contactsLogged;
        if (onLog)
            onLog();
    }
    std::function<void()> onLog;
    void showOnMainWindow(const QString& text) override { shown << text; }
    void armRepeat() override { ++repeatsArmed; }
    void letEventsRun() override
    {
        ++yields;
        if (onYield)
            onYield();
    }
    QString countyText(const QString& abbreviation) const override { return abbreviation; }
    bool deviceReady = true;

    KeyerState* keyer = nullptr;

private:
    class LineOutput final : public KeyerOutput {
    public:
        explicit LineOutput(FakeKeyerWindow& window) : m_window(window) {}
        bool keys() const override { return true; }
        KeyingTarget keyingLine() override
        {
            const auto state = m_window.lineState;
            return {state, state == KeyingTarget::State::Ready ? &m_window.line : nullptr};
        }
        void keyingFailed() override { ++m_window.failuresTold; }

    private:
        FakeKeyerWindow& m_window;
    };
    class DeviceOutput final : public KeyerOutput {
    public:
        explicit DeviceOutput(FakeKeyerWindow& window) : m_window(window) {}
        bool keys() const override { return true; }
        bool takesWholeMessages() const override { return true; }
        bool ready() override
        {
            if (!m_window.deviceReady)
                m_window.keyer->CWBuffer.clear();
            return m_window.deviceReady;
        }
        void transmit() override { m_window.handedToDevice += std::exchange(m_window.keyer->CWBuffer, {}); }

    private:
        FakeKeyerWindow& m_window;
    };

    LineOutput lineOutput{*this};
    DeviceOutput device{*this};
    NoKeyerOutput none;
};

class CwKeyerTest : public ::testing::Test {
protected:
    CwKeyerTest()
    {
        keyer.CWKeyingInterface = KeyingInterface::Rts;
        window.keyer = &keyer;
        window.line.now = [this] { return clock.nanoseconds(); };
    }

    // Each stretch of the line as (keyed, milliseconds), with repeated settings merged.
    std::vector<std::pair<bool, double>> stretches(qint64 endNs) const
    {
        std::vector<std::pair<bool, double>> out;
        const auto& changes = window.line.changes;
        for (size_t i = 0; i < changes.size(); ++i) {
            const qint64 until = i + 1 < changes.size() ? changes[i + 1].atNs : endNs;
            const double ms = double(until - changes[i].atNs) / 1e6;
            if (!out.empty() && out.back().first == changes[i].keyed)
                out.back().second += ms;
            else
                out.push_back({changes[i].keyed, ms});
        }
        return out;
    }

    KeyerState keyer;
    FakeClock clock;
    FakeKeyerWindow window;
    CwKeyer cw{keyer, clock, window};
};

TEST_F(CwKeyerTest, LetterAAt20WpmOnEachTimingMethod)
{
    for (TimingMethod method : {TimingMethod::Timer, TimingMethod::Sleep}) {
        window.line.changes.clear();
        window.method = method;
        ASSERT_TRUE(cw.Transmit(QChar('a')));
        const auto s = stretches(clock.nanoseconds());
        const std::pair<bool, double> expected[] = {{true, 60}, {false, 60}, {true, 180}, {false, 180}};
        ASSERT_EQ(s.size(), 4u) << int(method);
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(s[i].first, expected[i].first) << int(method) << " stretch " << i;
            EXPECT_NEAR(s[i].second, expected[i].second, 0.01) << int(method) << " stretch " << i;
        }
        EXPECT_EQ(window.line.changes.size(), 8u) << "the line is set at every element";
        EXPECT_FALSE(window.line.keyed);
    }
    EXPECT_EQ(clock.sleeps, std::vector<int>(8, 60));

    // At 13 WPM each unit sleeps 92 ms.
    clock.sleeps.clear();
    window.speed = QStringLiteral("13");
    cw.Transmit(QChar('E'));
    EXPECT_EQ(clock.sleeps, std::vector<int>(4, 92));
}

TEST_F(CwKeyerTest, RefusedCharactersKeyNothingAndTakeNoTime)
{
    struct Case {
        const char* speed;
        const char* space;
        bool line;
    } cases[] = {{"0", "0", true}, {"-3", "0", true}, {"fast", "0", true}, {"20", "", true}, {"20", "0", false}};
    for (const Case& c : cases) {
        window.line.changes.clear();
        window.speed = QString::fromLatin1(c.speed);
        window.space = QString::fromLatin1(c.space);
        window.lineState = c.line ? KeyingTarget::State::Ready : KeyingTarget::State::Refused;
        const qint64 before = clock.nanoseconds();
        EXPECT_FALSE(cw.Transmit(QChar('T'))) << c.speed << "/" << c.space;
        EXPECT_LT(clock.nanoseconds() - before, 1'000'000) << "refused at once";
        EXPECT_FALSE(window.line.keyed);
        EXPECT_TRUE(window.line.changes.empty());
    }
}

TEST_F(CwKeyerTest, SpeedEditedToZeroMidCharacterDropsTheLine)
{
    // The line reads the speed box at its first element; the box is then emptied of a
    // usable speed, as the down arrow would from 1.
    int settings = 0;
    window.line.now = [&] {
        if (++settings == 2)
            window.speed = QStringLiteral("0");
        return clock.nanoseconds();
    };
    EXPECT_FALSE(cw.Transmit(QChar('T')));
    ASSERT_FALSE(window.line.changes.empty());
    EXPECT_TRUE(window.line.changes.front().keyed);
    EXPECT_FALSE(window.line.changes.back().keyed);
    EXPECT_FALSE(window.line.keyed);
}

TEST_F(CwKeyerTest, MessagesExpandAndTheBangLogsWhenItIsReached)
{
    window.method = TimingMethod::Sleep;
    window.echoOn = true;
    window.messages[113] = QStringLiteral("$ *!");
    keyer.CWCall = QStringLiteral("W1AW");
    int loggedAfterChars = -1;
    window.onYield = [&] {
        if (window.contactsLogged == 1 && loggedAfterChars < 0)
            loggedAfterChars = window.shown.size();
    };
    cw.FKeyCW(113);
    EXPECT_EQ(window.contactsLogged, 1);
    EXPECT_EQ(loggedAfterChars, 9) << "logged as the ninth character, after the eight before it were keyed";
    EXPECT_EQ(window.shown.first(), "1AW 5NN!");
    EXPECT_EQ(window.shown.last(), "");
    EXPECT_EQ(keyer.CWSending, 0);
    EXPECT_TRUE(keyer.CWBuffer.isEmpty());

    // Keyboard CW left on: the line says so at the end.
    keyer.KeyboardCWMode = 1;
    cw.FKeyCW(114);
    keyer.CWBuffer = QStringLiteral("E");
    cw.LoopThroughCWBuffer();
    EXPECT_EQ(window.shown.last(), "Keyboard CW Mode is on.  Press F12 to exit.");
}

TEST_F(CwKeyerTest, ANewKeyWhileSendingDropsTheRestOfTheFirstMessage)
{
    window.method = TimingMethod::Sleep;
    window.messages[112] = QStringLiteral("CQ CQ TEST");
    window.messages[113] = QStringLiteral("TU");
    int characters = 0;
    window.onYield = [&] {
        if (++characters == 2) { // "CQ" is out: F2 arrives
            window.onYield = nullptr;
            cw.FKeyCW(113);
        }
    };
    cw.FKeyCW(112);
    // Keyed units: C (8) and Q (10) of the first message, then T (3) and U (5).
    int keyedUnits = 0;
    for (const auto& c : window.line.changes)
        keyedUnits += c.keyed;
    EXPECT_EQ(keyedUnits, 8 + 10 + 3 + 5);
    EXPECT_TRUE(keyer.CWBuffer.isEmpty());
    EXPECT_EQ(keyer.CWSending, 0);
    EXPECT_EQ(clock.preciseTimingRequests, 1) << "asked once for both messages";
    EXPECT_FALSE(clock.preciseTiming) << "and given back";
}

// The work between characters (the echo, the window's events) runs while the gap does: it
// comes out of the gap, up to one unit late; later than that the next element starts afresh.
TEST_F(CwKeyerTest, ElementsKeepToTheMessagesTimeline)
{
    const struct {
        double workMs;
        double gapMs;          // the released stretch between the two characters
        double secondElementMs;
    } cases[] = {{0.7, 180, 60}, {25, 180, 60}, {70, 190, 50}, {130, 250, 60}};
    for (const auto& c : cases) {
        window.line.changes.clear();
        window.onYield = [&] {
            clock.monotonic += qint64(c.workMs);
            clock.nsWithinMs += qint64(std::fmod(c.workMs, 1) * 1e6);
        };
        keyer.CWBuffer = QStringLiteral("EE");
        cw.LoopThroughCWBuffer();
        const auto s = stretches(clock.nanoseconds());
        ASSERT_EQ(s.size(), 4u) << c.workMs;
        EXPECT_NEAR(s[0].second, 60, 0.01) << c.workMs;
        EXPECT_NEAR(s[1].second, c.gapMs, 0.01) << c.workMs;
        EXPECT_NEAR(s[2].second, c.secondElementMs, 0.01) << c.workMs;
        EXPECT_GE(s[3].second, 180 - 0.01) << c.workMs << ": the last gap is timed before the pump ends";
    }
}

// No port chosen for RTS or DTR: nothing moves, but every element is timed, so the "!"
// of "TU!" logs once T and U have had their time.
TEST_F(CwKeyerTest, WithNoPortTheElementsAreStillTimed)
{
    window.method = TimingMethod::Sleep;
    window.lineState = KeyingTarget::State::NoLine;
    window.messages[113] = QStringLiteral("TU!");
    keyer.CWCall = QStringLiteral("W1AW");
    const qint64 start = clock.monotonicMs();
    qint64 loggedAt = -1;
    window.onLog = [&] { loggedAt = clock.monotonicMs(); };
    cw.FKeyCW(113);
    EXPECT_EQ(window.contactsLogged, 1);
    EXPECT_GE(loggedAt - start, (6 + 10 - 1) * 60) << "T and U were timed first";
    EXPECT_TRUE(window.line.changes.empty());
}

// A port that fails while keying, or will not open: the operator is told once (a port that
// will not open tells it itself), the rest of the message goes, and its "!" logs nothing.
TEST_F(CwKeyerTest, APortThatFailsDropsTheRestOfTheMessageAndItsLogMark)
{
    window.method = TimingMethod::Sleep;
    window.messages[113] = QStringLiteral("TEST TU!");
    window.line.failAfterChanges = 8;
    cw.FKeyCW(113);
    EXPECT_EQ(window.failuresTold, 1);
    EXPECT_EQ(window.contactsLogged, 0);
    EXPECT_EQ(window.line.changes.size(), 8u);
    EXPECT_TRUE(keyer.CWBuffer.isEmpty());
    EXPECT_EQ(keyer.CWSending, 0);

    window.line.changes.clear();
    window.line.failAfterChanges = -1;
    window.lineState = KeyingTarget::State::Failed;
    cw.FKeyCW(113);
    EXPECT_EQ(window.failuresTold, 1);
    EXPECT_EQ(window.contactsLogged, 0);
    EXPECT_TRUE(window.line.changes.empty());
    EXPECT_TRUE(keyer.CWBuffer.isEmpty());
}

TEST_F(CwKeyerTest, FunctionKeysAndInterfaces)
{
    window.method = TimingMethod::Sleep;
    window.messages[112] = QStringLiteral("E");
    window.messages[124] = QStringLiteral("E"); // F10 arrives as 124

    keyer.CWKeyingInterface = KeyingInterface::None;
    keyer.CWBuffer = QStringLiteral("LEFT OVER");
    cw.FKeyCW(112);
    EXPECT_TRUE(keyer.CWBuffer.isEmpty()) << "with no interface a key only empties the buffer";
    EXPECT_TRUE(window.line.changes.empty());

    keyer.CWKeyingInterface = KeyingInterface::Dtr;
    cw.FKeyCW(124);
    EXPECT_EQ(window.line.changes.size(), 4u);
    cw.FKeyCW(125);
    EXPECT_EQ(window.line.changes.size(), 4u) << "no message beyond F10";

    // The keyer device logs once, before anything is handed over, "!" and all; a device
    // that cannot be opened or does not answer logs nothing.
    keyer.CWKeyingInterface = KeyingInterface::WinKey;
    window.messages[115] = QStringLiteral("TU ! 73 !");
    cw.FKeyCW(115);
    EXPECT_EQ(window.contactsLogged, 1);
    EXPECT_EQ(window.handedToDevice, "TU ! 73 !");
    EXPECT_EQ(window.line.changes.size(), 4u);
    window.deviceReady = false;
    cw.FKeyCW(115);
    EXPECT_EQ(window.contactsLogged, 1);
    EXPECT_EQ(window.handedToDevice, "TU ! 73 !");
}

TEST_F(CwKeyerTest, TheF1RepeatIsArmedWhenTheMessageEnds)
{
    window.method = TimingMethod::Sleep;
    window.messages[112] = QStringLiteral("E");
    window.repeat = QStringLiteral("2.5");
    cw.FKeyCW(112);
    EXPECT_EQ(keyer.CWRepeatActive, 1);
    EXPECT_EQ(window.repeatsArmed, 1);

    // An empty F1 sets the flag but never arms the timer.
    keyer.CWRepeatActive = 0;
    window.messages[112].clear();
    cw.FKeyCW(112);
    EXPECT_EQ(keyer.CWRepeatActive, 1);
    EXPECT_EQ(window.repeatsArmed, 1);

    // A repeat box without a number ends F1 quietly, before the last yield.
    keyer.CWRepeatActive = 0;
    window.messages[112] = QStringLiteral("E");
    window.repeat = QStringLiteral("x");
    const int yields = window.yields;
    cw.FKeyCW(112);
    EXPECT_EQ(window.yields, yields);
    EXPECT_EQ(keyer.CWRepeatActive, 0);
}

} // namespace
