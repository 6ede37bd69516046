#include "fuzz/FuzzSpotLines.h"
#include "support/FuzzCorpus.h"

namespace {

TEST(SpotLinesCorpus, EveryInputPassesThePath)
{
    replayFuzzCorpus(QStringLiteral(SPOT_FUZZ_CORPUS), fuzzSpotLines);
}

} // namespace
