// libFuzzer's entry for the radios' replies. Run it for a few minutes after a change:
//   ./build/tests/rig/fuzz/rig_replies_fuzzer -max_total_time=180 tests/rig/fuzz/corpus
#include "FuzzRigReplies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzRigReplies(data, size);
    return 0;
}
