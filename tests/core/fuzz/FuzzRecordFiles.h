#pragma once

#include <cstddef>
#include <cstdint>

// One fuzz input as the record files the program reads: the values the record reader
// gives (with and without a byte-order mark in front), the same texts written and read
// back, and the bytes as each file that goes through the reader: log.txt with its rule for
// a record a crash cut off, the station's settings, the county, state and prefix tables and
// the shared preferences. Aborts on a broken rule.
void fuzzRecordFiles(const std::uint8_t* data, std::size_t size);
