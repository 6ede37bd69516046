#include "platform/KeyingLine.h"

#include "platform/ParallelPort.h"
#include "platform/SerialPort.h"

bool SerialKeyingLine::setKeyed(bool keyed)
{
    if (!m_port.isOpen())
        return false;
    return m_line == ModemLine::Rts ? m_port.setRts(keyed) : m_port.setDtr(keyed);
}

bool ParallelKeyingLine::setKeyed(bool keyed)
{
    return m_port.write(quint16(m_base + 2), keyed ? KeyedValue : ReleasedValue);
}
