#pragma once

// A fuzzer's corpus replayed as a test, whatever the compiler: every file of the folder
// goes through the fuzz entry once.

#include <QDir>
#include <QFile>
#include <cstddef>
#include <cstdint>
#include <gtest/gtest.h>

inline void replayFuzzCorpus(const QString& folder, void (*fuzz)(const std::uint8_t*, std::size_t))
{
    const QDir corpus(folder);
    const QStringList names = corpus.entryList(QDir::Files);
    ASSERT_FALSE(names.isEmpty()) << folder.toStdString();
    for (const QString& name : names) {
        QFile file(corpus.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = file.readAll();
        fuzz(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()));
    }
}
