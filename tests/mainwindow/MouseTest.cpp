// What the operator does with the mouse around the entry line: the totals under a state
// label, the DX list, and the county picker of the List menu.

#include "ShellFixture.h"

#include "entry/windows/frmCountyList.h"

namespace {

class Mouse : public ShellTest {
protected:
    static void clickItem(QListWidget* list, const QString& text)
    {
        const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.front()).center());
        QCoreApplication::processEvents();
    }

    // A point of the window that no control covers.
    static QPoint barePoint(const QWidget& window)
    {
        for (int y = window.height() - 1; y > 0; y -= 3) {
            for (int x = window.width() - 1; x > 0; x -= 3) {
                if (window.childAt(x, y) == nullptr)
                    return {x, y};
            }
        }
        ADD_FAILURE() << "every point of the window is covered";
        return {};
    }
};

TEST_F(Mouse, StateLabelTotalsStayUntilTheMouseMovesOverTheBareWindow)
{
    writeLog({{QStringLiteral("K5AA"), QStringLiteral("HARR"), QStringLiteral("20"), QStringLiteral("CW"),
               QStringLiteral("17:00:00"), QStringLiteral("TX"), QStringLiteral("TRAV")},
              {QStringLiteral("K5BB"), QStringLiteral("BEXA"), QStringLiteral("40"), QStringLiteral("PH"),
               QStringLiteral("17:05:00"), QStringLiteral("tx"), QStringLiteral("TRAV")},
              {QStringLiteral("W1AW"), {}, QStringLiteral("20"), QStringLiteral("CW"), QStringLiteral("17:10:00"),
               QStringLiteral("CT"), QStringLiteral("TRAV")}});
    Infrm& w = openIn();
    const int tx = 24;
    ASSERT_EQ(w.Label10[tx]->text(), QStringLiteral("TX"));

    QTest::mouseMove(w.Label10[tx], w.Label10[tx]->rect().center());
    QCoreApplication::processEvents();
    const QString totals = QStringLiteral("  Texas    Total = 2");
    EXPECT_EQ(w.lblDupe->text(), totals);

    // Over another control the line stays; over the bare window it empties.
    QTest::mouseMove(w.lblRecentContacts, w.lblRecentContacts->rect().center());
    QCoreApplication::processEvents();
    EXPECT_EQ(w.lblDupe->text(), totals);
    QTest::mouseMove(&w, barePoint(w));
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.lblDupe->text().isEmpty());
}

TEST_F(Mouse, EveryClickInTheDxListEntersTheCountry)
{
    writeLog({{QStringLiteral("EA1AA"), {}, QStringLiteral("20"), QStringLiteral("CW"), QStringLiteral("17:00:00"),
               QStringLiteral("Spain"), QStringLiteral("TRAV")},
              {QStringLiteral("JA1AA"), {}, QStringLiteral("20"), QStringLiteral("CW"), QStringLiteral("17:05:00"),
               QStringLiteral("Japan"), QStringLiteral("TRAV")}});
    Infrm& w = openIn();

    clickItem(w.List1, QStringLiteral("Spain"));
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("Spain"));
    EXPECT_EQ(QApplication::focusWidget(), w.txtCntry);

    // The operator types over it, then clicks the same entry again.
    w.txtCntry->setText(QStringLiteral("OK"));
    clickItem(w.List1, QStringLiteral("Spain"));
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("Spain"));

    // Moving the selection with the keys enters nothing here.
    w.txtCntry->setText(QStringLiteral("OK"));
    w.List1->setFocus();
    QTest::keyClick(w.List1, Qt::Key_Up);
    EXPECT_EQ(w.List1->currentItem()->text(), QStringLiteral("Japan"));
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("OK"));
}

TEST_F(Mouse, CountyPickerListsTheTableInItsOrderAndEntersTheClickedCounty)
{
    Infrm& w = openIn();
    keys(QStringLiteral("K5ABC"));
    w.txtCntry->setText(QStringLiteral("OK"));
    const auto pick = [&](int row) {
        const bool shown = whileShown<frmCountyList>(w.mnuCountyList, [&](frmCountyList& picker) {
            QTreeWidgetItem* item = picker.ListView1->topLevelItem(row);
            QTest::mouseClick(picker.ListView1->viewport(), Qt::LeftButton, {},
                              picker.ListView1->visualItemRect(item).center());
            EXPECT_FALSE(picker.isVisible()) << "a click closes the picker";
        });
        EXPECT_TRUE(shown);
    };

    bool listed = false;
    whileShown<frmCountyList>(w.mnuCountyList, [&](frmCountyList& picker) {
        listed = true;
        // The Texas counties of the table, in the table's order.
        const char* const rows[][2] = {{"BEXA", "Bexar"},   {"BEEE", "Bee"},    {"HARR", "Harris"},
                                       {"HARN", "Harrison"}, {"TRAV", "Travis"}, {"ANDE", "Anderson"}};
        ASSERT_EQ(picker.ListView1->topLevelItemCount(), 6);
        for (int row = 0; row < 6; ++row) {
            EXPECT_EQ(picker.ListView1->topLevelItem(row)->text(0), QString::fromLatin1(rows[row][0]));
            EXPECT_EQ(picker.ListView1->topLevelItem(row)->text(1), QString::fromLatin1(rows[row][1]));
        }
        picker.close(); // leaving without a click enters nothing
    });
    EXPECT_TRUE(listed);
    EXPECT_TRUE(w.txtSec->text().isEmpty());

    focusIn(&w, w.txtCall);
    pick(2);
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("HARR"));
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("OK")) << "only the county field is written";
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("K5ABC"));

    // The same entry picked again after the field was typed over.
    w.txtSec->setText(QStringLiteral("BEXA"));
    pick(2);
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("HARR"));
}

} // namespace
