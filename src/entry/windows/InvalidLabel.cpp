#include "entry/windows/InvalidLabel.h"

#include <QLabel>
#include <QPalette>

void styleInvalidLabel(QLabel* label)
{
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, QColor(128, 0, 0));
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    label->hide();
}
