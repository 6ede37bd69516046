#include "fuzz/FuzzRigReplies.h"
#include "support/FuzzCorpus.h"

namespace {

TEST(RigRepliesCorpus, EveryInputPassesThePoll)
{
    replayFuzzCorpus(QStringLiteral(RIG_FUZZ_CORPUS), fuzzRigReplies);
}

} // namespace
