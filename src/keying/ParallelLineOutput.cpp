#include "keying/ParallelLineOutput.h"

#include "keying/Morse.h"
#include "platform/KeyingLine.h"

ParallelLineOutput::ParallelLineOutput(ParallelPort& port, std::function<QString()> baseAddress,
                                       std::function<void()> keyingFailed)
    : m_port(port), m_baseAddress(std::move(baseAddress)), m_keyingFailed(std::move(keyingFailed))
{
}

KeyingTarget ParallelLineOutput::keyingLine()
{
    if (const auto base = parseBaseAddress(m_baseAddress())) {
        m_line = std::make_unique<ParallelKeyingLine>(m_port, *base);
        return {KeyingTarget::State::Ready, m_line.get()};
    }
    return {KeyingTarget::State::Refused};
}

void ParallelLineOutput::release()
{
    if (const auto base = parseBaseAddress(m_baseAddress()))
        ParallelKeyingLine(m_port, *base).setKeyed(false);
}
