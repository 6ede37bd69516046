#pragma once

// The line that keys a transmitter, for Morse keying and push-to-talk: a modem line of a
// serial port, or the control register of a parallel port. Whoever keys it releases it
// again on every way out: the end of the element, a failure, a window closing, the end
// of the program.

#include <QtGlobal>

class SerialPort;
class ParallelPort;

class KeyingLine {
public:
    virtual ~KeyingLine() = default;
    // Keys (true) or releases (false) the transmitter; false when the device refused.
    virtual bool setKeyed(bool keyed) = 0;
};

enum class ModemLine { Rts, Dtr };

// Raises the RTS or DTR line of an open serial port to key.
class SerialKeyingLine final : public KeyingLine {
public:
    SerialKeyingLine(SerialPort& port, ModemLine line) : m_port(port), m_line(line) {}
    bool setKeyed(bool keyed) override;

private:
    SerialPort& m_port;
    ModemLine m_line;
};

// Writes 3 to key and 2 to release into the control register (base + 2) of the parallel
// port at the base address.
class ParallelKeyingLine final : public KeyingLine {
public:
    ParallelKeyingLine(ParallelPort& port, quint16 baseAddress) : m_port(port), m_base(baseAddress) {}
    bool setKeyed(bool keyed) override;

    static constexpr quint8 KeyedValue = 3;
    static constexpr quint8 ReleasedValue = 2;

private:
    ParallelPort& m_port;
    quint16 m_base;
};
