#pragma once

// Contact rates and the operating-time text.

#include "core/AppState.h"

#include <optional>

struct QsoRates {
    int last60 = 0;     // contacts within the last 60 minutes
    int last20x3 = 0;   // three times the contacts within the last 20 minutes
};

// Counts back from the newest contact against the UTC time now (cut to the second) and
// stops at the first contact 60 minutes old or older. Nothing when a date or time cannot
// be read.
std::optional<QsoRates> countQsoRates(const AppState& state, const QDateTime& utcNow);

// "hh:mm:ss" of a number of seconds; from 100 hours on only the last two hour digits.
QString operatingTimeText(float seconds);

// The UTC time for a local time: local plus UtcOffsetHours x 60 minutes.
QDateTime utcFromLocal(const QDateTime& local, float utcOffsetHours);
