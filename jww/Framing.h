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

// Text lengths: a byte below 0xFF, else 0xFF and a word; the word 0xFFFE
// marks a UTF-16 text with its own byte or word length.
constexpr uint8_t kLongLength = 0xFF;
constexpr uint16_t kWideMarker = 0xFFFE;

}  // namespace tw::framing
