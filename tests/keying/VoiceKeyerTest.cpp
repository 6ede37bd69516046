// The voice keyer on doubles: a player that plays for a set time on a test clock, a serial
// port and the parallel port that record every change, and a settings window of plain
// values. The watch is ticked by hand every 40 ms of the test clock.

#include "keying/VoiceKeyer.h"

#include "core/QStringPrinter.h"
#include "support/TestServices.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr int F1 = 112;
constexpr int F2 = 113;
constexpr qint64 Tick = 40;

struct Settings final : VoiceKeyerWindow {
    explicit Settings(FakeSerialPort& p) : port(p) {}

    FakeSerialPort& port;
    std::array<QString, 9> files{};
    QString repeat = QStringLiteral("0");
    QString portNumber = QStringLiteral("0");
    std::optional<PttLine> line = PttLine::Rts;
    QString address = QStringLiteral("&H378");
    int portOpenings = 0;
    bool watching = false;
    int repeatsArmed = 0;
    std::vector<WaveProblem> told;

    QString waveFile(int keyCode) const override { return files[size_t(keyCode - 112)]; }
    QString repeatSeconds() const override { return repeat; }
    QString pttPortNumber() const override { return portNumber; }
    std::optional<PttLine> pttLine() const override { return line; }
    QString parallelAddress() const override { return address; }
    void openPttPort() override
    {
        ++portOpenings;
        port.setComNumber(portNumber.toInt());
        port.open();
    }
    void startWatch() override { watching = true; }
    void stopWatch() override { watching = false; }
    void armRepeat() override { ++repeatsArmed; }
    void tellSoundProblem(const WaveProblem& problem) override { told.push_back(problem); }
    void tellPlaying() override { ++playing; }
    int playing = 0; // messages told as playing
};

class VoiceKeyerTest : public ::testing::Test {
protected:
    VoiceKeyerTest()
    {
        nowMs = 10'000;
        const auto ns = [this] { return nowMs * 1'000'000; };
        port.now = ns;
        parallel.now = ns;
        player.clockMs = [this] { return nowMs; };
        player.lengthMs = 1000;
        message = dir.filePath(QStringLiteral("cq.wav"));
        writeBytes(message, "RIFF");
    }

    // Ticks the watch every 40 ms while it runs, for at most the time given.
    void runWatch(qint64 forMs = 5000)
    {
        for (qint64 waited = 0; settings.watching && waited < forMs; waited += Tick) {
            nowMs += Tick;
            keyer.watchTick();
        }
    }

    QTemporaryDir dir;
    QString message;
    FakeClock clock;
    qint64& nowMs = clock.monotonic;
    KeyerState state;
    FakeWavePlayer player;
    FakeSerialPort port;
    RecordingParallelPort parallel;
    Settings settings{port};
    VoiceKeyer keyer{state, player, port, parallel, settings, clock};
};

TEST_F(VoiceKeyerTest, RtsIsRaisedBeforeThePlayingAndDroppedWithinOneTickOfItsEnd)
{
    settings.files[1] = message;
    settings.portNumber = QStringLiteral("3");
    keyer.FKeyPhone(F2);

    EXPECT_EQ(settings.portOpenings, 1);
    EXPECT_EQ(port.comNumber(), 3);
    ASSERT_EQ(port.lineChanges.size(), 1u);
    EXPECT_EQ(port.lineChanges[0].line, ModemLine::Rts);
    EXPECT_TRUE(port.lineChanges[0].on);
    EXPECT_TRUE(port.lineChanges[0].open);
    EXPECT_EQ(player.plays, 1);
    EXPECT_EQ(player.opened, QStringList{message});
    EXPECT_TRUE(settings.watching);

    const qint64 endNs = nowMs * 1'000'000 + player.lengthMs * 1'000'000;
    runWatch();
    ASSERT_EQ(port.lineChanges.size(), 2u);
    EXPECT_EQ(port.lineChanges[1].line, ModemLine::Rts);
    EXPECT_FALSE(port.lineChanges[1].on);
    EXPECT_GE(port.lineChanges[1].atNs, endNs) << "not dropped while the message plays";
    EXPECT_LE(port.lineChanges[1].atNs - endNs, Tick * 1'000'000);
    EXPECT_FALSE(port.rts);
    EXPECT_FALSE(settings.watching);
    EXPECT_EQ(settings.repeatsArmed, 0);
    EXPECT_TRUE(parallel.writes.empty()) << "the parallel port is no line of RTS";
}

TEST_F(VoiceKeyerTest, ParallelKeysTheControlRegisterAndAPortNumberKeysRtsBesides)
{
    settings.files[1] = message;
    settings.line = PttLine::Parallel;
    keyer.FKeyPhone(F2);
    runWatch();
    ASSERT_EQ(parallel.writes.size(), 2u);
    EXPECT_EQ(parallel.writes[0].address, 890);
    EXPECT_EQ(parallel.writes[0].value, 3);
    EXPECT_EQ(parallel.writes[1].address, 890);
    EXPECT_EQ(parallel.writes[1].value, 2);
    EXPECT_TRUE(port.lineChanges.empty()) << "port 0 keys no serial line";

    parallel.writes.clear();
    settings.portNumber = QStringLiteral("3");
    settings.address = QStringLiteral("888");
    keyer.FKeyPhone(F2);
    EXPECT_TRUE(port.rts);
    runWatch();
    EXPECT_FALSE(port.rts);
    ASSERT_EQ(parallel.writes.size(), 2u);
    EXPECT_EQ(parallel.writes[1].value, 2);

    port.lineChanges.clear();
    settings.line = PttLine::Dtr;
    keyer.FKeyPhone(F2);
    EXPECT_TRUE(port.dtr);
    EXPECT_FALSE(port.rts);
    runWatch();
    EXPECT_FALSE(port.dtr);
    EXPECT_EQ(port.lineChanges.size(), 2u);
}

TEST_F(VoiceKeyerTest, KeysOutsideF1ToF9AndEmptyBoxesKeyNothing)
{
    settings.files.fill(message);
    settings.portNumber = QStringLiteral("3");
    settings.line = PttLine::Parallel;
    for (int code : {0, 111, 121, 122, 123, 124})
        keyer.FKeyPhone(code);
    settings.files[0] = QStringLiteral("   ");
    settings.repeat = QStringLiteral("5");
    keyer.FKeyPhone(F1);
    EXPECT_EQ(player.plays, 0);
    EXPECT_TRUE(player.opened.isEmpty());
    EXPECT_TRUE(port.lineChanges.empty());
    EXPECT_TRUE(parallel.writes.empty());
    EXPECT_EQ(settings.portOpenings, 0);
    EXPECT_FALSE(settings.watching);
    EXPECT_EQ(state.PhoneRepeatActive, 1) << "the repeat is asked for before the box is read";
}

TEST_F(VoiceKeyerTest, AnEmptyBoxEndsTheMessageThatPlaysAndTheWatchReleases)
{
    settings.files[1] = message;
    settings.portNumber = QStringLiteral("2");
    keyer.FKeyPhone(F2);
    nowMs += 200;
    keyer.FKeyPhone(F2 + 1);
    EXPECT_NE(player.mode(), WavePlayer::ModePlaying);
    EXPECT_TRUE(port.rts) << "released by the watch, not by the key";
    nowMs += Tick;
    keyer.watchTick();
    EXPECT_FALSE(port.rts);
    EXPECT_FALSE(settings.watching);
}

TEST_F(VoiceKeyerTest, WhatWasRaisedIsWhatIsReleasedWhenTheSettingsChangeWhilePlaying)
{
    settings.files[1] = message;
    settings.portNumber = QStringLiteral("3");
    settings.line = PttLine::Parallel;
    keyer.FKeyPhone(F2);
    settings.line = PttLine::Dtr;
    settings.address = QStringLiteral("not a number");
    settings.portNumber = QStringLiteral("x");
    runWatch();
    EXPECT_FALSE(port.rts);
    EXPECT_FALSE(port.dtr);
    for (const auto& change : port.lineChanges)
        EXPECT_EQ(change.line, ModemLine::Rts) << "DTR was never raised";
    ASSERT_EQ(parallel.writes.size(), 2u);
    EXPECT_EQ(parallel.writes[1].address, 890);
    EXPECT_EQ(parallel.writes[1].value, 2);

    // A second key with another address moves the keyed register at once.
    parallel.writes.clear();
    settings.line = PttLine::Parallel;
    settings.portNumber = QStringLiteral("0");
    settings.address = QStringLiteral("&H378");
    keyer.FKeyPhone(F2);
    settings.address = QStringLiteral("&H278");
    keyer.FKeyPhone(F2);
    runWatch();
    ASSERT_EQ(parallel.writes.size(), 4u);
    EXPECT_EQ(parallel.writes[1].address, 890);
    EXPECT_EQ(parallel.writes[1].value, 2);
    EXPECT_EQ(parallel.writes[2].address, 634);
    EXPECT_EQ(parallel.writes[3].value, 2);
    EXPECT_FALSE(keyer.keyed());
}

TEST_F(VoiceKeyerTest, AFailureAfterTheLineWentUpLeavesNothingKeyed)
{
    settings.files[1] = message;
    settings.portNumber = QStringLiteral("3");
    settings.line = PttLine::Parallel;
    settings.address = QStringLiteral("&HZZ");
    keyer.FKeyPhone(F2);
    EXPECT_EQ(player.plays, 0);
    EXPECT_FALSE(port.rts);
    EXPECT_EQ(port.lineChanges.size(), 2u) << "raised, then dropped again";
    EXPECT_FALSE(keyer.keyed());

    // No parallel port answers at this address: the serial line comes down with it.
    port.lineChanges.clear();
    settings.address = QStringLiteral("&H300");
    keyer.FKeyPhone(F2);
    EXPECT_FALSE(port.rts);
    EXPECT_EQ(player.plays, 0);

}

TEST_F(VoiceKeyerTest, AFileOrAnOutputThatCannotPlayKeysNothing)
{
    settings.portNumber = QStringLiteral("3");
    settings.line = PttLine::Parallel;
    settings.files[1] = dir.filePath(QStringLiteral("missing.wav"));
    keyer.FKeyPhone(F2);
    player.noOutput = true;
    settings.files[1] = message;
    keyer.FKeyPhone(F2);
    EXPECT_TRUE(port.lineChanges.empty());
    EXPECT_TRUE(parallel.writes.empty());
    EXPECT_EQ(player.plays, 0);
    EXPECT_FALSE(settings.watching);
    ASSERT_EQ(settings.told.size(), 2u);
    EXPECT_EQ(settings.told[0].kind, WaveProblem::Kind::File);
    EXPECT_EQ(settings.told[1].kind, WaveProblem::Kind::Output);
    EXPECT_EQ(settings.told[1].text, "No sound output was found.");

    // A play that fails once the line is up drops it at once.
    player.noOutput = false;
    player.playFails = true;
    settings.line = PttLine::Rts;
    keyer.FKeyPhone(F2);
    ASSERT_EQ(port.lineChanges.size(), 2u);
    EXPECT_FALSE(port.rts);
    EXPECT_EQ(port.lineChanges[1].atNs, port.lineChanges[0].atNs) << "no tick in between";
    EXPECT_FALSE(settings.watching);
    EXPECT_EQ(settings.told.back().text, "The sound output failed to start.");
}

TEST_F(VoiceKeyerTest, PlayingThatBreaksOffOrNeverEndsIsGivenUpAndTheRepeatWithIt)
{
    settings.files[0] = message;
    settings.portNumber = QStringLiteral("3");
    settings.repeat = QStringLiteral("2");

    // The output fails while the message plays: released on the next tick, no repeat.
    keyer.FKeyPhone(F1);
    nowMs += 300;
    player.breakOff();
    const qint64 brokeMs = nowMs;
    runWatch();
    EXPECT_FALSE(port.rts);
    EXPECT_LE(port.lineChanges.back().atNs / 1'000'000 - brokeMs, Tick);
    EXPECT_EQ(settings.repeatsArmed, 0);
    EXPECT_EQ(state.PhoneRepeatActive, 0);
    ASSERT_EQ(settings.told.size(), 1u);
    EXPECT_EQ(settings.told[0].text, "The sound output failed while playing.");

    // The player never reports the end: given up after its length and the margin.
    player.neverEnds = true;
    const qint64 startMs = nowMs;
    keyer.FKeyPhone(F1);
    runWatch(10'000);
    EXPECT_FALSE(port.rts);
    const qint64 droppedMs = port.lineChanges.back().atNs / 1'000'000;
    EXPECT_GE(droppedMs, startMs + player.lengthMs + WavePlayer::EndMarginMs);
    EXPECT_LT(droppedMs, startMs + player.lengthMs + WavePlayer::EndMarginMs + Tick);
    EXPECT_EQ(player.mode(), WavePlayer::ModeNotOpen) << "the stuck player is closed";
    EXPECT_EQ(settings.repeatsArmed, 0);
    EXPECT_EQ(state.PhoneRepeatActive, 0);
    ASSERT_EQ(settings.told.size(), 2u);
    EXPECT_EQ(settings.told[1].kind, WaveProblem::Kind::Output);
}

// A player whose output takes its time to open (a player process starting, a sound server
// connecting): nothing is keyed until it is ready, and an output that fails or never
// becomes ready keys nothing at all.
TEST_F(VoiceKeyerTest, PushToTalkWaitsForTheOutputAndAnOutputThatFailsOrHangsKeysNothing)
{
    settings.files[0] = message;
    settings.portNumber = QStringLiteral("3");
    settings.repeat = QStringLiteral("2");
    player.opensSlowly = true;
    player.setOnChange([this] { keyer.watchTick(); });

    keyer.FKeyPhone(F1);
    EXPECT_TRUE(port.lineChanges.empty());
    EXPECT_EQ(player.plays, 0);
    EXPECT_TRUE(settings.watching);
    nowMs += 3 * Tick;
    keyer.watchTick();
    EXPECT_TRUE(port.lineChanges.empty()) << "still opening";
    player.ready();
    EXPECT_TRUE(port.rts) << "keyed on the player's news, not a tick later";
    EXPECT_EQ(player.plays, 1);
    EXPECT_EQ(settings.playing, 1);
    runWatch();
    EXPECT_FALSE(port.rts);
    EXPECT_EQ(settings.repeatsArmed, 1);

    // The output fails while it opens: nothing keyed, the repeat ended, the operator told.
    port.lineChanges.clear();
    keyer.FKeyPhone(F1);
    player.openingFails();
    EXPECT_TRUE(port.lineChanges.empty());
    EXPECT_FALSE(settings.watching);
    EXPECT_EQ(state.PhoneRepeatActive, 0);
    ASSERT_EQ(settings.told.size(), 1u);
    EXPECT_EQ(settings.told[0].text, "The sound output could not be opened (Connection refused).");

    // An output that never becomes ready is given up after the player's opening limit.
    const qint64 pressedMs = nowMs;
    keyer.FKeyPhone(F1);
    runWatch(10'000);
    EXPECT_TRUE(port.lineChanges.empty());
    EXPECT_FALSE(settings.watching);
    EXPECT_GE(nowMs - pressedMs, WavePlayer::OpeningLimitMs);
    EXPECT_LT(nowMs - pressedMs, WavePlayer::OpeningLimitMs + Tick);
    EXPECT_EQ(player.mode(), WavePlayer::ModeNotOpen);
    ASSERT_EQ(settings.told.size(), 2u);
    EXPECT_EQ(settings.told[1].text, "The sound output did not answer.");

    // Esc while it opens drops the message: nothing is keyed when it becomes ready after all.
    keyer.FKeyPhone(F1);
    EXPECT_TRUE(keyer.stopMessage());
    EXPECT_FALSE(settings.watching);
    EXPECT_FALSE(keyer.stopMessage()) << "nothing left to stop";
    EXPECT_TRUE(port.lineChanges.empty());
    EXPECT_EQ(settings.told.size(), 2u);
}

TEST_F(VoiceKeyerTest, AnUnopenablePortKeysNoLineAndTheMessageStillPlays)
{
    settings.files[1] = message;
    settings.portNumber = QStringLiteral("7");
    port.refuseOpen = true;
    keyer.FKeyPhone(F2);
    EXPECT_EQ(settings.portOpenings, 1);
    EXPECT_TRUE(port.lineChanges.empty()) << "a line set on a closed port would come up raised";
    EXPECT_EQ(player.plays, 1);
}

TEST_F(VoiceKeyerTest, F1RepeatsWhileItsIntervalIsAboveZero)
{
    settings.files[0] = message;
    settings.repeat = QStringLiteral("2.5");
    keyer.FKeyPhone(F1);
    EXPECT_EQ(state.PhoneRepeatActive, 1);
    runWatch();
    EXPECT_EQ(settings.repeatsArmed, 1);

    state.PhoneRepeatActive = 0;
    settings.repeat = QStringLiteral("0");
    keyer.FKeyPhone(F1);
    runWatch();
    EXPECT_EQ(state.PhoneRepeatActive, 0);
    EXPECT_EQ(settings.repeatsArmed, 1);

    settings.repeat = QStringLiteral("soon");
    keyer.FKeyPhone(F1);
    EXPECT_EQ(player.plays, 2) << "a repeat box that is no number ends the key";
}

TEST(VoiceKeyerNumbers, PlainOrHexadecimal)
{
    EXPECT_EQ(readVoiceKeyerNumber(QStringLiteral("&H378")), 888);
    EXPECT_EQ(readVoiceKeyerNumber(QStringLiteral("&h3")), 3);
    EXPECT_EQ(readVoiceKeyerNumber(QStringLiteral(" 2.5 ")), 2.5);
    EXPECT_FALSE(readVoiceKeyerNumber(QStringLiteral("")));
    EXPECT_FALSE(readVoiceKeyerNumber(QStringLiteral("&H")));
    EXPECT_FALSE(readVoiceKeyerNumber(QStringLiteral("COM3")));
}

} // namespace
