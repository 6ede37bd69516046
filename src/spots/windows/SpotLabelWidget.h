#pragma once

// A spot label of the band maps: a label that reports the mouse going down on it (with the
// button as the maps number it: 1 left, 2 right, 4 middle) and moving over it, with its
// index in its map's labels (a map may hand a label on to another index).

#include "core/Rgb.h"

#include <QLabel>
#include <algorithm>
#include <array>
#include <vector>

// The text colour of a map control (a label, a line).
void setTextColour(QWidget* widget, Rgb colour);

class SpotLabelWidget : public QLabel {
    Q_OBJECT
public:
    SpotLabelWidget(int index, QWidget* parent);

    int index() const { return m_index; }
    void setIndex(int index) { m_index = index; }

Q_SIGNALS:
    void mouseDown(int index, int button);
    void mouseMove(int index);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    // The button coming up stays with the label: the map's background under it takes a
    // click of its own.
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

private:
    int m_index;
};

// A map's labels follow the spot store: labels[i] always shows slot i, but when the store
// has moved its spots down k slots since the labels last followed it (filedSeen), the
// widgets move down k places (the ones that fell out of slot 0 coming round for the newest
// spots), so a spot that stays keeps its widget and its place on screen.
template <size_t N>
void followTheStore(std::array<SpotLabelWidget*, N>& labels, quint64& filedSeen, quint64 filed);
// The slot of the spot that label `index` shows, as the labels last followed the store; -1
// when that spot has left the store since.
int slotShownBy(int index, quint64 filedSeen, quint64 filed);
// Shows labels that appear in one redraw together: a widget shown while the pointer is over
// the window makes Qt ask the X server where the pointer is, once per label when each is
// shown on its own, once in all when they are shown together behind their hidden layer.
void showTogether(QWidget* layer, const std::vector<SpotLabelWidget*>& labels);

template <size_t N>
void followTheStore(std::array<SpotLabelWidget*, N>& labels, quint64& filedSeen, quint64 filed)
{
    const quint64 moved = filed - filedSeen;
    filedSeen = filed;
    // After a whole store of new spots any widget may take any of them.
    if (moved == 0 || moved >= quint64(N))
        return;
    const int down = int(moved);
    std::rotate(labels.begin(), labels.begin() + down, labels.end());
    for (size_t i = 0; i < N; ++i)
        labels[i]->setIndex(int(i));
    // The newer spot's label lies above the older one's where they overlap.
    for (size_t i = N - size_t(down); i < N; ++i)
        labels[i]->raise();
}
