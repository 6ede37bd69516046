// The tune window and the test window driven by the operator, with the rig window polling
// a Kenwood on a fake port: the band plan's mode before each frequency, the steps, the
// scan and its wrap, the key that stops it, and the raw and hex commands of the test window.

#include "rig/windows/RigControlfrm.h"
#include "rig/windows/frmFrequencyTest.h"
#include "rig/windows/frmRigTune.h"

#include "core/QStringPrinter.h"
#include "rig/RigSession.h"
#include "support/FakeDevices.h"
#include "support/LoneWindowContext.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class TuneWindows : public ::testing::Test {
protected:
    TuneWindows()
    {
        lone.state.folders.WorkingDirectory = folder.path();
        QFile plan(folder.filePath(QStringLiteral("BandPlan.txt")));
        EXPECT_TRUE(plan.open(QIODevice::WriteOnly));
        plan.write("\"March 5, 2012\"\r\n\"160\",\"E\",\"CW\",1.8,2\r\n"
                   "\"40\",\"E\",\"CW\",7,7.125\r\n\"40\",\"E\",\"PH\",7.125,7.3\r\n"
                   "\"20\",\"E\",\"CW\",14,14.15\r\n\"20\",\"E\",\"PH\",14.15,14.35\r\n");
        plan.close();
        lone.sessions.rig = &session;
        rig = std::make_unique<RigControlfrm>(lone.context());
        rig->List1->setCurrentItem(rig->List1->findItems(QStringLiteral("Kenwood"), Qt::MatchExactly).front());
        rig->Command1_Click();
        session.setPollInterval(3600 * 1000); // the ticks of these tests are driven by hand
        port().written.clear();
    }

    FakeSerialPort& port() { return *lone.services.serialPorts->back(); }
    std::unique_ptr<frmRigTune> openTune()
    {
        auto w = std::make_unique<frmRigTune>(lone.context());
        w->Form_Load();
        w->Timer1.stop();
        w->show();
        QApplication::setActiveWindow(w.get());
        w->txtFreq->setFocus();
        return w;
    }
    QByteArray sent() { return std::exchange(port().written, {}); }

    QTemporaryDir folder;
    LoneWindowContext lone;
    RigSession session{[this] { return lone.running.makeSerialPort(); }};
    std::unique_ptr<RigControlfrm> rig;
};

TEST_F(TuneWindows, TypedFrequencyTunesWithTheBandPlansMode)
{
    auto w = openTune();
    EXPECT_FALSE(w->cmdTune[0]->isEnabled()) << "no number yet";
    QTest::keyClicks(w->txtFreq, QStringLiteral("7.2x00"));
    EXPECT_EQ(w->txtFreq->text(), "7.200") << "the key filter drops the x";
    EXPECT_TRUE(w->cmdTune[0]->isEnabled());
    QTest::keyClick(w->txtFreq, Qt::Key_Return);
    EXPECT_EQ(sent(), "MD1;FA00007200000;") << "LSB on 40 m";
    EXPECT_EQ(w->txtFreq->text(), "7.200");
    EXPECT_TRUE(w->txtFreq->hasFocus());

    w->txtFreq->setText(QStringLiteral("14.2"));
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    EXPECT_EQ(sent(), "MD2;FA00014200000;") << "USB on 20 m";

    QTest::mouseClick(w->cmdBand[0], Qt::LeftButton);
    EXPECT_EQ(w->txtFreq->text(), "1.9");
    EXPECT_EQ(sent(), "FA00001900000;") << "160 m keeps the mode";

    QTest::mouseClick(w->cmdBand[5], Qt::LeftButton);
    EXPECT_EQ(sent(), "MD2;FA00014175000;");
    QTest::mouseClick(w->cmdTune[4], Qt::LeftButton);
    EXPECT_EQ(w->txtFreq->text(), "14.18") << "5 KHz up";
    EXPECT_EQ(sent(), "MD2;FA00014180000;");
    EXPECT_TRUE(w->cmdDone->hasFocus());
    w->txtFreq->setText(QStringLiteral("1.9"));
    QTest::mouseClick(w->cmdTune[1], Qt::LeftButton);
    EXPECT_EQ(w->txtFreq->text(), "1.89999") << "10 Hz down";

    sent();
    QTest::mouseClick(w->cmdUSB, Qt::LeftButton);
    EXPECT_EQ(sent(), "MD2;");
}

TEST_F(TuneWindows, WhatGoRefuses)
{
    auto w = openTune();
    // Too large for single precision: refused, nothing sent.
    w->txtFreq->setText(QString(45, QLatin1Char('9')));
    EXPECT_TRUE(w->cmdTune[2]->isEnabled());
    QTest::keyClick(w->txtFreq, Qt::Key_Return);
    QTest::mouseClick(w->cmdTune[2], Qt::LeftButton);
    EXPECT_EQ(sent(), "");

    w->txtFreq->clear();
    QTest::keyClicks(w->txtFreq, QStringLiteral("7/1"));
    EXPECT_FALSE(w->cmdTune[0]->isEnabled()) << "\"/\" passes the filter but is no number";
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    EXPECT_EQ(sent(), "");

    lone.state.station.RigName = QStringLiteral("None");
    w->txtFreq->setText(QStringLiteral("7.03"));
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    EXPECT_EQ(sent(), "") << "no radio";
}

TEST_F(TuneWindows, ScanStepsWrapsAndStopsOnAnyKey)
{
    auto w = openTune();
    w->txtFrom->setText(QStringLiteral("7"));
    w->txtTo->setText(QStringLiteral("7.0012"));
    w->Option1->setChecked(true); // 500 Hz
    QTest::mouseClick(w->chkScan, Qt::LeftButton);
    EXPECT_EQ(w->txtFreq->text(), "7");
    EXPECT_EQ(sent(), "") << "ticking the box tunes nothing yet";
    EXPECT_TRUE(w->Command1->hasFocus());
    QStringList shown;
    for (int i = 0; i < 3; ++i) {
        w->Timer1_Timer();
        shown << w->txtFreq->text();
    }
    EXPECT_EQ(shown, (QStringList{"7.0005", "7.001", "7."}));
    EXPECT_EQ(sent(), "MD3;FA00007000500;MD3;FA00007001000;FA00007000000;") << "the lower end is the CW row's edge";

    // At 1270 MHz a 10 Hz step is lost in single precision: the scan stays put.
    w->Option4->setChecked(true);
    w->txtTo->setText(QStringLiteral("1300"));
    w->txtFreq->setText(QStringLiteral("1270"));
    w->Timer1_Timer();
    EXPECT_EQ(w->txtFreq->text(), "1270.");

    // Any key typed stops the scan and is still typed.
    w->txtFrom->setFocus();
    QTest::keyClick(w->txtFrom, Qt::Key_5);
    EXPECT_FALSE(w->chkScan->isChecked());
    EXPECT_EQ(w->txtFrom->text(), "75");
    sent();
    w->Timer1_Timer();
    EXPECT_EQ(sent(), "") << "no scan";
}

TEST_F(TuneWindows, TestWindowSendsTextOrHexPairsAndTunes)
{
    frmFrequencyTest w(lone.context());
    w.Form_Load();
    w.show();
    EXPECT_EQ(w.windowTitle(), "Test Change Frequency Function");
    EXPECT_EQ(w.Text2->text(), "28.475");
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_EQ(sent(), "FA00028475000;");
    w.Text1->setText(QStringLiteral("  FA; IF;  "));
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_EQ(sent(), "FA; IF;") << "blanks around go, blanks inside stay";

    w.Check1->setChecked(true);
    const struct {
        const char* typed;
        QByteArray bytes;
    } hex[] = {{"FE FE 64 E0 03 FD", QByteArray::fromHex("FEFE64E003FD")},
               {"FE-FE", QByteArray::fromHex("FEFE")},
               {"FEFE", QByteArray::fromHex("FE0E")},
               {"FE ZZ 64", ""},
               {"", ""}};
    for (const auto& c : hex) {
        w.Text1->setText(QLatin1String(c.typed));
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        EXPECT_EQ(sent(), c.bytes) << c.typed;
    }

    QTest::mouseClick(w.Command2, Qt::LeftButton);
    EXPECT_EQ(sent(), "FA00028475000;") << "no band plan row: the mode stays";
    w.Text2->setText(QStringLiteral("14.2"));
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    EXPECT_EQ(sent(), "MD2;FA00014200000;");
    w.Text2->setText(QStringLiteral("28.4x"));
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    EXPECT_EQ(sent(), "");

    rig->Command2_Click(); // the port closes
    w.Check1->setChecked(false);
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_EQ(sent(), "");
}

TEST_F(TuneWindows, ChangeFrequencyOpensTheTestWindowWhilePolling)
{
    rig->show();
    bool shown = false;
    QTimer::singleShot(0, [&] {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* test = qobject_cast<frmFrequencyTest*>(window); test && test->isVisible()) {
                shown = true;
                test->hide();
            }
    });
    QTest::mouseClick(rig->Command3, Qt::LeftButton);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(lone.services.dialogs->shown.empty());
}

} // namespace
