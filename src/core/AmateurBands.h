#pragma once

// The one list of the amateur bands the program knows, lowest first. Each use takes the
// bands it needs from here: the contest's bands, the band a frequency lies in, the band
// map's edges, the spectrum map's lines, the mode a frequency is worked in, the Cabrillo
// frequency column and the tune window's buttons. No other file restates a band's edge.

#include <QAnyStringView>
#include <QtGlobal>
#include <span>

struct AmateurBand {
    enum Use : unsigned {
        Contest = 1,  // one of the eight bands of the contest
        Lookup = 2,   // a frequency inside it is given its name
        BandMap = 4,  // the band map shows it between its edges
        Margin = 8,   // a frequency 100 Hz outside an edge still counts as inside for the lookup
        Spectrum = 16, // one of the spectrum map's lines
    };

    const char* name;       // as the log writes it ("10" is both 10 m and 10 GHz)
    qint64 lower;           // the edges in units of 100 Hz, so that whatever limits are
    qint64 upper;           // worked out from them in floating point come out the same
    unsigned uses;
    const char* tuneCaption;   // the tune window's button, or nullptr for none
    const char* tuneFrequency; // the frequency in MHz that button tunes to

    // An edge in MHz; steps moves it by that many units of 100 Hz.
    static double megahertz(qint64 edge, qint64 steps = 0) { return double(edge + steps) / 10000.0; }
};

std::span<const AmateurBand> amateurBands();

// The first band of the list with that name (without case) and every one of the uses, or
// nullptr.
const AmateurBand* findAmateurBand(QAnyStringView name, unsigned uses = 0);
