#pragma once

#include "platform/Clock.h"

struct AppState;
struct CoreServices;
struct Prompts;

// UTC minus local time in hours, from one clock reading, counted in whole minutes with
// the seconds dropped, rounded to two decimals.
float recommendedUtcOffset(const ClockReading& reading);

// Compares the stored offset with the clocks and, when they differ, offers the measured
// one; an accepted number becomes the offset, saved at once when saveAccepted is set (not
// over a preferences file that was not read whole). Returns whether one was accepted.
bool CheckUTCOffset(AppState& state, CoreServices& services, const Prompts& prompts, bool saveAccepted = true);
