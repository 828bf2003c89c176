// Layer usage: how many entities each layer holds, in the drawing itself and
// inside block definitions, counted apart.
#pragma once

#include <array>
#include <cstdint>

#include <tintwright/document/JwwUnit.h>
#include <tintwright/document/jwwtype.h>

namespace tw {

struct LayerUsage {
    int64_t entities = 0;  // the drawing's own entities (insertions included)
    int64_t inBlocks = 0;  // members of block definitions
};

// By layer index, group x 16 + layer (rules::LayerIndex).
using LayerUsageTable = std::array<LayerUsage, tables::kLayerGroups * tables::kLayersPerGroup>;

LayerUsageTable CountLayerUsage(const TJwwData& doc);

}  // namespace tw
