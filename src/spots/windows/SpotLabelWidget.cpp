#include "spots/windows/SpotLabelWidget.h"

#include <QMouseEvent>

SpotLabelWidget::SpotLabelWidget(int index, QWidget* parent) : QLabel(parent), m_index(index)
{
    setMouseTracking(true);
    setAlignment(Qt::AlignCenter);
}

void SpotLabelWidget::mousePressEvent(QMouseEvent* event)
{
    const int button = event->button() == Qt::LeftButton ? 1 : event->button() == Qt::RightButton ? 2 : 4;
    Q_EMIT mouseDown(m_index, button);
}

void SpotLabelWidget::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }

void SpotLabelWidget::mouseMoveEvent(QMouseEvent*) { Q_EMIT mouseMove(m_index); }

void SpotLabelWidget::enterEvent(QEnterEvent*) { Q_EMIT mouseMove(m_index); }

void setTextColour(QWidget* widget, Rgb colour)
{
    if (widget->palette().color(QPalette::WindowText).rgb() == colour)
        return;
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, QColor::fromRgb(colour));
    widget->setPalette(palette);
}

int slotShownBy(int index, quint64 filedSeen, quint64 filed)
{
    const quint64 moved = filed - filedSeen;
    return moved > quint64(index) ? -1 : index - int(moved);
}

void showTogether(QWidget* layer, const std::vector<SpotLabelWidget*>& labels)
{
    if (labels.size() == 1) {
        labels.front()->show();
        return;
    }
    if (labels.empty())
        return;
    layer->hide();
    for (SpotLabelWidget* label : labels)
        label->show();
    layer->show();
}
