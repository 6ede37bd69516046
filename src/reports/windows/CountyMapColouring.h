#pragma once

// The worked counties painted on the county map's picture.

#include "reports/CountyMap.h"

#include <QImage>

// Fills, for each item of the worked-county list in list order, the county of the first
// label whose tool tip equals the item without regard to case: a surface flood fill from
// the label's centre with a fresh random colour. An item that matches no label colours
// nothing. Returns the number of counties filled.
int colourWorkedCounties(QImage& map, const std::vector<CountyLabelArea>& labels,
                         const QStringList& worked, QRandomGenerator& random);
