#pragma once

// What every window gets when it is created: the program's state, the platform services,
// the device sessions, the way to the other windows and the contest log. No window sees
// App itself.

struct AppState;
struct Services;
struct Sessions;
class ContestLog;
class Navigation;

struct WindowContext {
    AppState& state;
    Services& services;
    Navigation& navigation;
    Sessions& sessions;
    // The log of the run (records, tally, log.txt), which App owns; the log windows take it.
    // A window tested on its own that needs none has none.
    ContestLog* log = nullptr;
};
