#pragma once

// What the two band maps show of the store, worked out without a widget: the scales, the
// label of each spot (caption, tool tip, age colour, place along its line) and the point at
// which a redraw stops.

#include "core/AppState.h"
#include "core/Rgb.h"

#include <QDateTime>
#include <QString>
#include <array>
#include <optional>
#include <vector>

// A frequency range in MHz, single precision as the maps hold it.
struct FrequencyRange {
    float low = 0;
    float high = 0;
};

// The main window's band map: the edges of the current band ("20" gives 14 to 14.35);
// both 0 for a band the map does not know.
FrequencyRange bandMapEdges(const QString& band);

// The range narrowed to the spots of slots 1 to 49 strictly inside it, 1 kHz to spare each
// side, when they hold at least two different frequencies; else the range unchanged.
FrequencyRange ZoomBandToSpots(const SpotStoreState& store, FrequencyRange range);

// A frequency shown with three decimals, half to even, no thousands separator and no
// leading zero: 14.025, .000.
QString formatSpotMHz(double mhz);
// A spot's frequency as its tool tip shows it: three decimals, more when the value needs
// them to read back as itself (7.0253, not 7.025).
QString formatSpotFrequency(float mhz);
// A caption read back; 0 when it is not a number.
float readScaleCaption(const QString& caption);

// The five scale captions, at 0, 1/4, 2/4, 3/4 and the whole of the range.
std::array<QString, 5> scaleCaptions(FrequencyRange range);
// The range shown: the first and last captions read back.
FrequencyRange displayedRange(const std::array<QString, 5>& captions);

// A spot's text colour by its age in whole seconds; nothing from an hour on, where a
// redraw stops.
std::optional<Rgb> spotAgeColour(qint64 ageSeconds);

// Call, frequency and UTC arrival: "N5ABC  14.025  18:00:00".
QString spotToolTip(const QString& call, float frequencyMHz, const QDateTime& arrival, float utcOffsetHours);

// One label of a redraw.
struct SpotLabel {
    int slot = 0;
    QString caption;
    QString toolTip;
    Rgb colour = 0;
    int line = 0;          // the spectrum map's line; 0 on the band map
    double position = 0;   // along the line: 0 at its low end, 1 at its high end
    bool shown = false;
};

// The main window's band map: the labels of slots 49 down to 0 that lie strictly inside
// the displayed range, until an in-band spot of an hour or more ends the redraw.
std::vector<SpotLabel> bandMapLabels(const SpotStoreState& store, FrequencyRange shown, const QDateTime& now,
                                     float utcOffsetHours);

// The spectrum map's eleven band lines, 160 m at the top to 2 m at the bottom.
constexpr int SpectrumLineCount = 11;
const std::array<FrequencyRange, SpectrumLineCount>& SpectrumBandLines();

// The spectrum map: every slot from 49 down gets its label; a slot on a line is placed
// by that line's displayed range and shown; any slot of an hour or more (an empty one
// too) ends the redraw.
std::vector<SpotLabel> spectrumMapLabels(const SpotStoreState& store,
                                         const std::array<FrequencyRange, SpectrumLineCount>& shown,
                                         const QDateTime& now, float utcOffsetHours);
