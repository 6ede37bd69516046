#include "spots/windows/BandMap.h"

#include "spots/SpotLines.h"
#include "spots/SpotStore.h"
#include "spots/windows/SpotLabelWidget.h"
#include "support/LoneWindowContext.h"
#include "CountingRadio.h"

#include <QLineEdit>
#include <QTest>
#include <cmath>
#include <map>
#include <gtest/gtest.h>

namespace {

// A window hosting the band map the way the main windows do, with a call field.
struct BandMapHost {
    LoneWindowContext lone;
    Form form{lone.context(), QStringLiteral("host"), 9600, 7200};
    BandMap map{form};
    QLineEdit* txtCall = new QLineEdit(&form);
    CountingRadio radio;

    BandMapHost()
    {
        lone.state.station.CurrentBand = QStringLiteral("20");
        lone.state.station.UtcOffsetHours = 6;
        lone.navigation.form1().attachRadio(radio);
        QObject::connect(&map, &BandMap::spotChosen, txtCall, [this](const QString& call) {
            txtCall->setFocus();
            txtCall->setText(call);
        });
        form.applyGeometry();
        map.placeArea(96, 6000, 9312, 1200);
        map.setShown(true);
        form.show();
    }

    void spot(const QString& line)
    {
        const SpotLineFields fields = parseSpotLine(line);
        takeSpot(lone.state.spots, lone.state.tables, fields.call, fields.frequency, fields.record,
                 lone.services.clock->local);
        map.DisplayBandMapLabels();
    }
};

const QString n5abc = QStringLiteral("DX de K5DX:      14025.0  N5ABC        CQ TQP                         1830Z\r\n");

TEST(BandMap, ShowsTheSpotWithItsToolTipAndARightClickTunesAndFillsTheCall)
{
    BandMapHost host;
    host.spot(n5abc);
    SpotLabelWidget* label = host.map.lblDXSpot[49];
    ASSERT_FALSE(label->isHidden());
    EXPECT_EQ(label->text(), QStringLiteral("N5"));
    EXPECT_EQ(label->toolTip(), QStringLiteral("N5ABC  14.025  19:05:00"));
    EXPECT_EQ(host.map.lblFreqSpot[0]->text(), QStringLiteral("14.000"));

    QTest::mouseClick(label, Qt::RightButton);
    EXPECT_EQ(host.radio.tuned, std::vector<float>{14.025f});
    EXPECT_EQ(host.txtCall->text(), QStringLiteral("N5ABC"));
    EXPECT_EQ(host.lone.state.spots.SpotFrequency[49], 14.025f);
}

TEST(BandMap, ALeftClickDeletesTheSpotForGood)
{
    BandMapHost host;
    host.spot(n5abc);
    QTest::mouseClick(host.map.lblDXSpot[49], Qt::LeftButton);
    EXPECT_TRUE(host.map.lblDXSpot[49]->isHidden());
    EXPECT_EQ(host.lone.state.spots.SpotFrequency[49], 0.0f);
    host.map.DisplayBandMapLabels();
    EXPECT_TRUE(host.map.lblDXSpot[49]->isHidden());
    EXPECT_TRUE(host.radio.tuned.empty());
}

TEST(BandMap, SpotsSpreadOverTheNarrowedScaleAndTheHoverShowsTheToolTip)
{
    BandMapHost host;
    host.spot(QStringLiteral("DX de K5DX:      14020.0  W5AAA"));
    host.spot(QStringLiteral("DX de K5DX:      14030.0  W5BBB"));
    EXPECT_EQ(host.map.lblFreqSpot[0]->text(), QStringLiteral("14.019"));
    EXPECT_EQ(host.map.lblFreqSpot[4]->text(), QStringLiteral("14.031"));
    EXPECT_LT(host.map.lblDXSpot[48]->x(), host.map.lblDXSpot[49]->x());
    QString hovered;
    QObject::connect(&host.map, &BandMap::spotHovered, [&](const QString& tip) { hovered = tip; });
    QTest::mouseMove(host.map.lblDXSpot[49]);
    EXPECT_EQ(hovered, host.map.lblDXSpot[49]->toolTip());
}

// A spot line with the call at column 27.
QString spotAt(const QString& call, double kHz)
{
    return QStringLiteral("DX de K5DX:     %1  %2").arg(QString::number(kHz, 'f', 1), 8).arg(call);
}

// Each shown label stands where its twips say on the window, whatever widget holds it.
void expectLabelsWhereTheirTwipsSay(BandMapHost& host)
{
    const double perPixel = host.form.screen().twipsPerPixelX();
    for (int i = 0; i < MaxBandMapSpots; ++i) {
        SpotLabelWidget* label = host.map.lblDXSpot[i];
        if (label->isHidden())
            continue;
        const Control& place = *host.form.controlFor(label);
        EXPECT_EQ(label->mapTo(&host.form, QPoint()),
                  QPoint(int(std::lround(place.Left / perPixel)), int(std::lround(place.Top / perPixel))))
            << "slot " << i;
    }
}

TEST(BandMap, ANewSpotMovesOnlyItsOwnLabelAndTheOthersGoWithTheirSpots)
{
    BandMapHost host;
    // Sixty spots of different calls over 14.100 to 14.200, every frequency back each 11
    // spots, so the scale stays put as they move down the store.
    for (int j = 0; j < 60; ++j)
        host.spot(spotAt(QStringLiteral("K%1AA%2").arg(j % 10).arg(QChar(u'A' + j / 10)), 14100.0 + (j % 11) * 10));
    expectLabelsWhereTheirTwipsSay(host);
    struct Seen {
        QRect place;
        QString toolTip;
    };
    std::map<const SpotLabelWidget*, Seen> before;
    const auto labels = host.map.lblDXSpot;
    for (const SpotLabelWidget* label : labels)
        before[label] = {label->geometry(), label->toolTip()};

    host.spot(spotAt(QStringLiteral("N5NEW"), 14155.0));
    EXPECT_EQ(host.map.lblDXSpot[49], labels[0]) << "the widget of the spot that left comes round for the new one";
    EXPECT_EQ(host.map.lblDXSpot[49]->toolTip(), QStringLiteral("N5NEW  14.155  19:05:00"));
    for (int i = 0; i < MaxBandMapSpots - 1; ++i) {
        SCOPED_TRACE(i);
        const SpotLabelWidget* label = host.map.lblDXSpot[i];
        EXPECT_EQ(label, labels[i + 1]);
        EXPECT_EQ(label->geometry(), before[label].place);
        EXPECT_EQ(label->toolTip(), before[label].toolTip);
    }
    // The newest lies on top where labels overlap, and a click on it names it.
    const QObjectList stack = host.map.lblDXSpot[0]->parentWidget()->children();
    EXPECT_EQ(stack.back(), host.map.lblDXSpot[49]);
    QTest::mouseClick(host.map.lblDXSpot[49], Qt::RightButton);
    EXPECT_EQ(host.txtCall->text(), QStringLiteral("N5NEW"));
    expectLabelsWhereTheirTwipsSay(host);

    // The area laid out elsewhere: the labels follow the background on the next redraw.
    host.map.placeArea(300, 5000, 9000, 1500);
    host.map.DisplayBandMapLabels();
    expectLabelsWhereTheirTwipsSay(host);
}

TEST(BandMap, DrawsNothingWhileHidden)
{
    BandMapHost host;
    host.map.setShown(false);
    host.spot(n5abc);
    EXPECT_TRUE(host.map.lblDXSpot[49]->isHidden());
}

} // namespace
