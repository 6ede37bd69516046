// The radio's hand windows as the main window opens them: the privileges chart from the
// Band menu and Ctrl+F, the tune window from Ctrl+G; the hot key types nothing.

#include "ShellFixture.h"

#include "core/QStringPrinter.h"
#include "rig/windows/frmBandPlan.h"
#include "rig/windows/frmRigTune.h"

namespace {

class RigHandWindows : public ShellTest {
protected:
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        QCoreApplication::processEvents();
    }
};

TEST_F(RigHandWindows, PrivilegesFromTheBandMenuAndCtrlF)
{
    writeBytes(work(QStringLiteral("BandPlan.txt")),
               "\"March 5, 2012\"\r\n\"40\",\"O\",\"PH\",7,7.3\r\n\"40\",\"E\",\"CW\",7,7.125\r\n");
    MainForm& w = openOut();
    QStringList bands;
    EXPECT_TRUE(whileShown<frmBandPlan>(w.mnuPrivileges, [&](frmBandPlan& chart) {
        EXPECT_EQ(chart.Label2->text(), "Extra Frequency Privileges");
        for (QLabel* label : chart.chartLabels(QStringLiteral("bnlb")))
            bands << label->text();
    }));
    EXPECT_EQ(bands, QStringList{"40"});

    focusIn(&w, w.txtCall);
    bool shown = false;
    onceShown<frmBandPlan>([&](frmBandPlan&) { shown = true; });
    press(Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(shown) << "Ctrl+F";
    for (const auto& box : dialogs.shown)
        EXPECT_NE(box.title, "Band Data Not Available.");

    shown = false;
    focusIn(&w, w.txtCall);
    onceShown<frmRigTune>([&](frmRigTune& tune) {
        shown = true;
        EXPECT_EQ(tune.windowTitle(), " Change Frequency and Mode (Ctrl G (Go))");
        EXPECT_TRUE(tune.Timer1.isActive());
    });
    press(Qt::Key_G, Qt::ControlModifier);
    EXPECT_TRUE(shown) << "Ctrl+G";
    focusIn(&w, w.txtCall);
    keys(QStringLiteral("W5"));
    EXPECT_EQ(w.txtCall->text(), "W5") << "the hot keys typed nothing";
}

} // namespace
