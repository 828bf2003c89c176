// The drawing's line types as DXF wants them: names and dash patterns in
// printed millimetres, a positive length a dash, a negative one a gap.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <tintwright/document/OutputRules.h>

namespace tw::dxf {

// The pen styles that name a patterned line type, in table order.
std::vector<int32_t> PatternedLineTypes();

// The printed pattern of pen style `style`; empty for a solid line.
std::vector<double> DashPattern(const rules::Appearance& print, int32_t style);

// The line type name of each pen style, empty for solid lines. LibreCAD
// draws only the line type names it knows patterned, whatever pattern the
// file gives, so a pattern takes a name of its family (dots, dashes,
// dash-dot, dash-dot-dot, dash-dash-dot) as LibreCAD names them, the
// shorter patterns of a family its smaller variants; AutoCAD and ezdxf draw
// the file's own pattern under that name. A pattern of no family, or one
// beyond its family's names, is "JW<n>".
std::array<std::string, 256> LineTypeNames(const rules::Appearance& print);

}  // namespace tw::dxf
