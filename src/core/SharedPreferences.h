#pragma once

// SharedUserPreferences.xml in the shared folder: the station's data published for other
// programs as one element per key and line, never read back. The whole text is held in
// memory from start-up on.

#include "core/AppState.h"
#include "platform/FileWriter.h"

// The declaration line a new file starts with.
QString xmlDeclarationLine();

// Reads the file whole (dropping the CR LF that ends it), or starts from the declaration
// line when there is no file. Writes nothing.
void LoadGlobalPreferences(SharedPreferencesState& shared, const QString& path);

// Writes the text and a final CR LF as the whole file (replacing it atomically, so a
// failure leaves the old file whole). False with the reason.
bool SaveGlobalPreferences(SharedPreferencesState& shared, const QString& path,
                           QString* error = nullptr);
// The same through the writer (at once without one); done is told how it went.
void SaveGlobalPreferences(SharedPreferencesState& shared, const QString& path, FileWriter* writer,
                           FileWriter::Done done);

// Replaces the text between the key's tags, or appends a new element; the key is
// upper-cased in the caller's variable. Saves when save is 1; false, with the reason, when
// that save failed (the text in memory keeps the change, so the next save stores it).
bool SetGlobalPreference(SharedPreferencesState& shared, QString& key, const QString& value,
                         quint8 save, QString* error = nullptr);
