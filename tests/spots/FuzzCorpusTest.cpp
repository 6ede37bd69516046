#include "fuzz/FuzzAgwFrames.h"
#include "fuzz/FuzzSpotLines.h"
#include "fuzz/FuzzTelnetLines.h"
#include "support/FuzzCorpus.h"

namespace {

TEST(SpotLinesCorpus, EveryInputPassesThePath)
{
    replayFuzzCorpus(QStringLiteral(SPOT_FUZZ_CORPUS), fuzzSpotLines);
}

TEST(AgwFramesCorpus, EveryInputPassesThePath)
{
    replayFuzzCorpus(QStringLiteral(AGW_FUZZ_CORPUS), fuzzAgwFrames);
}

TEST(TelnetLinesCorpus, EveryInputPassesTheLink)
{
    replayFuzzCorpus(QStringLiteral(TELNET_FUZZ_CORPUS), fuzzTelnetLines);
}

} // namespace
