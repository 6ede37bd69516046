#include "fuzz/FuzzRecordFiles.h"
#include "support/FuzzCorpus.h"

namespace {

TEST(RecordFilesCorpus, EveryInputPassesTheReaders)
{
    replayFuzzCorpus(QStringLiteral(RECORD_FUZZ_CORPUS), fuzzRecordFiles);
}

} // namespace
