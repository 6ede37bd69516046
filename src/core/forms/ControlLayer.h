#pragma once

// A see-through widget over the whole of one control (the band map's background) or of a
// window (the spectrum map), holding controls that lie on top of it. Those controls keep
// the coordinates of the covered control's own container (of the window itself), as if
// they lay beside it; hiding the layer hides them all at once. A click on the layer
// itself, beside its controls, goes on to the covered control.

#include <QEvent>
#include <QWidget>

class ControlLayer final : public QWidget {
public:
    explicit ControlLayer(QWidget* covered) : QWidget(covered)
    {
        setGeometry(covered->rect());
        covered->installEventFilter(this);
    }

    // The layer's top-left corner in the coordinates of its controls.
    QPoint origin() const { return parentWidget()->isWindow() ? pos() : parentWidget()->mapToParent(pos()); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == parentWidget() && event->type() == QEvent::Resize)
            setGeometry(parentWidget()->rect());
        return false;
    }
};
