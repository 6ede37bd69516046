#pragma once

#include <QString>
#include <QtGlobal>

// What the radio last reported, kept between polls: each decoder writes only what it could
// read from a reply and leaves the rest as it was.
struct RigReport {
    float frequency = 0; // MHz; 0 until a reply decodes
    QString mode;        // "CW" or "PH"; empty until a reply decodes
    quint8 kenwoodVfoCode = 10; // VFO digit of the last complete "IF" reply; 1 is VFO B
};

// The two request texts as the operator typed them, which some decoders and commands take
// their markers from.
struct RigRequests {
    QString frequency;
    QString mode;
    bool convertToHex = false; // "Other" sends its requests as the bytes of their hex pairs
};
