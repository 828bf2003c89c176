// The dash patterns of the drawing's line types as DXF wants them: printed
// millimetres, a positive length a dash, a negative one a gap.
#pragma once

#include <cstdint>
#include <vector>

#include "document/OutputRules.h"

namespace tw::dxf {

// The pen styles that name a patterned line type, in table order.
std::vector<int32_t> PatternedLineTypes();

// The printed pattern of pen style `style`; empty for a solid line.
std::vector<double> DashPattern(const rules::Appearance& print, int32_t style);

}  // namespace tw::dxf
