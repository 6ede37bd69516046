// The surface flood fill: what it fills and where it stops, checked against a plain
// pixel-by-pixel fill on pictures of random walls.

#include "platform/FloodFill.h"

#include <QPainter>
#include <QRandomGenerator>
#include <deque>
#include <gtest/gtest.h>

namespace {

const QRgb White = qRgb(255, 255, 255);
const QRgb Black = qRgb(0, 0, 0);
const QRgb Red = qRgb(200, 0, 0);

QImage blank(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(White);
    return image;
}

// The plain fill: every 4-neighbour of a filled pixel with the surface colour, one by one.
int referenceFill(QImage& image, QPoint start, QRgb surface, QRgb fill)
{
    if (!image.rect().contains(start) || image.pixel(start) != surface || surface == fill)
        return 0;
    int filled = 0;
    std::deque<QPoint> open{start};
    image.setPixel(start, fill);
    while (!open.empty()) {
        const QPoint p = open.front();
        open.pop_front();
        ++filled;
        for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            const QPoint q = p + step;
            if (image.rect().contains(q) && image.pixel(q) == surface) {
                image.setPixel(q, fill);
                open.push_back(q);
            }
        }
    }
    return filled;
}

TEST(FloodFill, ADiagonalLineOnePixelWideClosesTheArea)
{
    QImage image = blank(20, 20);
    for (int i = 0; i < 20; ++i)
        image.setPixel(i, i, Black); // corner to corner, touching only diagonally
    EXPECT_EQ(floodFillSurface(image, QPoint(15, 2), White, Red), (400 - 20) / 2);
    EXPECT_EQ(image.pixel(2, 15), White) << "the other side stays as it was";
    EXPECT_EQ(image.pixel(19, 0), Red);
    EXPECT_EQ(image.pixel(5, 5), Black);
}

TEST(FloodFill, ReachesAroundBendsToTheEdgesOfThePicture)
{
    // A comb: the area runs down between the teeth and back up.
    QImage image = blank(9, 7);
    for (int x = 1; x < 9; x += 2) {
        for (int y = (x % 4 == 1) ? 0 : 1; y < ((x % 4 == 1) ? 6 : 7); ++y)
            image.setPixel(x, y, Black);
    }
    QImage expected = image;
    const int reference = referenceFill(expected, QPoint(0, 0), White, Red);
    EXPECT_EQ(floodFillSurface(image, QPoint(0, 0), White, Red), reference);
    EXPECT_EQ(image, expected);
    EXPECT_EQ(image.pixel(8, 0), Red) << "the far end of the comb";
}

TEST(FloodFill, ChangesNothingWhenThereIsNothingToFill)
{
    const struct {
        const char* name;
        QPoint start;
        QRgb surface;
        QRgb fill;
    } cases[] = {
        {"start left of the picture", QPoint(-1, 3), White, Red},
        {"start below the picture", QPoint(3, 10), White, Red},
        {"start pixel of another colour", QPoint(4, 4), White, Red},
        {"fill colour is the surface colour", QPoint(0, 0), White, White},
    };
    for (const auto& c : cases) {
        QImage image = blank(10, 10);
        image.setPixel(4, 4, Black);
        const QImage before = image;
        EXPECT_EQ(floodFillSurface(image, c.start, c.surface, c.fill), 0) << c.name;
        EXPECT_EQ(image, before) << c.name;
    }
}

TEST(FloodFill, OnlyRedGreenAndBlueCountAndOtherFormatsAreConverted)
{
    QImage image(6, 4, QImage::Format_RGB888);
    image.fill(QColor(10, 20, 30));
    EXPECT_EQ(floodFillSurface(image, QPoint(2, 2), qRgba(10, 20, 30, 0), qRgba(1, 2, 3, 0)), 24);
    EXPECT_EQ(image.pixel(5, 3) & 0xFFFFFF, qRgb(1, 2, 3) & 0xFFFFFF);
}

TEST(FloodFill, FillsWhatAPlainPixelByPixelFillFillsOnRandomWalls)
{
    QRandomGenerator random(16);
    for (int round = 0; round < 40; ++round) {
        QImage image = blank(37, 23);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (random.bounded(100) < 35)
                    image.setPixel(x, y, Black);
            }
        }
        const QPoint start(int(random.bounded(37)), int(random.bounded(23)));
        const QRgb surface = image.pixel(start);
        QImage expected = image;
        const int reference = referenceFill(expected, start, surface, Red);
        EXPECT_EQ(floodFillSurface(image, start, surface, Red), reference) << "round " << round;
        EXPECT_EQ(image, expected) << "round " << round;
    }
}

} // namespace
