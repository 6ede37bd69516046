#include "platform/Services.h"

#include "platform/QtDialogs.h"

#include <cstdlib>

Services Services::real()
{
    Services s;
    s.dialogs = std::make_unique<QtDialogs>();
    s.beeper = std::make_unique<QtBeeper>();
    s.clock = std::make_unique<SystemClock>();
    s.screen = std::make_unique<QtScreen>();
    s.environment = std::make_unique<SystemEnvironment>();
    s.settings = std::make_unique<QtUserSettings>();
    s.makeWavePlayer = [] { return std::make_unique<ProcessWavePlayer>(ProcessWavePlayer::besideProgram()); };
    s.makeSerialPort = [environment = s.environment.get(), settings = s.settings.get()] {
        return std::make_unique<QtSerialPort>(
            [environment, settings](int com) { return comPortDevice(com, *environment, *settings); });
    };
    s.makeTcpLink = [] { return std::make_unique<QtTcpLink>(); };
    s.parallelPort = std::make_unique<PpdevParallelPort>();
    s.fileWriter = std::make_unique<FileWriter>();
    s.delayedWrites = std::make_unique<DelayedWrites>(s.fileWriter.get());
    s.endProgram = [](int code) { std::exit(code); };
    return s;
}
