// The rig interface window as the operator uses it: the radio types' defaults, RigCntrl.txt
// written by "Done" and restored at load, the port opened with its lines and wake-up bytes,
// and the poll reaching the log through Form1.

#include "rig/windows/RigControlfrm.h"

#include "rig/windows/RadioToLog.h"

#include "core/QStringPrinter.h"
#include "rig/RigSession.h"
#include "support/FakeDevices.h"
#include "support/LoneWindowContext.h"

#include <QApplication>
#include <QFile>
#include <QFocusEvent>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class LogWindowDouble final : public RunningMainWindow {
public:
    std::vector<float> frequencies;
    std::vector<QString> modes;
    QString caption;
    void BandFreqConversion(float f) override { frequencies.push_back(f); }
    void ModeSelection(const QString& m) override { modes.push_back(m); }
    void setDialogCaption(const QString& c) override { caption = c; }
    QString dialogCaption() const override { return caption; }
};

class RigWindow : public ::testing::Test {
protected:
    RigWindow()
    {
        lone.state.folders.WorkingDirectory = folder.path();
        lone.sessions.rig = &session;
        lone.navigation.form1().attach(log);
        lone.navigation.form1().attachRadio(session);
    }
    ~RigWindow() override { lone.navigation.form1().detach(log); }

    std::unique_ptr<RigControlfrm> load() { return std::make_unique<RigControlfrm>(lone.context()); }
    FakeSerialPort& port() { return *lone.services.serialPorts->back(); }
    void choose(RigControlfrm& w, const char* rig)
    {
        w.List1->setCurrentItem(w.List1->findItems(QLatin1String(rig), Qt::MatchExactly).front());
    }
    QByteArray settingsFile()
    {
        QFile f(folder.filePath(QStringLiteral("RigCntrl.txt")));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("missing");
    }

    QTemporaryDir folder;
    LoneWindowContext lone;
    RigSession session{[this] { return lone.running.makeSerialPort(); }};
    // As App does: the readings go to the log window without the rig window.
    RadioToLog toLog{session, lone.navigation.form1(), *lone.services.dialogs};
    LogWindowDouble log;
};

TEST_F(RigWindow, ChoosingARadioAppliesItsDefaults)
{
    auto w = load();
    EXPECT_EQ(w->windowTitle(), " Rig Interface Setup");
    EXPECT_EQ(w->List1->count(), 19);
    choose(*w, "Icom");
    EXPECT_EQ(w->txtFreq->text(), "FE FE 64 E0 03 FD");
    EXPECT_TRUE(w->chkConvToHex->isChecked());
    EXPECT_TRUE(w->ChkConvHex->isChecked()) << "Convert from Hex follows";
    EXPECT_FALSE(w->Label10->isHidden());
    choose(*w, "Yaesu FTdx9000");
    EXPECT_TRUE(w->optBaud[2]->isChecked());
    EXPECT_TRUE(w->optStop1->isChecked()) << "the Icom's stop bits stay";
    EXPECT_EQ(w->rig.RigModeRequest, "MD0;");
    choose(*w, "Kenwood 2");
    EXPECT_EQ(w->txtFreq->text(), "IF;");
    EXPECT_EQ(w->txtMode->text(), "");
    EXPECT_TRUE(w->optStop2->isChecked());
    EXPECT_FALSE(w->chkConvToHex->isEnabled());
    choose(*w, "Other");
    EXPECT_TRUE(w->chkConvToHex->isEnabled());
    EXPECT_FALSE(w->chkConvToHex->isChecked());
}

TEST_F(RigWindow, DoneWritesTheSettingsAndALoadRestoresThem)
{
    {
        auto w = load();
        w->show();
        choose(*w, "Kenwood");
        QTest::mouseClick(w->cmdDone, Qt::LeftButton);
        EXPECT_TRUE(w->isHidden());
        EXPECT_TRUE(session.polling()) << "Done keeps polling";
    }
    EXPECT_EQ(settingsFile(), "\"4800 \"\r\n\"N\"\r\n\"8\"\r\n\"2\"\r\n\"MD;\"\r\n\"FA;\"\r\n\"4800,N,8,2\"\r\n1\r\n"
                              "\"N\"\r\n\"M\"\r\n\"Kenwood\"\r\n0\r\n1\r\n1\r\n");
    lone.state.station.RigName.clear();
    auto w = load();
    EXPECT_EQ(lone.state.station.RigName, "Kenwood");
    EXPECT_EQ(w->List1->currentItem()->text(), "Kenwood");
    EXPECT_TRUE(w->optBaud[2]->isChecked());
    EXPECT_TRUE(w->optStop2->isChecked());
    EXPECT_EQ(w->txtMode->text(), "MD;");
    EXPECT_FALSE(session.polling()) << "loading starts nothing";
}

TEST_F(RigWindow, TestOpensThePortWithItsLinesAndPollsIntoTheLog)
{
    auto w = load();
    choose(*w, "Kenwood");
    w->optPowerRTS->click();
    w->optComm[2]->click();
    w->Command1_Click();
    EXPECT_TRUE(port().isOpen());
    EXPECT_EQ(port().comNumber(), 3);
    EXPECT_EQ(port().settings, (SerialSettings{4800, 'N', 8, 2}));
    EXPECT_TRUE(port().rts);
    EXPECT_FALSE(port().dtr);
    ASSERT_FALSE(port().lineChanges.empty());
    EXPECT_FALSE(port().lineChanges.front().open) << "both lines are dropped before the port opens";
    EXPECT_EQ(port().written, "FA;MD;") << "Test asks at once";
    EXPECT_EQ(session.pollInterval(), 250);
    EXPECT_FALSE(w->Label2->isHidden());

    port().received = "FA00014074000;MD3;";
    session.tick();
    ASSERT_EQ(log.frequencies.size(), 1u);
    EXPECT_FLOAT_EQ(log.frequencies[0], 14.074f);
    EXPECT_EQ(log.modes, std::vector<QString>{"CW"});

    float spot = 7.03f;
    lone.navigation.form1().ChangeFrequency(spot);
    EXPECT_TRUE(port().written.endsWith("FA00007030000;")) << port().written.toStdString();

    w->optPollFast->click();
    EXPECT_FALSE(session.polling()) << "a changed option ends the test";
    EXPECT_FALSE(port().isOpen());
}

// Only the focus moving into a request box ends the test; the box getting it back as the
// window comes to the front, or a popup or a menu closes, does not.
TEST_F(RigWindow, OnlyTheFocusMovingIntoARequestBoxEndsTheTest)
{
    auto w = load();
    choose(*w, "Kenwood");
    const struct {
        Qt::FocusReason reason;
        bool endsTheTest;
    } rows[] = {
        {Qt::MouseFocusReason, true},         {Qt::TabFocusReason, true},     {Qt::BacktabFocusReason, true},
        {Qt::ShortcutFocusReason, true},      {Qt::OtherFocusReason, true},   {Qt::ActiveWindowFocusReason, false},
        {Qt::PopupFocusReason, false},        {Qt::MenuBarFocusReason, false},
    };
    for (const auto& row : rows) {
        for (QLineEdit* box : {w->txtFreq, w->txtMode}) {
            w->Command1_Click();
            ASSERT_TRUE(session.polling());
            QFocusEvent focusIn(QEvent::FocusIn, row.reason);
            QApplication::sendEvent(box, &focusIn);
            EXPECT_EQ(session.polling(), !row.endsTheTest) << "reason " << row.reason;
        }
    }
}

// A radio that goes silent or loses its port: the readouts and the main window's message
// line say so, the last frequency stays (stale), and it all clears when the radio answers.
TEST_F(RigWindow, ASilentRadioIsShownUntilItAnswers)
{
    auto w = load();
    choose(*w, "Kenwood");
    w->Command1_Click();
    port().received = "FA00014074000;MD3;";
    session.tick();
    session.tick();

    port().fail(QStringLiteral("COM1 (/dev/ttyUSB0) failed: Input/output error"));
    EXPECT_EQ(log.caption, "No Response: COM1 (/dev/ttyUSB0) failed: Input/output error");
    EXPECT_EQ(w->lblFreq->text(), "14.07400 stale");
    EXPECT_EQ(w->lblMode->text(), "No Response");
    EXPECT_EQ(w->lblUnProcess->text(), log.caption);
    EXPECT_TRUE(session.polling());

    ASSERT_TRUE(port().open());
    port().received = "FA00007030000;MD3;";
    session.tick();
    session.tick();
    EXPECT_EQ(log.caption, "") << "cleared when the radio answers";
    EXPECT_EQ(w->lblFreq->text(), "7.03000");
    EXPECT_EQ(w->lblMode->text(), "CW");

    port().fail();
    log.caption = QStringLiteral("Dupe!"); // a later message of the main window stays
    w->Command2_Click();
    EXPECT_EQ(log.caption, "Dupe!");
}

TEST_F(RigWindow, WakeUpBytesAndTheFailedOpening)
{
    auto w = load();
    choose(*w, "Ten Tec Orion");
    w->Command1_Click();
    EXPECT_EQ(port().written.left(2), "X\r");
    EXPECT_EQ(port().handshaking, Handshaking::RtsCts);
    choose(*w, "Yaesu 990");
    EXPECT_EQ(lone.state.station.RigName, "Yaesu 990");
    w->Command1_Click();
    EXPECT_EQ(port().written.right(5), QByteArray(5, '\0')) << "the first tick reads: Test keeps the poll phase";
    EXPECT_EQ(port().handshaking, Handshaking::RtsCts) << "kept once an Orion was opened";

    w->show();
    port().refuseOpen = true;
    w->Command1_Click();
    ASSERT_EQ(lone.services.dialogs->shown.size(), 1u);
    EXPECT_EQ(lone.services.dialogs->shown[0].title, "Invalid Comm Settings.");
    EXPECT_EQ(lone.services.beeper->beeps, 1);
    EXPECT_FALSE(session.polling());
    EXPECT_TRUE(w->Label2->isHidden());
    EXPECT_EQ(w->lblFreq->text(), "No Response");
}

TEST_F(RigWindow, NoneOpensNothingAndChangeFrequencyWantsPolling)
{
    auto w = load();
    choose(*w, "None");
    w->Command1_Click();
    EXPECT_EQ(port().opens, 0);
    w->show();
    QTest::mouseClick(w->Command3, Qt::LeftButton);
    ASSERT_EQ(lone.services.dialogs->shown.size(), 1u);
    EXPECT_EQ(lone.services.dialogs->shown[0].title, "You must be polling your rig to test this function.");
}

} // namespace
