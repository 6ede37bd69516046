// The voice-navigation window: the prompts it speaks as it loads and as the options are
// clicked, the level "Done" keeps in QSOpref.txt, and the bounded wait for a prompt's end.

#include "keying/windows/BlindFrm.h"

#include "core/QStringPrinter.h"
#include "support/CaptionsFit.h"
#include "support/LoneKeyerSession.h"

#include <QFileInfo>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// A click on the option's round button, as the operator aims it.
void clickOption(QRadioButton* option)
{
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
}

const QStringList PromptNames = {"Call", "RstSnt", "RstRcvd", "County", "SPC", "Dupe", "NavEn", "NavDis"};

class VoiceNavigation : public ::testing::Test {
protected:
    VoiceNavigation()
    {
        folders.applyTo(lone.state);
        for (const QString& name : PromptNames)
            writeBytes(folders.work + QLatin1Char('/') + name + QStringLiteral(".wav"), "RIFF");
        *lone.services.wavePlayLengthMs = PromptMs;
        keyer = std::make_unique<LoneKeyerSession>(lone); // its prompt player plays that long
    }

    std::unique_ptr<BlindFrm> load()
    {
        auto blind = std::make_unique<BlindFrm>(lone.context());
        blind->Form_Load();
        return blind;
    }
    FakeWavePlayer& player() { return static_cast<FakeWavePlayer&>(keyer->promptPlayer()); }
    FakeClock& clock() { return *lone.services.clock; }
    // The prompts opened so far, by name.
    QStringList spoken()
    {
        QStringList names;
        for (const QString& path : player().opened)
            names << QFileInfo(path).completeBaseName();
        return names;
    }

    static constexpr qint64 PromptMs = 700;
    TestFolders folders;
    LoneWindowContext lone;
    std::unique_ptr<LoneKeyerSession> keyer;
};

TEST_F(VoiceNavigation, LoadingSpeaksTheSavedLevel)
{
    const struct {
        quint8 level;
        QStringList spoken;
        int option; // 0 none
    } cases[] = {
        {0, {"NavDis"}, 1},
        {1, {"NavEn", "Call"}, 2},
        {2, {"NavEn"}, 3},
        {9, {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.level));
        lone.state.station.VoiceNavigationLevel = c.level;
        player().opened.clear(); // the session's one prompt player serves every load
        const qint64 before = clock().monotonic;
        auto blind = load();
        EXPECT_EQ(spoken(), c.spoken);
        const QRadioButton* options[] = {blind->Option1, blind->Option2, blind->Option3};
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(options[i]->isChecked(), c.option == i + 1) << i;
        // "Call Only" lets "NavEn" end before it names the call field.
        const qint64 waited = clock().monotonic - before;
        if (c.level == 1) {
            EXPECT_GE(waited, PromptMs);
            EXPECT_LT(waited, PromptMs + 100);
        } else {
            EXPECT_EQ(waited, 0);
        }
        EXPECT_FALSE(blind->isVisible());
    }
}

TEST_F(VoiceNavigation, DoneKeepsTheClickedLevel)
{
    lone.state.station.VoiceNavigationLevel = 0;
    auto blind = load();
    blind->show();
    EXPECT_EQ(blind->windowTitle(), "Voice Navigation Settings");
    EXPECT_EQ(blind->Label7->text(),
              "Put the audio wave files in this program's working directory: " + folders.work);

    // Clicking only speaks.
    clickOption(blind->Option3);
    EXPECT_EQ(spoken(), (QStringList{"NavDis", "NavEn"}));
    EXPECT_EQ(lone.state.station.VoiceNavigationLevel, 0);
    EXPECT_FALSE(QFile::exists(folders.work + QStringLiteral("/QSOpref.txt")));

    // The close box does nothing; "Done" keeps the level and hides the window.
    blind->close();
    EXPECT_TRUE(blind->isVisible());
    QTest::mouseClick(blind->Command1, Qt::LeftButton);
    EXPECT_FALSE(blind->isVisible());
    EXPECT_EQ(lone.state.station.VoiceNavigationLevel, 2);
    const QList<QByteArray> items = readBytes(folders.work + QStringLiteral("/QSOpref.txt")).split('\n');
    ASSERT_GE(items.size(), 22);
    EXPECT_EQ(items[21], "2\r");

    // Shown again it speaks nothing until an option is clicked.
    blind->show();
    EXPECT_EQ(player().opened.size(), 2);
    clickOption(blind->Option2);
    QTest::mouseClick(blind->Command1, Qt::LeftButton);
    EXPECT_EQ(spoken(), (QStringList{"NavDis", "NavEn", "NavEn", "Call"}));
    EXPECT_EQ(lone.state.station.VoiceNavigationLevel, 1);
}

TEST_F(VoiceNavigation, WaitingForAPromptIsBoundedAndLetsEventsRun)
{
    // A prompt whose end never comes: the wait gives up after its length and the margin.
    lone.state.station.VoiceNavigationLevel = 2;
    auto blind = load();
    FakeWavePlayer& prompts = player();
    prompts.neverEnds = true;
    qint64 before = clock().monotonic;
    blind->BlindKeyPhone(QStringLiteral("NavEn"));
    blind->waitWhilePlaying();
    EXPECT_GE(clock().monotonic - before, PromptMs + WavePlayer::EndMarginMs);
    EXPECT_LT(clock().monotonic - before, PromptMs + WavePlayer::EndMarginMs + 100);
    EXPECT_EQ(prompts.mode(), WavePlayer::ModeNotOpen) << "the stuck prompt is closed";

    // The real player learns of the end through an event: that event runs in the wait.
    prompts.neverEnds = false;
    blind->BlindKeyPhone(QStringLiteral("NavEn"));
    QTimer::singleShot(0, blind.get(), [&prompts] { prompts.finish(); });
    before = clock().monotonic;
    blind->waitWhilePlaying();
    EXPECT_NE(prompts.mode(), WavePlayer::ModePlaying);
    EXPECT_LT(clock().monotonic - before, 100);

    // No prompt playing (a missing recording): no wait at all.
    QFile::remove(folders.work + QStringLiteral("/NavEn.wav"));
    before = clock().monotonic;
    clickOption(blind->Option2);
    EXPECT_EQ(clock().monotonic, before);
    EXPECT_EQ(QFileInfo(prompts.opened.last()).fileName(), "Call.wav");
}

TEST_F(VoiceNavigation, AFailingSoundOutputIsToldOnceToAnOperatorWhoAskedForPrompts)
{
    const auto boxes = [this] {
        QCoreApplication::processEvents();
        return lone.services.dialogs->count(QStringLiteral("message"));
    };
    // Prompts off and the window closed: a duplicate's "Dupe" that cannot play says nothing.
    lone.state.station.VoiceNavigationLevel = 0;
    auto blind = load();
    player().noOutput = true;
    blind->BlindKeyPhone(QStringLiteral("Dupe"));
    EXPECT_EQ(boxes(), 0);

    // Prompts on: a missing recording stays silent; a failing output is told once, however
    // many prompts fail after.
    lone.state.station.VoiceNavigationLevel = 1;
    QFile::remove(folders.work + QStringLiteral("/County.wav"));
    blind->BlindKeyPhone(QStringLiteral("County"));
    EXPECT_EQ(boxes(), 0);
    blind->BlindKeyPhone(QStringLiteral("Call"));
    EXPECT_EQ(boxes(), 1);
    const auto* box = lone.services.dialogs->last(QStringLiteral("message"));
    EXPECT_EQ(box->title, "Voice Navigation");
    EXPECT_EQ(box->text, "The spoken prompts cannot play: No sound output was found.");
    player().noOutput = false;
    player().playFails = true;
    blind->BlindKeyPhone(QStringLiteral("Call"));
    player().playFails = false;
    player().neverEnds = true;
    blind->BlindKeyPhone(QStringLiteral("Dupe"));
    blind->waitWhilePlaying();
    EXPECT_EQ(boxes(), 1);
    EXPECT_EQ(player().mode(), WavePlayer::ModeNotOpen);
}

TEST_F(VoiceNavigation, CaptionsFitOnCommonScreens)
{
    // The reference screen, 1024 x 768, 1280 x 1024 and 1920 x 1080, in twips.
    for (const QSizeF size : {QSizeF(9600, 7200), QSizeF(15360, 11520), QSizeF(19200, 15360), QSizeF(28800, 16200)}) {
        SCOPED_TRACE(size.width());
        lone.services.screen->size = size;
        auto blind = load();
        blind->show();
        expectCaptionsFit(*blind);
    }
}

} // namespace
