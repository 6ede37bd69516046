#include "core/AmateurBands.h"

#include <QLatin1String>

namespace {

using B = AmateurBand;
constexpr unsigned ContestBand = B::Contest | B::Lookup | B::BandMap | B::Margin | B::Spectrum;
constexpr unsigned WarcBand = B::Lookup | B::Margin | B::Spectrum;

// The spectrum map has a line for each band from 160 m to 2 m but 60 m.
// 60 m is only a handful of channels: the tune window has a button for it, nothing looks
// it up by frequency.
constexpr AmateurBand Bands[] = {
    {"160", 18000, 20000, ContestBand, "160", "1.9"},
    {"80", 35000, 40000, ContestBand, "80", "3.75"},
    {"60", 0, 0, 0, "60", "5.368"},
    {"40", 70000, 73000, ContestBand, "40", "7.15"},
    {"30", 101000, 101500, WarcBand, "30", "10.13"},
    {"20", 140000, 143500, ContestBand, "20", "14.175"},
    {"17", 180680, 181680, WarcBand, "17", "18.118"},
    {"15", 210000, 214500, ContestBand, "15", "21.225"},
    {"12", 248900, 249900, WarcBand, "12", "24.94"},
    {"10", 280000, 297000, ContestBand, "10", "28.5"},
    {"6", 500000, 540000, ContestBand, "6", "52"},
    {"2", 1440000, 1480000, ContestBand, "2", "146"},
    {"1.25", 2190000, 2250000, B::Lookup | B::BandMap | B::Margin, "1.25", "223.5"},
    {"440", 4200000, 4500000, B::Lookup | B::BandMap | B::Margin, "70", "435"},
    {"902", 9020000, 9280000, B::Lookup | B::Margin, "33", "915"},
    {"1.24", 12400000, 13000000, B::Lookup | B::Margin, "23", "1270"},
    {"2.3", 23000000, 24500000, B::Lookup, nullptr, nullptr},
    {"3.3", 33000000, 35000000, B::Lookup, nullptr, nullptr},
    {"5.6", 56500000, 59250000, B::Lookup, nullptr, nullptr},
    {"10", 100000000, 105000000, B::Lookup, nullptr, nullptr},
};

} // namespace

std::span<const AmateurBand> amateurBands() { return Bands; }

const AmateurBand* findAmateurBand(QAnyStringView name, unsigned uses)
{
    for (const AmateurBand& band : Bands) {
        if ((band.uses & uses) == uses && QAnyStringView::compare(name, QLatin1String(band.name), Qt::CaseInsensitive) == 0)
            return &band;
    }
    return nullptr;
}
