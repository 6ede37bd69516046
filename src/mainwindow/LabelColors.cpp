#include "mainwindow/LabelColors.h"

#include "platform/Colors.h"

#include <QLabel>

void setBackground(QLabel* label, quint32 color)
{
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, qcolorFromColorValue(color));
    label->setPalette(palette);
}

void setTextColor(QLabel* label, quint32 color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, qcolorFromColorValue(color));
    label->setPalette(palette);
}

void whiteOnDarkBlue(QLabel* label)
{
    setBackground(label, 0x800000);
    setTextColor(label, 0xFFFFFF);
}
