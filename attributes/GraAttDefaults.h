// Default tables of the graphic attribute set: pen colours for the white and
// the black background, widths and point radii of the basic pens, and the
// dash patterns of the predefined line types.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tw {

struct TRgb {
    int32_t red, green, blue;
};

// Colours of pen entries 0 to 24 (pens 1 to 9, colours 101 to 116).
struct TPenDefault {
    TRgb onWhite;
    TRgb onBlack;
};
std::span<const TPenDefault> DefaultPenColors();

// Widths and point radii of pen entries 0 to 8 (pens 1 to 9).
std::span<const double> DefaultBasicWidths();
std::span<const double> DefaultBasicTenR();

// One predefined line type: lengths in units; each length is lengths[i] x unit.
struct TLtypeDefault {
    int32_t type;  // line type number
    double unit;
    double amp;
    std::vector<double> lengths;
};
const std::vector<TLtypeDefault>& DefaultLtypes();

}  // namespace tw
