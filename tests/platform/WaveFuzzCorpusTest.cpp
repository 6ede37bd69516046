#include "fuzz/FuzzWaveFile.h"
#include "support/FuzzCorpus.h"

namespace {

TEST(WaveFileCorpus, EveryInputIsReadOrRefusedWithAReason)
{
    replayFuzzCorpus(QStringLiteral(WAVE_FUZZ_CORPUS), fuzzWaveFile);
}

} // namespace
