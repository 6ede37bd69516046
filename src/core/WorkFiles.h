#pragma once

#include "core/AppState.h"

#include <QString>

// Files in the working directory are opened by their bare name, matched without regard
// to case; files in the data and shared folders by their full path.
QString workPath(const Folders& folders, const QString& name);

// Removes the temporary files that rewrites cut off before their rename (the program
// killed, the power cut) left beside the files they were to replace: in the working
// folder, the data folder and its BACKUP, and the shared preferences file's in the
// shared folder, which other programs share.
void clearInterruptedRewrites(const Folders& folders);
