// Captions fitted to their boxes in the fonts this desktop has.

#include "core/forms/CaptionStyle.h"

#include <QApplication>
#include <QFontMetrics>
#include <gtest/gtest.h>

namespace {

constexpr int Flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic;

QFont captionFont()
{
    QFont font = QApplication::font();
    font.setPointSizeF(12);
    return font;
}

int lineWidth(const QFont& font, const QString& text)
{
    return QFontMetrics(font).boundingRect(QRect(0, 0, 1 << 20, 1 << 20), Flags, text).width();
}

TEST(CaptionFit, ACaptionThatFitsIsLeftAsItIs)
{
    const QFont font = captionFont();
    const QString text = QStringLiteral("Counties Worked");
    const FittedCaption fitted = fitCaption(font, text, {lineWidth(font, text) + 2, 10}, Flags);
    EXPECT_EQ(fitted.font, font);
    EXPECT_EQ(fitted.flags, Flags);
}

TEST(CaptionFit, ATallBoxWrapsTheCaptionAtItsBlanks)
{
    const QFont font = captionFont();
    const QString text = QStringLiteral("&Rovers on County Lines Click to Add Multiple Counties");
    const QSize box(lineWidth(font, text) * 6 / 10, 3 * QFontMetrics(font).lineSpacing());
    const FittedCaption fitted = fitCaption(font, text, box, Flags);
    EXPECT_EQ(fitted.font, font) << "wrapped at its own size";
    EXPECT_TRUE(fitted.flags & Qt::TextWordWrap);
    const QRect needed = QFontMetrics(fitted.font).boundingRect(QRect(QPoint(), box), fitted.flags, text);
    EXPECT_LE(needed.width(), box.width());
    EXPECT_LE(needed.height(), box.height());
}

TEST(CaptionFit, AOneLineBoxTakesASmallerSizeWithEveryCharacter)
{
    const QFont font = captionFont();
    const QString text = QStringLiteral("Cnty Rem - 253");
    const QSize box(lineWidth(font, text) * 9 / 10, QFontMetrics(font).height());
    const FittedCaption fitted = fitCaption(font, text, box, Flags);
    EXPECT_LT(fitted.font.pointSizeF(), font.pointSizeF());
    EXPECT_EQ(fitted.font.family(), font.family());
    EXPECT_EQ(fitted.flags, Flags);
    EXPECT_LE(lineWidth(fitted.font, text), box.width());
}

} // namespace
