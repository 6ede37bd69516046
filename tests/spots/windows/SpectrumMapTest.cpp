#include "spots/windows/SpectrumMap.h"

#include "spots/SpotStore.h"
#include "spots/windows/SpotLabelWidget.h"
#include "support/LoneWindowContext.h"
#include "CountingRadio.h"

#include <QTest>
#include <map>
#include <gtest/gtest.h>

namespace {

struct SpectrumFixture {
    LoneWindowContext lone;
    CountingRadio radio;
    std::unique_ptr<SpectrumMap> map;

    explicit SpectrumFixture(std::initializer_list<std::pair<const char*, float>> spots)
    {
        lone.navigation.form1().attachRadio(radio);
        for (const auto& [call, mhz] : spots)
            fileSpot(lone.state.spots, QString::fromLatin1(call), mhz, lone.services.clock->local);
        map = std::make_unique<SpectrumMap>(lone.context());
        map->Form_Load();
        map->BandMapLabelDisplay();
    }

    QString captions(int line) const
    {
        QStringList texts;
        for (int i = 0; i < 5; ++i)
            texts << map->lblFreqSpot[size_t(5 * line + i)]->text();
        return texts.join(u' ');
    }
};

TEST(SpectrumMap, EachLineShowsItsOwnRangeNarrowedToItsSpots)
{
    SpectrumFixture f({{"W5AAA", 14.025f}, {"W5BBB", 14.074f}, {"K5EDGE", 7.3f}});
    EXPECT_EQ(f.captions(0), QStringLiteral("1.800 1.850 1.900 1.950 2.000"));
    EXPECT_EQ(f.captions(3), QStringLiteral("10.100 10.113 10.125 10.137 10.150"));
    EXPECT_EQ(f.captions(4), QStringLiteral("14.024 14.037 14.049 14.062 14.075"));
    EXPECT_TRUE(f.map->lblDXSpot[49]->isHidden()); // on the 40 m line's upper edge
    EXPECT_FALSE(f.map->lblDXSpot[48]->isHidden());
    EXPECT_FALSE(f.map->lblDXSpot[47]->isHidden());
    EXPECT_LT(f.map->lblDXSpot[47]->x(), f.map->lblDXSpot[48]->x());
}

TEST(SpectrumMap, ARightClickTunesWritesTheCallIntoTheMainWindowAndHidesTheMap)
{
    SpectrumFixture f({{"N5ABC", 14.025f}});
    struct CallField final : RunningMainWindow {
        QString text;
        void BandFreqConversion(float) override {}
        void ModeSelection(const QString&) override {}
        void chooseCall(const QString& call) override { text = call; }
    } callField;
    f.lone.navigation.form1().attach(callField);
    f.map->show();
    QTest::mouseClick(f.map->lblDXSpot[49], Qt::RightButton);
    EXPECT_EQ(f.radio.tuned, std::vector<float>{14.025f});
    EXPECT_EQ(callField.text, QStringLiteral("N5ABC"));
    EXPECT_EQ(f.lone.navigation.form1().txtCall, QStringLiteral("N5ABC"));
    EXPECT_TRUE(f.map->isHidden());
    EXPECT_EQ(f.lone.state.spots.SpotFrequency[49], 14.025f);
}

TEST(SpectrumMap, AnyOtherClickDeletesTheSpot)
{
    SpectrumFixture f({{"N5ABC", 14.025f}});
    QTest::mouseClick(f.map->lblDXSpot[49], Qt::MiddleButton);
    EXPECT_EQ(f.lone.state.spots.SpotFrequency[49], 0.0f);
    EXPECT_TRUE(f.map->lblDXSpot[49]->isHidden());
    EXPECT_TRUE(f.radio.tuned.empty());
}

// Each shown label stands where its twips say on the window, whatever widget holds it.
void expectLabelsWhereTheirTwipsSay(SpectrumMap& map)
{
    const double perPixel = map.screen().twipsPerPixelX();
    for (int i = 0; i < MaxBandMapSpots; ++i) {
        SpotLabelWidget* label = map.lblDXSpot[size_t(i)];
        if (label->isHidden())
            continue;
        const Control& place = *map.controlFor(label);
        EXPECT_EQ(label->mapTo(&map, QPoint()),
                  QPoint(int(std::lround(place.Left / perPixel)), int(std::lround(place.Top / perPixel))))
            << "slot " << i;
    }
}

// A new spot moves only its own label: the widgets of the others go with their spots down
// the store and are not touched, and the widget of the spot that left comes round for it.
TEST(SpectrumMap, ANewSpotMovesOnlyItsOwnLabelAndTheOthersGoWithTheirSpots)
{
    SpectrumFixture f({});
    // Sixty spots on 20 m and 40 m, every frequency back each 11 spots, so the scales stay
    // put as the spots move down the store.
    for (int j = 0; j < 60; ++j) {
        const float mhz = j % 2 ? 14.1f + float(j % 11) * 0.01f : 7.1f + float(j % 11) * 0.01f;
        fileSpot(f.lone.state.spots, QStringLiteral("K%1AA%2").arg(j % 10).arg(QChar(u'A' + j / 10)), mhz,
                 f.lone.services.clock->local);
    }
    f.map->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.map.get()));
    f.map->BandMapLabelDisplay();
    expectLabelsWhereTheirTwipsSay(*f.map);
    const auto labels = f.map->lblDXSpot;
    std::map<const SpotLabelWidget*, std::pair<QRect, QString>> before;
    for (const SpotLabelWidget* label : labels) {
        EXPECT_FALSE(label->isHidden());
        before[label] = {label->geometry(), label->toolTip()};
    }

    fileSpot(f.lone.state.spots, QStringLiteral("N5NEW"), 14.155f, f.lone.services.clock->local);
    f.map->BandMapLabelDisplay();
    EXPECT_EQ(f.map->lblDXSpot[49], labels[0]);
    EXPECT_TRUE(f.map->lblDXSpot[49]->toolTip().startsWith(QStringLiteral("N5NEW  14.155")));
    for (int i = 0; i < MaxBandMapSpots - 1; ++i) {
        SCOPED_TRACE(i);
        const SpotLabelWidget* label = f.map->lblDXSpot[size_t(i)];
        EXPECT_EQ(label, labels[size_t(i) + 1]);
        EXPECT_EQ(label->geometry(), before[label].first);
        EXPECT_EQ(label->toolTip(), before[label].second);
        EXPECT_FALSE(label->isHidden());
    }
    expectLabelsWhereTheirTwipsSay(*f.map);
    // The newest lies on top, and a click on a label acts on the spot it shows.
    const QObjectList stack = f.map->lblDXSpot[0]->parentWidget()->children();
    EXPECT_EQ(stack.back(), f.map->lblDXSpot[49]);

    // A spot filed after the last redraw: a click on a label still means the spot it shows.
    const QString secondCall = f.lone.state.spots.SpotCall[1];
    fileSpot(f.lone.state.spots, QStringLiteral("N5LATE"), 14.2f, f.lone.services.clock->local);
    QTest::mouseClick(f.map->lblDXSpot[1], Qt::LeftButton); // its spot is in slot 0 now
    EXPECT_EQ(f.lone.state.spots.SpotCall[0], secondCall);
    EXPECT_EQ(f.lone.state.spots.SpotFrequency[0], 0.0f) << "deleted";
    // The delete redrew the map: N5LATE is the newest, N5NEW next.
    QTest::mouseClick(f.map->lblDXSpot[48], Qt::RightButton);
    EXPECT_EQ(f.lone.navigation.form1().txtCall, QStringLiteral("N5NEW"));
}

} // namespace
