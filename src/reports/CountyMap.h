#pragma once

// The county map's labels and the colours of the worked counties. The map picture has
// every county as one area of a single colour closed by border lines; a label rectangle
// lies inside each county, and a surface flood fill from the label's centre colours
// exactly that county (the map window paints it: CountyMapColouring.h).

#include "core/AppState.h"
#include "core/Rgb.h"

#include <QByteArray>
#include <QRandomGenerator>
#include <QRect>
#include <QStringList>
#include <optional>
#include <vector>

// One label of the map as the label table holds it: the county's name as the county table
// spells it, and the rectangle in picture pixels.
struct CountyMapLabel {
    QString name;
    QRect rect;
};

// The label table: records of a name and the left, top, width and height in pixels.
// Nothing when a record is incomplete or a rectangle is empty.
std::optional<std::vector<CountyMapLabel>> readCountyMapLabels(const QByteArray& bytes);

// The start point of a label's fill: its left plus half its width and its top plus half
// its height, each taken to the nearest pixel (a half upwards).
QPoint countyLabelCentre(const QRect& rect);

// What a label shows as its tool tip: the abbreviation of the first county of the table
// whose name equals the caption without regard to case; the caption itself when none does.
QString countyLabelToolTip(const ReferenceTables& tables, const QString& caption);

// A colour for one worked county: red, green and blue each the whole part of 254 times a
// random fraction, so from 0 to 253.
Rgb randomCountyColour(QRandomGenerator& random);

// A label as the map window holds it after loading.
struct CountyLabelArea {
    QString toolTip;
    QRect rect;
};
