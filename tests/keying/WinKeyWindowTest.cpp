// The keyer device's window driven as the operator drives it, against the fake keyer on a
// pseudo-terminal (COM5) through the program's real serial port: opening and closing with
// their status texts, the settings in the order they go out, the limits of the boxes,
// WK.txt, the send that waits while the keyer's buffer is full, the tests and type-to-send,
// and the main window's keys that stop, take back and speed up what the keyer sends.

#include "support/LogWindowFixture.h"

#include "FakeWinKey.h"
#include "core/QStringPrinter.h"
#include "keying/KeyerSession.h"
#include "keying/WinKeyDevice.h"
#include "keying/windows/CWFrm.h"
#include "keying/windows/frmWinKey.h"
#include "platform/SerialPort.h"

#include <QTimer>
#include <algorithm>

namespace {

QByteArray hex(const char* text) { return QByteArray::fromHex(text); }

// Runs the script on the keyer window once it shows modally, then hides it.
void onceShownWinKey(std::function<void(frmWinKey&)> script)
{
    QTimer::singleShot(0, [script] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* w = qobject_cast<frmWinKey*>(widget);
            if (w && w->isVisible()) {
                script(*w);
                if (w->isVisible())
                    w->hide();
                return;
            }
        }
        ADD_FAILURE() << "no visible frmWinKey";
    });
}

class WinKeyWindow : public LogWindowTest {
protected:
    WinKeyWindow()
    {
        EXPECT_FALSE(keyer.name().isEmpty()) << "no pseudo-terminal";
        ts.environment->variables[QStringLiteral("BREVANT_COM5")] = keyer.name();
        ts.environment->variables[QStringLiteral("BREVANT_COM7")] = QStringLiteral("/nonexistent/ttyWK7");
        app->services().makeSerialPort = [environment = ts.environment, &settings = settings] {
            return std::make_unique<QtSerialPort>(
                [environment, &settings](int com) { return comPortDevice(com, *environment, settings); });
        };
        keyer.msPerCharacter = 5;
    }

    QString dataFile() const { return folders.documents + QStringLiteral("/Vexol Software/Texas/WK.txt"); }
    void writeSettings(const QByteArray& bytes) { writeBytes(dataFile(), bytes); }

    // The window as the CW keyer's "WinKey" option loads it, its waits shortened.
    frmWinKey& window()
    {
        CWFrm& cw = app->cwFrm();
        cw.selectKeyingInterface(KeyingInterface::WinKey);
        frmWinKey& w = app->winKeyFrm();
        app->keyerSession().winKey().device().timing.settleMs = 20;
        app->keyerSession().winKey().device().timing.answerMs = 500;
        return w;
    }
    frmWinKey& opened()
    {
        frmWinKey& w = window();
        w.cmdOpenWinkey->click();
        EXPECT_EQ(w.lblOpenStatus->text(), "WK Success!");
        return w;
    }

    // Leaves the box with this text, as the operator tabs out of it.
    static void typeAndLeave(frmWinKey& w, KeyField* box, const QString& text)
    {
        w.show();
        QApplication::setActiveWindow(&w);
        box->setFocus();
        box->selectAll();
        if (text.isEmpty())
            QTest::keyClick(box, Qt::Key_Backspace);
        else
            QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Tab);
        QCoreApplication::processEvents();
    }

    // Holds the keyer's buffer full and waits until the device, with the window loaded, has
    // heard so.
    void holdFull(const frmWinKey& /* loaded */)
    {
        keyer.holdFull(true);
        EXPECT_TRUE(QTest::qWaitFor([&] { return app->keyerSession().winKey().device().wk_getstatus() >= 5; }, 2000));
    }
    bool keyerTook(const QByteArray& text)
    {
        return QTest::qWaitFor([&] { return keyer.takenText() == text; }, 2000);
    }

    bool received(const QByteArray& command)
    {
        return std::find(keyer.commands.begin(), keyer.commands.end(), command) != keyer.commands.end();
    }
    bool arrives(const QByteArray& command)
    {
        return QTest::qWaitFor([&] { return received(command); }, 2000);
    }
    // The commands other than status requests, in order.
    std::vector<QByteArray> settingsCommands() const
    {
        std::vector<QByteArray> out;
        for (const QByteArray& c : keyer.commands) {
            if (c != hex("15"))
                out.push_back(c);
        }
        return out;
    }

    FakeWinKey keyer;
};

TEST_F(WinKeyWindow, OpeningSendsTheOpenSequenceThenTheSettingsAndClosingSaysClosed)
{
    writeSettings("5\r\n\"22\"\r\n\"45\"\r\n\"3\"\r\n\"4\"\r\n\"60\"\r\n5\r\n16\r\n");
    app->cwFrm().Text11->setText(QStringLiteral("25"));
    frmWinKey& w = window();
    EXPECT_FALSE(w.isVisible()) << "choosing WinKey loads the window hidden";
    EXPECT_TRUE(app->cwFrm().cmdConfWinkey->isVisibleTo(&app->cwFrm()));
    EXPECT_EQ(w.txtWKWPM->text(), "25") << "the CW keyer's speed wins";
    EXPECT_EQ(w.txtWKComPort->text(), "5");
    EXPECT_EQ(w.txtRatio->text(), "60");
    EXPECT_TRUE(w.optPTT->isChecked());
    EXPECT_TRUE(w.optIambicA->isChecked());
    EXPECT_EQ(w.lblOpenStatus->text(), "Closed");

    w.cmdOpenWinkey->click();
    EXPECT_EQ(w.lblOpenStatus->text(), "WK Success!");
    EXPECT_EQ(w.lblVersion->text(), "Version # 23");
    EXPECT_EQ(state().keyer.WinKeyOpen, 23);
    EXPECT_EQ(dialogs.count(QStringLiteral("message")), 0);
    ASSERT_TRUE(arrives(hex("0e10")));
    const std::vector<QByteArray> expected{hex("13"),     hex("13"),   hex("13"),   hex("13"),
                                           hex("000455"), hex("0002"), hex("0219"), hex("032d"),
                                           hex("040304"), hex("173c"), hex("0905"), hex("0e10")};
    EXPECT_EQ(settingsCommands(), expected);

    // A mode chosen while open sends every setting again.
    keyer.commands.clear();
    w.optBug->setChecked(true);
    ASSERT_TRUE(arrives(hex("0e30")));
    EXPECT_EQ(settingsCommands().size(), 6u);

    w.cmdCloseWinkey->click();
    EXPECT_EQ(w.lblOpenStatus->text(), "Closed");
    EXPECT_EQ(w.lblVersion->text(), "Version #");
    EXPECT_EQ(state().keyer.WinKeyOpen, 0);
    EXPECT_TRUE(arrives(hex("0003")));
}

TEST_F(WinKeyWindow, ABoxSendsOnlyAValueInItsRangeAndABoxWithoutANumberGetsItsDefault)
{
    writeSettings("5\r\n");
    frmWinKey& w = opened();
    typeAndLeave(w, w.txtRatio, QStringLiteral("31"));
    typeAndLeave(w, w.txtRatio, QStringLiteral("68"));
    typeAndLeave(w, w.txtRatio, QStringLiteral("32"));
    typeAndLeave(w, w.txtRatio, QStringLiteral("67"));
    ASSERT_TRUE(arrives(hex("1743")));
    EXPECT_TRUE(received(hex("1720")));
    EXPECT_FALSE(received(hex("171f"))) << "31 is not sent";
    EXPECT_FALSE(received(hex("1744"))) << "68 is not sent";
    typeAndLeave(w, w.txtRatio, QStringLiteral("68"));
    EXPECT_EQ(w.txtRatio->text(), "68") << "out of range, neither sent nor corrected";
    typeAndLeave(w, w.txtRatio, QString());
    EXPECT_EQ(w.txtRatio->text(), "50");
    typeAndLeave(w, w.txtWKWPM, QString());
    EXPECT_EQ(w.txtWKWPM->text(), "18");
    typeAndLeave(w, w.txtWeight, QStringLiteral("300"));
    EXPECT_EQ(w.txtWeight->text(), "50") << "no byte holds 300";

    // Lead-in with an empty tail: the box left is the one reset.
    w.txtTail->clear();
    typeAndLeave(w, w.txtLeadIn, QStringLiteral("20"));
    EXPECT_EQ(w.txtLeadIn->text(), "0");
    typeAndLeave(w, w.txtTail, QStringLiteral("7"));
    EXPECT_TRUE(arrives(hex("040007")));

    typeAndLeave(w, w.txtWKComPort, QStringLiteral("300"));
    EXPECT_EQ(state().keyer.WinKeyComPort, 0);
    EXPECT_EQ(w.txtWKComPort->text(), "300");
    typeAndLeave(w, w.txtWKComPort, QStringLiteral("7"));
    EXPECT_EQ(state().keyer.WinKeyComPort, 7);
}

TEST_F(WinKeyWindow, DoneKeepsTheEightSettingsInWkTxtAndAShortFileKeepsPinAndMode)
{
    writeSettings("5\r\n\"20\"\r\n\"45\"\r\n\"1\"\r\n\"2\"\r\n\"40\"\r\n");
    frmWinKey& w = window();
    EXPECT_TRUE(w.optTone->isChecked());
    EXPECT_TRUE(w.optIambicB->isChecked());
    EXPECT_EQ(w.txtWKWPM->text(), "13") << "the CW keyer's design speed";
    w.optKey5Out3Off->setChecked(true);
    w.optUltimatic->setChecked(true);
    w.show();
    QTest::mouseClick(w.cmdDone, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(readBytes(dataFile()), "5\r\n\"13\"\r\n\"45\"\r\n\"1\"\r\n\"2\"\r\n\"40\"\r\n8\r\n32\r\n");
}

TEST_F(WinKeyWindow, NoCharacterGoesOutWhileTheKeyerReportsItsBufferFull)
{
    writeSettings("5\r\n");
    holdFull(opened());
    CWFrm& cw = app->cwFrm();
    cw.Text2->setText(QStringLiteral("CQ!TEST"));
    size_t takenWhileFull = 99;
    size_t requestsWhileFull = 0;
    qint64 freedAt = 0;
    QTimer::singleShot(300, [&] {
        takenWhileFull = keyer.taken.size();
        requestsWhileFull = size_t(std::count(keyer.commands.begin(), keyer.commands.end(), hex("15")));
        freedAt = FakeWinKey::nowMs();
        keyer.holdFull(false);
    });
    cw.FKeyCW(113);
    EXPECT_EQ(takenWhileFull, 0u);
    EXPECT_GE(requestsWhileFull, 2u) << "the send kept asking";
    EXPECT_TRUE(keyerTook("CQTEST")) << "the log mark is no Morse: " << keyer.takenText().toStdString();
    for (const FakeWinKey::Taken& t : keyer.taken)
        EXPECT_GE(t.atMs, freedAt) << t.character;
    EXPECT_TRUE(state().keyer.CWBuffer.isEmpty());
}

TEST_F(WinKeyWindow, AKeyerThatStopsAnsweringIsGivenUpAndSaysSo)
{
    writeSettings("5\r\n");
    frmWinKey& w = opened();
    app->keyerSession().winKey().feedLimits.unansweredMs = 300;
    holdFull(w);
    keyer.silent = true;
    state().keyer.CWBuffer = QStringLiteral("TEST");
    w.WKTransmit();
    EXPECT_TRUE(keyer.taken.empty());
    EXPECT_TRUE(state().keyer.CWBuffer.isEmpty());
    EXPECT_EQ(state().keyer.WinKeyOpen, 0);
    EXPECT_EQ(w.lblOpenStatus->text(), "Closed");
    const auto* box = dialogs.last(QStringLiteral("message"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->title, "Error!");
    EXPECT_TRUE(box->text.contains(QStringLiteral("com port 5"))) << box->text.toStdString();
}

TEST_F(WinKeyWindow, ADeviceThatCannotBeOpenedIsNamedAndItsTextDropped)
{
    writeSettings("7\r\n");
    frmWinKey& w = window();
    state().keyer.CWBuffer = QStringLiteral("CQ");
    w.WKTransmit();
    EXPECT_TRUE(state().keyer.CWBuffer.isEmpty());
    EXPECT_EQ(state().keyer.WinKeyOpen, 0);
    EXPECT_EQ(w.lblOpenStatus->text(), "Com Open Failed");
    EXPECT_EQ(dialogs.count(QStringLiteral("message")), 1);
    const auto* box = dialogs.last(QStringLiteral("message"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->title, "Unable to establish connection with Winkey.");
    EXPECT_EQ(box->text, "Unable to establish connection with WinKey on com port 7.  Please check to make sure "
                         "that you have specified the correct port and that the Winkey device is properly "
                         "connected.");
}

TEST_F(WinKeyWindow, TheTestsAndTypedKeysGoToTheKeyerAndStopClearsIt)
{
    writeSettings("5\r\n");
    state().station.OwnCall = QStringLiteral("K5ABC");
    frmWinKey& w = opened();
    w.show();
    QTest::mouseClick(w.Command3, Qt::LeftButton);
    EXPECT_TRUE(keyerTook("VVV TEST DE K5ABC")) << keyer.takenText().toStdString();

    keyer.taken.clear();
    w.Text1->setFocus();
    QTest::keyClicks(w.Text1, QStringLiteral("cq"));
    QTest::keyClick(w.Text1, Qt::Key_Return);
    QTest::keyClick(w.Text1, Qt::Key_Backspace);
    QTest::keyClick(w.Text1, Qt::Key_Escape);
    QTest::keyClicks(w.Text1, QStringLiteral("x"));
    EXPECT_TRUE(keyerTook("CQX")) << "Enter, Backspace and control codes are not sent: "
                                  << keyer.takenText().toStdString();

    keyer.msPerCharacter = 1000;
    keyer.taken.clear();
    QTimer::singleShot(50, [&] { QTest::mouseClick(w.cmdStop, Qt::LeftButton); });
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_TRUE(state().keyer.CWBuffer.isEmpty());
    EXPECT_LT(keyer.taken.size(), 81u) << "Stop ended the buffer test";
    EXPECT_TRUE(arrives(hex("0a")));
}

TEST_F(WinKeyWindow, UnloadingTheWindowClosesTheDeviceAndTheProgramKnowsIt)
{
    writeSettings("5\r\n");
    opened();
    app->unloadCompanionWindows();
    EXPECT_FALSE(app->winKeyFrmLoaded());
    EXPECT_EQ(state().keyer.WinKeyOpen, 0) << "later CW reopens the device rather than losing the text";
    EXPECT_TRUE(arrives(hex("0003")));
}

class WinKeyMainWindowKeys : public WinKeyWindow {
protected:
    MainForm& openWithKeyer()
    {
        writeSettings("5\r\n");
        MainForm& w = openOut();
        opened();
        state().station.CurrentMode = QStringLiteral("CW");
        app->cwFrm().Text2->setText(QStringLiteral("CQ TEST"));
        QApplication::setActiveWindow(&w);
        w.activateWindow();
        w.txtCall->setFocus();
        QCoreApplication::processEvents();
        return w;
    }
    static void press(Qt::Key key)
    {
        QTest::keyClick(QApplication::focusWidget(), key);
        QCoreApplication::processEvents();
    }
};

TEST_F(WinKeyMainWindowKeys, EscEndsTheWaitForAFullKeyerAndClearsItsBuffer)
{
    MainForm& w = openWithKeyer();
    keys(QStringLiteral("W5XYZ"));
    holdFull(app->winKeyFrm());
    QTimer::singleShot(200, [] { press(Qt::Key_Escape); });
    press(Qt::Key_F2);
    EXPECT_TRUE(keyer.taken.empty());
    EXPECT_TRUE(state().keyer.CWBuffer.isEmpty());
    EXPECT_TRUE(arrives(hex("0a")));
    EXPECT_EQ(w.txtCall->text(), "W5XYZ") << "that Esc stopped the keyer, not the entry";
}

// A keyer that goes quiet while idle is found by the next function key: the "Error!"
// message, the device closed, nothing sent and the message's "!" logging nothing.
TEST_F(WinKeyMainWindowKeys, AKeyerSilentWhileIdleIsFoundByTheNextKeyAndItsLogMarkLogsNothing)
{
    MainForm& w = openWithKeyer();
    app->keyerSession().winKey().feedLimits.unansweredMs = 300;
    app->cwFrm().Text2->setText(QStringLiteral("TU!"));
    keys(QStringLiteral("W5XYZ{Tab}599{Tab}HARR"));
    w.txtCall->setFocus();
    press(Qt::Key_F2);
    ASSERT_EQ(state().log.QsoCount, 1) << "an answering keyer: the contact is logged";
    ASSERT_TRUE(keyerTook("TU"));

    keyer.silent = true;
    keys(QStringLiteral("K5ABC{Tab}599{Tab}HARR"));
    w.txtCall->setFocus();
    const size_t messages = dialogs.shown.size();
    press(Qt::Key_F2);
    EXPECT_EQ(state().log.QsoCount, 1) << "nothing went out, so nothing is logged";
    EXPECT_EQ(keyer.takenText(), "TU");
    EXPECT_EQ(state().keyer.WinKeyOpen, 0);
    ASSERT_EQ(dialogs.shown.size(), messages + 1);
    EXPECT_EQ(dialogs.shown.back().title, "Error!");
    EXPECT_TRUE(dialogs.shown.back().text.contains(QStringLiteral("does not answer"))) << dialogs.shown.back().text.toStdString();
    EXPECT_EQ(w.txtCall->text(), "K5ABC") << "the entry stays for the operator";
}

// A keyer that stops answering in the middle of a message, while it still reports room.
TEST_F(WinKeyWindow, AKeyerSilentMidMessageIsGivenUpThoughItHadRoom)
{
    writeSettings("5\r\n");
    frmWinKey& w = opened();
    app->keyerSession().winKey().feedLimits.unansweredMs = 300;
    keyer.msPerCharacter = 1000;
    QTimer::singleShot(50, &w, [&] { keyer.silent = true; });
    // Less than the two thirds of the keyer's buffer that make it report itself full.
    state().keyer.CWBuffer = QStringLiteral("CQ ").repeated(26);
    w.WKTransmit();
    EXPECT_LT(keyer.taken.size(), 78u) << "the rest was dropped";
    EXPECT_TRUE(state().keyer.CWBuffer.isEmpty());
    EXPECT_EQ(state().keyer.WinKeyOpen, 0);
    EXPECT_EQ(dialogs.last(QStringLiteral("message"))->title, "Error!");
}

// A keyer pulled from its port in the middle of a message: given up, and said so.
TEST_F(WinKeyWindow, AKeyerThatLeavesItsPortMidMessageIsGivenUp)
{
    writeSettings("5\r\n");
    frmWinKey& w = opened();
    keyer.msPerCharacter = 1000;
    QTimer::singleShot(50, &w, [&] { keyer.hangUp(); });
    state().keyer.CWBuffer = QStringLiteral("CQ ").repeated(26);
    w.WKTransmit();
    EXPECT_TRUE(state().keyer.CWBuffer.isEmpty());
    EXPECT_EQ(state().keyer.WinKeyOpen, 0);
    const auto* box = dialogs.last(QStringLiteral("message"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->title, "Error!");
    EXPECT_TRUE(box->text.contains(QStringLiteral("no longer on its port"))) << box->text.toStdString();
    EXPECT_EQ(dialogs.count(QStringLiteral("message")), 1) << "told once";
}

TEST_F(WinKeyMainWindowKeys, KeyboardCwTypesToTheKeyerAndBackspaceTakesBackWhatIsNotSent)
{
    MainForm& w = openWithKeyer();
    keyer.msPerCharacter = 1000;
    press(Qt::Key_F12);
    keys(QStringLiteral("ab"));
    ASSERT_TRUE(keyerTook("AB"));
    press(Qt::Key_Backspace);
    EXPECT_TRUE(arrives(hex("08")));
    EXPECT_EQ(keyer.buffer(), "A");
    EXPECT_TRUE(w.txtCall->text().isEmpty()) << "the keys went to the keyer";

    // The speed keys reach the keyer, within its range only.
    app->cwFrm().Text11->setText(QStringLiteral("20"));
    press(Qt::Key_Up);
    EXPECT_EQ(w.lblDialog->text(), "21 WPM");
    EXPECT_TRUE(arrives(hex("0215")));
    keyer.commands.clear();
    app->cwFrm().Text11->setText(QStringLiteral("100"));
    app->cwFrm().Text11->setText(QStringLiteral("99"));
    ASSERT_TRUE(arrives(hex("0263")));
    EXPECT_FALSE(received(hex("0264")));
}

TEST_F(WinKeyMainWindowKeys, ConfigureWinkeyShowsTheWindowUntilDone)
{
    openWithKeyer();
    bool shown = false;
    onceShownWinKey([&](frmWinKey& w) {
        shown = true;
        QTest::mouseClick(w.cmdDone, Qt::LeftButton);
    });
    app->cwFrm().cmdConfWinkey->click();
    EXPECT_TRUE(shown);
    EXPECT_EQ(readBytes(dataFile()).count('\n'), 8) << "Done wrote the whole file";
}

} // namespace

namespace {

TEST_F(WinKeyWindow, APortTakenForPushToTalkClosesTheKeyerFirst)
{
    writeSettings("5\r\n");
    frmWinKey& w = opened();
    state().keyer.ports.claim(KeyingPortHolder::PttPort);
    EXPECT_EQ(state().keyer.WinKeyOpen, 0);
    EXPECT_EQ(w.lblOpenStatus->text(), "Closed");
    EXPECT_TRUE(arrives(hex("0003")));
}

TEST_F(WinKeyMainWindowKeys, ClosingTheWindowWhileTheKeyerWaitsClosesItOnceTheSendHasEnded)
{
    MainForm& w = openWithKeyer();
    holdFull(app->winKeyFrm());
    QTimer::singleShot(200, &w, [&w] { w.close(); });
    press(Qt::Key_F2);
    EXPECT_TRUE(state().keyer.CWBuffer.isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !app->winKeyFrmLoaded(); }, 2000)) << "the close went ahead";
    EXPECT_TRUE(keyer.taken.empty());
    EXPECT_TRUE(arrives(hex("0003")));
}

} // namespace
