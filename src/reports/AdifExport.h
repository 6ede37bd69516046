#pragma once

// File > "Export &ADIF File" of both log windows.

#include "core/AppState.h"

struct Services;

// Asks for the power and the comment that go into every record, reads ADIFCnt.txt (the
// shared folder's, else the data folder's, else the working directory's), lets the
// operator choose the file (proposed: the host state's name with ".adi" in the data
// folder) and writes the whole log to it, replacing the file only once it is complete.
// Says how it went in a message box; cancelling the file dialog ends it silently.
void WriteADIFFile(const AppState& state, Services& services);
