#pragma once

// CW keyed on the control register of the parallel port, at the base address the settings
// give as the character is keyed.

#include "keying/KeyerOutput.h"

#include <QString>
#include <functional>
#include <memory>

class ParallelPort;

class ParallelLineOutput final : public KeyerOutput {
public:
    // baseAddress reads the address from the settings; keyingFailed is the session's answer
    // to a line that failed while keying.
    ParallelLineOutput(ParallelPort& port, std::function<QString()> baseAddress, std::function<void()> keyingFailed);

    bool keys() const override { return true; }
    KeyingTarget keyingLine() override;
    void keyingFailed() override { m_keyingFailed(); }
    void release() override;

private:
    ParallelPort& m_port;
    std::function<QString()> m_baseAddress;
    std::function<void()> m_keyingFailed;
    std::unique_ptr<KeyingLine> m_line;
};
