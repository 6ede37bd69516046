#include "platform/DelayedWrites.h"

#include "platform/DiskFile.h"
#include "platform/FileWriter.h"

#include <algorithm>

DelayedWrites::DelayedWrites(FileWriter* writer, std::chrono::milliseconds delay) : m_writer(writer)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(delay);
    m_timer.callOnTimeout([this] { handOver(); });
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

void DelayedWrites::handOver()
{
    m_timer.stop();
    const auto waiting = std::exchange(m_waiting, {});
    for (const auto& [path, content] : waiting) {
        if (m_writer)
            m_writer->replace(path, content());
        else
            DiskFile::replaceAtomically(path, content());
    }
}

void DelayedWrites::flush()
{
    handOver();
    if (m_writer)
        m_writer->waitForAll();
}
