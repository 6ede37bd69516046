#include "platform/Screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

QScreen* primary() { return QGuiApplication::primaryScreen(); }

double perPixel(double dpi) { return dpi > 0 ? 1440.0 / dpi : 15.0; }

} // namespace

double QtScreen::twipsPerPixelX() const
{
    QScreen* s = primary();
    return s ? perPixel(s->logicalDotsPerInchX()) : 15.0;
}

double QtScreen::twipsPerPixelY() const
{
    QScreen* s = primary();
    return s ? perPixel(s->logicalDotsPerInchY()) : 15.0;
}

QSizeF QtScreen::sizeTwips() const
{
    QScreen* s = primary();
    if (!s)
        return {9600, 7200};
    const QRect g = s->geometry();
    return {g.width() * twipsPerPixelX(), g.height() * twipsPerPixelY()};
}

QRectF QtScreen::workAreaTwips() const
{
    QScreen* s = primary();
    if (!s)
        return {0, 0, 9600, 7200};
    const QRect g = s->availableGeometry();
    const double tx = twipsPerPixelX();
    const double ty = twipsPerPixelY();
    return {g.x() * tx, g.y() * ty, g.width() * tx, g.height() * ty};
}
