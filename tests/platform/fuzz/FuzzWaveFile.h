#pragma once

#include <cstddef>
#include <cstdint>

// One fuzz input as a wave file's bytes through the reader. Aborts on a broken rule: a
// sound read that an output could not take as it is (channels or rate out of range, no
// frame, frames that are not whole, a length that does not follow from them), or a file
// refused without a reason.
void fuzzWaveFile(const std::uint8_t* data, std::size_t size);
