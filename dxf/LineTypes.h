// The dash patterns of the drawing's line types, in printed millimetres:
// a positive length is a dash, a negative one a gap.
#pragma once

#include <cstdint>
#include <vector>

#include "document/JwwUnit.h"

namespace tw::dxf {

// The pen styles that name a patterned line type, in table order.
std::vector<int32_t> PatternedLineTypes();

// The pattern of pen style `style`; empty for a solid line. Bit patterns
// (basic, random, double-dotted, and extended types without segment
// lengths) take one printer dot of 1/720 inch per unit of their print
// pitch for each bit; extended types with segment lengths take those.
std::vector<double> DashPattern(const TJwwData& doc, int32_t style);

}  // namespace tw::dxf
