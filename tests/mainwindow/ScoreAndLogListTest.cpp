// The score, the county lists and the log list as a loaded log shows them, and what the
// operator does with the log list: last 20 or all, delete, copy to the clipboard.

#include "support/LogWindowFixture.h"

#include <QClipboard>
#include <QHeaderView>
#include <QScrollBar>

namespace {

class LoadedLog : public LogWindowTest {
protected:

    void writeNumberedLog(int count)
    {
        QByteArray bytes;
        for (int i = 1; i <= count; ++i)
            bytes += logRecord(toEntry({QStringLiteral("K5N%1").arg(i), QStringLiteral("TRAV")}));
        writeBytes(work(QStringLiteral("log.txt")), bytes);
    }
};

TEST_F(LoadedLog, TenPhoneContactsWithThreeCounties)
{
    const QString ph = QStringLiteral("PH");
    const QString b20 = QStringLiteral("20");
    writeLog({{QStringLiteral("K5A"), QStringLiteral("harr"), b20, ph},
              {QStringLiteral("K5B"), QStringLiteral("HARR"), b20, ph},
              {QStringLiteral("K5C"), QStringLiteral("BEXA"), b20, ph},
              {QStringLiteral("K5D"), QStringLiteral("BEXA"), QStringLiteral("40"), ph},
              {QStringLiteral("K5E"), QStringLiteral("TRAV"), b20, ph},
              {QStringLiteral("K5F"), QStringLiteral("TRAV"), b20, ph},
              {QStringLiteral("K5G"), QStringLiteral("TRAV"), b20, ph},
              {QStringLiteral("K5H"), QStringLiteral("HARR"), b20, ph},
              {QStringLiteral("K5I"), QStringLiteral("HARR"), b20, ph},
              {QStringLiteral("K5J"), QStringLiteral("BEXA"), b20, ph}});
    Outfrm& w = openOut();

    EXPECT_EQ(w.lblTotCon->text(), QStringLiteral("10"));
    EXPECT_EQ(w.lblsectogo->text(), QStringLiteral("0"));
    EXPECT_EQ(w.lblTotSec->text(), QStringLiteral("3"));
    EXPECT_EQ(w.lblTotScore->text(), QStringLiteral("60"));
    EXPECT_EQ(w.lblStation[5]->text(), QStringLiteral("Counties Worked - 3"));
    EXPECT_EQ(w.lblStation[7]->text(), QStringLiteral("Counties To Go - 3"));
    // Each county once, as first written; the lists keep alphabetical order.
    EXPECT_EQ(w.List2->List(0), QStringLiteral("BEXA"));
    EXPECT_EQ(w.List2->List(1), QStringLiteral("harr"));
    EXPECT_EQ(w.List2->List(2), QStringLiteral("TRAV"));
    EXPECT_EQ(w.List1->List(0), QStringLiteral("ANDE"));
    EXPECT_EQ(w.List1->List(1), QStringLiteral("BEEE"));
    EXPECT_EQ(w.List1->List(2), QStringLiteral("HARN"));
}

TEST_F(LoadedLog, EmptyOrMissingLogShowsZeros)
{
    Outfrm& w = openOut();
    EXPECT_FALSE(QFile::exists(work(QStringLiteral("log.txt"))));
    for (QLabel* l : {w.lblTotCon, w.lblsectogo, w.lblTotSec, w.lblTotScore})
        EXPECT_EQ(l->text(), QStringLiteral("0"));
    EXPECT_EQ(w.lblStation[7]->text(), QStringLiteral("Counties To Go - 6"));
    EXPECT_EQ(w.clocks->lblAQSO60->text(), QStringLiteral("0"));
    EXPECT_EQ(w.logModel->rowCount(), 0);
}

TEST_F(LoadedLog, CountyListClickFillsTheCountyField)
{
    Outfrm& w = openOut();
    QListWidgetItem* harn = w.List1->item(w.List1->find(QStringLiteral("HARN")));
    QTest::mouseClick(w.List1->viewport(), Qt::LeftButton, {}, w.List1->visualItemRect(harn).center());
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("HARN"));
    EXPECT_EQ(QApplication::focusWidget(), w.txtCall);

    // Typed over, the county comes back with a click on the entry already selected.
    w.txtSec->setText(QStringLiteral("BEXA"));
    QTest::mouseClick(w.List1->viewport(), Qt::LeftButton, {}, w.List1->visualItemRect(harn).center());
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("HARN"));

    // Moving the selection with the keys enters the next county.
    w.List1->setFocus();
    QTest::keyClick(w.List1, Qt::Key_Down);
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("HARR"));
    EXPECT_EQ(QApplication::focusWidget(), w.txtCall);
}

TEST_F(LoadedLog, LastTwentyNewestFirstOrAll)
{
    writeNumberedLog(25);
    Outfrm& w = openOut();

    std::vector<qint32> lastTwenty;
    for (qint32 n = 25; n >= 6; --n)
        lastTwenty.push_back(n);
    EXPECT_EQ(listedRecords(w), lastTwenty);
    EXPECT_EQ(w.logModel->cellText(0, 1), QStringLiteral("K5N25"));
    EXPECT_EQ(w.logModel->cellText(0, 5), QStringLiteral("04/25 17:00"));

    w.cmdList->click();
    EXPECT_EQ(w.cmdList->text(), QStringLiteral("All"));
    EXPECT_EQ(w.logModel->rowCount(), 25);
    EXPECT_EQ(listedRecords(w).back(), 1);
    EXPECT_EQ(QApplication::focusWidget(), w.txtCall);

    w.cmdList->click();
    EXPECT_EQ(w.cmdList->text(), QStringLiteral("Last 20"));
    EXPECT_EQ(listedRecords(w), lastTwenty);
}

TEST_F(LoadedLog, ColumnsKeepTheirDesignWidthAndWidenOnlyForTextThatDoesNotFit)
{
    writeNumberedLog(3);
    Outfrm& w = openOut();
    const QHeaderView* header = w.ListView1->header();
    const QFontMetrics metrics(w.ListView1->font());
    const std::vector<float>& design = w.controlFor(w.ListView1)->ColumnWidths;
    ASSERT_EQ(design.size(), 8u);
    for (int i = 0; i < 8; ++i) {
        const int designPixels = int(std::lround(design[size_t(i)] / 15.0));
        const int widest = metrics.horizontalAdvance(w.logModel->cellText(0, i));
        SCOPED_TRACE(i);
        EXPECT_GE(header->sectionSize(i), designPixels);
        EXPECT_GT(header->sectionSize(i), widest) << "the whole text shows";
        if (header->sectionSize(i) > designPixels) {
            EXPECT_LT(header->sectionSize(i), widest + 4 * metrics.averageCharWidth()) << "widened just enough";
        }
    }
}

TEST(LogColumnWidths, SpareWidthGoesFirstAndNoTextIsCut)
{
    const struct {
        std::vector<int> least, needed;
        int room;
        std::vector<int> widths;
    } cases[] = {
        {{50, 60}, {40, 70}, 200, {50, 70}},                 // room enough: design, or the text's width
        {{100, 100, 50}, {40, 90, 60}, 225, {70, 95, 60}},   // 35 too wide: taken 6 : 1 from the spare
        {{100, 100, 50}, {40, 90, 60}, 100, {40, 90, 60}},   // all spare gone: the texts still whole
        {{10, 10, 10}, {-1, -1, -1}, 28, {9, 9, 10}},        // no rows; the rounding's pixels from the left
        {{50, 50}, {80, 60}, 100, {80, 60}},                 // texts wider than the list: it scrolls
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.room);
        EXPECT_EQ(fitColumnWidths(c.least, c.needed, c.room), c.widths);
    }
}

// At 1280 x 1024 the rover's ten columns need more than the list's width at their design
// widths; the columns with room to spare give it up, so all of them show without a
// horizontal scroll bar and no text is cut, in each layout of the window.
TEST_F(LoadedLog, EveryColumnShowsWholeWithoutScrollingSideways)
{
    const struct {
        const char* name;
        quint8 outOfState;
        quint8 formSize;
        quint8 taskbar;
    } cases[] = {{"in-state rover", 0, 100, 0}, {"in-state rover, taskbar", 0, 100, 1},
                 {"in-state rover, 80 %", 0, 80, 0}, {"out-of-state", 1, 100, 0}};
    const Qso typical[] = {
        {.call = QStringLiteral("KD5ABC/M"), .county = QStringLiteral("HARR"), .band = QStringLiteral("160"),
         .time = QStringLiteral("23:59:00"), .spc = QStringLiteral("TX"), .countySent = QStringLiteral("TRAV"),
         .date = QStringLiteral("2026/12/10")},
        {.call = QStringLiteral("VE3XYZ"), .mode = QStringLiteral("PH"), .spc = QStringLiteral("ON"),
         .countySent = QStringLiteral("MONT"), .rstSent = QStringLiteral("59"), .rstRcvd = QStringLiteral("59")},
        {.call = QStringLiteral("JA1ABC"), .band = QStringLiteral("15"), .mode = QStringLiteral("DG"),
         .spc = QStringLiteral("Japan"), .countySent = QStringLiteral("HARR")},
        {.call = QStringLiteral("N5WWW/R"), .county = QStringLiteral("BEXA"), .spc = QStringLiteral("TX"),
         .countySent = QStringLiteral("BEXA")},
    };
    QByteArray bytes;
    for (int i = 0; i < 25; ++i)
        bytes += logRecord(toEntry(typical[i % std::size(typical)]));
    ts.screen->size = QSizeF(19200, 15360);
    ts.screen->workArea = QRectF(0, 0, 19200, 14760);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(work(QStringLiteral("log.txt")), bytes);
        state().station.OwnRover = 1;
        state().station.FormSizePercent = c.formSize;
        state().station.TaskbarMode = c.taskbar;
        MainForm& w = c.outOfState == 1 ? static_cast<MainForm&>(openOut()) : openIn();
        QCoreApplication::processEvents();

        const QHeaderView* header = w.ListView1->header();
        const QAbstractItemView* view = w.ListView1;
        ASSERT_EQ(header->count(), c.outOfState == 1 ? 8 : 10);
        ASSERT_EQ(w.logModel->rowCount(), 20);
        EXPECT_TRUE(w.ListView1->verticalScrollBar()->isVisible()) << "20 rows need the vertical bar";
        EXPECT_LE(header->length(), w.ListView1->viewport()->width());
        EXPECT_EQ(w.ListView1->horizontalScrollBar()->maximum(), 0);
        for (int i = 0; i < header->count(); ++i) {
            SCOPED_TRACE(w.logModel->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString().toStdString());
            EXPECT_GE(header->sectionSize(i), header->sectionSizeHint(i)) << "the title shows whole";
            EXPECT_GE(header->sectionSize(i), view->sizeHintForColumn(i)) << "every cell shows whole";
        }
        w.hide();
        delete &w;
    }
}

TEST_F(LoadedLog, DeleteAsksFirstAndActsOnTheSelectedRecord)
{
    writeLog({{QStringLiteral("W5ZZ"), QStringLiteral("HARR")},
              {QStringLiteral("K5AA"), QStringLiteral("BEXA")},
              {QStringLiteral("N5MM"), QStringLiteral("TRAV")}});
    Outfrm& w = openOut();
    const QByteArray before = logBytes();
    EXPECT_FALSE(w.cmdDelete->isVisible());

    clickRow(w, 1); // record 2
    EXPECT_TRUE(w.cmdDelete->isVisible());
    dialogs.messageAnswers.push_back(Dialogs::Answer::No);
    w.cmdDelete->click();
    EXPECT_EQ(dialogs.last(QStringLiteral("message"))->text, QStringLiteral("Are you sure?"));
    EXPECT_EQ(dialogs.last(QStringLiteral("message"))->title, QStringLiteral("Are you sure?"));
    EXPECT_FALSE(w.cmdDelete->isVisible());
    EXPECT_FALSE(w.cmdEdit->isVisible());
    EXPECT_EQ(logBytes(), before);

    // Sorted by call the rows change places; the record deleted is still the one chosen.
    QHeaderView* header = w.ListView1->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(1) + header->sectionSize(1) / 2, header->height() / 2));
    EXPECT_EQ(w.logModel->cellText(0, 1), QStringLiteral("K5AA"));
    clickRow(w, 0);
    dialogs.messageAnswers.push_back(Dialogs::Answer::Yes);
    w.cmdDelete->click();

    EXPECT_EQ(state().log.QsoCount, 2);
    EXPECT_EQ(logBytes(), logRecord(toEntry({QStringLiteral("W5ZZ"), QStringLiteral("HARR")}))
                              + logRecord(toEntry({QStringLiteral("N5MM"), QStringLiteral("TRAV")})));
    EXPECT_EQ(listedRecords(w), (std::vector<qint32>{2, 1}));
    EXPECT_EQ(w.lblStation[5]->text(), QStringLiteral("Counties Worked - 2"));
    EXPECT_EQ(w.lblTotSec->text(), QStringLiteral("2"));
    EXPECT_FALSE(w.cmdDelete->isVisible());
}

TEST_F(LoadedLog, RecordButtonsShowOnAClickAnywhereInTheListOrWhenItIsLeft)
{
    writeLog({{QStringLiteral("W5ZZ"), QStringLiteral("HARR")}, {QStringLiteral("K5AA"), QStringLiteral("BEXA")}});
    Outfrm& w = openOut();
    QWidget* rows = w.ListView1->viewport();
    const QPoint belowTheRows(rows->width() / 2, rows->height() - 4);
    ASSERT_FALSE(w.ListView1->indexAt(belowTheRows).isValid());

    QTest::mouseClick(rows, Qt::LeftButton, {}, belowTheRows);
    EXPECT_TRUE(w.cmdDelete->isVisible());
    w.txtCall->setFocus();
    EXPECT_FALSE(w.cmdDelete->isVisible()) << "the call field hides them";

    // Into the list with the keys and out again to another field.
    w.ListView1->setFocus();
    EXPECT_FALSE(w.cmdDelete->isVisible());
    w.txtSec->setFocus();
    EXPECT_TRUE(w.cmdDelete->isVisible());

    // A list without rows shows nothing either way.
    w.txtCall->setFocus();
    dialogs.inputAnswers.push_back(QStringLiteral("YES"));
    w.mnuNew->trigger();
    ASSERT_EQ(w.logModel->rowCount(), 0);
    QTest::mouseClick(rows, Qt::LeftButton, {}, belowTheRows);
    w.txtSec->setFocus();
    EXPECT_FALSE(w.cmdDelete->isVisible());
}

TEST_F(LoadedLog, ClipboardCopyRunsFromTheOldestListedRow)
{
    writeLog({{QStringLiteral("W5ZZ"), QStringLiteral("HARR"), QStringLiteral("20"), QStringLiteral("CW"),
               QStringLiteral("16:05:09")},
              {QStringLiteral("K5AA"), QStringLiteral("BEXA"), QStringLiteral("40"), QStringLiteral("PH"),
               QStringLiteral("17:00:00"), {}, {}, QStringLiteral("2026/04/26")}});
    Outfrm& w = openOut();

    w.mnuCopyListtoClipboard->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("Rec#\tCall\tRec\tCounty\tSnt\tDate/Time\tMo\tBnd\r\n"
                             "1\tW5ZZ\t599\tHARR\t599\t04/25 16:05\tCW\t20\r\n"
                             "2\tK5AA\t599\tBEXA\t599\t04/26 17:00\tPH\t40\r\n"));
}

TEST_F(LoadedLog, InStateClipboardHasTheStateColumn)
{
    writeLog({{QStringLiteral("W5ZZ"), {}, QStringLiteral("20"), QStringLiteral("CW"), QStringLiteral("17:00:00"),
               QStringLiteral("OK"), QStringLiteral("TRAV")}});
    Infrm& w = openIn();

    w.mnuCopyListtoClipboard->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("Rec#\tCall\tRec\tSPC\tCounty\tSnt\tDate/Time\tMo\tBnd\r\n"
                             "1\tW5ZZ\t599\tOK\t\t599\t04/25 17:00\tCW\t20\r\n"));
}

} // namespace
