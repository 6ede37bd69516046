#include "reports/windows/CountyMapColouring.h"

#include "platform/FloodFill.h"

int colourWorkedCounties(QImage& map, const std::vector<CountyLabelArea>& labels,
                         const QStringList& worked, QRandomGenerator& random)
{
    int coloured = 0;
    for (const QString& county : worked) {
        for (const CountyLabelArea& label : labels) {
            if (label.toolTip.compare(county, Qt::CaseInsensitive) != 0)
                continue;
            const QPoint start = countyLabelCentre(label.rect);
            const QRgb fill = randomCountyColour(random);
            if (map.rect().contains(start) && floodFillSurface(map, start, map.pixel(start), fill) > 0)
                ++coloured;
            break;
        }
    }
    return coloured;
}
