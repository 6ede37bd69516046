#pragma once

#include "platform/Clock.h"

struct AppState;
struct Services;

// UTC minus local time in hours, from one clock reading, counted in whole minutes with
// the seconds dropped, rounded to two decimals.
float recommendedUtcOffset(const ClockReading& reading);

// Compares the stored offset with the clocks and, when they differ, offers the measured
// one; an accepted number becomes the offset and is saved.
void CheckUTCOffset(AppState& state, Services& services);
