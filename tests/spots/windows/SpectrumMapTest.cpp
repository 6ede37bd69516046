#include "spots/windows/SpectrumMap.h"

#include "spots/SpotStore.h"
#include "spots/windows/SpotLabelWidget.h"
#include "support/LoneWindowContext.h"
#include "CountingRadio.h"

#include <QTest>
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

} // namespace
