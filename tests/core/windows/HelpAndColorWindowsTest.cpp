// The help window and the multiplier colour window, each opened as the main window's
// menu opens it: loaded afresh for one modal showing.

#include "WindowTestSupport.h"

#include "app/App.h"
#include "core/windows/Form5.h"
#include "core/windows/Form6.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

class MenuWindows : public ::testing::Test {
protected:
    MenuWindows() : dialogs(t.dialogs), app(std::move(t.services)) { folders.applyTo(app.state()); }
    ~MenuWindows() override { deleteClosedWindows(); }

    QString work(const char* name) const { return folders.work + QLatin1Char('/') + QLatin1String(name); }

    // Opens the help window and returns the text it showed.
    QString helpShown()
    {
        QString shown = QStringLiteral("<not shown>");
        onceShown<Form5>([&shown](Form5& help) {
            shown = help.Text1->toPlainText();
            QTest::mouseClick(help.Command1, Qt::LeftButton);
            EXPECT_FALSE(help.isVisible()) << "Close ends the showing";
        });
        app.showHelp();
        return shown;
    }

    static QColor sampleColor(const QLabel* sample) { return sample->palette().color(QPalette::WindowText); }

    TestServices t;
    TestFolders folders;
    ScriptedDialogs* dialogs;
    App app;
};

TEST_F(MenuWindows, HelpWithoutItsFileShowsAnEmptyBoxSilently)
{
    EXPECT_EQ(helpShown(), QString());
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(MenuWindows, HelpReadsItsFileAfreshAtEachOpening)
{
    writeBytes(work("readtolvern.TXT"), "Press F1 to send CQ.\nEnter logs the contact.\n");
    EXPECT_EQ(helpShown(), QStringLiteral("Press F1 to send CQ.\nEnter logs the contact.\n"));

    writeBytes(work("readtolvern.TXT"), "Rovers: change county with F8.\n");
    EXPECT_EQ(helpShown(), QStringLiteral("Rovers: change county with F8.\n"));
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(MenuWindows, HelpTextIsReadOnlyAndKeepsItsColumns)
{
    writeBytes(work("ReadTolvern.txt"), "1. About      6. Keyers\n10. Files     11. Keys\n");
    onceShown<Form5>([](Form5& help) {
        help.Text1->setFocus();
        QTest::keyClicks(help.Text1, QStringLiteral("typed"));
        QTest::keyClick(help.Text1, Qt::Key_Delete);
        EXPECT_EQ(help.Text1->toPlainText(), QStringLiteral("1. About      6. Keyers\n10. Files     11. Keys\n"));
        // Columns aligned with blanks line up only when every character is as wide as the next.
        const QFontMetricsF metrics(help.Text1->font());
        EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("1. About      ")),
                  metrics.horizontalAdvance(QStringLiteral("10. Files     ")));
        QTest::mouseClick(help.Command1, Qt::LeftButton);
    });
    app.showHelp();
}

TEST_F(MenuWindows, ColourChoicesAndCancel)
{
    StationData& s = app.state().station;
    s.WorkedColor = 0x00FF00;     // green
    s.RemainingColor = 0x0000FF;  // red
    dialogs->colorAnswers = {std::nullopt, 0xFF0000}; // Cancel on "Remaining", blue for "Worked"

    onceShown<Form6>([&](Form6& colors) {
        EXPECT_EQ(sampleColor(colors.Label2), QColor(255, 0, 0));
        EXPECT_EQ(sampleColor(colors.Label1), QColor(0, 255, 0));

        QTest::mouseClick(colors.Command1, Qt::LeftButton);
        EXPECT_EQ(dialogs->lastColorInitial, 0x0000FFu) << "the dialog opens on the colour in effect";
        EXPECT_EQ(s.RemainingColor, 0x0000FF);
        EXPECT_EQ(sampleColor(colors.Label2), QColor(255, 0, 0));

        QTest::mouseClick(colors.Command3, Qt::LeftButton);
        EXPECT_EQ(dialogs->lastColorInitial, 0x00FF00u);
        EXPECT_EQ(s.WorkedColor, 0xFF0000);
        EXPECT_EQ(sampleColor(colors.Label1), QColor(0, 0, 255));

        QTest::mouseClick(colors.Command6, Qt::LeftButton);
        EXPECT_FALSE(colors.isVisible());
    });
    app.showColors();
    EXPECT_EQ(dialogs->count(QStringLiteral("color")), 2);

    // The next opening shows the colours now in effect.
    onceShown<Form6>([&](Form6& colors) {
        EXPECT_EQ(sampleColor(colors.Label1), QColor(0, 0, 255));
        EXPECT_EQ(sampleColor(colors.Label2), QColor(255, 0, 0));
    });
    app.showColors();
}

} // namespace
