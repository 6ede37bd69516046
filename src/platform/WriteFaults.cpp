#include "platform/WriteFaults.h"

namespace {
std::optional<WriteFault> installedFault;
} // namespace

ScopedWriteFault::ScopedWriteFault(WriteFault fault) : m_previous(installedFault)
{
    installedFault = std::move(fault);
}

ScopedWriteFault::~ScopedWriteFault() { installedFault = m_previous; }

std::optional<WriteFault> writeFaultFor(const QString& path)
{
    if (!installedFault || !path.contains(installedFault->pathContains, Qt::CaseInsensitive))
        return std::nullopt;
    return installedFault;
}
