// Every way out of the program lets go of the transmitter: File > Exit, the main window's
// close and the end signals (SIGTERM, SIGINT, SIGHUP, SIGQUIT), with a CW message going out
// on RTS and a voice message keyed on the parallel port.

#include "support/LogWindowFixture.h"

#include "app/EndSignals.h"
#include "core/QStringPrinter.h"
#include "keying/KeyerSession.h"
#include "keying/windows/CWFrm.h"
#include "keying/windows/PhoneFrm.h"

#include <QTimer>
#include <csignal>

namespace {

constexpr quint16 VoiceRegister = 0x278 + 2;
constexpr quint16 CwRegister = 0x378 + 2;

class Shutdown : public LogWindowTest {
protected:
    // A voice message on F1 keyed on the parallel port at &H278, playing until it is stopped.
    void playVoiceMessage()
    {
        PhoneFrm& phone = app->phoneFrm();
        const QString file = work(QStringLiteral("cq.wav"));
        writeBytes(file, "RIFF");
        phone.Text1->setText(file);
        phone.Option3->setChecked(true);
        phone.Text11->setText(QStringLiteral("&H278"));
        phone.FKeyPhone(112);
        ASSERT_EQ(lastWrite(VoiceRegister), 3) << "the voice message keys the transmitter";
    }

    // The CW keyer with "TEST TEST" on F2, timed by sleeping on the test clock.
    CWFrm& cwKeyer(KeyingInterface keying)
    {
        CWFrm& cw = app->cwFrm();
        cw.OptSleep->setChecked(true);
        cw.Text10->setText(QStringLiteral("3"));
        cw.Text2->setText(QStringLiteral("TEST TEST"));
        cw.Check1->setChecked(false);
        cw.selectKeyingInterface(keying);
        state().station.CurrentMode = QStringLiteral("CW");
        return cw;
    }

    int lastWrite(quint16 address) const
    {
        const auto& writes = ts.parallelPort->writes;
        for (auto w = writes.rbegin(); w != writes.rend(); ++w) {
            if (w->address == address)
                return w->value;
        }
        return -1;
    }
    int keyedWrites(quint16 address) const
    {
        int keyed = 0;
        for (const auto& w : ts.parallelPort->writes)
            keyed += w.address == address && w.value == 3;
        return keyed;
    }
    static int keyedUnits(const FakeSerialPort& port)
    {
        int keyed = 0;
        for (const auto& change : port.lineChanges)
            keyed += change.line == ModemLine::Rts && change.on;
        return keyed;
    }
};

struct WayOut {
    const char* name;
    int signal; // 0: File > Exit

    friend void PrintTo(const WayOut& way, std::ostream* out) { *out << way.name; }
};

class EveryWayOut : public Shutdown, public ::testing::WithParamInterface<WayOut> {};

TEST_P(EveryWayOut, MidMessageReleasesEveryLineAndEndsTheRun)
{
    EndSignals endSignals; // as the program takes them
    QObject::connect(&endSignals, &EndSignals::received, app.get(), &App::endOnSignal);
    MainForm& w = openOut();
    w.cmdLogOn_Click();
    playVoiceMessage();
    cwKeyer(KeyingInterface::Rts);
    auto& port = static_cast<FakeSerialPort&>(app->keyerSession().cwPort());

    // The way out comes while the first character of F2 goes out: a signal is taken at the
    // next point where events run, between two characters.
    QTimer::singleShot(0, &w, [&] {
        if (GetParam().signal == 0)
            w.mnuExit->trigger();
        else
            std::raise(GetParam().signal);
    });
    app->cwFrm().FKeyCW(113);
    EXPECT_TRUE(QTest::qWaitFor([&] { return app->quitRequested(); }, 2000));
    EXPECT_FALSE(port.rts) << "RTS dropped";
    EXPECT_FALSE(port.isOpen()) << "the keying port closed";
    EXPECT_GT(keyedUnits(port), 0);
    EXPECT_LT(keyedUnits(port), 2 * 10) << "the rest of the message was dropped";
    EXPECT_EQ(lastWrite(VoiceRegister), 2) << "push-to-talk released";
    EXPECT_NE(ts.keyerVoicePlayer().mode(), WavePlayer::ModePlaying);
    EXPECT_EQ(state().keyer.CWSending, 0);
    EXPECT_TRUE(QFile::exists(work(QStringLiteral("QSOpref.txt")))) << "the operating time is kept, as File > Exit keeps it";

    // Nothing typed after the end keys again.
    const size_t changes = port.lineChanges.size();
    QTest::keyClick(w.txtCall, Qt::Key_F2);
    EXPECT_EQ(port.lineChanges.size(), changes);
}

INSTANTIATE_TEST_SUITE_P(Shutdown, EveryWayOut,
                         ::testing::Values(WayOut{"FileExit", 0}, WayOut{"SIGTERM", SIGTERM},
                                           WayOut{"SIGINT", SIGINT}, WayOut{"SIGHUP", SIGHUP},
                                           WayOut{"SIGQUIT", SIGQUIT}),
                         [](const auto& info) { return std::string(info.param.name); });

// A signal in the middle of an element does not wait for the character to end: at 5 WPM the
// T's dah alone is 720 ms. The busy wait that times it sees the signal, the line drops at
// that reading of the clock, and the rest of the way out follows from the event loop.
TEST_F(Shutdown, ASignalInTheMiddleOfADahDropsRtsAtOnce)
{
    EndSignals endSignals;
    QObject::connect(&endSignals, &EndSignals::received, app.get(), &App::endOnSignal);
    openOut();
    playVoiceMessage();
    CWFrm& cw = cwKeyer(KeyingInterface::Rts);
    cw.optTimer->setChecked(true);
    cw.Text11->setText(QStringLiteral("5"));
    auto& port = static_cast<FakeSerialPort&>(app->keyerSession().cwPort());
    port.now = [this] { return clock.nanoseconds(); };

    // The signal comes 300 ms into the dah, in its second unit.
    constexpr qint64 Ms = 1'000'000;
    qint64 dahAt = -1;
    qint64 signalledAt = -1;
    clock.onNanosecondReading = [&](qint64 ns) {
        if (signalledAt >= 0 || !port.rts)
            return;
        if (dahAt < 0)
            dahAt = port.lineChanges.back().atNs;
        if (ns - dahAt >= 300 * Ms) {
            signalledAt = ns;
            std::raise(SIGQUIT);
        }
    };
    app->cwFrm().FKeyCW(113);
    clock.onNanosecondReading = nullptr;
    ASSERT_GE(signalledAt, 0) << "the dah was keyed";
    EXPECT_TRUE(QTest::qWaitFor([&] { return app->quitRequested(); }, 2000));

    const auto afterSignal = [&](bool on) {
        return std::find_if(port.lineChanges.begin(), port.lineChanges.end(), [&](const auto& change) {
            return change.line == ModemLine::Rts && change.on == on && change.atNs >= signalledAt;
        });
    };
    const auto drop = afterSignal(false);
    ASSERT_NE(drop, port.lineChanges.end());
    EXPECT_LT(drop->atNs - signalledAt, 1 * Ms) << "RTS dropped at the signal, not at the end of the dah";
    EXPECT_EQ(afterSignal(true), port.lineChanges.end()) << "nothing keyed after the signal";
    EXPECT_FALSE(port.rts);
    EXPECT_EQ(lastWrite(VoiceRegister), 2) << "push-to-talk released";
    EXPECT_FALSE(port.isOpen()) << "then the orderly way out";
}

TEST_F(Shutdown, ClosingTheMainWindowReleasesTheParallelLinesOnceTheCharacterIsOut)
{
    MainForm& w = openOut();
    playVoiceMessage();
    cwKeyer(KeyingInterface::Printer);
    // The first close, during the message, is refused and stops the sending; the second
    // closes.
    bool firstClosed = true;
    QTimer::singleShot(0, &w, [&] { firstClosed = w.close(); });
    app->cwFrm().FKeyCW(113);
    EXPECT_FALSE(firstClosed);
    EXPECT_EQ(keyedWrites(CwRegister), 3) << "only the T went out";
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(app->quitRequested());
    EXPECT_EQ(lastWrite(CwRegister), 2);
    EXPECT_EQ(lastWrite(VoiceRegister), 2);
}

TEST_F(Shutdown, AnUnreadableLogEndsTheProgramWithTheTransmitterReleased)
{
    openOut();
    playVoiceMessage();
    EXPECT_THROW(app->services().endProgram(1), ProgramEnded);
    EXPECT_EQ(lastWrite(VoiceRegister), 2);
}

} // namespace
