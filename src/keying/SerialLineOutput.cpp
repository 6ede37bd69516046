#include "keying/SerialLineOutput.h"

#include "platform/SerialPort.h"

SerialLineOutput::SerialLineOutput(SerialPort& port, ModemLine line, std::function<bool()> openPort,
                                   std::function<void()> portFailed)
    : m_port(port), m_modemLine(line), m_openPort(std::move(openPort)), m_portFailed(std::move(portFailed))
{
}

KeyingTarget SerialLineOutput::keyingLine()
{
    using State = KeyingTarget::State;
    if (!m_port.isOpen() && !m_openPort())
        return {State::Failed};
    if (!m_port.isOpen())
        return {State::NoLine}; // port "0"
    m_line = std::make_unique<SerialKeyingLine>(m_port, m_modemLine);
    return {State::Ready, m_line.get()};
}
