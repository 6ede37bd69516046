// libFuzzer's entry for the wave file reader. Run it for a few minutes after a change:
//   ./build/tests/platform/fuzz/wave_file_fuzzer -max_total_time=180 tests/platform/fuzz/wave_corpus
#include "FuzzWaveFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzWaveFile(data, size);
    return 0;
}
