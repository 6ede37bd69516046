#pragma once

// What every window gets when it is created: the program's state, the platform services,
// the device sessions and the way to the other windows. No window sees App itself.

struct AppState;
struct Services;
struct Sessions;
class Navigation;

struct WindowContext {
    AppState& state;
    Services& services;
    Navigation& navigation;
    Sessions& sessions;
};
