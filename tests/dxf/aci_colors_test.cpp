// The nearest colour index as AutoCAD's palette draws it, which LibreCAD
// and QGIS use: black and white are the foreground index 7.
#include <gtest/gtest.h>

#include "dxf/AciColors.h"

namespace tw::dxf {
namespace {

struct AciCase {
    uint32_t rgb;
    int aci;
};

TEST(NearestAci, PicksTheIndexReadersDrawClosest) {
    const AciCase cases[] = {
        {0x000000, 7},    // black: the foreground
        {0xFFFFFF, 7},    // white: the foreground
        {0xFAFAFA, 255},  // near white stays white on any background
        {0x333333, 250},  // AutoCAD's darkest grey
        {0x2A2A2A, 250},  // a dark grey
        {0x505050, 251}, {0xBEBEBE, 254}, {0x808080, 8},   {0xC0C0C0, 9},   {0xFF0000, 1},
        {0x00FF00, 3},   {0x0000FF, 5},   {0x132617, 109}, {0x26424C, 147},  // a row older tables
                                                                             // got wrong
    };
    for (const AciCase& c : cases)
        EXPECT_EQ(NearestAci(c.rgb), c.aci) << std::hex << c.rgb;
}

TEST(NearestAci, EveryIndexButTheForegroundIsItsOwnNearest) {
    for (int aci = 1; aci < 256; ++aci) {
        const uint32_t rgb = kAciRgb[static_cast<size_t>(aci)];
        if (IsForegroundColor(rgb)) continue;
        EXPECT_EQ(kAciRgb[static_cast<size_t>(NearestAci(rgb))], rgb) << aci;
    }
}

}  // namespace
}  // namespace tw::dxf
