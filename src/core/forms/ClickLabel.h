#pragma once

#include <QLabel>

// A label or picture that reports clicks and the mouse coming onto it or moving over it.
// The click still reaches the window beneath, as a label's would.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
Q_SIGNALS:
    void clicked();
    void hovered();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};
