// The CW keyer window as the operator uses it: its boxes and buttons, CW.txt on "Done",
// the per-user timing values, the test button and the keyer keying a real line double.

#include "keying/windows/CWFrm.h"

#include "core/QStringPrinter.h"
#include "keying/windows/frmCodePractice.h"
#include "support/CaptionsFit.h"
#include "support/LoneKeyerSession.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Tab out of a box, as the operator leaves it.
void leave(QWidget* box)
{
    QTest::keyClick(box, Qt::Key_Tab);
    QCoreApplication::processEvents();
}

// The running main window as the keyer reaches it through Form1.
class FakeMainWindow final : public RunningMainWindow {
public:
    QString call;
    int logged = 0;
    QStringList captions;
    void BandFreqConversion(float) override {}
    void ModeSelection(const QString&) override {}
    QString callFieldText() const override { return call; }
    void Mains() override { ++logged; }
    void setDialogCaption(const QString& caption) override { captions << caption; }
};

class CwKeyerWindow : public ::testing::Test {
protected:
    CwKeyerWindow()
    {
        folders.applyTo(lone.state);
        lone.navigation.form1().attach(main);
    }
    ~CwKeyerWindow() override { lone.navigation.form1().detach(main); }

    std::unique_ptr<CWFrm> load() { return std::make_unique<CWFrm>(lone.context()); }
    AppState& state() { return lone.state; }


    TestFolders folders;
    LoneWindowContext lone;
    LoneKeyerSession keyer{lone};
    FakeMainWindow main;
};

TEST_F(CwKeyerWindow, DoneWritesTheDesignValuesAndTheTimingChoice)
{
    auto cw = load();
    EXPECT_TRUE(cw->optTimer->isChecked());
    cw->show();
    cw->OptSleep->setChecked(true);
    QTest::mouseClick(cw->Command1, Qt::LeftButton);
    EXPECT_FALSE(cw->isVisible());
    EXPECT_EQ(readBytes(folders.path(QStringLiteral("work/CW.txt"))),
              crlfLines({"\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"0\"", "\"13\"", "\"\"",
                         "\"\"", "\"0\"", "0", "\"&H378\"", "1", "\"0\""}));
    EXPECT_EQ(lone.services.settings->values.value(QStringLiteral("UserCWSelection")), "Sleep");
    EXPECT_EQ(lone.services.settings->values.value(QStringLiteral("UserCWLoopOffset")), "0");
}

TEST_F(CwKeyerWindow, TheTimingChoiceIsReadAsThisUserLeftIt)
{
    const struct {
        const char* stored;
        QRadioButton* CWFrm::*option;
    } cases[] = {{"Loop", &CWFrm::optLoop}, {"Sleep", &CWFrm::OptSleep}, {"loop", &CWFrm::optTimer}, {"", &CWFrm::optTimer}};
    for (const auto& c : cases) {
        lone.services.settings->values[QStringLiteral("UserCWSelection")] = QString::fromLatin1(c.stored);
        lone.services.settings->values[QStringLiteral("UserCWLoopOffset")] = QStringLiteral("1000");
        auto cw = load();
        EXPECT_TRUE((cw.get()->*c.option)->isChecked()) << c.stored;
        EXPECT_EQ(cw->txtLoop->text(), "1000") << "a measured count is not measured again";
    }
    auto cw = load();
    cw->optLoop->setChecked(true);
    QTest::mouseClick(cw->cmdLoopFaster, Qt::LeftButton);
    EXPECT_EQ(cw->txtLoop->text(), "900");
    QTest::mouseClick(cw->cmdLoopSlower, Qt::LeftButton);
    EXPECT_EQ(cw->txtLoop->text(), "1000");
    EXPECT_EQ(cw->LoopsPer60ms, 1000);
}

TEST_F(CwKeyerWindow, BoxesTakeOnlyWhatTheyHold)
{
    auto cw = load();
    cw->show();
    QApplication::setActiveWindow(cw.get());
    cw->Text1->setFocus();
    QTest::keyClicks(cw->Text1, QStringLiteral("cq \"de\" $"));
    EXPECT_EQ(cw->Text1->text(), "CQ DE $") << "upper-cased, and a double quote never gets in";
    cw->Text11->selectAll();
    QTest::keyClicks(cw->Text11, QStringLiteral("2x 5"));
    EXPECT_EQ(cw->Text11->text(), "25");
    cw->txtSpace->selectAll();
    QTest::keyClicks(cw->txtSpace, QStringLiteral("-9"));
    EXPECT_EQ(cw->txtSpace->text(), "-8");
    QTest::mouseClick(cw->Command5, Qt::LeftButton);
    EXPECT_EQ(cw->txtSpace->text(), "-8") << "\"Less\" never goes below -8";
    QTest::mouseClick(cw->Command2, Qt::LeftButton);
    EXPECT_EQ(cw->Text11->text(), "26");

    // The repeat box: 2.5 s repeats, 60 is refused.
    cw->txtCWLoop->setFocus();
    cw->txtCWLoop->selectAll();
    QTest::keyClicks(cw->txtCWLoop, QStringLiteral("2.5s"));
    leave(cw->txtCWLoop);
    EXPECT_EQ(cw->txtCWLoop->text(), "2.5");
    EXPECT_EQ(keyer.session.cwRepeatMs(), 2500);
    cw->txtCWLoop->setFocus();
    cw->txtCWLoop->selectAll();
    QTest::keyClicks(cw->txtCWLoop, QStringLiteral("60"));
    leave(cw->txtCWLoop);
    EXPECT_EQ(cw->txtCWLoop->text(), "0");
    EXPECT_EQ(keyer.session.cwRepeatMs(), 0);
}

TEST_F(CwKeyerWindow, TestSendsF9OnThePrinterPortAndLogsAtTheBang)
{
    auto cw = load();
    cw->OptSleep->setChecked(true);
    cw->Option3->setChecked(true);
    cw->Text11->setText(QStringLiteral("20"));
    cw->Text9->setText(QStringLiteral("E!"));
    main.call = QStringLiteral("K5ABC");
    QTest::mouseClick(cw->Command4, Qt::LeftButton);
    const auto& writes = lone.services.parallelPort->writes;
    ASSERT_EQ(writes.size(), 4u);
    EXPECT_EQ(writes[0].address, 890);
    EXPECT_EQ(writes[0].value, 3);
    EXPECT_EQ(writes[3].value, 2);
    EXPECT_EQ(main.logged, 1);
    EXPECT_EQ(main.captions.last(), "") << "the echo ends with an empty message line";
    EXPECT_FALSE(cw->Label23->isVisible());

    // "None" keys nothing; an empty call logs nothing.
    main.call.clear();
    cw->Option4->setChecked(true);
    QTest::mouseClick(cw->Command4, Qt::LeftButton);
    EXPECT_EQ(writes.size(), 4u);
    EXPECT_EQ(main.logged, 1);
}

TEST_F(CwKeyerWindow, SerialLineOpensOnFirstUseAndDropsOnRelease)
{
    auto cw = load();
    cw->OptSleep->setChecked(true);
    cw->Option1->setChecked(true);
    cw->Text10->setText(QStringLiteral("2"));
    cw->Text9->setText(QStringLiteral("T"));
    cw->FKeyCW(120);
    auto* port = static_cast<FakeSerialPort*>(&keyer.session.cwPort());
    EXPECT_EQ(port->comNumber(), 2);
    EXPECT_TRUE(port->isOpen());
    ASSERT_FALSE(port->lineChanges.empty());
    EXPECT_FALSE(port->rts);
    EXPECT_EQ(std::count_if(port->lineChanges.begin(), port->lineChanges.end(),
                            [](const auto& c) { return c.line == ModemLine::Rts && c.on; }),
              3);

    // A port that does not open is reported, and nothing is keyed.
    port->refuseOpen = true;
    cw->Text10->setText(QStringLiteral("9"));
    bool shownModal = false;
    QTimer::singleShot(0, cw.get(), [&] {
        shownModal = QApplication::activeModalWidget() == cw.get();
        cw->hide();
    });
    cw->CWSetup();
    EXPECT_EQ(lone.services.dialogs->last("message")->title, "Invalid port.");
    EXPECT_TRUE(shownModal) << "the window is shown modal, to mend the port";

    // The F1 repeat: armed as the message ends, re-sent when it fires, stopped by a key.
    port->refuseOpen = false;
    cw->CWSetup();
    cw->Text1->setText(QStringLiteral("E"));
    cw->txtCWLoop->setText(QStringLiteral("2.5"));
    keyer.session.setCwRepeatMs(2500);
    cw->FKeyCW(112);
    EXPECT_EQ(state().keyer.CWRepeatActive, 1);
    EXPECT_TRUE(keyer.session.cwRepeatWaiting());
    const size_t before = port->lineChanges.size();
    keyer.session.repeatCw();
    EXPECT_GT(port->lineChanges.size(), before);
    EXPECT_TRUE(keyer.session.cwRepeatWaiting()) << "armed again";

    const auto lines = port->lines;
    keyer.session.releaseAll();
    EXPECT_FALSE(keyer.session.cwRepeatWaiting());
    EXPECT_FALSE(lines->rts);
    EXPECT_FALSE(lines->dtr);
}

TEST_F(CwKeyerWindow, SendCodePracticeOpensThePracticeUntilItCloses)
{
    auto cw = load();
    cw->show();
    cw->Text11->setText(QStringLiteral("22"));
    QString speedShown;
    QTimer::singleShot(0, cw.get(), [&] {
        auto* practice = qobject_cast<frmCodePractice*>(QApplication::activeModalWidget());
        ASSERT_NE(practice, nullptr);
        speedShown = practice->Label8->text();
        practice->close();
        state().keyer.CWBuffer = QStringLiteral("CQ"); // left behind as the window goes
    });
    QTest::mouseClick(cw->Command7, Qt::LeftButton);
    EXPECT_EQ(speedShown, "22");
    EXPECT_EQ(state().keyer.CWBuffer, "") << "nothing the practice left is sent";
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(CwKeyerWindow, CaptionsFitOnCommonScreens)
{
    // The reference screen, 1024 x 768, 1280 x 1024 and 1920 x 1080, in twips.
    for (const QSizeF size : {QSizeF(9600, 7200), QSizeF(15360, 11520), QSizeF(19200, 15360), QSizeF(28800, 16200)}) {
        SCOPED_TRACE(size.width());
        lone.services.screen->size = size;
        auto cw = load();
        cw->show();
        expectCaptionsFit(*cw);
    }
}

} // namespace
