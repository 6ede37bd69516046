#pragma once

// The program's folders under the user's documents folder.

#include <QString>

class Environment;
struct Prompts;

// Finds the documents folder, makes sure folder and folder/subfolder exist in it, and
// returns the documents folder followed by folder (not the subfolder). Names are given
// with a leading "/" ("/Vexol Software", "/Texas"). Reports failures itself.
QString GetUserFolder(const Environment& env, const Prompts& prompts, const QString& folder, const QString& subfolder);

// Creates the last folder of the path when it does not exist. flag 1 reports a failure
// in a message box; any other value keeps failures silent.
void CreateFolderPath(const Prompts& prompts, const QString& path, quint8 flag);

// The name of an existing ordinary (not hidden) file or folder, matched without case;
// empty when there is none.
QString lookupEntryName(const QString& path);
