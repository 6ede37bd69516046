// The real wave player, its player process, on a real audio output (a private sound
// server's null output): open, play, its mode while the output opens, while playing and
// after the end, stop, close, files it cannot play, a player that dies or hangs, and the
// sound server going away and coming back.

#include "platform/WavePlayer.h"

#include "core/QStringPrinter.h"
#include "support/SoundServer.h"
#include "support/TestServices.h"
#include "support/WaveSamples.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDevice>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const auto* const soundServer = ::testing::AddGlobalTestEnvironment(new SoundServerEnvironment);

PrivateSoundServer& server() { return SoundServerEnvironment::server(); }

// Lets events run (the output is fed from them) until the player no longer plays, for at
// most limitMs from since.
void waitWhilePlaying(const WavePlayer& player, const QElapsedTimer& since, qint64 limitMs)
{
    while (player.mode() == WavePlayer::ModePlaying && since.elapsed() < limitMs)
        QTest::qWait(5);
}

// Opens path and lets events run until the player's output is ready or has failed.
bool openReady(WavePlayer& player, const QString& path)
{
    if (!player.open(path))
        return false;
    EXPECT_TRUE(QTest::qWaitFor([&] { return player.mode() != WavePlayer::ModeOpening; }, 10'000));
    return player.mode() == WavePlayer::ModeStopped && player.problem().kind == WaveProblem::Kind::None;
}

class WavePlayerTest : public ::testing::Test {
protected:
    WavePlayerTest() { player.setOnChange([this] { ++news; }); }

    QString file(const QString& name, const QByteArray& bytes)
    {
        const QString path = folders.path(name);
        writeBytes(path, bytes);
        return path;
    }

    TestFolders folders;
    ProcessWavePlayer player{QStringLiteral(BREVANT_PLAYER)};
    int news = 0; // the player's calls of its callback
};

QByteArray samples(int frames, int bytesPerFrame, char value) { return QByteArray(frames * bytesPerFrame, value); }

TEST_F(WavePlayerTest, PlaysEachKindOfFileThroughTheOutputForItsLength)
{
    const struct {
        const char* name;
        QByteArray bytes;
        qint64 durationMs;
    } files[] = {
        {"tone.wav", toneWave(300), 300},
        {"Call.wav", readBytes(QStringLiteral(BREVANT_DATA_DIR "/Call.wav")), -1}, // a shipped prompt, 8-bit
        {"stereo24.wav", waveFile({1, 2, 48000, 24}, samples(12000, 6, '\x10')), 250},
        {"float.wav", waveFile({3, 1, 44100, 32}, samples(11025, 4, '\0')), 250},
        {"mulaw.wav", waveFile({7, 1, 8000, 8}, samples(2000, 1, '\x7F')), 250},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        ASSERT_TRUE(player.open(file(QString::fromLatin1(f.name), f.bytes))) << player.problem().text.toStdString();
        EXPECT_EQ(player.mode(), WavePlayer::ModeOpening);
        news = 0;
        ASSERT_TRUE(QTest::qWaitFor([&] { return player.mode() != WavePlayer::ModeOpening; }, 10'000));
        EXPECT_EQ(player.mode(), WavePlayer::ModeStopped) << player.problem().text.toStdString();
        EXPECT_TRUE(QTest::qWaitFor([&] { return news == 1; }, 1000)) << "the output's readiness is news";
        EXPECT_EQ(server().programStreams(), 1) << "the stream is open, silent";
        if (f.durationMs >= 0) {
            EXPECT_EQ(player.durationMs(), f.durationMs);
        }
        const qint64 length = player.durationMs();
        EXPECT_GT(length, 0);

        QElapsedTimer played;
        played.start();
        ASSERT_TRUE(player.play());
        EXPECT_EQ(player.mode(), WavePlayer::ModePlaying);
        waitWhilePlaying(player, played, length + 10'000);
        EXPECT_TRUE(QTest::qWaitFor([&] { return news == 2; }, 1000)) << "the end is news";
        EXPECT_GE(played.elapsed(), length) << "never ends before its own length";
        EXPECT_LT(played.elapsed(), length + WavePlayer::EndMarginMs) << "reports its end well before it would be given up";
        EXPECT_EQ(player.mode(), WavePlayer::ModeStopped);
        EXPECT_EQ(player.problem().kind, WaveProblem::Kind::None);
    }
}

TEST_F(WavePlayerTest, StopEndsAtOnceAndANewFileOrCloseLetsGoOfTheOutput)
{
    ASSERT_TRUE(openReady(player, file(QStringLiteral("long.wav"), toneWave(3000))));
    ASSERT_TRUE(player.play());
    QTest::qWait(200);
    ASSERT_EQ(player.mode(), WavePlayer::ModePlaying);
    player.stop();
    EXPECT_EQ(player.mode(), WavePlayer::ModeStopped);
    QTest::qWait(100);
    EXPECT_EQ(player.mode(), WavePlayer::ModeStopped) << "a stopped message stays stopped";

    // A new file cuts the one playing off: the server holds one stream of ours, not two.
    ASSERT_TRUE(openReady(player, file(QStringLiteral("long.wav"), toneWave(3000))));
    ASSERT_TRUE(player.play());
    // play() while the output still opens plays once it is ready.
    ASSERT_TRUE(player.open(file(QStringLiteral("short.wav"), toneWave(500))));
    ASSERT_TRUE(player.play());
    EXPECT_EQ(player.mode(), WavePlayer::ModePlaying);
    EXPECT_EQ(player.durationMs(), 500);
    EXPECT_TRUE(QTest::qWaitFor([] { return server().programStreams() == 1; }, 5000));
    QElapsedTimer played;
    played.start();
    waitWhilePlaying(player, played, 10'000);
    EXPECT_EQ(player.problem().kind, WaveProblem::Kind::None) << player.problem().text.toStdString();

    ASSERT_TRUE(openReady(player, file(QStringLiteral("long.wav"), toneWave(3000))));
    ASSERT_TRUE(player.play());

    player.close();
    EXPECT_EQ(player.mode(), WavePlayer::ModeNotOpen);
    EXPECT_FALSE(player.play());
    EXPECT_TRUE(QTest::qWaitFor([] { return server().programStreams() == 0; }, 5000));
}

TEST_F(WavePlayerTest, AFileItCannotPlayFailsOnOpenAsAProblemOfThatFile)
{
    const struct {
        QString path;
        const char* text;
    } files[] = {
        {folders.path(QStringLiteral("missing.wav")), "missing.wav was not found."},
        {file(QStringLiteral("text.wav"), "just some text, no sound"), "text.wav cannot be played: it is not a wave file."},
        {file(QStringLiteral("adpcm.wav"), waveFile({2, 1, 8000, 4}, samples(100, 1, '\0'))),
         "adpcm.wav cannot be played: its encoding (2, 4 bits) cannot be played."},
        {file(QStringLiteral("empty.wav"), waveFile({}, {})), "empty.wav cannot be played: it holds no sound."},
    };
    for (const auto& f : files) {
        EXPECT_FALSE(player.open(f.path)) << f.text;
        EXPECT_EQ(player.mode(), WavePlayer::ModeNotOpen);
        EXPECT_EQ(player.problem().kind, WaveProblem::Kind::File);
        EXPECT_TRUE(player.problem().text.endsWith(QString::fromLatin1(f.text))) << player.problem().text.toStdString();
        EXPECT_FALSE(player.play());
    }
    EXPECT_TRUE(player.outputFound());
    EXPECT_EQ(server().programStreams(), 0);
}

// Players that fail as a sound library can: one that dies, one that never becomes ready,
// one that never ends the message. Each is killed and fails the message as the output's.
TEST_F(WavePlayerTest, APlayerThatDiesOrHangsIsKilledAndFailsTheMessage)
{
    const QString tone = file(QStringLiteral("tone.wav"), toneWave(300));
    const QString script = folders.path(QStringLiteral("player.sh"));
    const auto misbehave = [&](const QByteArray& body) {
        writeBytes(script, "#!/bin/sh\n" + body + "\n");
        QFile::setPermissions(script, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    };
    ProcessWavePlayer bad(script);
    const auto outputProblem = [&] { return bad.problem().kind == WaveProblem::Kind::Output; };

    misbehave("echo ready; read line; kill -ABRT $$");
    ASSERT_TRUE(openReady(bad, tone));
    ASSERT_TRUE(bad.play());
    ASSERT_TRUE(QTest::qWaitFor([&] { return bad.mode() != WavePlayer::ModePlaying; }, 5000));
    EXPECT_EQ(bad.problem().text, "The sound player ended unexpectedly.");

    misbehave("exec sleep 60");
    QElapsedTimer waited;
    waited.start();
    ASSERT_TRUE(bad.open(tone));
    ASSERT_TRUE(QTest::qWaitFor(outputProblem, WavePlayer::OpeningLimitMs + 5000));
    EXPECT_GE(waited.elapsed(), WavePlayer::OpeningLimitMs);
    EXPECT_EQ(bad.problem().text, "The sound output did not answer.");
    EXPECT_EQ(bad.mode(), WavePlayer::ModeStopped);

    misbehave("echo ready; read line; echo started; exec sleep 60");
    ASSERT_TRUE(openReady(bad, tone));
    waited.restart();
    ASSERT_TRUE(bad.play());
    ASSERT_TRUE(QTest::qWaitFor(outputProblem, 300 + WavePlayer::EndMarginMs + 5000));
    EXPECT_GE(waited.elapsed(), 300 + WavePlayer::EndMarginMs);
    EXPECT_EQ(bad.problem().text, "The sound output did not end the message in time.");

    ProcessWavePlayer missing(folders.path(QStringLiteral("no-such-player")));
    missing.open(tone);
    EXPECT_TRUE(QTest::qWaitFor([&] { return missing.problem().kind == WaveProblem::Kind::Output; }, 5000));
    EXPECT_NE(missing.mode(), WavePlayer::ModePlaying);
    EXPECT_TRUE(missing.problem().text.startsWith("The sound player ")) << missing.problem().text.toStdString();
}

// Last in this program: the server goes away, and another comes.
TEST_F(WavePlayerTest, ASoundServerThatGoesAwayBreaksOffPlayingAndTheNextOpenFindsItBack)
{
    ASSERT_TRUE(openReady(player, file(QStringLiteral("long.wav"), toneWave(3000))));
    ASSERT_TRUE(player.play());
    QTest::qWait(200);
    server().stop();
    QElapsedTimer waited;
    waited.start();
    waitWhilePlaying(player, waited, 10'000);
    EXPECT_LT(waited.elapsed(), 1000) << "playing breaks off with the server";
    EXPECT_EQ(player.mode(), WavePlayer::ModeStopped);
    EXPECT_EQ(player.problem().kind, WaveProblem::Kind::Output);

    // No server at all: no sound output, also to a probe.
    const QString tone = file(QStringLiteral("tone.wav"), toneWave(300));
    EXPECT_FALSE(openReady(player, tone));
    EXPECT_EQ(player.problem().kind, WaveProblem::Kind::Output);
    EXPECT_EQ(player.problem().text, "No sound output was found.");
    EXPECT_FALSE(player.outputFound());

    // Once a server is back (here another, where the sound is now pointed) the next message
    // plays, and a probe finds the output again.
    PrivateSoundServer again;
    ASSERT_TRUE(again.start());
    news = 0;
    player.probeOutput();
    ASSERT_TRUE(QTest::qWaitFor([&] { return news > 0; }, 10'000));
    EXPECT_TRUE(player.outputFound());
    // A message long enough to be still playing when the server is asked, however busy the
    // machine.
    ASSERT_TRUE(openReady(player, file(QStringLiteral("long.wav"), toneWave(3000)))) << player.problem().text.toStdString();
    ASSERT_TRUE(player.play());
    EXPECT_EQ(again.programStreams(), 1);
}

} // namespace
