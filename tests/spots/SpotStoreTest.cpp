#include "spots/SpotLines.h"
#include "spots/SpotStore.h"

#include <gtest/gtest.h>

namespace {

const QDateTime noon(QDate(2024, 10, 5), QTime(12, 0));

// A cluster line as it comes, "DX" in columns 1-2, the frequency ending in column 24, the
// call from column 27, the comment from column 40 and the time in columns 71-74.
QString clusterLine(const QString& spotter, const QString& kHz, const QString& call, const QString& comment,
                    const QString& time)
{
    QString line = QStringLiteral("DX de ") + spotter;
    line = line.leftJustified(15, u' ') + kHz.rightJustified(9, u' ');
    line = line.leftJustified(26, u' ') + call.leftJustified(13, u' ');
    line = line.leftJustified(38, u' ') + comment;
    line = line.leftJustified(70, u' ') + time;
    return line;
}

TEST(CallPrefix, TakesTheCallUpToItsLastDigitOrThePortablePart)
{
    const std::pair<const char*, const char*> cases[] = {
        {"K1A", "K1"},     {"K1ABC", "K1"},     {"JA1XYZ", "JA1"},  {"3DA0XYZ", "3DA0"}, {"DL/K1ABC", "DL"},
        {"K1ABC/P", "P"},  {"K1ABC/4", "K4"},   {"VE3ABC/W2", "W2"}, {"K1ABC/QRP", "QR"}, {"K1", ""},
        {"ABC", "ABC"},    {"", ""},
    };
    for (const auto& [call, prefix] : cases)
        EXPECT_EQ(CallPrefix(QString::fromLatin1(call)), QString::fromLatin1(prefix)) << call;
}

TEST(SpotStore, TheNewestSpotTakesTheLastSlotAndTheOldestFallsOut)
{
    SpotStoreState store;
    EXPECT_EQ(store.SpotArrival[0], QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
    for (int i = 0; i < 51; ++i)
        fileSpot(store, QStringLiteral("K%1ABC").arg(i), 14.0f + float(i) / 1000, noon.addSecs(i));
    EXPECT_EQ(store.SpotCall[49], QStringLiteral("K50ABC"));
    EXPECT_EQ(store.SpotPrefix[49], QStringLiteral("K50"));
    EXPECT_EQ(store.SpotCall[0], QStringLiteral("K1ABC")); // K0ABC pushed out
    EXPECT_EQ(store.SpotArrival[0], noon.addSecs(1));
    EXPECT_TRUE(store.SpotCall[50].isEmpty());
}

TEST(SpotStore, ANewerSpotOfACallDeletesOnlyTheNewestOlderOne)
{
    SpotStoreState store;
    fileSpot(store, QStringLiteral("JA1ABC"), 14.010f, noon);
    fileSpot(store, QStringLiteral("W1AW"), 14.020f, noon);
    // An older spot of the call that a click deleted, and one still shown below it.
    store.SpotCall[46] = QStringLiteral("JA1ABC");
    store.SpotFrequency[46] = 14.005f;
    fileSpot(store, QStringLiteral("ja1abc"), 14.040f, noon);
    EXPECT_EQ(store.SpotFrequency[49], 14.040f);
    EXPECT_EQ(store.SpotFrequency[47], 0.0f); // cleared, keeps its call and prefix
    EXPECT_EQ(store.SpotCall[47], QStringLiteral("JA1ABC"));
    EXPECT_EQ(store.SpotPrefix[47], QStringLiteral("JA1"));
    EXPECT_EQ(store.SpotFrequency[45], 14.005f); // the search stopped at the newer one
}

TEST(SpotStore, ASpotOfTheSameCallInSlotOneMovesToSlotZeroUncleared)
{
    SpotStoreState store;
    fileSpot(store, QStringLiteral("N5ABC"), 14.025f, noon);
    for (int i = 0; i < 48; ++i)
        fileSpot(store, QStringLiteral("W%1XX").arg(i), 7.010f, noon);
    ASSERT_EQ(store.SpotCall[1], QStringLiteral("N5ABC"));
    fileSpot(store, QStringLiteral("N5ABC"), 14.030f, noon);
    EXPECT_EQ(store.SpotCall[0], QStringLiteral("N5ABC"));
    EXPECT_EQ(store.SpotFrequency[0], 14.025f);
}

TEST(SpotIntake, TheClusterLineBecomesASpotWithItsCommentAndTime)
{
    SpotStoreState store;
    ReferenceTables tables;
    tables.PrefixCode[1] = QStringLiteral("N");
    tables.PrefixCountry[1] = QStringLiteral("USA");
    tables.PrefixCount = 1;
    const QString line = clusterLine(QStringLiteral("K5DX:"), QStringLiteral("14025.0"), QStringLiteral("N5ABC"),
                                     QStringLiteral("CQ TQP"), QStringLiteral("1830Z"))
        + QStringLiteral("\r\n");
    const SpotLineFields fields = parseSpotLine(line);
    const auto spot = takeSpot(store, tables, fields.call, fields.frequency, fields.record, noon);
    ASSERT_TRUE(spot.has_value());
    EXPECT_EQ(store.SpotCall[49], QStringLiteral("N5ABC"));
    EXPECT_EQ(store.SpotFrequency[49], 14.025f);
    EXPECT_EQ(store.SpotArrival[49], noon);
    EXPECT_EQ(spot->row.Call, QStringLiteral("N5ABC"));
    EXPECT_EQ(spot->row.Frequency, QStringLiteral("14.025"));
    EXPECT_EQ(spot->row.QTH, QStringLiteral("USA"));
    EXPECT_EQ(spot->row.Comments, QStringLiteral("de K5DX:  CQ TQP"));
    EXPECT_EQ(spot->row.Time, QStringLiteral("1830"));
    EXPECT_TRUE(spot->row.From.isEmpty());
}

TEST(SpotIntake, AFrequencyOrACallThatMakesNoSpotChangesNothing)
{
    // The frequency: a number of kHz above 0 and at most 300 GHz that the store can hold in MHz.
    for (const char* text :
         {"ABC", "", "14.0.1", "-14025.0", "0.0", "1e99999", "1e300", "1e-300", "1e38", "1e10", "300000000.1", "nan",
          "inf"}) {
        SpotStoreState store;
        fileSpot(store, QStringLiteral("N5ABC"), 14.025f, noon);
        EXPECT_FALSE(takeSpot(store, {}, QStringLiteral("N5ABC"), QString::fromLatin1(text), {}, noon)) << text;
        EXPECT_EQ(store.SpotFrequency[49], 14.025f) << text << ": the real spot of the call stays";
    }
    // The call: 1 to 13 letters, digits and "/", as its columns hold one.
    for (const QString& call :
         {QString(), QStringLiteral("N5CRLF\r\n"), QStringLiteral("N5\x01" "ABC"), QStringLiteral("N5 ABC"),
          QString(QChar(0)) + QStringLiteral("N5ABC"), QStringLiteral("VP2V/KB5XYZ/MM"), QStringLiteral("N5ABC-1"),
          QString(9900, u'A'), QStringLiteral("N5ABC:"), QStringLiteral("N5\u00C4BC")}) {
        SpotStoreState store;
        EXPECT_FALSE(takeSpot(store, {}, call, QStringLiteral("14025.0"), {}, noon)) << call.toStdString();
        EXPECT_TRUE(store.SpotCall[49].isEmpty());
    }
    SpotStoreState store;
    const auto spot = takeSpot(store, {}, QStringLiteral("N5ABC"), QStringLiteral(" 14000 "), {}, noon);
    ASSERT_TRUE(spot);
    EXPECT_EQ(spot->row.Frequency, QStringLiteral("14"));
    EXPECT_TRUE(takeSpot(store, {}, QStringLiteral("KP4/N5ABC/QRP"), QStringLiteral("300000000"), {}, noon))
        << "a call that fills its columns, at 300 GHz";
    EXPECT_EQ(store.Filed, 2);
}

TEST(SpotList, TheFrequencyIsTheShortestTextOfTheSpotsOwnDigits)
{
    const std::pair<const char*, const char*> cases[] = {
        {"7025.3", "7.0253"},          {"14033.3", "14.0333"},   {"144174.123", "144.174123"}, {"14025.0", "14.025"},
        {"1296100", "1296.1"},         {"10368100.0", "10368.1"}, {"300000000", "300000"},     {"0.5", "0.0005"},
        {" 1.4025e4 ", "14.025"},
    };
    for (const auto& [kHz, shown] : cases) {
        const auto mhz = spotFrequencyMHz(QString::fromLatin1(kHz));
        ASSERT_TRUE(mhz) << kHz;
        EXPECT_EQ(spotListRow(QStringLiteral("N5ABC"), *mhz, {}, {}).Frequency.replace(QLocale::system().decimalPoint(),
                                                                                       QStringLiteral(".")),
                  QString::fromLatin1(shown))
            << kHz;
    }
    // Every 0.1 kHz from 1.8 to 30 MHz, as a cluster writes it.
    for (int tenths = 18000; tenths <= 300000; ++tenths) {
        const QString kHz = QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10);
        QString expected = QStringLiteral("%1.%2").arg(tenths / 10000).arg(tenths % 10000, 4, 10, QLatin1Char('0'));
        while (expected.endsWith(u'0'))
            expected.chop(1);
        if (expected.endsWith(u'.'))
            expected.chop(1);
        const auto mhz = spotFrequencyMHz(kHz);
        ASSERT_TRUE(mhz) << kHz.toStdString();
        const QString shown = spotListRow(QStringLiteral("N5ABC"), *mhz, {}, {}).Frequency;
        ASSERT_EQ(QString(shown).replace(QLocale::system().decimalPoint(), QStringLiteral(".")), expected);
        ASSERT_EQ(spotListFrequency(shown), *mhz) << "read back as it was written";
    }
}

// A line its columns do not hold: what its words give goes to the columns a line of the
// cluster layout gives it.
TEST(SpotList, ALineReadByItsWordsFillsTheColumnsOfTheClusterLayout)
{
    const struct {
        const char* line;
        const char* comments;
        const char* time;
        const char* from;
    } cases[] = {
        {"DX de DL8LAS-2-#:  14025.0  K5ABC  CW 12 dB 25 WPM CQ  0830Z", "de DL8LAS-2-#:  CW 12 dB 25 WPM CQ", "0830", ""},
        {"DX de VE2WU-11-#:  7025.0  K5ELV       CW 18 dB 22 WPM CQ            2359Z TX",
         "de VE2WU-11-#:  CW 18 dB 22 WPM CQ", "2359", "TX"},
        {"DX de N2QT-3-#:    14033.0  K5QT           CW    24 dB  25 WPM  CQ      0001Z",
         "de N2QT-3-#:  CW    24 dB  25 WPM  CQ", "0001", ""},
        {"DX de K5DX:   10368100.0  W5LUA        ms                             1830Z FN20", "de K5DX:  ms", "1830",
         "FN20"},
        {"DX de K5DX 14025.0 N5QSX QSX: 14.030 1832Z", "de K5DX  QSX: 14.030", "1832", ""},
        {"DX de K5DX: 14025.0 N5NOT", "de K5DX:  ", "", ""},
        {"DX de K5DX: 14025.0 N5LONG " "a comment that runs on past its twenty-five columns 1830Z",
         "de K5DX:  a comment that runs on pa", "1830", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const QString line = QString::fromLatin1(c.line);
        ASSERT_FALSE(spotLineByColumns(line));
        const SpotLineFields fields = parseSpotLine(line + QStringLiteral("\r\n"));
        SpotStoreState store;
        const auto spot = takeSpot(store, {}, fields.call, fields.frequency, fields.record, noon);
        ASSERT_TRUE(spot);
        EXPECT_EQ(spot->row.Comments, QString::fromLatin1(c.comments));
        EXPECT_EQ(spot->row.Time, QString::fromLatin1(c.time));
        EXPECT_EQ(spot->row.From, QString::fromLatin1(c.from));
        EXPECT_TRUE(spot->row.Prefix.isEmpty());
    }
    // The same spot in the cluster layout gives the same columns.
    const QString fixed = clusterLine(QStringLiteral("K5DX:"), QStringLiteral("14025.0"), QStringLiteral("N5ABC"),
                                      QStringLiteral("CQ TQP"), QStringLiteral("1830Z TX"));
    const SpotLineFields byColumns = parseSpotLine(fixed);
    const SpotLineFields byWords = parseSpotLine(QStringLiteral("DX de K5DX: 14025.0 N5ABC CQ TQP 1830Z TX"));
    const SpotListRow one = spotListRow(byColumns.call, 14.025, byColumns.record, {});
    const SpotListRow other = spotListRow(byWords.call, 14.025, byWords.record, {});
    EXPECT_EQ(one, other);
    EXPECT_EQ(one.From, QStringLiteral("TX"));
}

TEST(SpotIntake, TheRecordEndsAtItsFirstCarriageReturnAndShortRecordsLeaveColumnsEmpty)
{
    EXPECT_EQ(upToLineEnd(QStringLiteral("de K5DX\r\nmore\r")), QStringLiteral("de K5DX"));
    EXPECT_EQ(upToLineEnd(QStringLiteral("de K5DX\nmore")), QStringLiteral("de K5DX"));
    const SpotListRow row = spotListRow(QStringLiteral("N5ABC"), 14.025, QStringLiteral("de K5DX:"), {});
    EXPECT_EQ(row.Comments, QStringLiteral("de K5DX:  "));
    EXPECT_TRUE(row.Prefix.isEmpty());
    EXPECT_TRUE(row.Time.isEmpty());
    EXPECT_TRUE(row.From.isEmpty());
}

TEST(SpotList, KeepsTheNewestTwoHundredRows)
{
    QList<SpotListRow> rows;
    for (int i = 0; i < 205; ++i) {
        SpotListRow row;
        row.Call = QString::number(i);
        insertSpotListRow(rows, row);
    }
    ASSERT_EQ(rows.size(), 200);
    EXPECT_EQ(rows.first().Call, QStringLiteral("204"));
    EXPECT_EQ(rows.last().Call, QStringLiteral("5"));
}

TEST(SpotList, TheFrequencyIsReadBackAsItWasWritten)
{
    const SpotListRow row = spotListRow(QStringLiteral("N5ABC"), 14.025, {}, {});
    EXPECT_EQ(spotListFrequency(row.Frequency), 14.025);
    EXPECT_FALSE(spotListFrequency(QStringLiteral("abc")));
}

} // namespace
