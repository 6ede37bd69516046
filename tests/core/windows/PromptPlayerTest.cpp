// The voice-navigation prompt player: a prompt name becomes a wave file of the working
// directory, played without waiting.

#include "WindowTestSupport.h"

#include "app/App.h"
#include "keying/KeyerSession.h"
#include "keying/windows/BlindFrm.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class PromptPlayer : public ::testing::Test {
protected:
    PromptPlayer() : app(std::move(t.services)) { folders.applyTo(app.state()); }

    FakeWavePlayer& promptPlayer() { return t.keyerPromptPlayer(); }

    TestServices t;
    TestFolders folders;
    App app;
};

TEST_F(PromptPlayer, PlaysTheNamedPromptAndReturnsAtOnce)
{
    writeBytes(folders.work + QStringLiteral("/call.WAV"), "RIFF");
    BlindFrm& blind = app.blindFrm();
    FakeWavePlayer& player = promptPlayer();

    ASSERT_EQ(player.opened.size(), 1) << "loading at level 0 says \"NavDis\", here silent";
    EXPECT_EQ(player.plays, 0);
    blind.BlindKeyPhone(QStringLiteral("Call"));
    ASSERT_EQ(player.opened.size(), 2);
    EXPECT_EQ(QFileInfo(player.opened[1]).fileName(), QStringLiteral("call.WAV"));
    EXPECT_EQ(player.mode(), WavePlayer::ModePlaying);

    player.finish();
    EXPECT_EQ(player.mode(), WavePlayer::ModeStopped);
    EXPECT_FALSE(blind.isVisible());

    blind.BlindKeyPhone(QStringLiteral("Call"));
    app.unloadCompanionWindows();
    EXPECT_EQ(player.mode(), WavePlayer::ModeNotOpen) << "unloading the windows ends the prompt";
}

TEST_F(PromptPlayer, MissingOrBlankPromptPlaysNothing)
{
    writeBytes(folders.work + QStringLiteral("/Call.wav"), "RIFF");
    BlindFrm& blind = app.blindFrm();
    FakeWavePlayer& player = promptPlayer();
    blind.BlindKeyPhone(QStringLiteral("Call"));

    blind.BlindKeyPhone(QStringLiteral("Dupe")); // no such file: the playing prompt is closed
    EXPECT_NE(player.mode(), WavePlayer::ModePlaying);

    blind.BlindKeyPhone(QStringLiteral("  "));
    EXPECT_EQ(player.opened.size(), 3) << "a blank name is never opened";
    EXPECT_EQ(player.plays, 1);
}

} // namespace
