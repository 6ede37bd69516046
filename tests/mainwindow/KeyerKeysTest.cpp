// The keys the main windows see before their fields: the CW keyer's function keys, the
// speed arrows, the F1 repeat and the key that ends it, keyboard CW, the Ctrl hot keys and
// the key press a Ctrl key-down drops. CW goes out on the recorded parallel port.

#include "ShellFixture.h"

#include "core/QStringPrinter.h"
#include "keying/Morse.h"
#include "keying/KeyerSession.h"
#include "keying/windows/CWFrm.h"
#include "keying/windows/PhoneFrm.h"
#include "rig/windows/RigControlfrm.h"
#include "spots/windows/SpectrumMap.h"

#include <QClipboard>
#include <QTimer>

namespace {

class KeyerKeys : public ShellTest {
protected:
    // The CW keyer on the printer port, timed by sleeping on the test clock, in CW mode.
    CWFrm& keyer()
    {
        CWFrm& cw = app->cwFrm();
        cw.OptSleep->setChecked(true);
        cw.selectKeyingInterface(KeyingInterface::Printer);
        cw.Check1->setChecked(false);
        state().station.CurrentMode = QStringLiteral("CW");
        return cw;
    }

    // What went out on the line, one character per unit: "1" keyed, "0" released.
    QString sent() const
    {
        QString units;
        for (const auto& write : ts.parallelPort->writes)
            units += write.value == 3 ? QLatin1Char('1') : QLatin1Char('0');
        return units;
    }
    static QString morse(const QString& text)
    {
        QString units;
        for (const QChar c : text)
            units += c == QLatin1Char(' ') ? adjustedWordSpace(0) : morseElements(c);
        return units;
    }

    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        QCoreApplication::processEvents();
    }
};

TEST_F(KeyerKeys, FunctionKeysSendTheirMessagesAndALaterKeyDropsTheRest)
{
    MainForm& w = openOut();
    CWFrm& cw = keyer();
    cw.Text2->setText(QStringLiteral("TEST"));
    cw.Text3->setText(QStringLiteral("$ *"));
    cw.Text12->setText(QStringLiteral("TU"));
    keys(QStringLiteral("W5XX"));

    press(Qt::Key_F2);
    EXPECT_EQ(sent(), morse(QStringLiteral("TEST")));
    EXPECT_EQ(w.txtCall->text(), "W5XX") << "the field keeps its text";

    // F3 pressed while F2 goes out: F2 stops after its first character.
    ts.parallelPort->writes.clear();
    QTimer::singleShot(0, [] { press(Qt::Key_F3); });
    press(Qt::Key_F2);
    EXPECT_EQ(sent(), morse(QStringLiteral("TW5XX 5NN")));
    EXPECT_EQ(state().keyer.CWSending, 0);

    // F10 goes out as the keyer's thirteenth key; Ctrl with a function key sends as well.
    ts.parallelPort->writes.clear();
    press(Qt::Key_F10);
    press(Qt::Key_F2, Qt::ControlModifier);
    EXPECT_EQ(sent(), morse(QStringLiteral("TUTEST")));

    // The window sees the keys of its other controls too: F2 from the log list.
    ts.parallelPort->writes.clear();
    focusIn(&w, w.ListView1);
    press(Qt::Key_F2);
    EXPECT_EQ(sent(), morse(QStringLiteral("TEST")));
    focusIn(&w, w.txtCall);

    // Without a keying interface, or out of CW, the function keys send nothing.
    ts.parallelPort->writes.clear();
    cw.selectKeyingInterface(KeyingInterface::None);
    press(Qt::Key_F2);
    cw.selectKeyingInterface(KeyingInterface::Printer);
    state().station.CurrentMode = QStringLiteral("DG");
    press(Qt::Key_F2);
    EXPECT_EQ(sent(), "");
}

// The keying port's device goes away after a few changes of RTS: the operator is told once
// with the port message and the keyer's window, the rest of the message is not sent and its
// "!" logs nothing.
TEST_F(KeyerKeys, AKeyingPortThatFailsMidMessageIsToldOnceAndItsLogMarkLogsNothing)
{
    MainForm& w = openOut();
    CWFrm& cw = keyer();
    cw.Text10->setText(QStringLiteral("3"));
    cw.selectKeyingInterface(KeyingInterface::Rts);
    cw.Text2->setText(QStringLiteral("TEST TU!"));
    keys(QStringLiteral("W5XYZ{Tab}599{Tab}HARR"));
    w.txtCall->setFocus();
    ASSERT_TRUE(cw.CWSetup());
    auto& port = static_cast<FakeSerialPort&>(app->keyerSession().cwPort());
    int changes = 0;
    port.now = [&] {
        if (++changes == 5)
            port.fail();
        return steadyNanoseconds();
    };
    const int messages = dialogs.count(QStringLiteral("message"));
    bool shownModal = false;
    onceShown<CWFrm>([&](CWFrm& shown) { shownModal = QApplication::activeModalWidget() == &shown; });
    press(Qt::Key_F2);
    EXPECT_EQ(changes, 5) << "nothing more was keyed";
    EXPECT_EQ(dialogs.count(QStringLiteral("message")), messages + 1);
    EXPECT_EQ(dialogs.last(QStringLiteral("message"))->title, "Invalid port.");
    EXPECT_TRUE(shownModal) << "the keyer's window shows modal, for another port";
    EXPECT_EQ(state().log.QsoCount, 0);
    EXPECT_TRUE(state().keyer.CWBuffer.isEmpty());
    EXPECT_EQ(state().keyer.CWSending, 0);
}

TEST_F(KeyerKeys, TheF1RepeatSendsAgainUntilAKeyStopsIt)
{
    openIn();
    CWFrm& cw = keyer();
    cw.Text1->setText(QStringLiteral("CQ"));
    cw.txtCWLoop->setText(QStringLiteral("2.5"));
    app->keyerSession().setCwRepeatMs(2500);

    press(Qt::Key_F1);
    EXPECT_EQ(sent(), morse(QStringLiteral("CQ")));
    EXPECT_EQ(state().keyer.CWRepeatActive, 1);
    EXPECT_TRUE(app->keyerSession().cwRepeatWaiting());
    EXPECT_EQ(app->keyerSession().cwRepeatMs(), 2500);
    app->keyerSession().repeatCw();
    EXPECT_EQ(sent(), morse(QStringLiteral("CQCQ")));
    EXPECT_TRUE(app->keyerSession().cwRepeatWaiting()) << "armed again";

    // Any key, Shift alone too, ends it.
    press(Qt::Key_Shift);
    EXPECT_EQ(state().keyer.CWRepeatActive, 0);
    EXPECT_FALSE(app->keyerSession().cwRepeatWaiting());

    // A key during a repeated sending drops the rest of it and arms nothing.
    press(Qt::Key_F1);
    ts.parallelPort->writes.clear();
    QTimer::singleShot(0, [] { press(Qt::Key_Shift); });
    app->keyerSession().repeatCw();
    EXPECT_EQ(sent(), morse(QStringLiteral("C")));
    EXPECT_FALSE(app->keyerSession().cwRepeatWaiting());
}

TEST_F(KeyerKeys, TheArrowsStepTheSpeedInCwOnly)
{
    MainForm& w = openOut();
    CWFrm& cw = keyer();
    keys(QStringLiteral("W5XX"));
    press(Qt::Key_Up);
    EXPECT_EQ(cw.Text11->text(), "14");
    EXPECT_EQ(w.lblDialog->text(), "14 WPM");
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    EXPECT_EQ(cw.Text11->text(), "12");
    EXPECT_EQ(w.lblDialog->text(), "12 WPM");
    EXPECT_EQ(w.txtCall->text(), "W5XX");

    state().station.CurrentMode = QStringLiteral("PH");
    press(Qt::Key_Up);
    cw.selectKeyingInterface(KeyingInterface::None);
    state().station.CurrentMode = QStringLiteral("CW");
    press(Qt::Key_Up);
    EXPECT_EQ(cw.Text11->text(), "12");
}

TEST_F(KeyerKeys, F12TypesCwFromTheKeyboardInBothWindows)
{
    const struct {
        quint8 outOfState;
        const char* caption;
    } windows[] = {{1, "Keyboard CW mode is ON!  Press F12 to exit."}, {0, "Press F12 to exit keyboard CW mode."}};
    for (const auto& c : windows) {
        if (c.outOfState == 0)
            state().station.OwnCounty = QStringLiteral("TRAV");
        MainForm& w = open(c.outOfState);
        keyer();
        ts.parallelPort->writes.clear();
        press(Qt::Key_F12);
        EXPECT_EQ(w.lblDialog->text(), c.caption);
        EXPECT_EQ(background(w.lblDialog), color(0xC0FFFF));

        // Typed keys go out, upper-cased; Enter logs nothing and Backspace with nothing
        // waiting does nothing.
        keys(QStringLiteral("ab{Enter}{BS}"));
        EXPECT_EQ(sent(), morse(QStringLiteral("AB")));
        EXPECT_EQ(w.txtCall->text(), "");
        EXPECT_EQ(state().log.QsoCount, 0);

        // Backspace takes back the last character still waiting.
        ts.parallelPort->writes.clear();
        QTimer::singleShot(0, [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace); });
        keys(QStringLiteral("e"));
        EXPECT_EQ(sent(), morse(QStringLiteral("E")));
        state().keyer.CWBuffer = QStringLiteral("TT");
        QTimer::singleShot(0, [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace); });
        ts.parallelPort->writes.clear();
        keys(QStringLiteral("I"));
        EXPECT_EQ(sent(), morse(QStringLiteral("TT")));

        press(Qt::Key_F12);
        EXPECT_EQ(w.lblDialog->text(), "");
        EXPECT_EQ(background(w.lblDialog), color(MainForm::DialogNormalColor));
        keys(QStringLiteral("w5"));
        EXPECT_EQ(w.txtCall->text(), "W5");
        // The other window takes over without the run ending, as it would for keys typed
        // after the end.
        w.hide();
        app->unloadCompanionWindows();
        delete &w;
    }
}

TEST_F(KeyerKeys, CtrlOpensTheKeyerWindowsAndItsKeyPressIsDropped)
{
    MainForm& w = openOut();
    // Ctrl alone: the next character typed is dropped, the one after shown.
    press(Qt::Key_Control, Qt::ControlModifier);
    keys(QStringLiteral("WW"));
    EXPECT_EQ(w.txtCall->text(), "W");

    // Ctrl+Shift+C is no hot key; Ctrl+C and Ctrl+S show the CW keyer, Ctrl+P the voice
    // keyer, Ctrl+R the rig window, Ctrl+B the spectrum map; nothing reaches the field.
    press(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(app->cwFrmLoaded() && app->cwFrm().isVisible());
    for (const Qt::Key key : {Qt::Key_C, Qt::Key_S}) {
        focusIn(&w, w.txtCall);
        press(key, Qt::ControlModifier);
        EXPECT_TRUE(app->cwFrm().isVisible());
        app->cwFrm().hide();
    }
    focusIn(&w, w.txtCall);
    press(Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(app->phoneFrm().isVisible());
    app->phoneFrm().hide();
    focusIn(&w, w.txtCall);
    press(Qt::Key_R, Qt::ControlModifier);
    EXPECT_TRUE(app->rigControlfrm().isVisible());
    app->rigControlfrm().hide();
    bool mapShown = false;
    focusIn(&w, w.txtCall);
    QTimer closeMap;
    QObject::connect(&closeMap, &QTimer::timeout, [&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* map = qobject_cast<SpectrumMap*>(window); map && map->isVisible()) {
                mapShown = true;
                map->hide();
            }
        }
    });
    closeMap.start(5);
    press(Qt::Key_B, Qt::ControlModifier);
    closeMap.stop();
    EXPECT_TRUE(mapShown) << "Ctrl+B shows the spectrum map";
    focusIn(&w, w.txtCall);
    keys(QStringLiteral("5"));
    EXPECT_EQ(w.txtCall->text(), "W5");

    // Pasting types no control character: it stays, and the next key is shown.
    QApplication::clipboard()->setText(QStringLiteral("XX"));
    keys(QStringLiteral("{Paste}Y"));
    EXPECT_EQ(w.txtCall->text(), "W5XXY");
}

} // namespace
