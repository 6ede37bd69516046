// The county map's picture and labels as shipped, the fill from every label, and the
// colouring of the worked counties.

#include "core/QStringPrinter.h"
#include "core/RecordFile.h"
#include "platform/FloodFill.h"
#include "reports/CountyMap.h"
#include "reports/windows/CountyMapColouring.h"
#include "support/SampleLog.h"

#include <QFile>
#include <QSet>
#include <gtest/gtest.h>

namespace {

QString shipped(const char* name) { return shippedDataFile(QString::fromLatin1(name)); }

QByteArray shippedBytes(const char* name)
{
    QFile file(shipped(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

// The shipped county table, as the log windows load it for a station in Texas.
ReferenceTables countyTable()
{
    ReferenceTables tables;
    RecordReader reader(shippedBytes("county2.txt"));
    int count = 0;
    QString name;
    QString abbrev;
    while (reader.readText(name) && reader.readText(abbrev)) {
        ++count;
        tables.CountyName[size_t(count)] = name.mid(2);
        tables.CountyAbbrev[size_t(count)] = abbrev;
    }
    tables.CountyCount = float(count);
    return tables;
}

class ShippedMap : public ::testing::Test {
protected:
    QImage map = QImage(shipped("pictures/countymap.png")).convertToFormat(QImage::Format_RGB32);
    std::vector<CountyMapLabel> labels =
        readCountyMapLabels(shippedBytes("pictures/countymap.txt")).value_or(std::vector<CountyMapLabel>{});
    ReferenceTables tables = countyTable();

    void SetUp() override
    {
        ASSERT_EQ(map.size(), QSize(516, 452));
        ASSERT_EQ(labels.size(), 254u);
    }

    std::vector<CountyLabelArea> areas() const
    {
        std::vector<CountyLabelArea> result;
        for (const CountyMapLabel& label : labels)
            result.push_back({countyLabelToolTip(tables, label.name), label.rect});
        return result;
    }

    // The pixels of the fill from the label's centre, on a copy of the map.
    QImage fillOf(size_t label) const
    {
        QImage copy = map;
        const QPoint start = countyLabelCentre(labels[label].rect);
        floodFillSurface(copy, start, copy.pixel(start), qRgb(1, 2, 3));
        return copy;
    }

    size_t labelNamed(const char* name) const
    {
        for (size_t i = 0; i < labels.size(); ++i) {
            if (labels[i].name == QLatin1String(name))
                return i;
        }
        ADD_FAILURE() << "no label " << name;
        return 0;
    }
};

TEST_F(ShippedMap, TheLabelsNameTheCountiesAsTheCountyTableDoesAndInItsOrder)
{
    ASSERT_EQ(tables.CountyCount, 254.0f);
    for (size_t i = 0; i < labels.size(); ++i)
        EXPECT_EQ(labels[i].name, tables.CountyName[i + 1]) << "label " << i;
}

TEST_F(ShippedMap, EveryLabelsFillStaysInItsOwnCountyAndNoTwoLabelsShareOne)
{
    const QRgb county = map.pixel(countyLabelCentre(labels[0].rect));
    const QRgb border = qRgb(0, 0, 0);
    int borderPixels = 0;
    int countyPixels = 0;
    for (int y = 0; y < map.height(); ++y) {
        for (int x = 0; x < map.width(); ++x) {
            borderPixels += map.pixel(x, y) == border;
            countyPixels += map.pixel(x, y) == county;
        }
    }

    // Each label fills its county in a colour of its own: red 7, the label's number from 1
    // in green and blue.
    QImage filled = map;
    int pixelsFilled = 0;
    for (size_t i = 0; i < labels.size(); ++i) {
        const QPoint start = countyLabelCentre(labels[i].rect);
        ASSERT_EQ(filled.pixel(start), county) << labels[i].name.toStdString() << ": filled by an earlier label";
        const int n = floodFillSurface(filled, start, county, qRgb(7, int((i + 1) >> 8), int((i + 1) & 0xFF)));
        EXPECT_GT(n, 3) << labels[i].name.toStdString();
        pixelsFilled += n;
    }
    std::vector<QRect> reach(labels.size());
    for (int y = 0; y < filled.height(); ++y) {
        for (int x = 0; x < filled.width(); ++x) {
            const QRgb p = filled.pixel(x, y);
            if (qRed(p) == 7)
                reach[size_t((qGreen(p) << 8) + qBlue(p) - 1)] |= QRect(x, y, 1, 1);
        }
    }
    for (size_t i = 0; i < labels.size(); ++i) {
        // The whole label lies in its county, and the county does not reach the picture's
        // edge (it has not run out into the land or sea around the state).
        const QRgb own = qRgb(7, int((i + 1) >> 8), int((i + 1) & 0xFF));
        for (int y = labels[i].rect.top(); y <= labels[i].rect.bottom(); ++y) {
            for (int x = labels[i].rect.left(); x <= labels[i].rect.right(); ++x)
                ASSERT_EQ(filled.pixel(x, y), own) << labels[i].name.toStdString() << " at " << x << "," << y;
        }
        EXPECT_TRUE(QRect(1, 1, map.width() - 2, map.height() - 2).contains(reach[i]))
            << labels[i].name.toStdString();
    }
    EXPECT_EQ(pixelsFilled, countyPixels) << "every county area has its label";
    int bordersAfter = 0;
    for (int y = 0; y < filled.height(); ++y) {
        for (int x = 0; x < filled.width(); ++x)
            bordersAfter += filled.pixel(x, y) == border;
    }
    EXPECT_EQ(bordersAfter, borderPixels) << "no fill crossed a border line";
}

TEST_F(ShippedMap, CountiesLieWhereTheyLieInTexas)
{
    auto extent = [this](const char* name) {
        const QImage fill = fillOf(labelNamed(name));
        QRect r;
        for (int y = 0; y < fill.height(); ++y) {
            for (int x = 0; x < fill.width(); ++x) {
                if (fill.pixel(x, y) == qRgb(1, 2, 3))
                    r |= QRect(x, y, 1, 1);
            }
        }
        return r;
    };
    const QRect elPaso = extent("El Paso");
    const QRect cameron = extent("Cameron");
    const QRect dallam = extent("Dallam");
    const QRect lipscomb = extent("Lipscomb");
    const QRect travis = extent("Travis");
    const QRect harris = extent("Harris");
    const QRect orange = extent("Orange");
    EXPECT_LT(elPaso.left(), 30) << "the western tip";
    EXPECT_GT(cameron.bottom(), 430) << "the southern tip";
    EXPECT_LT(dallam.top(), 5) << "the Panhandle's north-west corner";
    EXPECT_LT(lipscomb.top(), 5);
    EXPECT_LT(dallam.right(), lipscomb.left());
    EXPECT_GT(orange.right(), 470) << "on the Sabine at the eastern edge";
    EXPECT_LT(travis.right(), harris.left()) << "Austin lies west of Houston";
    EXPECT_LT(harris.bottom(), cameron.top());
}

TEST_F(ShippedMap, WorkedCountiesTakeOneColourEachAndTheirNeighboursKeepTheirs)
{
    QRandomGenerator random(2024);
    QImage coloured = map;
    const QStringList worked = {QStringLiteral("TRAV"), QStringLiteral("trav"), QStringLiteral("HARR"),
                                QStringLiteral("XXXX")};
    EXPECT_EQ(colourWorkedCounties(coloured, areas(), worked, random), 3) << "Travis twice, Harris once";

    const QImage travis = fillOf(labelNamed("Travis"));
    const QImage harris = fillOf(labelNamed("Harris"));
    QSet<QRgb> travisColours;
    QSet<QRgb> harrisColours;
    for (int y = 0; y < map.height(); ++y) {
        for (int x = 0; x < map.width(); ++x) {
            if (travis.pixel(x, y) == qRgb(1, 2, 3))
                travisColours << coloured.pixel(x, y);
            else if (harris.pixel(x, y) == qRgb(1, 2, 3))
                harrisColours << coloured.pixel(x, y);
            else
                ASSERT_EQ(coloured.pixel(x, y), map.pixel(x, y)) << "outside the worked counties at " << x << "," << y;
        }
    }
    EXPECT_EQ(travisColours.size(), 1);
    EXPECT_EQ(harrisColours.size(), 1);
    EXPECT_FALSE(travisColours.contains(map.pixel(countyLabelCentre(labels[0].rect))));
}

TEST_F(ShippedMap, AllCountiesWorkedGetColoursOfTheirOwnFromOneRandomSequence)
{
    QStringList worked;
    for (int k = 1; k <= int(tables.CountyCount); ++k)
        worked << tables.CountyAbbrev[size_t(k)];
    QRandomGenerator random(16);
    QImage coloured = map;
    EXPECT_EQ(colourWorkedCounties(coloured, areas(), worked, random), 254);
    QSet<QRgb> colours;
    for (const CountyMapLabel& label : labels)
        colours << coloured.pixel(countyLabelCentre(label.rect));
    EXPECT_EQ(colours.size(), 254) << "no two counties share a colour";
}

TEST(CountyMap, ALabelsToolTipIsItsCountysAbbreviation)
{
    ReferenceTables tables;
    tables.CountyName[1] = QStringLiteral("DeWitt");
    tables.CountyAbbrev[1] = QStringLiteral("DEWI");
    tables.CountyName[2] = QStringLiteral("Travis");
    tables.CountyAbbrev[2] = QStringLiteral("TRAV");
    tables.CountyName[3] = QStringLiteral("Travis");
    tables.CountyAbbrev[3] = QStringLiteral("TRA2");
    tables.CountyCount = 3;
    EXPECT_EQ(countyLabelToolTip(tables, QStringLiteral("Dewitt")), QStringLiteral("DEWI")) << "case does not count";
    EXPECT_EQ(countyLabelToolTip(tables, QStringLiteral("Travis")), QStringLiteral("TRAV")) << "the first entry";
    EXPECT_EQ(countyLabelToolTip(tables, QStringLiteral("Loving")), QStringLiteral("Loving"))
        << "a name not in the table stays";
}

TEST(CountyMap, LabelTableAndCentres)
{
    const auto labels = readCountyMapLabels("\"Anderson\",407,188,14,14\r\n\"Bee\",1,2,3,2\r\n");
    ASSERT_TRUE(labels);
    ASSERT_EQ(labels->size(), 2u);
    EXPECT_EQ((*labels)[1].name, QStringLiteral("Bee"));
    EXPECT_EQ((*labels)[1].rect, QRect(1, 2, 3, 2));
    EXPECT_EQ(countyLabelCentre((*labels)[0].rect), QPoint(414, 195));
    EXPECT_EQ(countyLabelCentre((*labels)[1].rect), QPoint(3, 3)) << "1 + 1.5 to the nearest pixel";

    EXPECT_FALSE(readCountyMapLabels("\"Anderson\",407,188,14\r\n"));
    EXPECT_FALSE(readCountyMapLabels("\"Anderson\",407,188,0,14\r\n"));
}

TEST(CountyMap, RandomColoursStayBelow254)
{
    QRandomGenerator random(1);
    int largest = 0;
    for (int i = 0; i < 2000; ++i) {
        const QRgb c = randomCountyColour(random);
        largest = std::max({largest, qRed(c), qGreen(c), qBlue(c)});
    }
    EXPECT_EQ(largest, 253);
}

} // namespace
