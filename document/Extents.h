// Drawing extents (GetMinMaxZahyo): the box of everything the drawing draws
// (Jw_cad's setting texts, drawn nowhere, left out), in stored paper
// millimetres: lines, arcs and ellipses exactly, texts by
// their boxes, dimensions with their parts, solids (curved ones by their
// curves), bound images by their placement, and the members of insertions
// where the insertions put them.
#pragma once

#include <functional>
#include <optional>

#include <tintwright/document/BlockExpansion.h>
#include <tintwright/document/Geometry.h>
#include <tintwright/document/OutputRules.h>

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
