// The 256 AutoCAD Colour Index entries and the nearest of them to a colour.
#pragma once

#include <array>
#include <cstdint>

namespace tw::dxf {

// Entry n is the RGB value (0xRRGGBB) of colour index n; entry 0 (by block)
// is unused.
extern const std::array<uint32_t, 256> kAciRgb;

// The colour index 1 to 255 nearest to `rgb` (0xRRGGBB) by squared distance;
// the first of equals.
int NearestAci(uint32_t rgb);

}  // namespace tw::dxf
