// The voice keyer and the spoken prompts with the real player (the player process) on a real
// audio output (a private sound server's null output): a message keys push-to-talk while the
// server plays it and releases it at its end, a file that cannot play keys nothing, Esc's
// stop releases at once, a prompt's wait ends with the prompt, a sound server that dies at
// F1 costs that message only, and once it is back F1 plays again.

#include "keying/windows/BlindFrm.h"
#include "keying/windows/PhoneFrm.h"

#include "core/QStringPrinter.h"
#include "support/LoneKeyerSession.h"
#include "support/SoundServer.h"
#include "support/WaveSamples.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>
#include <algorithm>
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
        lone.running.makeWavePlayer = [] { return std::make_unique<ProcessWavePlayer>(QStringLiteral(BREVANT_PLAYER)); };
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
    WavePlayer& voicePlayer() { return session->voicePlayer(); }
    WavePlayer& promptPlayer() { return session->promptPlayer(); }

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
    EXPECT_TRUE(port->lineChanges.empty()) << "nothing keyed while the output opens";
    ASSERT_TRUE(QTest::qWaitFor([&] { return port->rts; }, 10'000)) << phone->lblSound->text().toStdString();
    EXPECT_EQ(voicePlayer().mode(), WavePlayer::ModePlaying);
    EXPECT_EQ(server().programStreams(), 1);
    EXPECT_TRUE(port->rts) << "still keyed while the server plays the stream";

    ASSERT_TRUE(QTest::qWaitFor([&] { return !port->rts; }, 1000 + WavePlayer::EndMarginMs + 2000));
    // The port opens with both lines low, then RTS goes up and down once.
    ASSERT_EQ(port->lineChanges.size(), 4u);
    const qint64 keyedMs = msBetween(port->lineChanges[2], port->lineChanges[3]);
    EXPECT_GE(keyedMs, 1000) << "keyed for the whole message";
    EXPECT_LT(keyedMs, 1000 + WavePlayer::EndMarginMs) << "released at its end, not given up";
    EXPECT_EQ(voicePlayer().mode(), WavePlayer::ModeStopped);
    EXPECT_EQ(phone->lblSound->text(), "");
    EXPECT_TRUE(QTest::qWaitFor([] { return server().programStreams() == 0; }, 2000));
}

TEST_F(KeyerSound, AFileThatCannotPlayKeysNothingAndStopReleasesWithinATick)
{
    auto phone = keyer(QByteArray("RIFF\x10\0\0\0WAVEjunk", 16));
    FakeSerialPort* port = pttPort();
    phone->FKeyPhone(F1);
    EXPECT_EQ(port->lineChanges.size(), 0u) << "the port is not even opened";
    EXPECT_EQ(phone->lblSound->text(), "cq.wav cannot be played: it has no sound format.");
    EXPECT_EQ(server().programStreams(), 0);

    // Esc in the log window stops a message: the watch releases on its next tick.
    writeBytes(work(QStringLiteral("cq.wav")), toneWave(3000));
    phone->FKeyPhone(F1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return port->rts; }, 10'000));
    QTest::qWait(300);
    QElapsedTimer stopped;
    stopped.start();
    voicePlayer().stop();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !port->rts; }, 2000));
    EXPECT_LT(stopped.elapsed(), 500);
    EXPECT_TRUE(QTest::qWaitFor([] { return server().programStreams() == 0; }, 2000));
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
    EXPECT_TRUE(QTest::qWaitFor([] { return server().programStreams() == 1; }, 5000));
    blind.waitWhilePlaying();
    QCoreApplication::processEvents();
    EXPECT_EQ(lone.services.dialogs->count(QStringLiteral("message")), 0);
}

// The window thread's longest time without handling an event while the test waits.
class EventGaps {
public:
    EventGaps()
    {
        m_since.start();
        m_beat.setInterval(5);
        QObject::connect(&m_beat, &QTimer::timeout, [this] {
            m_longestMs = std::max(m_longestMs, m_since.restart());
        });
        m_beat.start();
    }
    qint64 longestMs() const { return m_longestMs; }

private:
    QTimer m_beat;
    QElapsedTimer m_since;
    qint64 m_longestMs = 0;
};

// The sound server dies at the moment of F1, a few milliseconds either way: the player
// process dies or fails with it, never the program; the window thread goes on answering,
// push-to-talk comes down, and once the server is back the next F1 plays and clears the
// red line.
TEST_F(KeyerSound, ASoundServerDyingAtF1CostsThatMessageOnly)
{
    auto phone = keyer(toneWave(1000));
    FakeSerialPort* port = pttPort();
    for (const int offsetMs : {0, 5, 15, 30, 45, 60, 80, 100, 120}) {
        SCOPED_TRACE(offsetMs);
        EventGaps gaps;
        phone->FKeyPhone(F1);
        QTest::qWait(offsetMs);
        server().kill();
        // Down within the message's length and the player's margin, whatever the player did.
        EXPECT_TRUE(QTest::qWaitFor([&] { return !port->rts && !phone->lblSound->text().isEmpty(); },
                                    1000 + WavePlayer::EndMarginMs + 3000))
            << "push-to-talk still up, or the failure unsaid";
        EXPECT_LT(gaps.longestMs(), 2000) << "the window thread held";
        EXPECT_FALSE(port->rts);
        EXPECT_EQ(lone.state.keyer.PhoneRepeatActive, 0);

        ASSERT_TRUE(server().start()) << server().error().toStdString();
        port->lineChanges.clear();
        phone->FKeyPhone(F1);
        ASSERT_TRUE(QTest::qWaitFor([&] { return port->rts; }, 10'000)) << phone->lblSound->text().toStdString();
        EXPECT_EQ(phone->lblSound->text(), "") << "the red line clears when a message plays";
        EXPECT_TRUE(QTest::qWaitFor([&] { return !port->rts; }, 1000 + WavePlayer::EndMarginMs + 3000));
        EXPECT_EQ(phone->lblSound->text(), "") << "played to its end";
        EXPECT_LT(gaps.longestMs(), 2000);
    }
}

// Last in this program: the server goes away while the program runs.
TEST_F(KeyerSound, ASoundServerThatHasGoneKeysNothingAndIsTold)
{
    auto phone = keyer(toneWave(200));
    FakeSerialPort* port = pttPort();
    phone->FKeyPhone(F1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return port->lineChanges.size() == 4 && !port->rts; }, 5000));
    server().stop();
    port->lineChanges.clear();
    phone->FKeyPhone(F1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !phone->lblSound->text().isEmpty(); }, 10'000));
    EXPECT_TRUE(port->lineChanges.empty());
    EXPECT_EQ(phone->lblSound->text(), "No sound output was found.");

    lone.state.station.VoiceNavigationLevel = 1;
    writeBytes(work(QStringLiteral("Call.wav")), toneWave(300));
    BlindFrm blind(lone.context());
    blind.BlindKeyPhone(QStringLiteral("Call"));
    // The player's news comes later; the box after it.
    ASSERT_TRUE(QTest::qWaitFor([&] { return lone.services.dialogs->count(QStringLiteral("message")) == 1; }, 10'000));
    EXPECT_EQ(lone.services.dialogs->last(QStringLiteral("message"))->text,
              "The spoken prompts cannot play: No sound output was found.");
}

} // namespace
