#pragma once

// QSOpref.txt: the 25 values of StationData, one per line, in file order.

#include "core/AppState.h"

class DelayedWrites;
class FileWriter;
class QIODevice;

// Rewrites QSOpref.txt from the station data. A failure leaves the old file whole and
// returns false, with the reason in *error; the windows keep it silent.
bool SavePrefFile(const AppState& state, QString* error = nullptr);
// The same through the file writer, with the station data as they are now: the file is
// made durable off the window thread, and a failure stays silent. At once when there is
// no writer.
void SavePrefFile(const AppState& state, FileWriter* writer);
void writePrefItems(QIODevice& device, const StationData& station);

// SavePrefFile a moment later through the delayed writes, with the station data as they
// are then: for the changes that come in runs (band and mode from the radio). At once
// when there are no delayed writes.
void SavePrefFileSoon(const AppState& state, DelayedWrites* writes);

constexpr int PrefItemCount = 25;

// Reads the items in order straight into the station data; stops at the first item that
// is missing or does not fit its type, keeping those read before it. Returns the number
// of items read: PrefItemCount when the file was whole.
int ReadPrefFile(AppState& state);
