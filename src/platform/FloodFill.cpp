#include "platform/FloodFill.h"

#include <vector>

namespace {

constexpr QRgb ColourBits = 0x00FFFFFF;

} // namespace

int floodFillSurface(QImage& image, QPoint start, QRgb surface, QRgb fill)
{
    if (!image.rect().contains(start))
        return 0;
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        image.convertTo(QImage::Format_RGB32);
    surface &= ColourBits;
    const QRgb paint = 0xFF000000 | (fill & ColourBits);
    if ((paint & ColourBits) == surface)
        return 0;
    const int width = image.width();
    const int height = image.height();
    auto row = [&image](int y) { return reinterpret_cast<QRgb*>(image.scanLine(y)); };
    auto isSurface = [surface](QRgb pixel) { return (pixel & ColourBits) == surface; };
    if (!isSurface(row(start.y())[start.x()]))
        return 0;

    // Scanline fill: each seed paints its whole run on the row, then seeds one pixel of
    // every run of surface pixels directly above and below the painted run.
    int filled = 0;
    std::vector<QPoint> seeds{start};
    while (!seeds.empty()) {
        const QPoint seed = seeds.back();
        seeds.pop_back();
        QRgb* line = row(seed.y());
        if (!isSurface(line[seed.x()]))
            continue;
        int left = seed.x();
        while (left > 0 && isSurface(line[left - 1]))
            --left;
        int right = seed.x();
        while (right + 1 < width && isSurface(line[right + 1]))
            ++right;
        for (int x = left; x <= right; ++x)
            line[x] = paint;
        filled += right - left + 1;
        for (const int y : {seed.y() - 1, seed.y() + 1}) {
            if (y < 0 || y >= height)
                continue;
            const QRgb* next = row(y);
            bool inRun = false;
            for (int x = left; x <= right; ++x) {
                const bool open = isSurface(next[x]);
                if (open && !inRun)
                    seeds.emplace_back(x, y);
                inRun = open;
            }
        }
    }
    return filled;
}
