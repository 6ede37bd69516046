// The radio and the main windows: Options > "&Rig Interface", polling started at the
// window's load from the station's radio, and the rig window going with the main window.

#include "ShellFixture.h"

#include "core/QStringPrinter.h"
#include "rig/RigSession.h"
#include "rig/windows/RigControlfrm.h"
#include "support/FakeDevices.h"

namespace {

class RigStart : public ShellTest {
protected:
    std::vector<FakeSerialPort*>& ports() { return *ts.serialPorts; }
    bool anyPortOpened()
    {
        for (const FakeSerialPort* p : ports())
            if (p->opens > 0)
                return true;
        return false;
    }
    bool commErrorShown() const
    {
        for (const auto& box : dialogs.shown)
            if (box.title == QLatin1String("Invalid Comm Settings."))
                return true;
        return false;
    }
    static constexpr const char* KenwoodOnCom1 = "\"4800 \"\r\n\"N\"\r\n\"8\"\r\n\"2\"\r\n\"MD;\"\r\n\"FA;\"\r\n"
                                                 "\"4800,N,8,2\"\r\n1\r\n\"N\"\r\n\"M\"\r\n\"Kenwood\"\r\n0\r\n1\r\n1\r\n";
};

TEST_F(RigStart, NoRadioNamedAnywhereOpensNoPort)
{
    for (const char* name : {"", "nOnE"}) {
        SCOPED_TRACE(name);
        state().station.RigName = QString::fromLatin1(name);
        open(1);
        EXPECT_FALSE(anyPortOpened());
        EXPECT_FALSE(commErrorShown());
        EXPECT_FALSE(app->rigControlfrmLoaded()) << "no rig window is loaded to poll";
        app->mainWindow()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(RigStart, ARadioInRigCntrlStartsPollingAtLoad)
{
    writeBytes(work(QStringLiteral("RigCntrl.txt")), KenwoodOnCom1);
    state().station.RigName.clear(); // a new QSOpref.txt
    open(0);
    RigSession& radio = app->rigSession();
    EXPECT_EQ(state().station.RigName, "Kenwood");
    EXPECT_TRUE(radio.polling());
    EXPECT_TRUE(radio.port().isOpen());
    EXPECT_EQ(radio.port().comNumber(), 1);
    EXPECT_FALSE(app->rigControlfrmLoaded()) << "polling needs no rig window";

    // The radio reports; the log follows.
    auto& port = *ports().back();
    const auto lines = port.lines;
    port.arrive("FA00014074000;MD3;");
    EXPECT_EQ(state().station.CurrentBand, "20");
    EXPECT_EQ(state().station.CurrentMode, "CW");

    // The rig window loaded now shows what runs, and polling goes on.
    RigControlfrm& rig = app->rigControlfrm();
    EXPECT_TRUE(rig.isHidden());
    EXPECT_TRUE(radio.polling());
    EXPECT_EQ(rig.List1->currentItem()->text(), "Kenwood");
    EXPECT_TRUE(rig.optBaud[2]->isChecked());
    EXPECT_FALSE(rig.Label2->isHidden()) << "Polling Rig";
    EXPECT_EQ(rig.lblFreq->text(), "14.07400");

    // The window goes, and the rig window with it, its port closed.
    app->mainWindow()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(app->rigControlfrmLoaded());
    EXPECT_FALSE(lines->open);
}

TEST_F(RigStart, TheMenuShowsTheRigWindowModeless)
{
    for (quint8 outOfState : {1, 0}) {
        SCOPED_TRACE(outOfState ? "Outfrm" : "Infrm");
        MainForm& w = open(outOfState);
        item(w.mnuOptions, QStringLiteral("&Rig Interface"))->trigger();
        RigControlfrm& rig = app->rigControlfrm();
        EXPECT_TRUE(rig.isVisible());
        EXPECT_FALSE(rig.isModal());
        EXPECT_EQ(rig.windowTitle(), " Rig Interface Setup");
        w.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(app->rigControlfrmLoaded());
    }
}

} // namespace
