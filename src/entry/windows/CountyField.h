#pragma once

#include "core/AppState.h"

class KeyField;

// The county field of the own-county windows: a key typed at the start first empties the
// field, letters are upper-cased, and what has been typed up to the caret is completed
// from the county table searched from its end, the added rest selected.
void completeCountyKey(KeyField& field, const ReferenceTables& tables, int& KeyAscii);

// Whether the text is one of the county table's abbreviations (without case).
bool isCountyAbbreviation(const ReferenceTables& tables, const QString& text);
