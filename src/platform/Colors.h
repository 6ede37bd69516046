#pragma once

#include <QColor>
#include <QtGlobal>

// Colour values in the layout 0x00BBGGRR (255 is red). A value 0x800000nn names a system
// colour by index; only the few the program uses are mapped.
constexpr quint32 ColorButtonFace = 0x8000000F;

QColor qcolorFromColorValue(quint32 value);
quint32 colorValueFromQColor(const QColor& color);
