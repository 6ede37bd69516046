#pragma once

// Captions laid out in twips for one font must still be read in the fonts this desktop
// really has. The style draws every caption (labels, buttons, options, frames) so that it
// fits its box: a caption too wide for one line is wrapped at its blanks when the box has
// room for more lines, and otherwise drawn in a smaller size of its font.

#include <QFont>
#include <QProxyStyle>
#include <QSize>

struct FittedCaption {
    QFont font;
    int flags = 0;
};

// The font and text flags with which text fits a box of the given size, starting from
// the font and flags it would be drawn with; unchanged when it fits already.
FittedCaption fitCaption(const QFont& font, const QString& text, QSize box, int flags);

class CaptionStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette,
                      bool enabled, const QString& text,
                      QPalette::ColorRole textRole = QPalette::NoRole) const override;
};
