#include "SpotLineShapes.h"
#include "core/QStringPrinter.h"
#include "spots/SpotLines.h"
#include "spots/SpotStore.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const QString spot = QStringLiteral("DX de K5DX:      14025.0  N5ABC        CQ TQP                         1830Z\r\n");

TEST(SpotLine, ReadsTheFrequencyAndCallColumnsOfTheLineWithoutItsEnding)
{
    ASSERT_EQ(spot.indexOf(QStringLiteral("14025.0")) + 7, 24);
    ASSERT_EQ(spot.indexOf(QStringLiteral("N5ABC")), 26);
    const SpotLineFields fields = parseSpotLine(spot);
    EXPECT_EQ(fields.frequency, QStringLiteral("14025.0"));
    EXPECT_EQ(fields.call, QStringLiteral("N5ABC"));
    EXPECT_EQ(fields.record, spot.mid(3).chopped(2));
}

TEST(SpotLine, EachShapeOfClusterLineGivesItsSpotOrNone)
{
    const QDateTime noon(QDate(2024, 10, 5), QTime(12, 0));
    for (const SpotLineShape& shape : spotLineShapes()) {
        SCOPED_TRACE(shape.name);
        const QString received = QString::fromLatin1(shape.line) + QStringLiteral("\r\n");
        if (spotLineStart(received) < 0) {
            EXPECT_EQ(shape.frequency, nullptr);
            continue;
        }
        const QString line = received.mid(spotLineStart(received));
        const SpotLineFields fields = parseSpotLine(line);
        SpotStoreState store;
        const auto spot = takeSpot(store, {}, fields.call, fields.frequency, fields.record, noon);
        if (!shape.frequency) {
            EXPECT_FALSE(spot) << fields.call.toStdString() << " at " << fields.frequency.toStdString();
            continue;
        }
        ASSERT_TRUE(spot);
        EXPECT_EQ(fields.frequency, QString::fromLatin1(shape.frequency));
        EXPECT_EQ(fields.call, QString::fromLatin1(shape.call));
        EXPECT_EQ(store.SpotCall[49], QString::fromLatin1(shape.call));
        EXPECT_EQ(store.SpotFrequency[49], float(QByteArray(shape.frequency).toDouble() / 1000));
        // The columns of the line without its ending read these; the others they misread.
        const QString bare = upToLineEnd(line);
        const bool columnsRead = trimSpaces(bare.mid(15, 9)) == fields.frequency
            && trimSpaces(bare.mid(26, 13)) == fields.call;
        EXPECT_EQ(columnsRead, shape.byColumns);
    }
}

TEST(SpotLine, OnlyDXInTheFirstTwoColumnsMarksASpotLine)
{
    EXPECT_TRUE(isSpotLine(QStringLiteral("dx de x")));
    EXPECT_FALSE(isSpotLine(QStringLiteral(" DX de x")));
    EXPECT_FALSE(isSpotLine(QStringLiteral("D")));
    const SpotLineFields shortLine = parseSpotLine(QStringLiteral("DX de K5DX"));
    EXPECT_TRUE(shortLine.frequency.isEmpty());
    EXPECT_TRUE(shortLine.call.isEmpty());
    QString record;
    EXPECT_FALSE(spotRecord(QStringLiteral("DX"), record));
}

TEST(TncLines, ALineIsTakenWholeWhenItsLineFeedArrivesEvenOnALaterTick)
{
    TncLineAssembler tnc;
    std::vector<QString> lines;
    const auto take = [&](const QString& line) { lines.push_back(line); };
    tnc.append(QStringLiteral("DX de K5DX: 14025"));
    tnc.takeLines(take);
    EXPECT_TRUE(lines.empty());
    tnc.append(QStringLiteral(".0\r\nnext\n\npart"));
    tnc.takeLines(take);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], QStringLiteral("DX de K5DX: 14025.0\r\n"));
    EXPECT_EQ(lines[1], QStringLiteral("next\n"));
    EXPECT_EQ(lines[2], QStringLiteral("\n"));
    EXPECT_EQ(tnc.buffer(), QStringLiteral("part"));
}

TEST(TncLines, ALineEndsAtACrAnLfOrACrLfCountedOnceWhereverTheReadsCutIt)
{
    const QString stream = QStringLiteral("one\r\ntwo\rthree\nfour\r\n\r\nfive\r\rsix\n");
    const QStringList bare = {QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three"),
                              QStringLiteral("four"), QString(), QStringLiteral("five"), QString(),
                              QStringLiteral("six")};
    for (qsizetype first = 0; first <= stream.size(); ++first) {
        for (qsizetype second = first; second <= stream.size(); ++second) {
            TncLineAssembler lines;
            QStringList taken;
            for (const QString& read : {stream.left(first), stream.mid(first, second - first), stream.mid(second)}) {
                lines.append(read);
                lines.takeLines([&](const QString& line) {
                    EXPECT_TRUE(line.endsWith(u'\r') || line.endsWith(u'\n')) << "a whole line";
                    taken.push_back(upToLineEnd(line));
                });
            }
            ASSERT_EQ(taken, bare) << "reads cut at " << first << " and " << second;
            EXPECT_TRUE(lines.buffer().isEmpty());
        }
    }
}

TEST(TncLines, APromptLeftWithoutItsLineEndComesOutBeforeTheSpotLine)
{
    TncLineAssembler lines;
    QStringList taken;
    lines.append(QStringLiteral("login: K5ABC\r\nK5ABC de W3LPL >DX de W3LPL:     14036.0  N5PRM  CQ\r\n"
                                "dx de K5DX: 7030.0 N5LOW CQ dx de W3LPL\r\n"));
    lines.takeLines([&](const QString& line) { taken.push_back(line); });
    EXPECT_EQ(taken, (QStringList{QStringLiteral("login: K5ABC\r\n"), QStringLiteral("K5ABC de W3LPL >"),
                                  QStringLiteral("DX de W3LPL:     14036.0  N5PRM  CQ\r\n"),
                                  QStringLiteral("dx de K5DX: 7030.0 N5LOW CQ dx de W3LPL\r\n")}))
        << "a spot line is never cut at a DX de in its comment";
    EXPECT_EQ(spotLineStart(QStringLiteral("DXSpider >DX de W3LPL: 14025.0 N5ABC")), 10);
    EXPECT_EQ(spotLineStart(QStringLiteral("DX K5DX 14025.0 N5ABC")), 0);
    EXPECT_EQ(spotLineStart(QStringLiteral("WWV de W0MU <18>: SFI=68")), -1);
    EXPECT_EQ(spotLineStart(QStringLiteral("K5DX de W3LPL-2 >")), -1) << "DX de inside a word";
}

TEST(TncLines, AWaitingLineWithoutALineFeedIsBounded)
{
    TncLineAssembler tnc;
    tnc.append(QString(TncLineAssembler::MaxWaitingLine + 10, u'x'));
    EXPECT_LE(tnc.buffer().size(), TncLineAssembler::MaxWaitingLine + 1);
    tnc.append(QStringLiteral("DX\n"));
    std::vector<QString> lines;
    tnc.takeLines([&](const QString& line) { lines.push_back(line); });
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], QStringLiteral("DX\n"));
}

TEST(Monitor, ALineSeenInTheLast800CharactersIsPassedOverWhateverItsCase)
{
    QString monitor;
    int spots = 0;
    const auto post = [&](const QString&) { ++spots; };
    monitorLine(monitor, spot, false, post);
    monitorLine(monitor, spot.toLower(), false, post);
    EXPECT_EQ(spots, 1);
    monitorLine(monitor, QString(801, u'x') + u'\n', false, post);
    monitorLine(monitor, spot, false, post);
    EXPECT_EQ(spots, 2);
}

TEST(Monitor, ListingOnlySpotsKeepsOtherLinesOut)
{
    QString monitor;
    int spots = 0;
    monitorLine(monitor, QStringLiteral("WWV de W0MU\r\n"), true, [&](const QString&) { ++spots; });
    EXPECT_TRUE(monitor.isEmpty());
    monitorLine(monitor, spot, true, [&](const QString&) { ++spots; });
    EXPECT_EQ(monitor, spot);
    EXPECT_EQ(spots, 1);
}

TEST(Monitor, TrimsToTheLast9000CharactersPast10000)
{
    QString exact(10000, u'a');
    TrimMonitor(exact);
    EXPECT_EQ(exact.size(), 10000);
    QString over = QString(1001, u'a') + QString(9000, u'b');
    TrimMonitor(over);
    EXPECT_EQ(over, QString(9000, u'b'));
    EXPECT_EQ(monitorCaretAfterTrim(over), 8999);
    EXPECT_EQ(monitorCaretAfterTrim(QStringLiteral("ab")), -1);
}

TEST(RedrawTicks, TheBandMapIsRedrawnOnEvery361stTick)
{
    float counter = 0;
    std::vector<int> redraws;
    for (int tick = 1; tick <= 722; ++tick) {
        if (countRedrawTick(counter))
            redraws.push_back(tick);
    }
    EXPECT_EQ(redraws, (std::vector<int>{361, 722}));
}

} // namespace
