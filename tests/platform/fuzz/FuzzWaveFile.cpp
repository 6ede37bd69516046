#include "FuzzWaveFile.h"

#include "platform/WaveFile.h"

#include <QByteArrayView>
#include <cstdlib>

namespace {

void require(bool rule)
{
    if (!rule)
        std::abort();
}

} // namespace

void fuzzWaveFile(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QString why;
    const std::optional<WaveSound> sound = readWave(bytes, &why);
    if (!sound) {
        require(!why.isEmpty());
        return;
    }
    require(sound->channels >= 1 && sound->channels <= 8);
    require(sound->framesPerSecond >= 1000 && sound->framesPerSecond <= 384000);
    const int frameBytes = sound->bytesPerFrame();
    require(frameBytes > 0 && !sound->frames.isEmpty() && sound->frames.size() % frameBytes == 0);
    // Widened samples at most double a file's bytes (8-bit G.711 to 16 bits, 24 to 32 bits).
    require(sound->frames.size() <= 2 * bytes.size());
    require(sound->durationMs() == sound->frames.size() / frameBytes * 1000 / sound->framesPerSecond);
}
