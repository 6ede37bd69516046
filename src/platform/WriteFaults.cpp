#include "platform/WriteFaults.h"

#include <mutex>

namespace {
// The writes of settings files run on the file writer's thread.
std::mutex faultMutex;
std::optional<WriteFault> installedFault;
} // namespace

ScopedWriteFault::ScopedWriteFault(WriteFault fault)
{
    std::lock_guard lock(faultMutex);
    m_previous = installedFault;
    installedFault = std::move(fault);
}

ScopedWriteFault::~ScopedWriteFault()
{
    std::lock_guard lock(faultMutex);
    installedFault = m_previous;
}

std::optional<WriteFault> writeFaultFor(const QString& path)
{
    std::lock_guard lock(faultMutex);
    if (!installedFault || !path.contains(installedFault->pathContains, Qt::CaseInsensitive))
        return std::nullopt;
    return installedFault;
}
