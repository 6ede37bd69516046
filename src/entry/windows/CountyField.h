#pragma once

#include "core/AppState.h"

#include <vector>

class KeyField;

// The county field of the own-county windows: a key typed at the start first empties the
// field, letters are upper-cased, and what has been typed up to the caret is completed
// from the county table searched from its end, the added rest selected.
void completeCountyKey(KeyField& field, const ReferenceTables& tables, int& KeyAscii);

// Completes the text before the caret followed by the key from the table, searched from
// its last entry to the first: the first entry that begins with it (without case) fills
// the box, the added rest selected, and the key is swallowed. Without a match, or for no
// key, nothing changes.
void completeFromTableEnd(KeyField& field, const std::vector<QString>& table, qint32 count, int& KeyAscii);
