// Drawing extents (GetMinMaxZahyo): the box of everything the drawing draws,
// in stored paper millimetres: lines, arcs and ellipses exactly, texts by
// their boxes, dimensions with their parts, solids (curved ones by their
// curves), bound images by their placement, and the members of insertions
// where the insertions put them.
#pragma once

#include <functional>
#include <optional>

#include "document/BlockExpansion.h"
#include "document/Geometry.h"
#include "document/OutputRules.h"

namespace tw {

// The factor by which an entity's coordinates are multiplied in the output,
// given its own attributes and where it sits (real-size exports use the
// layer group's scale).
using EntityScale = std::function<double(const TEntJwwAttr& own, const Placement& at)>;

// None for a drawing that draws nothing.
std::optional<geom::Box> GetMinMaxZahyo(const TJwwData& doc);
std::optional<geom::Box> GetMinMaxZahyo(const TJwwData& doc, const EntityScale& scale);
// The box of what a medium draws: records on shown layers that appear there.
std::optional<geom::Box> DrawnExtents(const TJwwData& doc, const rules::LayerStates& layers,
                                      rules::Medium medium);

}  // namespace tw
