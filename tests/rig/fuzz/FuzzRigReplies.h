#pragma once

#include <cstddef>
#include <cstdint>

// One fuzz input as the replies of a radio: for each radio family the bytes arrive in
// pieces of varying length, each taken by a read tick of the poll, which decodes it and
// hands frequency and mode on. Aborts on a broken rule (a frequency handed on that is not
// a positive finite number, a mode longer than a mode's name). The CI-V frame scanner and
// the replies read by position are also taken on their own, each with its rules.
void fuzzRigReplies(const std::uint8_t* data, std::size_t size);
