#pragma once

// The type-ahead of the county and country fields: the text before the caret followed by
// the key is completed from the table (Tables.h); on a match the field shows the
// completion with the added rest selected and the key is swallowed. Without a match, or
// for no key, nothing changes. Each returns the entry found, or 0.

#include "core/Tables.h"

class KeyField;

qint32 completeCountyField(KeyField& field, const ReferenceTables& tables, SearchFrom from, int& KeyAscii);
qint32 completeCountryField(KeyField& field, const ReferenceTables& tables, int& KeyAscii);

// The county field of the own-county windows: a key typed at the start first empties the
// field, letters are upper-cased, and the county is completed from the end of the table.
void completeCountyKey(KeyField& field, const ReferenceTables& tables, int& KeyAscii);
