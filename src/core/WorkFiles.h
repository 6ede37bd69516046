#pragma once

#include "core/AppState.h"

#include <QString>

// Files in the working directory are opened by their bare name, matched without regard
// to case; files in the data and shared folders by their full path.
QString workPath(const Folders& folders, const QString& name);

// Removes the temporary files that rewrites cut off before their rename (the program
// killed, the power cut) left beside the files they were to replace: those of the files
// the program rewrites in the working folder (the log, the preferences, the keyer, rig
// and spotting settings), in the data folder, of the log's copies in BACKUP, and of the
// shared preferences file in the shared folder, which other programs share. Files of
// any other name are the operator's and are left alone; a leftover of a file not listed
// here (a Cabrillo file) goes with that file's next rewrite.
void clearInterruptedRewrites(const Folders& folders);
