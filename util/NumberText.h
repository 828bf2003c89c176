// Numbers as text, the same on every platform: std::to_chars where the
// C++ library has it for floating point, and the same digits otherwise
// (Emscripten's libc++ lacks it).
#pragma once

namespace tw {

// The shortest text that reads back as v, as std::to_chars(first, last, v)
// writes it; first..last must hold 32 characters. Returns the end.
char* WriteShortest(char* first, char* last, double v);

// v with the given number of decimals, as std::to_chars with
// std::chars_format::fixed writes it; nullptr when it does not fit.
char* WriteFixed(char* first, char* last, double v, int decimals);

// The same from the C library's printf and strtod alone: what the two above
// use where std::to_chars has no floating point.
char* WriteShortestPortable(char* first, char* last, double v);
char* WriteFixedPortable(char* first, char* last, double v, int decimals);

}  // namespace tw
