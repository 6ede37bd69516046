// The county map as the operator sees it: opened from the Map menu of a log window with the
// shipped county table, the worked counties coloured just after it shows, the hint for an
// empty log, and the abbreviation shown when the mouse rests on a county.

#include "mainwindow/ShellFixture.h"

#include "core/QStringPrinter.h"
#include "platform/FloodFill.h"
#include "reports/CountyMap.h"
#include "reports/windows/CountyMapTX.h"
#include "support/SampleLog.h"

#include <QHelpEvent>
#include <QSet>
#include <QToolTip>

namespace {

const QRgb Marker = qRgb(1, 2, 3);

class CountyMapWindow : public ShellTest {
protected:
    CountyMapWindow()
    {
        QFile shipped(shippedDataFile(QStringLiteral("county2.txt")));
        EXPECT_TRUE(shipped.open(QIODevice::ReadOnly));
        writeBytes(work(QStringLiteral("county2.txt")), shipped.readAll());
    }

    // Opens the map from the window's menu, waits for the colouring and runs the script.
    void useMap(MainForm& w, const std::function<void(CountyMapTX&)>& script)
    {
        EXPECT_TRUE(whileShown<CountyMapTX>(w.mnuMap, [&](CountyMapTX& map) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return !map.Timer1->isActive(); }));
            script(map);
        }));
    }

    static QImage shippedPicture()
    {
        return QImage(QStringLiteral(":/pictures/countymap.png")).convertToFormat(QImage::Format_RGB32);
    }

    static QLabel* labelFor(CountyMapTX& map, const char* abbreviation)
    {
        for (QLabel* label : map.lblCounty) {
            if (label->toolTip() == QLatin1String(abbreviation))
                return label;
        }
        ADD_FAILURE() << "no label " << abbreviation;
        return map.lblCounty.front();
    }

    // The county's area on the picture as shipped: filled with the marker on a copy.
    static QImage areaOf(CountyMapTX& map, const char* abbreviation)
    {
        QImage copy = shippedPicture();
        const QPoint start = countyLabelCentre(labelFor(map, abbreviation)->geometry());
        floodFillSurface(copy, start, copy.pixel(start), Marker);
        return copy;
    }

    // The tool tip that shows when the mouse rests at the point of the picture.
    static QString toolTipAt(CountyMapTX& map, QPoint point)
    {
        QWidget* under = map.Picture1->childAt(point);
        if (!under)
            return {};
        const QPoint local = under->mapFrom(map.Picture1, point);
        QHelpEvent event(QEvent::ToolTip, local, under->mapToGlobal(local));
        QApplication::sendEvent(under, &event);
        const QString text = QToolTip::isVisible() ? QToolTip::text() : QString();
        QToolTip::hideText();
        return text;
    }
};

TEST_F(CountyMapWindow, AWorkedCountyChangesToOneNewColourAndItsNeighboursKeepTheirs)
{
    writeLog({{"K5AAA", "TRAV"}, {"K5AAB", "TRAV", "40"}, {"K5AAC", "HARR"}});
    Infrm& w = openIn();
    useMap(w, [&](CountyMapTX& map) {
        EXPECT_EQ(map.windowTitle(), QStringLiteral(" Texas County Map"));
        const QImage before = shippedPicture();
        const QImage& after = map.Picture1->picture();
        ASSERT_EQ(after.size(), QSize(516, 452));
        const QImage travis = areaOf(map, "TRAV");
        const QImage harris = areaOf(map, "HARR");
        QSet<QRgb> travisColours;
        QSet<QRgb> harrisColours;
        int changedElsewhere = 0;
        for (int y = 0; y < before.height(); ++y) {
            for (int x = 0; x < before.width(); ++x) {
                if (travis.pixel(x, y) == Marker)
                    travisColours << after.pixel(x, y);
                else if (harris.pixel(x, y) == Marker)
                    harrisColours << after.pixel(x, y);
                else
                    changedElsewhere += after.pixel(x, y) != before.pixel(x, y);
            }
        }
        EXPECT_EQ(travisColours.size(), 1) << "worked on two bands, filled once in one colour";
        EXPECT_EQ(harrisColours.size(), 1);
        EXPECT_FALSE(travisColours.contains(before.pixel(countyLabelCentre(labelFor(map, "TRAV")->geometry()))));
        EXPECT_EQ(changedElsewhere, 0) << "the neighbours and the borders keep their colours";
        EXPECT_TRUE(map.Label1->isHidden()) << "the hint is only for an empty log";
    });
}

TEST_F(CountyMapWindow, TheToolTipOverACountyShowsItsAbbreviation)
{
    writeLog({{"K5AAA", "TRAV"}});
    Outfrm& w = openOut();
    useMap(w, [&](CountyMapTX& map) {
        ASSERT_EQ(map.lblCounty.size(), 254u);
        for (const QLabel* label : map.lblCounty) {
            EXPECT_TRUE(label->text().isEmpty());
            EXPECT_FALSE(label->autoFillBackground());
        }
        EXPECT_EQ(toolTipAt(map, countyLabelCentre(labelFor(map, "TRAV")->geometry())), QStringLiteral("TRAV"));
        EXPECT_EQ(toolTipAt(map, countyLabelCentre(labelFor(map, "ELPA")->geometry())), QStringLiteral("ELPA"));
        EXPECT_EQ(toolTipAt(map, countyLabelCentre(labelFor(map, "ZAVA")->geometry())), QStringLiteral("ZAVA"));
        EXPECT_EQ(toolTipAt(map, QPoint(5, 445)), QString()) << "Mexico has no county";
    });
}

TEST_F(CountyMapWindow, AnEmptyLogColoursNothingAndShowsTheHint)
{
    MainForm& w = openIn();
    useMap(w, [&](CountyMapTX& map) {
        EXPECT_EQ(map.Picture1->picture(), shippedPicture());
        EXPECT_FALSE(map.Label1->isHidden());
        EXPECT_EQ(map.Label1->text(), QStringLiteral("Counties will change color when worked."));
        EXPECT_EQ(map.Label1->geometry(), QRect(32, 376, 129, 41));
    });
}

TEST_F(CountyMapWindow, EveryOpeningColoursAfresh)
{
    writeLog({{"K5AAA", "ZAVA"}});
    MainForm& w = openOut();
    // Zavala has the last label of the table.
    auto zavala = [](CountyMapTX& map) { return countyLabelCentre(labelFor(map, "ZAVA")->geometry()); };
    QRgb first = 0;
    QRgb second = 0;
    QRgb unworked = 0;
    useMap(w, [&](CountyMapTX& map) {
        EXPECT_EQ(map.lblCounty.back(), labelFor(map, "ZAVA"));
        first = map.Picture1->picture().pixel(zavala(map));
        unworked = shippedPicture().pixel(zavala(map));
    });
    useMap(w, [&](CountyMapTX& map) { second = map.Picture1->picture().pixel(zavala(map)); });
    EXPECT_NE(first, unworked);
    EXPECT_NE(second, unworked);
    EXPECT_NE(second, first) << "a new colour at each opening";
}

} // namespace
