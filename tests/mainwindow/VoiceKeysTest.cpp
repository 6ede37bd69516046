// The voice keyer from the log window in phone mode: the function keys play their
// messages with the transmitter keyed, F10 is swallowed, any key ends the F1 repeat, Esc
// stops a message before it clears the entry, and "&Voice Setup" shows the keyer.

#include "ShellFixture.h"

#include "core/QStringPrinter.h"
#include "keying/KeyerSession.h"
#include "keying/windows/PhoneFrm.h"

namespace {

class VoiceKeys : public ShellTest {
protected:
    // The voice keyer with messages on F1 and F2, keyed on RTS of COM2, in phone mode.
    PhoneFrm& keyer()
    {
        PhoneFrm& phone = app->phoneFrm();
        const QString file = work(QStringLiteral("cq.wav"));
        writeBytes(file, "RIFF");
        phone.Text1->setText(file);
        phone.Text2->setText(file);
        phone.Text10->setText(QStringLiteral("2"));
        state().station.CurrentMode = QStringLiteral("PH");
        return phone;
    }
    FakeWavePlayer& player() { return ts.keyerVoicePlayer(); }
    FakeSerialPort& pttPort() { return static_cast<FakeSerialPort&>(app->keyerSession().pttPort()); }

    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        QCoreApplication::processEvents();
    }
};

TEST_F(VoiceKeys, FunctionKeysPlayTheirMessagesInPhoneModeOnly)
{
    MainForm& w = openOut();
    keyer();
    keys(QStringLiteral("W5XX"));

    press(Qt::Key_F2);
    EXPECT_EQ(player().plays, 1);
    EXPECT_TRUE(pttPort().rts) << "keyed while it plays";
    EXPECT_EQ(w.txtCall->text(), "W5XX");
    player().finish();
    app->keyerSession().watchVoiceMessage();
    EXPECT_FALSE(pttPort().rts);

    // F10 is swallowed, F11 and F3 (an empty box) play nothing.
    for (const Qt::Key key : {Qt::Key_F10, Qt::Key_F11, Qt::Key_F3})
        press(key);
    EXPECT_EQ(player().plays, 1);

    state().station.CurrentMode = QStringLiteral("CW");
    press(Qt::Key_F2);
    state().station.CurrentMode = QStringLiteral("DG");
    press(Qt::Key_F2);
    EXPECT_EQ(player().plays, 1) << "the voice keyer plays in phone mode only";
}

TEST_F(VoiceKeys, AKeyThatFindsNoSoundOutputKeysNothingAndSaysSoInTheMessageLine)
{
    MainForm& w = openOut();
    keyer();
    player().noOutput = true;
    keys(QStringLiteral("W5XX"));
    press(Qt::Key_F2);
    EXPECT_TRUE(pttPort().lineChanges.empty());
    EXPECT_EQ(w.lblDialog->text(), "Voice keyer: No sound output was found.");
    EXPECT_EQ(w.txtCall->text(), "W5XX");
}

TEST_F(VoiceKeys, AnyKeyEndsTheRepeatAndEscStopsTheMessageBeforeItClears)
{
    MainForm& w = openIn();
    PhoneFrm& phone = keyer();
    phone.txtPHLoop->setText(QStringLiteral("3"));
    app->keyerSession().setVoiceRepeatMs(3000);
    keys(QStringLiteral("W5XX"));

    press(Qt::Key_F1);
    EXPECT_EQ(state().keyer.PhoneRepeatActive, 1);
    press(Qt::Key_Escape);
    EXPECT_EQ(state().keyer.PhoneRepeatActive, 0) << "the key ends the repeat first";
    EXPECT_NE(player().mode(), WavePlayer::ModePlaying) << "Esc stopped the message";
    EXPECT_EQ(w.txtCall->text(), "W5XX") << "and left the entry alone";
    app->keyerSession().watchVoiceMessage();
    EXPECT_FALSE(pttPort().rts);
    EXPECT_FALSE(app->keyerSession().voiceRepeatWaiting()) << "F1 does not come back";

    press(Qt::Key_Escape);
    EXPECT_EQ(w.txtCall->text(), "") << "the second Esc clears";

    // While the wait before the next F1 runs, Shift alone ends it.
    press(Qt::Key_F1);
    player().finish();
    app->keyerSession().watchVoiceMessage();
    EXPECT_TRUE(app->keyerSession().voiceRepeatWaiting());
    press(Qt::Key_Shift);
    EXPECT_FALSE(app->keyerSession().voiceRepeatWaiting());
    EXPECT_EQ(state().keyer.PhoneRepeatActive, 0);
}

TEST_F(VoiceKeys, VoiceSetupShowsTheKeyerModally)
{
    MainForm& w = openOut();
    const QMenu* transmit = item(w.mnuOptions, QStringLiteral("&Transmit"))->menu();
    ASSERT_NE(transmit, nullptr);
    EXPECT_TRUE(whileShown<PhoneFrm>(item(transmit, QStringLiteral("&Voice Setup")), [](PhoneFrm& phone) {
        EXPECT_EQ(phone.windowTitle(), "Phone Wave Selections");
        phone.Command1_Click();
    }));
    EXPECT_FALSE(app->phoneFrm().isVisible());
    EXPECT_TRUE(QFile::exists(work(QStringLiteral("wave2.txt"))));
}

} // namespace
