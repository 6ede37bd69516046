#pragma once

// CW keyed on the RTS or DTR line of the CW keying port. The port is the keyer session's:
// it opens the port the settings name when a character finds it closed, and lets it go
// when the line fails while keying.

#include "keying/KeyerOutput.h"
#include "platform/KeyingLine.h"

#include <functional>
#include <memory>

class SerialPort;

class SerialLineOutput final : public KeyerOutput {
public:
    // openPort (re)opens the port the settings name, false when it would not open;
    // portFailed lets the port go and tells the operator.
    SerialLineOutput(SerialPort& port, ModemLine line, std::function<bool()> openPort,
                     std::function<void()> portFailed);

    bool keys() const override { return true; }
    KeyingTarget keyingLine() override;
    void keyingFailed() override { m_portFailed(); }

private:
    SerialPort& m_port;
    ModemLine m_modemLine;
    std::function<bool()> m_openPort;
    std::function<void()> m_portFailed;
    std::unique_ptr<KeyingLine> m_line;
};
