#pragma once

#include <cstddef>
#include <cstdint>

// One fuzz input as the packet engine's side of the link: the bytes arrive in pieces, are
// cut into frames, and each frame is taken by the poll tick into the monitor and the spot
// hand-over, with a few commands typed between the ticks. Aborts on a broken rule (a frame
// or a waiting queue past its bound, a monitor past its bound).
void fuzzAgwFrames(const std::uint8_t* data, std::size_t size);
