#include "spots/SpotDisplay.h"

#include "core/AmateurBands.h"
#include "core/NumberFormat.h"

#include <charconv>
#include <cstdio>

namespace {

FrequencyRange edgesOf(const AmateurBand& band)
{
    return {float(AmateurBand::megahertz(band.lower)), float(AmateurBand::megahertz(band.upper))};
}

} // namespace

FrequencyRange bandMapEdges(const QString& band)
{
    const AmateurBand* known = findAmateurBand(band, AmateurBand::BandMap);
    return known ? edgesOf(*known) : FrequencyRange{};
}

FrequencyRange ZoomBandToSpots(const SpotStoreState& store, FrequencyRange range)
{
    float lowest = range.high;
    float highest = range.low;
    for (int slot = 1; slot < MaxBandMapSpots; ++slot) {
        const float f = store.SpotFrequency[slot];
        if (!(range.low < f && f < range.high))
            continue;
        if (f < lowest)
            lowest = f;
        if (f > highest)
            highest = f;
    }
    if (highest > lowest)
        return {float(double(lowest) - 0.001), float(double(highest) + 0.001)};
    return range;
}

QString formatSpotMHz(double mhz)
{
    // printf rounds the exact binary value, an exact half to even, as the map's captions do.
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", mhz);
    QString shown = QString::fromLatin1(text);
    if (shown.startsWith(QLatin1String("0.")))
        shown.remove(0, 1);
    else if (shown.startsWith(QLatin1String("-0.")))
        shown.remove(1, 1);
    return shown;
}

QString formatSpotFrequency(float mhz)
{
    char text[64];
    const auto written = std::to_chars(text, text + sizeof text, mhz, std::chars_format::fixed);
    if (written.ec != std::errc())
        return formatSpotMHz(double(mhz));
    QString shown = QString::fromLatin1(text, written.ptr - text);
    const qsizetype point = shown.indexOf(u'.');
    const qsizetype decimals = point < 0 ? 0 : shown.size() - point - 1;
    if (decimals < 3)
        return formatSpotMHz(double(mhz));
    if (shown.startsWith(QLatin1String("0.")))
        shown.remove(0, 1);
    return shown;
}

float readScaleCaption(const QString& caption) { return float(parsePlainNumber(caption).value_or(0)); }

std::array<QString, 5> scaleCaptions(FrequencyRange range)
{
    std::array<QString, 5> captions;
    for (int i = 0; i < 5; ++i)
        captions[i] = formatSpotMHz((double(range.high) - double(range.low)) * 0.25 * i + double(range.low));
    return captions;
}

FrequencyRange displayedRange(const std::array<QString, 5>& captions)
{
    return {readScaleCaption(captions[0]), readScaleCaption(captions[4])};
}

std::optional<Rgb> spotAgeColour(qint64 ageSeconds)
{
    if (ageSeconds < 600)
        return rgb(255, 255, 128);
    if (ageSeconds < 1800)
        return rgb(255, 255, 255);
    if (ageSeconds < 3600)
        return rgb(192, 192, 192);
    return std::nullopt;
}

namespace {

// A clock reading taken as it reads, without the zone: ages and offsets are then plain
// arithmetic on the readings (no time-zone lookup for each of the fifty slots of every
// redraw), as the store's times are the wall clock's.
QDateTime wallClock(const QDateTime& reading) { return QDateTime(reading.date(), reading.time(), Qt::UTC); }

qint64 ageSeconds(const QDateTime& arrival, const QDateTime& now) { return wallClock(arrival).secsTo(wallClock(now)); }

} // namespace

QString spotToolTip(const QString& call, float frequencyMHz, const QDateTime& arrival, float utcOffsetHours)
{
    const QDateTime utc = wallClock(arrival).addSecs(qint64(roundHalfEven(double(utcOffsetHours) * 60)) * 60);
    return call + QStringLiteral("  ") + formatSpotFrequency(frequencyMHz) + QStringLiteral("  ")
        + utc.time().toString(Qt::ISODate);
}

namespace {

double along(float f, FrequencyRange shown)
{
    return (double(f) - double(shown.low)) / (double(shown.high) - double(shown.low));
}

SpotLabel labelOf(const SpotStoreState& store, int slot, float utcOffsetHours)
{
    SpotLabel label;
    label.slot = slot;
    label.caption = store.SpotPrefix[slot];
    label.toolTip = spotToolTip(store.SpotCall[slot], store.SpotFrequency[slot], store.SpotArrival[slot],
                                utcOffsetHours);
    return label;
}

} // namespace

std::vector<SpotLabel> bandMapLabels(const SpotStoreState& store, FrequencyRange shown, const QDateTime& now,
                                     float utcOffsetHours)
{
    std::vector<SpotLabel> labels;
    for (int slot = MaxBandMapSpots - 1; slot >= 0; --slot) {
        const float f = store.SpotFrequency[slot];
        if (!(shown.low < f && f < shown.high))
            continue;
        const std::optional<Rgb> colour = spotAgeColour(ageSeconds(store.SpotArrival[slot], now));
        if (!colour)
            break;
        SpotLabel label = labelOf(store, slot, utcOffsetHours);
        label.position = along(f, shown);
        label.colour = *colour;
        label.shown = true;
        labels.push_back(label);
    }
    return labels;
}

const std::array<FrequencyRange, SpectrumLineCount>& SpectrumBandLines()
{
    static const std::array<FrequencyRange, SpectrumLineCount> lines = [] {
        std::array<FrequencyRange, SpectrumLineCount> fromBands{};
        std::size_t line = 0;
        for (const AmateurBand& band : amateurBands()) {
            if ((band.uses & AmateurBand::Spectrum) && line < fromBands.size())
                fromBands[line++] = edgesOf(band);
        }
        Q_ASSERT(line == fromBands.size());
        return fromBands;
    }();
    return lines;
}

std::vector<SpotLabel> spectrumMapLabels(const SpotStoreState& store,
                                         const std::array<FrequencyRange, SpectrumLineCount>& shown,
                                         const QDateTime& now, float utcOffsetHours)
{
    std::vector<SpotLabel> labels;
    for (int slot = MaxBandMapSpots - 1; slot >= 0; --slot) {
        const float f = store.SpotFrequency[slot];
        SpotLabel label = labelOf(store, slot, utcOffsetHours);
        for (int k = 0; k < SpectrumLineCount; ++k) {
            const FrequencyRange fixed = SpectrumBandLines()[k];
            if (fixed.low < f && f < fixed.high) {
                label.line = k;
                label.position = along(f, shown[k]);
                label.shown = true;
            }
        }
        const std::optional<Rgb> colour = spotAgeColour(ageSeconds(store.SpotArrival[slot], now));
        if (!colour)
            break;
        label.colour = *colour;
        labels.push_back(label);
    }
    return labels;
}
