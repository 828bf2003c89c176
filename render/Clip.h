// Cutting polylines to a rectangle, so that a deep zoom never hands a device
// coordinates far outside it.
#pragma once

#include <functional>
#include <vector>

#include <tintwright/render/Primitives.h>

namespace tw::render {

// Calls piece with each run of `points` inside `box` (segments cut where
// they cross its edges); nothing for a polyline wholly outside.
void ClipPolyline(const std::vector<Point>& points, const Box& box,
                  const std::function<void(const std::vector<Point>&)>& piece);

}  // namespace tw::render
