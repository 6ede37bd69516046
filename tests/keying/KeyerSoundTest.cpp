// The voice keyer and the spoken prompts with the real player on a real audio output (a
// private sound server's null output; GStreamer with only its core elements): a message
// keys push-to-talk while the server plays it and releases it at its end, a file that
// cannot play keys nothing, Esc's stop releases within a tick, a prompt's wait ends with the
// prompt, and a sound server that has gone keys nothing and says so.

#include "keying/windows/BlindFrm.h"
#include "keying/windows/PhoneFrm.h"

#include "core/QStringPrinter.h"
#include "support/LoneKeyerSession.h"
#include "support/SoundServer.h"
#include "support/WaveSamples.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const auto* const soundServer = ::testing::AddGlobalTestEnvironment(new SoundServerEnvironment);

PrivateSoundServer& server() { return SoundServerEnvironment::server(); }

constexpr int F1 = 112;

class KeyerSound : public ::testing::Test {
protected:
    KeyerSound()
    {
        folders.applyTo(lone.state);
        lone.running.makeWavePlayer = [] { return std::make_unique<QtWavePlayer>(); };
        // Real time: the player plays in it, and the waits give up in it.
        lone.running.clock = std::make_unique<SystemClock>();
        session = std::make_unique<LoneKeyerSession>(lone);
    }

    QString work(const QString& name) const { return folders.work + QLatin1Char('/') + name; }

    // The voice keyer with the F1 message given, keyed on RTS of COM1.
    std::unique_ptr<PhoneFrm> keyer(const QByteArray& message)
    {
        auto phone = std::make_unique<PhoneFrm>(lone.context());
        writeBytes(work(QStringLiteral("cq.wav")), message);
        phone->Text1->setText(work(QStringLiteral("cq.wav")));
        phone->Text10->setText(QStringLiteral("1"));
        return phone;
    }

    FakeSerialPort* pttPort() { return static_cast<FakeSerialPort*>(&session->session.pttPort()); }
    WavePlayer& voicePlayer() { return session->session.voicePlayer(); }
    WavePlayer& promptPlayer() { return session->session.promptPlayer(); }

    TestFolders folders;
    LoneWindowContext lone;
    std::unique_ptr<LoneKeyerSession> session; // made once the fixture has set its services
};

qint64 msBetween(const FakeSerialPort::LineChange& from, const FakeSerialPort::LineChange& to)
{
    return (to.atNs - from.atNs) / 1'000'000;
}

TEST_F(KeyerSound, AMessageKeysPushToTalkWhileTheServerPlaysItAndReleasesAtItsEnd)
{
    auto phone = keyer(toneWave(1000));
    FakeSerialPort* port = pttPort();
    phone->FKeyPhone(F1);
    ASSERT_TRUE(port->rts) << phone->lblSound->text().toStdString();
    EXPECT_EQ(voicePlayer().mode(), WavePlayer::ModePlaying);
    EXPECT_EQ(server().streamsOfThisProcess(), 1);
    EXPECT_TRUE(port->rts) << "still keyed while the server plays the stream";

    ASSERT_TRUE(QTest::qWaitFor([&] { return !port->rts; }, 1000 + WavePlayer::EndMarginMs + 2000));
    // The port opens with both lines low, then RTS goes up and down once.
    ASSERT_EQ(port->lineChanges.size(), 4u);
    const qint64 keyedMs = msBetween(port->lineChanges[2], port->lineChanges[3]);
    EXPECT_GE(keyedMs, 1000) << "keyed for the whole message";
    EXPECT_LT(keyedMs, 1000 + WavePlayer::EndMarginMs) << "released at its end, not given up";
    EXPECT_EQ(voicePlayer().mode(), WavePlayer::ModeStopped);
    EXPECT_EQ(phone->lblSound->text(), "");
    EXPECT_TRUE(QTest::qWaitFor([] { return server().streamsOfThisProcess() == 0; }, 2000));
}

TEST_F(KeyerSound, AFileThatCannotPlayKeysNothingAndStopReleasesWithinATick)
{
    auto phone = keyer(QByteArray("RIFF\x10\0\0\0WAVEjunk", 16));
    FakeSerialPort* port = pttPort();
    phone->FKeyPhone(F1);
    EXPECT_EQ(port->lineChanges.size(), 0u) << "the port is not even opened";
    EXPECT_EQ(phone->lblSound->text(), "cq.wav cannot be played: it has no sound format.");
    EXPECT_EQ(server().streamsOfThisProcess(), 0);

    // Esc in the log window stops a message: the watch releases on its next tick.
    writeBytes(work(QStringLiteral("cq.wav")), toneWave(3000));
    phone->FKeyPhone(F1);
    ASSERT_TRUE(port->rts);
    QTest::qWait(300);
    QElapsedTimer stopped;
    stopped.start();
    voicePlayer().stop();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !port->rts; }, 2000));
    EXPECT_LT(stopped.elapsed(), 500);
    EXPECT_TRUE(QTest::qWaitFor([] { return server().streamsOfThisProcess() == 0; }, 2000));
}

TEST_F(KeyerSound, APromptsWaitEndsWithThePrompt)
{
    for (const char* name : {"Call.wav", "NavEn.wav"})
        writeBytes(work(QString::fromLatin1(name)), readBytes(QStringLiteral(BREVANT_DATA_DIR "/") + QString::fromLatin1(name)));
    lone.state.station.VoiceNavigationLevel = 2;
    BlindFrm blind(lone.context());
    QElapsedTimer waited;
    waited.start();
    blind.BlindKeyPhone(QStringLiteral("Call"));
    ASSERT_EQ(promptPlayer().mode(), WavePlayer::ModePlaying);
    const qint64 length = promptPlayer().durationMs();
    blind.waitWhilePlaying();
    EXPECT_GE(waited.elapsed(), length);
    EXPECT_LT(waited.elapsed(), length + WavePlayer::EndMarginMs) << "the prompt's end, not the give-up";
    EXPECT_EQ(promptPlayer().mode(), WavePlayer::ModeStopped);

    // "Call Only" says "NavEn", waits for its end, then says "Call"; a prompt cuts off the
    // one before it, so the server never holds two.
    blind.BlindKeyPhone(QStringLiteral("Call"));
    waited.restart();
    blind.Option2_Click();
    EXPECT_GE(waited.elapsed(), 500) << "NavEn.wav plays for over half a second";
    EXPECT_EQ(promptPlayer().mode(), WavePlayer::ModePlaying);
    EXPECT_EQ(server().streamsOfThisProcess(), 1);
    blind.waitWhilePlaying();
    QCoreApplication::processEvents();
    EXPECT_EQ(lone.services.dialogs->count(QStringLiteral("message")), 0);
}

// Last in this program: the server goes away while the program runs.
TEST_F(KeyerSound, ASoundServerThatHasGoneKeysNothingAndIsTold)
{
    auto phone = keyer(toneWave(200));
    FakeSerialPort* port = pttPort();
    phone->FKeyPhone(F1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return port->lineChanges.size() == 4 && !port->rts; }, 5000));
    server().stop();
    // The sound system notices the server's end from its own thread: a key in the very
    // moment the server goes can hang inside Qt's audio output (Qt 6.4), which no test can
    // bound; this one comes a moment later.
    QTest::qWait(500);
    port->lineChanges.clear();
    phone->FKeyPhone(F1);
    EXPECT_TRUE(port->lineChanges.empty());
    EXPECT_EQ(phone->lblSound->text(), "The sound output Null Output could not be opened.");

    lone.state.station.VoiceNavigationLevel = 1;
    writeBytes(work(QStringLiteral("Call.wav")), toneWave(300));
    BlindFrm blind(lone.context());
    blind.BlindKeyPhone(QStringLiteral("Call"));
    QCoreApplication::processEvents();
    ASSERT_EQ(lone.services.dialogs->count(QStringLiteral("message")), 1);
    EXPECT_EQ(lone.services.dialogs->last(QStringLiteral("message"))->text,
              "The spoken prompts cannot play: The sound output Null Output could not be opened.");
}

} // namespace
