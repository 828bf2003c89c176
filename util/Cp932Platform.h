// What the platform's own code page 932 converter says, one character at a
// time. The shared conversion builds its tables from these answers and adds
// its own rules, so that every platform converts a text to the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tw {

// By UTF-16 code unit: the bytes (lead << 8 | trail for a pair) the platform
// converts it to without substituting or best-fitting, 0 where it would.
std::vector<uint16_t> PlatformEncodeTable();

// The one code unit that one or two bytes decode to cleanly, 0 when they do
// not decode to exactly one.
char16_t PlatformDecode(const uint8_t* bytes, size_t size);

}  // namespace tw
