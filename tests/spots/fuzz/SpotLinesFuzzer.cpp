// libFuzzer's entry for the spot-line path. Run it for a few minutes after a change:
//   tools/fuzz.sh spot_lines_fuzzer 180
#include "FuzzSpotLines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzSpotLines(data, size);
    return 0;
}
