// The real wave player on a real audio output (a private sound server's null output):
// open, play, its mode while playing and after the end, stop, close, files it cannot play,
// and the sound server going away and coming back. GStreamer finds only its core elements
// here: the player must not need it.

#include "platform/WavePlayer.h"

#include "core/QStringPrinter.h"
#include "support/SoundServer.h"
#include "support/TestServices.h"
#include "support/WaveSamples.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
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

class WavePlayerTest : public ::testing::Test {
protected:
    QString file(const QString& name, const QByteArray& bytes)
    {
        const QString path = folders.path(name);
        writeBytes(path, bytes);
        return path;
    }

    TestFolders folders;
    QtWavePlayer player;
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
        EXPECT_EQ(player.mode(), WavePlayer::ModeStopped) << "open sounds nothing";
        if (f.durationMs >= 0) {
            EXPECT_EQ(player.durationMs(), f.durationMs);
        }
        const qint64 length = player.durationMs();
        EXPECT_GT(length, 0);

        QElapsedTimer played;
        played.start();
        ASSERT_TRUE(player.play());
        EXPECT_EQ(player.mode(), WavePlayer::ModePlaying);
        EXPECT_EQ(server().streamsOfThisProcess(), 1) << "the sound server plays the program's stream";
        waitWhilePlaying(player, played, length + 10'000);
        EXPECT_GE(played.elapsed(), length) << "never ends before its own length";
        EXPECT_LT(played.elapsed(), length + WavePlayer::EndMarginMs) << "reports its end well before it would be given up";
        EXPECT_EQ(player.mode(), WavePlayer::ModeStopped);
        EXPECT_EQ(player.problem().kind, WaveProblem::Kind::None);
    }
}

TEST_F(WavePlayerTest, StopEndsAtOnceAndANewFileOrCloseLetsGoOfTheOutput)
{
    ASSERT_TRUE(player.open(file(QStringLiteral("long.wav"), toneWave(3000))));
    ASSERT_TRUE(player.play());
    QTest::qWait(200);
    ASSERT_EQ(player.mode(), WavePlayer::ModePlaying);
    player.stop();
    EXPECT_EQ(player.mode(), WavePlayer::ModeStopped);
    QTest::qWait(100);
    EXPECT_EQ(player.mode(), WavePlayer::ModeStopped) << "a stopped message stays stopped";

    // A new file cuts the one playing off: the server holds one stream of ours, not two.
    ASSERT_TRUE(player.open(file(QStringLiteral("long.wav"), toneWave(3000))));
    ASSERT_TRUE(player.play());
    ASSERT_TRUE(player.open(file(QStringLiteral("short.wav"), toneWave(500))));
    ASSERT_TRUE(player.play());
    EXPECT_EQ(server().streamsOfThisProcess(), 1);
    EXPECT_EQ(player.durationMs(), 500);

    player.close();
    EXPECT_EQ(player.mode(), WavePlayer::ModeNotOpen);
    EXPECT_FALSE(player.play());
    EXPECT_TRUE(QTest::qWaitFor([] { return server().streamsOfThisProcess() == 0; }, 5000));
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
    EXPECT_EQ(server().streamsOfThisProcess(), 0);
}

TEST_F(WavePlayerTest, NoMediaBackendIsLoaded)
{
    ASSERT_TRUE(player.open(file(QStringLiteral("tone.wav"), toneWave(100))));
    QElapsedTimer played;
    played.start();
    ASSERT_TRUE(player.play());
    waitWhilePlaying(player, played, 5000);
    QFile maps(QStringLiteral("/proc/self/maps"));
    ASSERT_TRUE(maps.open(QIODevice::ReadOnly));
    const QByteArray loaded = maps.readAll();
    EXPECT_FALSE(loaded.contains("mediaplugin")) << "a media backend plug-in was loaded";
    EXPECT_FALSE(loaded.contains("libgstreamer")) << "GStreamer was loaded";
}

// Last in this program: the server goes away for good.
TEST_F(WavePlayerTest, ASoundServerThatGoesAwayBreaksOffPlayingAndFailsTheNextOpen)
{
    ASSERT_TRUE(player.open(file(QStringLiteral("long.wav"), toneWave(3000))));
    ASSERT_TRUE(player.play());
    QTest::qWait(200);
    server().stop();
    QElapsedTimer waited;
    waited.start();
    waitWhilePlaying(player, waited, 10'000);
    EXPECT_LT(waited.elapsed(), 1000) << "playing breaks off with the server";
    EXPECT_EQ(player.mode(), WavePlayer::ModeStopped);
    EXPECT_EQ(player.problem().kind, WaveProblem::Kind::Output);

    QTest::qWait(500); // as in KeyerSoundTest: Qt's audio output may hang on a server going that moment
    EXPECT_FALSE(player.open(file(QStringLiteral("tone.wav"), toneWave(300))));
    EXPECT_EQ(player.problem().kind, WaveProblem::Kind::Output) << player.problem().text.toStdString();
    EXPECT_EQ(player.mode(), WavePlayer::ModeNotOpen);

    // Once a server is back (here another, where the sound is now pointed), the sound system
    // finds it again within a few seconds and a message plays.
    PrivateSoundServer again;
    ASSERT_TRUE(again.start());
    const QString tone = file(QStringLiteral("tone.wav"), toneWave(300));
    EXPECT_TRUE(QTest::qWaitFor([&] { return player.open(tone); }, 10'000)) << player.problem().text.toStdString();
    ASSERT_TRUE(player.play());
    EXPECT_EQ(again.streamsOfThisProcess(), 1);
}

} // namespace
