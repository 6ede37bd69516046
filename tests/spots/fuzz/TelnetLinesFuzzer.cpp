// libFuzzer's entry for the telnet cluster's stream. Run it for a few minutes after a change:
//   tools/fuzz.sh telnet_lines_fuzzer 180
#include "FuzzTelnetLines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzTelnetLines(data, size);
    return 0;
}
