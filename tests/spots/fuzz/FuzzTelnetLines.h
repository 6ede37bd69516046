#pragma once

// The telnet cluster's stream as a hostile peer may send it, fed through the telnet link in
// reads cut as the input's first byte says, the lines taken as the spotting window takes
// them. Aborts when the program's rules break: the text waiting for its line end and the
// monitor stay bounded, and every line handed on ends with its line feed.

#include <cstddef>
#include <cstdint>

void fuzzTelnetLines(const std::uint8_t* data, std::size_t size);
