// The 256 AutoCAD Colour Index entries and the nearest of them to a colour.
#pragma once

#include <array>
#include <cstdint>

namespace tw::dxf {

// Entry n is the RGB value (0xRRGGBB) of colour index n; entry 0 (by block)
// is unused.
extern const std::array<uint32_t, 256> kAciRgb;

// Index 7, which readers draw in their foreground colour (black on white,
// white on black).
inline constexpr int kForegroundAci = 7;

// Black and white: a pen readers should draw in their foreground colour, as
// our renders draw a pen of the background's colour in the foreground's.
bool IsForegroundColor(uint32_t rgb);

// kForegroundAci for black and white, otherwise the colour index 1 to 255
// but 7 nearest to `rgb` (0xRRGGBB) by squared distance; the first of equals.
int NearestAci(uint32_t rgb);

}  // namespace tw::dxf
