// The voice keyer's window as the operator uses it: its boxes and buttons, wave2.txt on
// "Done", the push-to-talk port it shares with the CW keyer, the watch and the repeat on
// their real timers, and the window's line on what keeps a message from playing.

#include "keying/windows/CWFrm.h"
#include "keying/windows/PhoneFrm.h"

#include "core/QStringPrinter.h"
#include "core/windows/WindowTestSupport.h"
#include "platform/WriteFaults.h"
#include "support/LoneKeyerSession.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int F1 = 112;
constexpr int F2 = 113;

class PhoneWindow : public ::testing::Test {
protected:
    PhoneWindow()
    {
        folders.applyTo(lone.state);
        message = folders.path(QStringLiteral("work/cq.wav"));
        writeBytes(message, "RIFF");
    }

    std::unique_ptr<PhoneFrm> load() { return std::make_unique<PhoneFrm>(lone.context()); }
    FakeWavePlayer& player() { return static_cast<FakeWavePlayer&>(keyer.voicePlayer()); }
    FakeSerialPort* pttPort() { return static_cast<FakeSerialPort*>(&keyer.session.pttPort()); }
    QString wave2() const { return folders.path(QStringLiteral("work/wave2.txt")); }
    AppState& state() { return lone.state; }

    TestFolders folders;
    LoneWindowContext lone;
    LoneKeyerSession keyer{lone};
    QString message;
};

TEST_F(PhoneWindow, DoneHidesTheWindowAndWritesWave2WholeOrNotAtAll)
{
    auto phone = load();
    showActive(phone.get());
    QTest::mouseClick(phone->Command1, Qt::LeftButton);
    EXPECT_FALSE(phone->isVisible());
    EXPECT_EQ(readBytes(wave2()), crlfLines({"\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"",
                                             "\"0\"", "0", "\"0\"", "\"&H378\""}));

    phone->Text1->setText(QStringLiteral("  /home/op/cq.wav "));
    phone->Text10->setText(QStringLiteral("3"));
    phone->Option3->setChecked(true);
    phone->txtPHLoop->setText(QStringLiteral("2.5"));
    phone->Command1_Click();
    const QByteArray written = readBytes(wave2());
    EXPECT_TRUE(written.startsWith("\"/home/op/cq.wav\"\r\n\"\"\r\n")) << written.toStdString();
    EXPECT_TRUE(written.endsWith("\"3\"\r\n2\r\n\"2.5\"\r\n\"&H378\"\r\n")) << written.toStdString();

    // A disk that fails half-way keeps the old file as it was.
    phone->Text1->setText(QStringLiteral("/home/op/other.wav"));
    {
        ScopedWriteFault full({QStringLiteral("wave2.txt"), 20, false});
        phone->Command1_Click();
    }
    EXPECT_EQ(readBytes(wave2()), written);
    EXPECT_EQ(phone->Text1->text(), "/home/op/other.wav") << "the settings stay in the window";
}

TEST_F(PhoneWindow, BrowsePutsTheChosenFileInItsKeysBoxAndACancelBeeps)
{
    auto phone = load();
    showActive(phone.get());
    lone.services.dialogs->fileAnswers.push_back(QStringLiteral("/home/op/f5.wav"));
    QTest::mouseClick(phone->browseButtons[5], Qt::LeftButton);
    EXPECT_EQ(phone->Text5->text(), "/home/op/f5.wav");
    EXPECT_EQ(lone.services.dialogs->count("open"), 1);
    EXPECT_TRUE(phone->Command1->hasFocus());

    lone.services.dialogs->fileAnswers.push_back(std::nullopt);
    QTest::mouseClick(phone->browseButtons[5], Qt::LeftButton);
    EXPECT_EQ(phone->Text5->text(), "/home/op/f5.wav");
    EXPECT_EQ(lone.services.beeper->beeps, 1);
    for (int i = 1; i <= 9; ++i)
        EXPECT_EQ(phone->browseButtons[size_t(i)]->text(), "Browse");
}

TEST_F(PhoneWindow, TheBoxesTakeOnlyWhatTheyHold)
{
    auto phone = load();
    showActive(phone.get());
    const struct {
        const char* typed;
        const char* shown;
        int interval;
    } repeats[] = {{"2.5", "2.5", 2500}, {"60", "0", 0}, {"75", "0", 0}, {"", "0", 0}, {"a1b.5", "1.5", 1500}};
    for (const auto& r : repeats) {
        phone->txtPHLoop->setFocus();
        phone->txtPHLoop->clear();
        QTest::keyClicks(phone->txtPHLoop, QString::fromLatin1(r.typed));
        phone->Text1->setFocus();
        QCoreApplication::processEvents();
        EXPECT_EQ(phone->txtPHLoop->text(), r.shown) << r.typed;
        EXPECT_EQ(keyer.session.voiceRepeatMs(), r.interval) << r.typed;
    }

    phone->Text11->setFocus();
    phone->Text11->clear();
    QTest::keyClicks(phone->Text11, QStringLiteral("&h2\"7b"));
    EXPECT_EQ(phone->Text11->text(), "&H27B");

    // The port box: selected on entry, "0" when it is no number, a number opens the port.
    phone->Text10->setText(QStringLiteral("12"));
    phone->Text10->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(phone->Text10->selectedText(), "12");
    QTest::keyClicks(phone->Text10, QStringLiteral("x"));
    phone->Text1->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(phone->Text10->text(), "0");
    EXPECT_FALSE(pttPort()->isOpen());
    phone->Text10->setFocus();
    QTest::keyClicks(phone->Text10, QStringLiteral("&H3"));
    phone->Text1->setFocus();
    QCoreApplication::processEvents();
    EXPECT_TRUE(pttPort()->isOpen());
    EXPECT_EQ(pttPort()->comNumber(), 3);
}

TEST_F(PhoneWindow, APortThatWillNotOpenIsReportedAndTheWindowShownToMendIt)
{
    auto phone = load();
    FakeSerialPort* port = pttPort();
    port->refuseOpen = true;
    phone->Text2->setText(message);
    phone->Text10->setText(QStringLiteral("9"));
    bool shownModally = false;
    onceShown<PhoneFrm>([&](PhoneFrm&) { shownModally = true; });
    phone->FKeyPhone(F2);
    EXPECT_TRUE(shownModally);
    EXPECT_EQ(lone.services.beeper->beeps, 1);
    const auto* box = lone.services.dialogs->last("message");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->title, "Invalid port.");
    EXPECT_EQ(box->text, "The port you have selected for Phone keying is invalid.  Please select another or enter 0 for none.");
    EXPECT_TRUE(port->lineChanges.empty() || !port->rts);
    EXPECT_EQ(player().plays, 1) << "the message plays unkeyed";
}

TEST_F(PhoneWindow, ThePttAndCwPortsAreNeverOpenAtOnce)
{
    auto cw = std::make_unique<CWFrm>(lone.context());
    auto* cwPort = static_cast<FakeSerialPort*>(&keyer.session.cwPort());
    auto phone = load();
    FakeSerialPort* pttPort = this->pttPort();
    cw->Text10->setText(QStringLiteral("2"));
    cw->CWSetup();
    ASSERT_TRUE(cwPort->isOpen());

    phone->Text2->setText(message);
    phone->Text10->setText(QStringLiteral("3"));
    phone->FKeyPhone(F2);
    EXPECT_FALSE(cwPort->isOpen()) << "the PTT port takes over";
    EXPECT_TRUE(pttPort->isOpen());
    EXPECT_TRUE(pttPort->rts);

    // The CW port taken back while the message plays: the PTT line drops before its port closes.
    cw->CWSetup();
    EXPECT_TRUE(cwPort->isOpen());
    EXPECT_FALSE(pttPort->isOpen());
    EXPECT_FALSE(pttPort->rts);
    ASSERT_FALSE(pttPort->lineChanges.empty());
    EXPECT_TRUE(pttPort->lineChanges.back().open) << "dropped while the port was still open";

    // A new port number named while a message plays: the keyed line of the old port drops first.
    phone->FKeyPhone(F2);
    EXPECT_TRUE(pttPort->rts);
    phone->Text10->setText(QStringLiteral("4"));
    phone->OpenPhonePttPort();
    EXPECT_FALSE(pttPort->rts);
    EXPECT_EQ(pttPort->comNumber(), 4);
    EXPECT_FALSE(cwPort->isOpen());
}

TEST_F(PhoneWindow, ReleasingWhilePlayingReleasesEverythingThatWasKeyed)
{
    auto phone = load();
    FakeSerialPort* port = pttPort();
    phone->Text2->setText(message);
    phone->Text10->setText(QStringLiteral("3"));
    phone->Option3->setChecked(true);
    phone->FKeyPhone(F2);
    ASSERT_TRUE(port->rts);
    const auto lines = port->lines;
    keyer.session.releaseAll();
    EXPECT_FALSE(lines->rts);
    EXPECT_FALSE(lines->open);
    const auto& writes = lone.services.parallelPort->writes;
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes.back().address, 890);
    EXPECT_EQ(writes.back().value, 2);
}

TEST_F(PhoneWindow, TheWindowSaysWhyMessagesCannotPlay)
{
    auto phone = load();
    player().noOutput = true;
    showActive(phone.get());
    EXPECT_EQ(phone->lblSound->text(), "No sound output was found: the messages cannot play.");
    phone->hide();
    player().noOutput = false;
    showActive(phone.get());
    EXPECT_EQ(phone->lblSound->text(), "") << "an output found since";

    // A file that cannot be played keys nothing; the line says why, nothing else does.
    phone->Text2->setText(folders.path(QStringLiteral("work/gone.wav")));
    phone->Text10->setText(QStringLiteral("3"));
    phone->FKeyPhone(F2);
    EXPECT_TRUE(pttPort()->lineChanges.empty());
    EXPECT_TRUE(phone->lblSound->text().endsWith(QStringLiteral("gone.wav was not found.")));
    EXPECT_EQ(lone.services.dialogs->shown.size(), 0u);

    // A message that plays clears the line; each showing looked for the output again.
    writeBytes(folders.path(QStringLiteral("work/cq.wav")), "RIFF");
    phone->Text2->setText(folders.path(QStringLiteral("work/cq.wav")));
    phone->FKeyPhone(F2);
    EXPECT_TRUE(pttPort()->rts);
    EXPECT_EQ(phone->lblSound->text(), "");
    EXPECT_EQ(player().probes, 2);
}

TEST_F(PhoneWindow, TheWatchReleasesOnItsTimerAndTheRepeatPlaysF1Again)
{
    auto phone = load();
    FakeSerialPort* port = pttPort();
    phone->Text1->setText(message);
    phone->Text10->setText(QStringLiteral("1"));
    phone->txtPHLoop->setText(QStringLiteral("0.1"));
    keyer.session.setVoiceRepeatMs(100);
    QTest::mouseClick(phone->Command11, Qt::LeftButton);
    EXPECT_EQ(player().plays, 1);
    EXPECT_TRUE(keyer.session.watchingVoiceMessage());
    EXPECT_EQ(keyer.session.voiceWatchMs(), 40);
    EXPECT_EQ(state().keyer.PhoneRepeatActive, 1);

    player().finish();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !port->rts; }, 2000));
    EXPECT_FALSE(keyer.session.watchingVoiceMessage());
    EXPECT_TRUE(QTest::qWaitFor([&] { return player().plays == 2; }, 2000)) << "F1 again after its interval";
    EXPECT_TRUE(port->rts);

    // A key in the main window clears the repeat: the message ends and stays ended.
    state().keyer.PhoneRepeatActive = 0;
    player().finish();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !port->rts; }, 2000));
    EXPECT_FALSE(keyer.session.voiceRepeatWaiting());
}

} // namespace
