#pragma once

#include <QListWidget>

// A list box that keeps its items in alphabetical order without regard to case, whatever
// order they are added in; an index refers to that order.
class SortedListBox : public QListWidget {
    Q_OBJECT
public:
    explicit SortedListBox(QWidget* parent = nullptr);

    void AddItem(const QString& text);
    void RemoveItem(int index);
    QString List(int index) const;
    int ListCount() const { return count(); }
    // The index of the first item equal to the text without case, or -1.
    int find(const QString& text) const;
    void setItems(const QStringList& texts);
    // The list as a refill with the items it holds leaves it: nothing chosen (the scroll
    // position stays).
    void leaveAsRefilled();

Q_SIGNALS:
    // The selection was moved to another item with the keys.
    void selectionMovedByKey();
    // The list box's Click: a click on an item (the one already selected too), or a move
    // of the selection with the keys.
    void Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Whether the items are those texts, in that order.
    bool holds(const QStringList& texts) const;
};
