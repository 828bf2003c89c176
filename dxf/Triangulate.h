// Triangles covering a simple polygon, for versions without filled areas.
#pragma once

#include <array>
#include <vector>

#include <tintwright/document/Geometry.h>

namespace tw::dxf {

// Ear clipping; a polygon of fewer than 3 points gives none.
std::vector<std::array<geom::Point, 3>> Triangulate(std::vector<geom::Point> polygon);

}  // namespace tw::dxf
