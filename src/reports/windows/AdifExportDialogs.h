#pragma once

// File > "Export &ADIF File" of both log windows.

struct AppState;
struct Services;

// Asks for the power and the comment that go into every record, reads the country table,
// lets the operator choose the file (proposed: the host state's name with ".adi" in the
// data folder) and writes the whole log to it. Says how it went in a message box;
// cancelling the file dialog ends it silently.
void WriteADIFFile(const AppState& state, Services& services);
