#pragma once

// The figures behind the contact-rate graph. For every contact, the contacts made in the
// 10 minutes up to it, times 6, give an hourly rate; the contest from the first contact
// to the last is cut into 1500 time slots, each contact's rate and band go into its slot,
// short gaps between contacts are bridged by straight lines, and the curve is smoothed
// over 7 slots. The window draws what these functions compute.

#include "core/AppState.h"
#include "core/Rgb.h"

#include <QDateTime>
#include <QString>
#include <array>
#include <optional>
#include <vector>

constexpr int RateSlots = 1500;        // slots 1 to 1500 are drawn
constexpr int RateSlotArraySize = 1601; // slots 0 to 1600
constexpr int RateBandCount = 7;       // the legend: 160, 80, 40, 20, 15, 10 and Other
constexpr int RateTimeLabels = 15;
constexpr int RateValueLabels = 17;

struct RateContact {
    qint64 utcSeconds = 0; // seconds since 1970 of the logged UTC date and time
    int band = 0;          // legend index of the band
};

// Legend index of a band text: 0 for "160" to 5 for "10"; 6 (Other) for every other band.
int rateBandIndex(const QString& band);

// Contacts 1 to QsoCount in time order; contacts of the same second keep their log order.
// Entries made after the contest carry times earlier than the contacts logged before them,
// and take their place by time here. Nothing when a date or time does not read.
std::optional<std::vector<RateContact>> contactsInTimeOrder(const LogStoreState& log);

// The contacts of the 10 minutes up to contact i (0-based, time order): i itself and,
// counting back, each one less than 600 seconds older than i.
int contactsInTenMinutes(const std::vector<RateContact>& contacts, size_t i);

// The moment of time label k (0 to 14): start plus k x span / 14 seconds, to the nearest
// second, in UTC.
QDateTime rateTimeLabelMoment(qint64 startUtcSeconds, qint64 spanSeconds, int k);

struct RateGraph {
    std::array<float, RateSlotArraySize> SlotRate{};  // rate recorded or bridged per slot
    std::array<float, RateSlotArraySize> SlotPlot{};  // value plotted per slot
    std::array<Rgb, RateSlotArraySize> SlotColor{};  // band colour per slot
    std::array<bool, RateSlotArraySize> SlotContact{}; // whether a contact fell in the slot
    float PlotMin = 100000;
    float PlotMax = -1;
};

// The whole graph for contacts in time order: the slots emptied to the background colour,
// each contact's rate and band colour put into its slot, the gaps bridged, the curve
// smoothed, its range found and the band colours carried along the curve. Nothing when
// the first and the last contact share their second (no time to spread the slots over).
std::optional<RateGraph> computeRateGraph(const std::vector<RateContact>& contacts,
                                          const std::array<Rgb, RateBandCount>& bandColours,
                                          Rgb background);

// The steps of computeRateGraph that work on the slots alone.
// A slot without a contact, up to 15 slots before the next one that has a rate, takes the
// value on the straight line from the slot before it to that next rate; with no rate
// within 15 slots it stays 0.
void bridgeRateGaps(RateGraph& graph);
// Slots 7 to 1500: the mean of the positive rates among the slot and the 6 before it.
void smoothRateCurve(RateGraph& graph);
// The band colour of a contact carries forward along the curve until the next contact
// or until the curve drops to 0; slots before the first band take black. A contact keeps
// its own band's colour even when that is the background colour (160 m on white).
void carryBandColours(RateGraph& graph, Rgb background);

// Value label k (0 to 16, bottom to top): PlotMin + k x (PlotMax - PlotMin) / 16 with one
// decimal ("6.0", "112.5").
QString rateValueLabel(const RateGraph& graph, int k);
