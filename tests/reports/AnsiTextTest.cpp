#include "reports/AnsiText.h"

#include "QByteArrayPrinter.h"

#include <gtest/gtest.h>

TEST(Windows1252, CharactersOfTheCodePageAndTheirNearestForms)
{
    const struct {
        const char16_t* text;
        QByteArray bytes;
    } cases[] = {
        {u"W1AW 599", "W1AW 599"},
        {u"Jos\u00e9 Pe\u00f1a \u00b1\u00bd", "Jos\xe9 Pe\xf1" "a \xb1\xbd"},
        // The bytes 0x80 to 0x9F: euro, quotes, dashes, ellipsis, bullet, trade mark, ligatures.
        {u"\u20ac \u201cgreat\u201d \u2018op\u2019 \u2013 \u2014 \u2026 \u2022 \u2122 \u0152\u0153 \u0160\u017e\u0178",
         "\x80 \x93great\x94 \x91op\x92 \x96 \x97 \x85 \x95 \x99 \x8c\x9c \x8a\x9e\x9f"},
        // Outside the code page: decomposed, marks dropped.
        {u"Dvo\u0159\u00e1k", "Dvor\xe1k"},
        {u"Erd\u0151s \u0106", "Erdos C"},
        {u"\ufb01ve \u2460 x\u00b2 \u2163", "five 1 x\xb2 IV"},
        // An accent typed apart from its letter joins it when the page has the pair ...
        {u"Jose\u0301", "Jos\xe9"},
        // ... and is dropped when it has not.
        {u"q\u0301", "q"},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        QString unwritable;
        const std::optional<QByteArray> bytes = toWindows1252(text, &unwritable);
        ASSERT_TRUE(bytes.has_value()) << text.toStdString() << " stopped at " << unwritable.toStdString();
        EXPECT_EQ(*bytes, c.bytes) << text.toStdString();
    }
}

TEST(Windows1252, NamesTheFirstCharacterWithoutAByte)
{
    const struct {
        const char16_t* text;
        const char16_t* unwritable;
    } cases[] = {
        {u"\u0141\u00f3d\u017a", u"\u0141"}, // Ł has no decomposition
        {u"Tokyo \u6771\u4eac", u"\u6771"},
        {u"73 \U0001F600", u"\U0001F600"},
        {u"\u0080", u"\u0080"}, // a control character the page leaves out
    };
    for (const auto& c : cases) {
        QString unwritable;
        EXPECT_FALSE(toWindows1252(QString::fromUtf16(c.text), &unwritable).has_value());
        EXPECT_EQ(unwritable, QString::fromUtf16(c.unwritable));
    }
}
