// libFuzzer's entry for the radios' replies. Run it for a few minutes after a change:
//   tools/fuzz.sh rig_replies_fuzzer 180
#include "FuzzRigReplies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzRigReplies(data, size);
    return 0;
}
