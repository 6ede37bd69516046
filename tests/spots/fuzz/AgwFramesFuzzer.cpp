// libFuzzer's entry for the packet engine's frames. Run it for a few minutes after a change:
//   ./build/tests/spots/fuzz/agw_frames_fuzzer -max_total_time=180 tests/spots/fuzz/agw_corpus
#include "FuzzAgwFrames.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzAgwFrames(data, size);
    return 0;
}
