#pragma once

#include "core/AppState.h"

#include <QString>

// Files in the working directory are opened by their bare name, matched without regard
// to case; files in the data and shared folders by their full path.
QString workPath(const Folders& folders, const QString& name);
