#include "platform/Colors.h"

#include <QGuiApplication>
#include <QPalette>

QColor qcolorFromColorValue(quint32 value)
{
    if (value & 0x80000000u) {
        const QPalette palette = QGuiApplication::palette();
        switch (value & 0xFF) {
        case 0x05: return palette.color(QPalette::Base);       // window background
        case 0x08: return palette.color(QPalette::Text);       // window text
        case 0x12: return palette.color(QPalette::ButtonText); // button text
        default: return palette.color(QPalette::Button);       // button face and the rest
        }
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

quint32 colorValueFromQColor(const QColor& color)
{
    return quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16);
}
