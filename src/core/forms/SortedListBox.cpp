#include "core/forms/SortedListBox.h"

#include <QItemSelectionModel>
#include <QSignalBlocker>

#include <algorithm>

namespace {

bool before(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; }

} // namespace

SortedListBox::SortedListBox(QWidget* parent) : QListWidget(parent)
{
    connect(this, &QListWidget::itemClicked, this, &SortedListBox::Click);
}

void SortedListBox::AddItem(const QString& text)
{
    int row = 0;
    const int n = count();
    // After any equal items, as a sorted list box places a new one.
    while (row < n && !before(text, item(row)->text()))
        ++row;
    insertItem(row, text);
}

void SortedListBox::RemoveItem(int index)
{
    delete takeItem(index);
}

QString SortedListBox::List(int index) const
{
    const QListWidgetItem* it = item(index);
    return it ? it->text() : QString();
}

int SortedListBox::find(const QString& text) const
{
    for (int i = 0; i < count(); ++i) {
        if (item(i)->text().compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void SortedListBox::setItems(const QStringList& texts)
{
    QStringList sorted = texts;
    std::stable_sort(sorted.begin(), sorted.end(), before);
    // The items it holds already stay: no layout and paint of them all again.
    if (holds(sorted)) {
        leaveAsRefilled();
        return;
    }
    // A refill is no pick: a list holding the focus would otherwise report its first item
    // as chosen.
    const QSignalBlocker quiet(this);
    clear();
    addItems(sorted);
}

bool SortedListBox::holds(const QStringList& texts) const
{
    if (count() != texts.size())
        return false;
    for (int i = 0; i < count(); ++i)
        if (item(i)->text() != texts[i])
            return false;
    return true;
}

void SortedListBox::leaveAsRefilled()
{
    const QSignalBlocker quiet(this);
    selectionModel()->clear();
}

void SortedListBox::keyPressEvent(QKeyEvent* event)
{
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before) {
        Q_EMIT selectionMovedByKey();
        Q_EMIT Click();
    }
}
