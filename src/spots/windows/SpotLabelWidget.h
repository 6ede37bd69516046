#pragma once

// A spot label of the band maps: a label that reports the mouse going down on it (with the
// button as the maps number it: 1 left, 2 right, 4 middle) and moving over it, with its
// index in its map's labels (a map may hand a label on to another index).

#include "core/Rgb.h"

#include <QLabel>

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
