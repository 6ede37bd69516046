#pragma once

#include <QRectF>
#include <QSizeF>

// Screen size and desktop work area in twips (1/1440 inch at the logical resolution),
// and the conversion between twips and device-independent pixels.
class Screen {
public:
    virtual ~Screen() = default;
    virtual QSizeF sizeTwips() const = 0;
    virtual QRectF workAreaTwips() const = 0;
    virtual double twipsPerPixelX() const = 0;
    virtual double twipsPerPixelY() const = 0;
};

class QtScreen final : public Screen {
public:
    QSizeF sizeTwips() const override;
    QRectF workAreaTwips() const override;
    double twipsPerPixelX() const override;
    double twipsPerPixelY() const override;
};
