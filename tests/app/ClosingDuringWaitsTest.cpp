// The main window closed while a wait that lets events run is under way: the windows and
// devices the wait runs in stay until it has returned, and then the close goes ahead and
// ends the run. Run under AddressSanitizer, a window freed under its own wait shows.

#include "support/LogWindowFixture.h"

#include "core/QStringPrinter.h"
#include "keying/KeyerSession.h"
#include "keying/windows/BlindFrm.h"
#include "keying/windows/CWFrm.h"
#include "platform/EventWait.h"

#include <QPointer>
#include <QTimer>
#include <functional>

namespace {

class ClosingDuringWaits : public LogWindowTest {
protected:
    // The CW keyer on RTS of COM3 with "TEST TEST" on F2 and on F9 (the CW window's test),
    // timed by sleeping on the test clock.
    CWFrm& cwKeyer()
    {
        CWFrm& cw = app->cwFrm();
        cw.OptSleep->setChecked(true);
        cw.Text10->setText(QStringLiteral("3"));
        cw.Text2->setText(QStringLiteral("TEST TEST"));
        cw.Text9->setText(QStringLiteral("TEST TEST"));
        cw.Check1->setChecked(false);
        cw.selectKeyingInterface(KeyingInterface::Rts);
        state().station.CurrentMode = QStringLiteral("CW");
        return cw;
    }
    FakeSerialPort& cwPort() { return static_cast<FakeSerialPort&>(app->keyerSession().cwPort()); }
    int keyDowns()
    {
        int keyed = 0;
        for (const auto& change : cwPort().lineChanges)
            keyed += change.line == ModemLine::Rts && change.on;
        return keyed;
    }
    bool ended() { return QTest::qWaitFor([&] { return app->quitRequested() && !app->mainWindow(); }, 5000); }
    // Closes the window from the first point where events run while the keyer sends;
    // then runs then.
    void closeWhileSending(MainForm& w, std::function<void()> then = {})
    {
        auto* watch = new QTimer(&w);
        watch->setInterval(0);
        QObject::connect(watch, &QTimer::timeout, &w, [this, &w, watch, then] {
            if (state().keyer.CWSending == 0)
                return;
            watch->stop();
            w.close();
            if (then)
                then();
        });
        watch->start();
    }
};

TEST_F(ClosingDuringWaits, OneCloseDuringACwMessageEndsTheRunOnceTheCharacterIsOut)
{
    MainForm& w = openOut();
    w.cmdLogOn_Click();
    cwKeyer();
    QPointer<CWFrm> cw = &app->cwFrm();
    bool keptWhileWaiting = false;
    closeWhileSending(w, [&] { keptWhileWaiting = !cw.isNull() && w.isVisible() && EventWaits::running() > 0; });
    QTest::keyClick(w.txtCall, Qt::Key_F2);
    EXPECT_TRUE(keptWhileWaiting);
    EXPECT_EQ(keyDowns(), 3) << "only the T went out, its three units";
    EXPECT_TRUE(ended()) << "the one close went ahead once the message had stopped";
    EXPECT_FALSE(cwPort().rts);
    EXPECT_FALSE(cwPort().isOpen());
}

TEST_F(ClosingDuringWaits, ACloseDuringTheCwWindowsTestEndsTheRunAfterIt)
{
    MainForm& w = openOut();
    CWFrm& cw = cwKeyer();
    cw.show();
    QPointer<CWFrm> kept = &cw;
    closeWhileSending(w);
    cw.Command4->click(); // the test sends F9 and then hides its "Sending!" label
    EXPECT_FALSE(kept.isNull()) << "the CW window outlives the click that sends from it";
    EXPECT_EQ(keyDowns(), 3) << "only the T";
    EXPECT_TRUE(ended());
}

// A duplicate refused with voice navigation on waits while "Dupe" plays; the prompt player
// lives in the voice navigation window, which the main window's close unloads.
TEST_F(ClosingDuringWaits, ACloseDuringTheDuplicatePromptEndsTheRunAfterIt)
{
    writeLog({{QStringLiteral("W5ABC"), QStringLiteral("HARR")}});
    writeBytes(work(QStringLiteral("Dupe.wav")), "RIFF");
    state().station.VoiceNavigationLevel = 1;
    Outfrm& w = openOut();
    w.cmdLogOn_Click();
    QPointer<BlindFrm> blind = &app->blindFrm();
    bool keptWhileWaiting = false;
    auto* watch = new QTimer(&w);
    watch->setInterval(0);
    QObject::connect(watch, &QTimer::timeout, &w, [&] {
        if (EventWaits::running() == 0)
            return; // not yet in the prompt's wait
        watch->stop();
        w.close();
        keptWhileWaiting = !blind.isNull() && w.isVisible();
    });
    watch->start();
    keys(QStringLiteral("W5ABC{Enter}"));
    EXPECT_TRUE(keptWhileWaiting) << "the prompt's window is not unloaded under its wait";
    EXPECT_TRUE(ended());
    EXPECT_EQ(state().log.QsoCount, 1) << "the duplicate was not logged";
}

// A deferred close of a window that is gone by then does nothing.
TEST_F(ClosingDuringWaits, AnActionPutOffForAWindowThatWentIsDropped)
{
    auto* window = new QWidget;
    int ran = 0;
    {
        const EventWaitScope waiting;
        EventWaits::whenNoneRuns(window, [&] { ++ran; });
        EventWaits::whenNoneRuns(app.get(), [&] { ran += 10; });
        EXPECT_EQ(ran, 0) << "put off while a wait runs";
        delete window;
    }
    EXPECT_EQ(ran, 0) << "not from inside the wait's caller";
    EXPECT_TRUE(QTest::qWaitFor([&] { return ran != 0; }, 2000));
    EXPECT_EQ(ran, 10) << "the action of the window that went is dropped, the other runs";
    EventWaits::whenNoneRuns(app.get(), [&] { ran = 0; });
    EXPECT_EQ(ran, 0) << "at once when no wait runs";
}

} // namespace
