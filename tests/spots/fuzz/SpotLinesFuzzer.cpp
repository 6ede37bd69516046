// libFuzzer's entry for the spot-line path. Run it for a few minutes after a change:
//   ./build/tests/spots/fuzz/spot_lines_fuzzer -max_total_time=180 tests/spots/fuzz/corpus
#include "FuzzSpotLines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzSpotLines(data, size);
    return 0;
}
