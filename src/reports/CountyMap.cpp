#include "reports/CountyMap.h"

#include "core/RecordFile.h"

#include <cmath>

std::optional<std::vector<CountyMapLabel>> readCountyMapLabels(const QByteArray& bytes)
{
    RecordReader reader(bytes);
    std::vector<CountyMapLabel> labels;
    while (!reader.onlyLineEndsLeft()) {
        CountyMapLabel label;
        qint32 left = 0, top = 0, width = 0, height = 0;
        if (!reader.readText(label.name) || !reader.readLong(left) || !reader.readLong(top)
            || !reader.readLong(width) || !reader.readLong(height) || width <= 0 || height <= 0)
            return std::nullopt;
        label.rect = QRect(left, top, width, height);
        labels.push_back(label);
    }
    return labels;
}

QPoint countyLabelCentre(const QRect& rect)
{
    return {int(std::floor(rect.left() + rect.width() / 2.0 + 0.5)),
            int(std::floor(rect.top() + rect.height() / 2.0 + 0.5))};
}

QString countyLabelToolTip(const ReferenceTables& tables, const QString& caption)
{
    const int count = int(tables.CountyCount);
    for (int k = 1; k <= count && k < int(tables.CountyName.size()); ++k) {
        if (caption.compare(tables.CountyName[size_t(k)], Qt::CaseInsensitive) == 0)
            return tables.CountyAbbrev[size_t(k)];
    }
    return caption;
}

Rgb randomCountyColour(QRandomGenerator& random)
{
    auto component = [&random] { return int(std::floor(254 * random.generateDouble())); };
    const int red = component();
    const int green = component();
    const int blue = component();
    return rgb(red, green, blue);
}
