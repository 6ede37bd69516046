#pragma once

// The device sessions of the running program, one per device kind. App owns them for the
// whole run and hands them to every window in its context; a window calls its session
// instead of opening a device itself, and the main window reaches the devices only
// through them. A window tested on its own sets the one session it needs.

class KeyerSession;
class RigSession;
class SpotSession;

struct Sessions {
    KeyerSession* keyer = nullptr;
    RigSession* rig = nullptr;
    SpotSession* spots = nullptr;
};
