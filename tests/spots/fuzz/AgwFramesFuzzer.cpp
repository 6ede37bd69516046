// libFuzzer's entry for the packet engine's frames. Run it for a few minutes after a change:
//   tools/fuzz.sh agw_frames_fuzzer 180
#include "FuzzAgwFrames.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzAgwFrames(data, size);
    return 0;
}
