#pragma once

#include "platform/Clock.h"
#include "platform/DelayedWrites.h"
#include "platform/Environment.h"
#include "platform/FileWriter.h"
#include "platform/ParallelPort.h"
#include "platform/SerialPort.h"
#include "platform/TcpLink.h"
#include "platform/UserSettings.h"
#include "platform/WavePlayer.h"

#include <functional>
#include <memory>

// The platform services that need only Qt Core: what the logic of every subsystem may use.
// Services adds what needs widgets (dialogs, the beeper, the screen) for the windows.
struct CoreServices {
    std::unique_ptr<Clock> clock;
    std::unique_ptr<Environment> environment;
    std::unique_ptr<UserSettings> settings;
    // Makes a player for one media control (each one that plays owns one).
    std::function<std::unique_ptr<WavePlayer>()> makeWavePlayer;
    // Makes one serial port (each serial control owns one) and one TCP link.
    std::function<std::unique_ptr<SerialPort>()> makeSerialPort;
    std::function<std::unique_ptr<TcpLink>()> makeTcpLink;
    // The machine's parallel ports, shared by every keying path.
    std::unique_ptr<ParallelPort> parallelPort;
    // The writer of the settings files (the preferences, the keyers', the radio's and the
    // spotting window's settings): rewrites made durable off the window thread. Before
    // delayedWrites, which hands its writes to it and so must go first.
    std::unique_ptr<FileWriter> fileWriter;
    // Rewrites that may wait a moment (the preferences after a change of band or mode).
    // App makes them, and waits for the writer, before the program ends.
    std::unique_ptr<DelayedWrites> delayedWrites;
    // Ends the program at once (the paths that the program ends on: an unreadable log).
    std::function<void(int)> endProgram;
};
