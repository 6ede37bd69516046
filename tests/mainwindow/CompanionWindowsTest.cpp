// The companion windows the hot keys show (Ctrl+C and Ctrl+S the CW keyer, Ctrl+P the voice
// keyer, Ctrl+D the spotting window, Ctrl+R the rig window) come beside the log window,
// which stays usable, whatever an earlier modal showing made them, and come to the front
// with the focus whether they were hidden, open behind the log window or minimised. The
// CW keyer's refused port shows its window modal, with one message.

#include "ShellFixture.h"

#include "keying/KeyerSession.h"
#include "keying/windows/CWFrm.h"
#include "keying/windows/PhoneFrm.h"
#include "rig/windows/RigControlfrm.h"
#include "spots/windows/PacketSpotfrm.h"
#include "support/FakeDevices.h"

namespace {

enum class Before { ShownModalThenDone, Behind, Minimised };

struct HotKey {
    const char* name;
    Qt::Key key;
    Before before;

    friend void PrintTo(const HotKey& k, std::ostream* out) { *out << k.name; }
};

class CompanionWindows : public ShellTest {
protected:
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        QCoreApplication::processEvents();
    }

    Form& windowOf(Qt::Key key)
    {
        switch (key) {
        case Qt::Key_C:
        case Qt::Key_S: return app->cwFrm();
        case Qt::Key_P: return app->phoneFrm();
        case Qt::Key_R: return app->rigControlfrm();
        default: break;
        }
        app->showSpotting();
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* spotting = qobject_cast<PacketSpotfrm*>(widget))
                return *spotting;
        }
        ADD_FAILURE() << "no spotting window";
        return app->cwFrm();
    }

    // The companion window as the operator left it before the hot key.
    void leave(Form& window, Before before)
    {
        switch (before) {
        case Before::ShownModalThenDone:
            QTimer::singleShot(0, &window, [&window] { window.hide(); });
            window.showModal();
            break;
        case Before::Behind: window.showModeless(); break;
        case Before::Minimised:
            window.showModeless();
            window.showMinimized();
            break;
        }
        QCoreApplication::processEvents();
    }
};

class HotKeyWindows : public CompanionWindows, public ::testing::WithParamInterface<HotKey> {};

TEST_P(HotKeyWindows, ComeModelessToTheFrontWithTheFocus)
{
    const HotKey& hotKey = GetParam();
    MainForm& w = openOut();
    w.cmdLogOn_Click();
    Form& window = windowOf(hotKey.key);
    leave(window, hotKey.before);
    focusIn(&w, w.txtCall);
    ASSERT_EQ(QApplication::activeWindow(), &w);

    press(hotKey.key, Qt::ControlModifier);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isMinimized());
    EXPECT_EQ(window.windowModality(), Qt::NonModal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window)) << "the window came to the front";
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->window(), &window) << "the window has the focus";

    // The log window beside it still takes a contact typed into it.
    focusIn(&w, w.txtCall);
    keys(QStringLiteral("k4mma{Tab}{Tab}harr{Enter}"));
    EXPECT_EQ(state().log.QsoCount, 1);
    EXPECT_TRUE(logBytes().startsWith("\"K4MMA\",\"599\",\"599\",\"\",\"HARR\","));
    window.hide();
}

const HotKey HotKeys[] = {
    {"CtrlCAfterCwSetup", Qt::Key_C, Before::ShownModalThenDone},
    {"CtrlCBehind", Qt::Key_C, Before::Behind},
    {"CtrlCMinimised", Qt::Key_C, Before::Minimised},
    {"CtrlSAfterCwSetup", Qt::Key_S, Before::ShownModalThenDone},
    {"CtrlSBehind", Qt::Key_S, Before::Behind},
    {"CtrlPAfterVoiceSetup", Qt::Key_P, Before::ShownModalThenDone},
    {"CtrlPBehind", Qt::Key_P, Before::Behind},
    {"CtrlPMinimised", Qt::Key_P, Before::Minimised},
    {"CtrlDAfterAModalShowing", Qt::Key_D, Before::ShownModalThenDone},
    {"CtrlDBehind", Qt::Key_D, Before::Behind},
    {"CtrlDMinimised", Qt::Key_D, Before::Minimised},
    {"CtrlRAfterAModalShowing", Qt::Key_R, Before::ShownModalThenDone},
    {"CtrlRBehind", Qt::Key_R, Before::Behind},
    {"CtrlRMinimised", Qt::Key_R, Before::Minimised},
};

INSTANTIATE_TEST_SUITE_P(HotKeys, HotKeyWindows, ::testing::ValuesIn(HotKeys),
                         [](const auto& info) { return std::string(info.param.name); });

// Options > Transmit > CW Setup shows the window modal even when Ctrl+C left it open.
TEST_F(CompanionWindows, CwSetupIsModalAfterCtrlC)
{
    MainForm& w = openOut();
    press(Qt::Key_C, Qt::ControlModifier);
    CWFrm& cw = app->cwFrm();
    ASSERT_TRUE(cw.isVisible());
    bool modal = false;
    EXPECT_TRUE(whileShown<CWFrm>(w.mnuCW, [&](CWFrm& shown) {
        modal = shown.isVisible() && QApplication::activeModalWidget() == &shown;
        shown.Command1->click();
    }));
    EXPECT_TRUE(modal);
    EXPECT_FALSE(cw.isVisible());
}

// F1 on a CW keying port that will not open: one message, then the keyer's window modal so
// that the port can be mended; "Done" there brings no second message.
TEST_F(CompanionWindows, RefusedCwPortShowsOneMessageAndTheKeyerModal)
{
    MainForm& w = openOut();
    CWFrm& cw = app->cwFrm();
    cw.Text1->setText(QStringLiteral("CQ TEST"));
    cw.Text10->setText(QStringLiteral("9"));
    cw.selectKeyingInterface(KeyingInterface::Rts);
    state().station.CurrentMode = QStringLiteral("CW");
    static_cast<FakeSerialPort&>(app->keyerSession().cwPort()).refuseOpen = true;
    focusIn(&w, w.txtCall);
    const int before = dialogs.count(QStringLiteral("message"));

    bool modal = false;
    onceShown<CWFrm>([&](CWFrm& shown) {
        modal = QApplication::activeModalWidget() == &shown;
        // The operator clicks "Done" as the window comes up.
        QTest::mouseClick(shown.Command1, Qt::LeftButton);
    });
    press(Qt::Key_F1);
    QCoreApplication::processEvents();

    EXPECT_TRUE(modal) << "the keyer's window is shown modal";
    EXPECT_FALSE(cw.isVisible());
    ASSERT_EQ(dialogs.count(QStringLiteral("message")), before + 1);
    EXPECT_EQ(dialogs.last(QStringLiteral("message"))->title, "Invalid port.");
}

} // namespace
