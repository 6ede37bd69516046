// The rate graph as the operator sees it: opened from the Graph menu of a log window, its
// labels, the curve and band strip in its drawing, and the background button.

#include "mainwindow/ShellFixture.h"

#include "core/QStringPrinter.h"
#include "reports/windows/GraphQSO.h"

#include <QSet>

namespace {

const QRgb CurveBlue = qRgb(0, 0, 255);
const QRgb Red = qRgb(255, 0, 0);
const QRgb Green = qRgb(0, 255, 0);
const QRgb LightCyan = qRgb(128, 255, 255);
const QRgb Yellow = qRgb(255, 255, 0);

// Seven contacts over 18 hours on 40, 20 and 15 m.
const std::initializer_list<Qso> SevenContacts = {
    {"K5AAA", "TRAV", "40", "CW", "14:00:00"},
    {"K5AAB", "TRAV", "40", "CW", "14:03:00"},
    {"K5AAC", "TRAV", "40", "CW", "14:06:00"},
    {"K5AAD", "HARR", "20", "CW", "15:00:00"},
    {"K5AAE", "HARR", "20", "CW", "16:00:00"},
    {"K5AAF", "BEXA", "15", "PH", "20:00:00"},
    {"K5AAG", "BEXA", "20", "PH", "08:00:00", {}, {}, "2026/04/26"},
};

class RateGraphWindow : public ShellTest {
protected:
    // Opens the graph from the window's menu and runs the script while it shows.
    void useGraph(MainForm& w, const std::function<void(GraphQSO&)>& script)
    {
        EXPECT_TRUE(whileShown<GraphQSO>(w.mnuGraph, [&](GraphQSO& g) { script(g); }));
    }

    static QStringList texts(const auto& labels)
    {
        QStringList list;
        for (const QLabel* label : labels)
            list << label->text();
        return list;
    }

    // The colours of the picture within the rows from top to bottom (pixels).
    static QSet<QRgb> coloursIn(const QImage& picture, int top, int bottom)
    {
        QSet<QRgb> colours;
        for (int y = std::max(0, top); y <= std::min(bottom, picture.height() - 1); ++y) {
            for (int x = 0; x < picture.width(); ++x)
                colours << (picture.pixel(x, y) | 0xFF000000);
        }
        return colours;
    }
    static QSet<QRgb> coloursOf(const QImage& picture) { return coloursIn(picture, 0, picture.height() - 1); }

    static int pixelRow(GraphQSO& g, LineControl* line)
    {
        return int(std::lround(g.controlFor(line)->Y1 / g.screen().twipsPerPixelY()));
    }
    static QSet<QRgb> stripColours(GraphQSO& g)
    {
        return coloursIn(g.drawing(), pixelRow(g, g.Line8) + 1, pixelRow(g, g.Line9) - 1);
    }

    const ScriptedDialogs::Shown* notEnoughBox() const
    {
        const ScriptedDialogs::Shown* box = dialogs.last(QStringLiteral("message"));
        return box && box->title == QLatin1String("Not Enough Contacts to Graph.") ? box : nullptr;
    }
};

TEST_F(RateGraphWindow, SixContactsShowTheMessageAndEveryClickShowsItAgain)
{
    writeLog({{"K5AAA", "TRAV", "40", "CW", "14:00:00"}, {"K5AAB", "TRAV", "40", "CW", "14:03:00"},
              {"K5AAC", "TRAV", "40", "CW", "14:06:00"}, {"K5AAD", "HARR", "20", "CW", "15:00:00"},
              {"K5AAE", "HARR", "20", "CW", "16:00:00"}, {"K5AAF", "BEXA", "15", "PH", "20:00:00"}});
    MainForm& w = openOut();
    const int before = dialogs.count(QStringLiteral("message")); // "Open existing log?"
    useGraph(w, [&](GraphQSO& g) {
        EXPECT_EQ(g.windowTitle(), QStringLiteral(" Activity Graph - QSOs per Hour Rate   (# QSOs over 10 minutes X 6)"));
        ASSERT_NE(notEnoughBox(), nullptr);
        EXPECT_EQ(notEnoughBox()->text,
                  QStringLiteral("The graph will not display with less than 7 contacts.  The graph becomes more "
                                 "meaningful as several hours of contest logging are accumulated."));
        EXPECT_EQ(dialogs.count(QStringLiteral("message")), before + 1);
        // The frame, grid and design captions stay.
        EXPECT_EQ(texts(g.lblTime).count(QStringLiteral("00:00")), 15);
        EXPECT_EQ(texts(g.lblDate).count(QStringLiteral("MM/DD")), 15);
        EXPECT_EQ(texts(g.lblY).count(QStringLiteral("0")), 17);
        EXPECT_FALSE(coloursOf(g.drawing()).contains(CurveBlue));
        EXPECT_TRUE(g.Line1->isVisible());
        EXPECT_TRUE(g.gridLines[0]->isVisible());

        QTest::mouseClick(g.Command1, Qt::LeftButton);
        EXPECT_EQ(dialogs.count(QStringLiteral("message")), before + 2);
        EXPECT_EQ(g.Command1->text(), QStringLiteral("White Background"));
        EXPECT_EQ(coloursOf(g.drawing()), QSet<QRgb>{qRgb(255, 255, 255)});
    });
}

TEST_F(RateGraphWindow, SevenContactsDrawTheGraphWithFifteenTimeLabels)
{
    writeLog(SevenContacts);
    MainForm& w = openIn();
    const int before = dialogs.count(QStringLiteral("message"));
    useGraph(w, [&](GraphQSO& g) {
        EXPECT_EQ(dialogs.count(QStringLiteral("message")), before);
        // 18 hours in 14 steps of 1 h 17 min 8.6 s.
        EXPECT_EQ(texts(g.lblTime), (QStringList{"14:00", "15:17", "16:34", "17:51", "19:08", "20:25", "21:42",
                                                 "23:00", "00:17", "01:34", "02:51", "04:08", "05:25", "06:42",
                                                 "08:00"}));
        EXPECT_EQ(texts(g.lblDate).count(QStringLiteral("04/25")), 8);
        EXPECT_EQ(texts(g.lblDate).count(QStringLiteral("04/26")), 7);
        // Rates 6, 12 and 18 in the first ten minutes; the smoothed curve tops out at 18.
        EXPECT_EQ(g.lblY[0]->text(), QStringLiteral("0.0"));
        EXPECT_EQ(g.lblY[8]->text(), QStringLiteral("9.0"));
        EXPECT_EQ(g.lblY[16]->text(), QStringLiteral("18.0"));

        EXPECT_TRUE(coloursOf(g.drawing()).contains(CurveBlue));
        const QSet<QRgb> strip = stripColours(g);
        EXPECT_TRUE(strip.contains(Red)) << "40 m";
        EXPECT_TRUE(strip.contains(Green)) << "20 m";
        EXPECT_TRUE(strip.contains(LightCyan)) << "15 m";
        EXPECT_FALSE(strip.contains(Yellow));
        // The legend in the band colours, the strip's band label at its left.
        EXPECT_EQ(texts(g.lblBnd), (QStringList{"160", "80", "40", "20", "15", "10", "Other"}));
        EXPECT_EQ(textColor(g.lblBnd[2]), QColor(Red));
        EXPECT_EQ(g.Label1->text(), QStringLiteral("Band "));

        // The drawing is the window's own: it shows again whenever the window repaints.
        const QImage shown = g.grab().toImage();
        EXPECT_TRUE(coloursOf(shown).contains(CurveBlue));
    });
}

TEST_F(RateGraphWindow, ContactsEnteredAfterTheContestTakeTheirPlaceInTime)
{
    // The two post-contest entries are earlier than the first contact logged.
    writeLog({{"K5AAA", "TRAV", "40", "CW", "14:00:00"}, {"K5AAB", "TRAV", "40", "CW", "14:03:00"},
              {"K5AAC", "TRAV", "40", "CW", "14:06:00"}, {"K5AAD", "HARR", "20", "CW", "15:00:00"},
              {"K5AAE", "HARR", "20", "CW", "16:00:00"}, {"K5AAF", "BEXA", "6", "PH", "12:00"},
              {"K5AAG", "BEXA", "6", "PH", "12:04"}});
    MainForm& w = openOut();
    useGraph(w, [&](GraphQSO& g) {
        EXPECT_EQ(g.lblTime[0]->text(), QStringLiteral("12:00"));
        EXPECT_EQ(g.lblTime[14]->text(), QStringLiteral("16:00"));
        EXPECT_EQ(g.lblY[16]->text(), QStringLiteral("18.0"));
        EXPECT_TRUE(coloursOf(g.drawing()).contains(CurveBlue));
        EXPECT_TRUE(stripColours(g).contains(Yellow)) << "6 m in the Other colour";
    });
}

TEST_F(RateGraphWindow, TheButtonSwitchesBetweenBlackAndWhiteBackgrounds)
{
    writeLog(SevenContacts);
    MainForm& w = openOut();
    useGraph(w, [&](GraphQSO& g) {
        EXPECT_EQ(g.Command1->text(), QStringLiteral("Black Background"));
        EXPECT_EQ(g.backColor(), QColor(Qt::black));
        EXPECT_EQ(g.drawing().pixel(2, 2) | 0xFF000000, qRgb(0, 0, 0));
        EXPECT_EQ(textColor(g.lblTime[0]), QColor(Qt::white));
        EXPECT_EQ(g.gridLines[4]->palette().color(QPalette::WindowText), QColor(128, 128, 128));
        EXPECT_EQ(g.Line1->palette().color(QPalette::WindowText), QColor(Qt::white));

        QTest::mouseClick(g.Command1, Qt::LeftButton);
        EXPECT_EQ(g.Command1->text(), QStringLiteral("White Background"));
        EXPECT_EQ(g.backColor(), QColor(Qt::white));
        EXPECT_EQ(g.drawing().pixel(2, 2) | 0xFF000000, qRgb(255, 255, 255));
        EXPECT_TRUE(coloursOf(g.drawing()).contains(CurveBlue)) << "drawn again on the new background";
        for (const QLabel* label : {g.lblTime[3], g.lblDate[14], g.lblY[16], g.Label1})
            EXPECT_EQ(textColor(label), QColor(Qt::black)) << label->text().toStdString();
        EXPECT_EQ(textColor(g.lblBnd[0]), QColor(Qt::white)) << "160 m stays white, white on white";
        EXPECT_EQ(g.gridLines[4]->palette().color(QPalette::WindowText), QColor(Qt::black));

        QTest::mouseClick(g.Command1, Qt::LeftButton);
        EXPECT_EQ(g.Command1->text(), QStringLiteral("Black Background"));
        EXPECT_EQ(g.drawing().pixel(2, 2) | 0xFF000000, qRgb(0, 0, 0));
        EXPECT_EQ(g.gridLines[4]->palette().color(QPalette::WindowText), QColor(Qt::white))
            << "the grid now takes the frame's colour";
        EXPECT_EQ(textColor(g.lblY[0]), QColor(Qt::white));
    });
}

TEST_F(RateGraphWindow, TheWindowFillsTheWorkArea)
{
    writeLog(SevenContacts);
    ts.screen->workArea = QRectF(0, 0, 19200, 14400 - 600);
    MainForm& w = openOut();
    useGraph(w, [&](GraphQSO& g) {
        EXPECT_FLOAT_EQ(g.Width, 9465.0f * 2);
        EXPECT_FLOAT_EQ(g.Height, 6825.0f * 13800 / 7200);
        EXPECT_FLOAT_EQ(g.controlFor(g.Line3)->X1, 9240.0f * 2);
        EXPECT_FLOAT_EQ(g.controlFor(g.Command1)->Left, 8160.0f * 2);
        EXPECT_EQ(g.drawing().size(), g.size());
    });
}

} // namespace
