#pragma once

// QSOpref.txt: the 25 values of StationData, one per line, in file order.

#include "core/AppState.h"

class QIODevice;

// Rewrites QSOpref.txt from the station data. A failure leaves the old file whole and
// returns false, with the reason in *error; the windows keep it silent.
bool SavePrefFile(const AppState& state, QString* error = nullptr);
void writePrefItems(QIODevice& device, const StationData& station);

constexpr int PrefItemCount = 25;

// Reads the items in order straight into the station data; stops at the first item that
// is missing or does not fit its type, keeping those read before it. Returns the number
// of items read: PrefItemCount when the file was whole.
int ReadPrefFile(AppState& state);
