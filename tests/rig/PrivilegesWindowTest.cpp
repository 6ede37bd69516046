// The privileges window as the operator sees it: the Extra chart at opening, the class
// buttons redrawing it, the colours and tool tips of its labels, and a band plan that
// cannot be read.

#include "rig/windows/frmBandPlan.h"

#include "core/QStringPrinter.h"
#include "support/LoneWindowContext.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class PrivilegesWindow : public ::testing::Test {
protected:
    PrivilegesWindow() { lone.state.folders.WorkingDirectory = folder.path(); }

    void writePlan(const QByteArray& bytes)
    {
        QFile f(folder.filePath(QStringLiteral("BandPlan.txt")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    std::unique_ptr<frmBandPlan> open()
    {
        auto w = std::make_unique<frmBandPlan>(lone.context());
        w->Form_Load();
        w->show();
        return w;
    }
    // The colour in the middle of a label as drawn.
    static QColor drawn(QLabel* label)
    {
        const QImage image = label->grab().toImage();
        return image.pixelColor(image.width() / 2, 1);
    }
    static QStringList texts(const std::vector<QLabel*>& labels, bool toolTips = false)
    {
        QStringList list;
        for (QLabel* l : labels)
            list << (toolTips ? l->toolTip() : l->text());
        return list;
    }

    QTemporaryDir folder;
    LoneWindowContext lone;
};

const QByteArray Plan = "\"March 5, 2012\"\r\n"
                        "\"40\",\"O\",\"PH\",7,7.3\r\n\"40\",\"G\",\"CW\",7.025,7.125\r\n"
                        "\"40\",\"E\",\"CW\",7,7.125\r\n\"40\",\"E\",\"PH\",7.125,7.3\r\n"
                        "\"20\",\"O\",\"PH\",14,14.35\r\n\"20\",\"E\",\"CW\",14,14.15\r\n\"20\",\"E\",\"PH\",14.15,14.35\r\n";

TEST_F(PrivilegesWindow, OpensOnTheExtraChart)
{
    writePlan(Plan);
    auto w = open();
    EXPECT_EQ(w->windowTitle(), "Frequency Privileges");
    EXPECT_EQ(w->Label1->text(), "Frequencies Effective: March 5, 2012");
    EXPECT_EQ(w->Label2->text(), "Extra Frequency Privileges");
    EXPECT_EQ(texts(w->chartLabels(QStringLiteral("bnlb"))), (QStringList{"40", "20"}));
    EXPECT_EQ(texts(w->chartLabels(QStringLiteral("blbl")), true), (QStringList{"40  7.000 - 7.300", "20  14.000 - 14.350"}));
    const auto segments = w->chartLabels(QStringLiteral("priv"));
    EXPECT_EQ(texts(segments), (QStringList{"7.000 - 7.125", "7.125 - 7.300", "14.000 - 14.150", "14.150 - 14.350"}));
    EXPECT_EQ(segments[1]->toolTip(), "PH  7.125 - 7.300");
    EXPECT_EQ(drawn(segments[0]), QColor(0, 0, 255)) << "CW in blue";
    EXPECT_EQ(drawn(segments[1]), QColor(0, 255, 0)) << "phone in green";
    EXPECT_EQ(drawn(w->chartLabels(QStringLiteral("bnlb"))[0]), QColor(255, 255, 0));
    EXPECT_EQ(drawn(w->Label3), QColor(0, 0, 255));
    EXPECT_EQ(drawn(w->Label4), QColor(0, 255, 0));

    // Segments in proportion within their bar; bars one pitch apart below the line.
    const QRect bar = w->chartLabels(QStringLiteral("blbl"))[0]->geometry();
    const QRect cw = segments[0]->geometry();
    const QRect phone = segments[1]->geometry();
    EXPECT_EQ(cw.left(), bar.left());
    EXPECT_NEAR(cw.width(), bar.width() * 0.125 / 0.3, 1);
    EXPECT_NEAR(phone.left(), bar.left() + bar.width() * 0.125 / 0.3, 1);
    EXPECT_EQ(cw.top(), bar.top());
    EXPECT_GT(bar.top(), w->Command1->geometry().bottom());
    EXPECT_LT(w->chartLabels(QStringLiteral("blbl"))[1]->geometry().bottom(), w->Command7->geometry().top());
}

TEST_F(PrivilegesWindow, ClassButtonsRedrawTheChart)
{
    writePlan(Plan);
    auto w = open();
    for (int i = 0; i < 2; ++i)
        QTest::mouseClick(w->Command4, Qt::LeftButton);
    EXPECT_EQ(w->Label2->text(), "General Frequency Privileges");
    EXPECT_EQ(texts(w->chartLabels(QStringLiteral("bnlb"))), QStringList{"40"});
    EXPECT_EQ(texts(w->chartLabels(QStringLiteral("priv"))), QStringList{"7.025 - 7.125"});
    EXPECT_EQ(w->chartLabels(QStringLiteral("blbl")).size(), 1u);

    QTest::mouseClick(w->Command1, Qt::LeftButton);
    EXPECT_EQ(w->Label2->text(), "Novice Frequency Privileges");
    EXPECT_TRUE(w->chartLabels(QStringLiteral("blbl")).empty()) << "no Novice rows: the chart area stays empty";
    EXPECT_TRUE(w->chartLabels(QStringLiteral("priv")).empty());

    QTest::mouseClick(w->Command7, Qt::LeftButton);
    EXPECT_TRUE(w->isHidden());
}

TEST_F(PrivilegesWindow, ABandPlanThatCannotBeRead)
{
    auto w = open();
    ASSERT_EQ(lone.services.dialogs->shown.size(), 1u);
    EXPECT_EQ(lone.services.dialogs->shown[0].text, "Band data not available.");
    EXPECT_EQ(lone.services.dialogs->shown[0].title, "Band Data Not Available.");
    EXPECT_EQ(w->Label2->text(), "Privelages");
    EXPECT_EQ(w->Label1->text(), "Frequencies Effective");
    EXPECT_TRUE(w->chartLabels(QStringLiteral("blbl")).empty());

    writePlan("\"March 5, 2012\"\r\n\"40\",\"O\",\"PH\",7,7.3\r\n\"40\",\"E\",\"CW\",7\r\n");
    w = open();
    EXPECT_EQ(lone.services.dialogs->shown.size(), 2u);
    EXPECT_EQ(w->Label1->text(), "Frequencies Effective: March 5, 2012");
    EXPECT_EQ(w->Label2->text(), "Privelages");
}

} // namespace
