// libFuzzer's entry for the telnet cluster's stream. Run it for a few minutes after a change:
//   ./build/tests/spots/fuzz/telnet_lines_fuzzer -max_total_time=180 tests/spots/fuzz/telnet_corpus
#include "FuzzTelnetLines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzTelnetLines(data, size);
    return 0;
}
