#include "platform/DelayedWrites.h"

#include "platform/DiskFile.h"

#include <algorithm>

DelayedWrites::DelayedWrites(std::chrono::milliseconds delay)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(delay);
    m_timer.callOnTimeout([this] { flush(); });
}

DelayedWrites::~DelayedWrites() { flush(); }

void DelayedWrites::replaceSoon(const QString& path, std::function<QByteArray()> content)
{
    const auto same = std::find_if(m_waiting.begin(), m_waiting.end(),
                                   [&](const auto& waiting) { return waiting.first == path; });
    if (same != m_waiting.end())
        same->second = std::move(content);
    else
        m_waiting.emplace_back(path, std::move(content));
    // Started by the first ask only: a steady run of asks still writes once per delay.
    if (!m_timer.isActive())
        m_timer.start();
}

void DelayedWrites::flush()
{
    m_timer.stop();
    const auto waiting = std::exchange(m_waiting, {});
    for (const auto& [path, content] : waiting)
        DiskFile::replaceAtomically(path, content());
}
