#include "core/NumberFormat.h"
#include "core/RecordFile.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

QByteArray written(const std::function<void(RecordWriter&)>& fill)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    RecordWriter writer(buffer);
    fill(writer);
    return bytes;
}

QStringList allTexts(const QByteArray& data)
{
    RecordReader reader(data);
    QStringList values;
    QString value;
    while (reader.readText(value))
        values << value;
    return values;
}

} // namespace

TEST(RecordFile, LineEndsAndCommasBothEndValuesAndEmptyLineIsOneValue)
{
    EXPECT_EQ(allTexts("\"a\",\"b\"\r\n\"c\"\r\n\r\n\"d\"\r\n"),
              (QStringList{"a", "b", "c", "", "d"}));
    EXPECT_EQ(allTexts("\"a\"\n\"b\"\r\"c\""), (QStringList{"a", "b", "c"}));
}

TEST(RecordFile, QuotedValueKeepsCommasAndBlanks)
{
    EXPECT_EQ(allTexts("\" Juan de Nova, Europa \",x\r\n"),
              (QStringList{" Juan de Nova, Europa ", "x"}));
}

TEST(RecordFile, NumbersReadPlainTruthValuesAndTextAsZero)
{
    RecordReader reader("12.5,-97.5,\"abc\",#TRUE#,#FALSE#,7e2\r\n");
    float single = 1;
    double real = 1;
    qint32 whole = 1;
    ASSERT_TRUE(reader.readSingle(single));
    EXPECT_FLOAT_EQ(single, 12.5f);
    ASSERT_TRUE(reader.readDouble(real));
    EXPECT_DOUBLE_EQ(real, -97.5);
    ASSERT_TRUE(reader.readDouble(real));
    EXPECT_DOUBLE_EQ(real, 0);
    ASSERT_TRUE(reader.readLong(whole));
    EXPECT_EQ(whole, -1);
    ASSERT_TRUE(reader.readLong(whole));
    EXPECT_EQ(whole, 0);
    ASSERT_TRUE(reader.readSingle(single));
    EXPECT_FLOAT_EQ(single, 700);
    EXPECT_TRUE(reader.atEnd());
    QString none;
    EXPECT_FALSE(reader.readText(none));
}

TEST(RecordFile, ByteOutsideItsRangeFailsAndLeavesTarget)
{
    RecordReader reader("256,-1,255\r\n");
    quint8 byte = 7;
    EXPECT_FALSE(reader.readByte(byte));
    EXPECT_FALSE(reader.readByte(byte));
    EXPECT_EQ(byte, 7);
    EXPECT_TRUE(reader.readByte(byte));
    EXPECT_EQ(byte, 255);
}

TEST(RecordFile, WriterQuotesTextDropsDoubleQuotesAndEndsWithCrLf)
{
    const QByteArray bytes = written([](RecordWriter& w) {
        w.text("N0CALL").text("say \"hi\"").number(0).single(-97.5f).integer(255).boolean(true).endRecord();
        w.text("").endRecord();
    });
    EXPECT_EQ(bytes, QByteArray("\"N0CALL\",\"say hi\",0,-97.5,255,#TRUE#\r\n\"\"\r\n"));
}

TEST(RecordFile, WrittenTextReadsBackTheSameIncludingLatin1)
{
    const QString values[] = {"a,b", "", " blanks ", QString::fromLatin1("Caf\xe9"), "x"};
    const QByteArray bytes = written([&](RecordWriter& w) {
        for (const QString& v : values)
            w.text(v).endRecord();
    });
    EXPECT_EQ(allTexts(bytes), QStringList(std::begin(values), std::end(values)));
}

TEST(RecordFile, OnlyLineEndsLeftSeesTrailingEmptyLines)
{
    RecordReader reader("\"a\"\r\n\r\n\r\n");
    QString value;
    ASSERT_TRUE(reader.readText(value));
    EXPECT_FALSE(reader.atEnd());
    EXPECT_TRUE(reader.onlyLineEndsLeft());
}

// Many editors start a file they save with a UTF-8 byte-order mark; it belongs to no value.
TEST(RecordFile, ByteOrderMarkAtTheStartIsSkipped)
{
    const QByteArray mark = "\xEF\xBB\xBF";
    EXPECT_EQ(allTexts(mark + "\"W1AW\",\"b\"\r\n"), (QStringList{"W1AW", "b"}));
    EXPECT_EQ(allTexts(mark + "TXBee,BEEE"), (QStringList{"TXBee", "BEEE"}));
    EXPECT_TRUE(RecordReader(mark + "\r\n").onlyLineEndsLeft());
    RecordReader number(mark + "12.5\r\n");
    float single = 0;
    ASSERT_TRUE(number.readSingle(single));
    EXPECT_FLOAT_EQ(single, 12.5f);
    // Elsewhere the three bytes are text like any other.
    EXPECT_EQ(allTexts("\"a\"," + mark + "b"), (QStringList{"a", QString::fromLatin1(mark + "b")}));
}

// What the log store needs to tell a record cut short by the end of the file.
TEST(RecordFile, ReaderTellsWhereValuesStartAndAQuoteThatNeverCloses)
{
    RecordReader reader("\xEF\xBB\xBF\"a\",\"b\"\r\n\"c\",\"d");
    QString value;
    EXPECT_TRUE(reader.atLineStart());
    EXPECT_EQ(reader.position(), 3);
    ASSERT_TRUE(reader.readText(value));
    EXPECT_FALSE(reader.atLineStart());
    ASSERT_TRUE(reader.readText(value));
    EXPECT_TRUE(reader.atLineStart());
    EXPECT_FALSE(reader.lastValueUnclosed());
    ASSERT_TRUE(reader.readText(value));
    EXPECT_FALSE(reader.lastValueUnclosed());
    ASSERT_TRUE(reader.readText(value));
    EXPECT_EQ(value, "d");
    EXPECT_TRUE(reader.lastValueUnclosed());
}

struct SingleCase {
    float value;
    const char* text;
};

TEST(NumberFormat, SinglesPrintPlainWithSevenDigits)
{
    const SingleCase cases[] = {{6, "6"}, {-97.5f, "-97.5"}, {0.25f, "0.25"}, {5.75f, "5.75"},
                                {1234567.f, "1234567"}, {0.1f, "0.1"}, {-0.0f, "0"},
                                {31.46f, "31.46"}, {123456789.f, "123456800"}, {0.000012f, "0.000012"}};
    for (const SingleCase& c : cases)
        EXPECT_EQ(formatSingle(c.value), QLatin1String(c.text)) << c.text;
}

TEST(NumberFormat, PlainNumbersParseWithoutLocale)
{
    EXPECT_EQ(parsePlainNumber(" -97.5 "), -97.5);
    EXPECT_EQ(parsePlainNumber(".5"), 0.5);
    EXPECT_EQ(parsePlainNumber("5."), 5.0);
    EXPECT_EQ(parsePlainNumber("1e3"), 1000.0);
    for (const char* bad : {"", " ", "abc", "1,5", "--1", "1.2.3", "0x10", "5a"})
        EXPECT_FALSE(parsePlainNumber(QLatin1String(bad)).has_value()) << bad;
}

TEST(NumberFormat, LeadingNumberSkipsBlanksAndStopsAtTheFirstStranger)
{
    const struct {
        const char* text;
        double value;
    } cases[] = {{"", 0}, {"25", 25}, {"  1500  ", 1500}, {"12.5x", 12.5}, {"1,234", 1},
                 {"-7", -7}, {"+7", 7}, {"abc", 0}, {"1 5 0 0", 1500}, {"1 000", 1000}, {"2e3", 2000},
                 {"2D3", 2000}, {"3e", 3}, {"3e-", 3}, {"1e400", 0}, {"16.5 points", 16.5}, {".5", 0.5}};
    for (const auto& c : cases)
        EXPECT_EQ(leadingNumber(QString::fromLatin1(c.text)), c.value) << c.text;
}

TEST(NumberFormat, WholeNumbersGroupAndShowZeroAsNothing)
{
    EXPECT_EQ(formatWhole(1600.4, QLatin1Char(','), true), "1,600");
    EXPECT_EQ(formatWhole(6414, QLatin1Char('.'), true), "6.414");
    EXPECT_EQ(formatWhole(0.4, QLatin1Char(','), true), "");
    EXPECT_EQ(formatWhole(0.4, QLatin1Char(','), false), "0");
    EXPECT_EQ(formatWhole(359.5, QChar(), true), "360");
    EXPECT_EQ(formatWhole(1234567, QChar(), true), "1234567");
}
