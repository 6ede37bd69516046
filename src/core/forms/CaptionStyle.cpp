#include "core/forms/CaptionStyle.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRect>

namespace {

// Below this share of its size a font is no longer read at a glance; the caption is then
// drawn at that size and cut as before.
constexpr double SmallestShare = 0.6;
constexpr double Step = 0.5;

double sizeOf(const QFont& font) { return font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize(); }

QFont withSize(QFont font, double size)
{
    if (font.pointSizeF() > 0)
        font.setPointSizeF(size);
    else
        font.setPixelSize(int(size));
    return font;
}

bool fits(const QFont& font, const QString& text, QSize box, int flags)
{
    const QFontMetrics metrics(font);
    const QRect needed = metrics.boundingRect(QRect(0, 0, box.width(), 1 << 20), flags, text);
    if (needed.width() > box.width())
        return false;
    // A single line is judged by its width alone: a box a little lower than the line
    // height has always shown it.
    return !(flags & Qt::TextWordWrap) || needed.height() <= box.height();
}

// Word-wrapped when the box has room for a second line and the caption has a blank.
int wrappedWhenRoom(const QFont& font, const QString& text, QSize box, int flags)
{
    if ((flags & Qt::TextWordWrap) || !text.contains(QLatin1Char(' ')))
        return flags;
    if (box.height() < 2 * QFontMetrics(font).lineSpacing())
        return flags;
    return flags | Qt::TextWordWrap;
}

} // namespace

FittedCaption fitCaption(const QFont& font, const QString& text, QSize box, int flags)
{
    if (text.isEmpty() || box.isEmpty() || text.contains(QLatin1Char('\n')) || fits(font, text, box, flags))
        return {font, flags};
    const double original = sizeOf(font);
    FittedCaption tried{font, flags};
    for (double size = original; size >= original * SmallestShare; size -= Step) {
        tried.font = withSize(font, size);
        tried.flags = wrappedWhenRoom(tried.font, text, box, flags);
        if (fits(tried.font, text, box, tried.flags))
            return tried;
    }
    return tried;
}

void CaptionStyle::drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette,
                                bool enabled, const QString& text, QPalette::ColorRole textRole) const
{
    const FittedCaption fitted = fitCaption(painter->font(), text, rect.size(), flags);
    if (fitted.flags == flags && fitted.font == painter->font()) {
        QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, text, textRole);
        return;
    }
    painter->save();
    painter->setFont(fitted.font);
    QProxyStyle::drawItemText(painter, rect, fitted.flags, palette, enabled, text, textRole);
    painter->restore();
}
