// The framing of a JWW archive around its records: class tags, counts and
// text length markers. The writer and the reader share these numbers.
#pragma once

#include <cstdint>

namespace tw::framing {

// Class tags: 0xFFFF defines a new class (schema, name length, name); a
// word with the top bit set names a defined class by its index; 0x7FFF is
// followed by a 32-bit index with its own top bit set.
constexpr uint16_t kNewClassTag = 0xFFFF;
constexpr uint16_t kBigClassTag = 0x7FFF;
constexpr uint16_t kClassTagBit = 0x8000;
constexpr uint32_t kBigClassTagBit = 0x80000000u;
constexpr int32_t kSmallClassIndexLimit = 0x7FFF;

// Counts: a word below 0xFFFF, else 0xFFFF and an int32.
constexpr uint16_t kLongCount = 0xFFFF;

// Text lengths: a byte below 0xFF, else 0xFF and a word below 0xFFFE, else
// 0xFF, 0xFFFF and a uint32; the word 0xFFFE marks a UTF-16 text whose
// length follows the same way.
constexpr uint8_t kLongLength = 0xFF;
constexpr uint16_t kWideMarker = 0xFFFE;
constexpr uint16_t kLongerLength = 0xFFFF;
// The longest text, in bytes, that is read or written: far beyond any name
// or note, and within one block of the reader.
constexpr size_t kMaxTextBytes = size_t{256} << 10;

}  // namespace tw::framing
