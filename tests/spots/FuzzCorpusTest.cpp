#include "fuzz/FuzzSpotLines.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

// The fuzzer's corpus replayed on every test run, whatever the compiler.
TEST(SpotLinesCorpus, EveryInputPassesThePath)
{
    const QDir corpus(QStringLiteral(SPOT_FUZZ_CORPUS));
    const QStringList names = corpus.entryList(QDir::Files);
    ASSERT_FALSE(names.isEmpty());
    for (const QString& name : names) {
        QFile file(corpus.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = file.readAll();
        fuzzSpotLines(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()));
    }
}

} // namespace
