#pragma once

#include <cstddef>
#include <cstdint>

// One fuzz input through the spot-line path: the bytes arrive in pieces at the TNC line
// assembler, each line goes through the monitor's duplicate window, each spot line is
// parsed and filed into a store, and both maps work out their labels. Aborts on a broken
// rule (a store slot out of order, a monitor past its bound).
void fuzzSpotLines(const std::uint8_t* data, std::size_t size);
