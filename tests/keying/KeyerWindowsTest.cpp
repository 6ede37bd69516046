// The keyer windows show the settings they are given and collect what they show.

#include "keying/windows/CWFrm.h"
#include "keying/windows/PhoneFrm.h"

#include "KeyerSamples.h"
#include "core/QStringPrinter.h"
#include "support/LoneKeyerSession.h"

#include <gtest/gtest.h>

namespace {

// The keyer windows on their own, as the program loads them.
class KeyerWindows : public ::testing::Test {
protected:
    LoneWindowContext lone;
    LoneKeyerSession keyer{lone};
    AppState& state() { return lone.state; }
};

TEST_F(KeyerWindows, CwKeyerShowsAndCollectsItsSettings)
{
    CWFrm cw(lone.context());
    EXPECT_EQ(cw.settings(), CwSettings{}) << "the window opens with the design values";

    CwSettings s = keyedStation();
    s.keyingInterface = KeyingInterface::None; // the window collects it from the program
    cw.showSettings(s);
    EXPECT_EQ(cw.Text9->text(), "W5XYZ");
    EXPECT_EQ(cw.Text12->text(), "F10, with a comma");
    EXPECT_EQ(cw.Text13->text(), "F11");
    EXPECT_EQ(cw.Text14->text(), "&H278");
    EXPECT_EQ(keyer.session.cwRepeatMs(), 2500);
    EXPECT_EQ(keyer.session.cwSettings().messages[8], "W5XYZ") << "what the window shows, the session keys";
    EXPECT_TRUE(cw.Option4->isChecked()) << "showing the settings sets no keying option";
    EXPECT_EQ(cw.settings(), s);

    const struct {
        KeyingInterface keying;
        QRadioButton* option;
    } options[] = {{KeyingInterface::Rts, cw.Option1},    {KeyingInterface::Dtr, cw.Option2},
                   {KeyingInterface::Printer, cw.Option3}, {KeyingInterface::None, cw.Option4},
                   {KeyingInterface(4), cw.Option4}};
    for (const auto& o : options) {
        cw.selectKeyingInterface(o.keying);
        EXPECT_TRUE(o.option->isChecked()) << int(o.keying);
        const KeyingInterface shown = o.keying == KeyingInterface(4) ? KeyingInterface::None : o.keying;
        EXPECT_EQ(state().keyer.CWKeyingInterface, shown) << int(o.keying);
        EXPECT_EQ(cw.settings().keyingInterface, shown) << int(o.keying);
    }
}

TEST_F(KeyerWindows, VoiceKeyerShowsAndCollectsItsSettings)
{
    PhoneFrm phone(lone.context());
    EXPECT_EQ(phone.settings(), WaveSettings{});

    WaveSettings s = voiceStation();
    phone.showSettings(s);
    EXPECT_EQ(phone.Text1->text(), "/home/op/cq.wav");
    EXPECT_EQ(phone.Text9->text(), "/home/op/f9.wav");
    EXPECT_TRUE(phone.Option2->isChecked());
    EXPECT_EQ(keyer.session.voiceRepeatMs(), 2500);
    EXPECT_EQ(keyer.session.voiceSettings(), s) << "what the window shows, the session plays";
    EXPECT_EQ(phone.settings(), s);
    s.pttLine = PttLine::Parallel;
    phone.showSettings(s);
    EXPECT_TRUE(phone.Option3->isChecked());

    s.pttLine = std::nullopt;
    phone.showSettings(s);
    EXPECT_TRUE(phone.Option3->isChecked()) << "without a line the options stay as they are";
}

} // namespace
