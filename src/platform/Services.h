#pragma once

#include "platform/Beeper.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Environment.h"
#include "platform/Screen.h"
#include "platform/UserSettings.h"
#include "platform/WavePlayer.h"

#include <functional>
#include <memory>

// The platform services one running program uses. main() fills it with the real ones;
// tests fill it with doubles.
struct Services {
    std::unique_ptr<Dialogs> dialogs;
    std::unique_ptr<Beeper> beeper;
    std::unique_ptr<Clock> clock;
    std::unique_ptr<Screen> screen;
    std::unique_ptr<Environment> environment;
    std::unique_ptr<UserSettings> settings;
    // Makes a player for one media control (each window that plays owns one).
    std::function<std::unique_ptr<WavePlayer>()> makeWavePlayer;
    // Ends the program at once (the paths that the program ends on: an unreadable log).
    std::function<void(int)> endProgram;

    static Services real();
};
