#pragma once

#include "platform/Beeper.h"
#include "platform/CoreServices.h"
#include "platform/Dialogs.h"
#include "platform/Screen.h"

#include <memory>

// The platform services one running program uses: the Qt Core ones and those the windows
// need besides. main() fills it with the real ones; tests fill it with doubles.
struct Services : CoreServices {
    std::unique_ptr<Dialogs> dialogs;
    std::unique_ptr<Beeper> beeper;
    std::unique_ptr<Screen> screen;

    static Services real();
};
