// The viewer's layer panel, the same rows in every toolkit: each of the 16
// layer groups with its 16 layers, labelled "number name (entities)" and
// checked as shown.
#pragma once

#include <array>
#include <string>

#include <tintwright/document/JwwUnit.h>
#include <tintwright/render/Visibility.h>

namespace tw {

struct LayerRow {
    std::u16string label;  // hexadecimal number, name if any, the entity count
    bool shown = false;
};

struct LayerGroupRows {
    LayerRow group;
    std::array<LayerRow, render::Visibility::kGroups> layers;  // layer index group x 16 + row
};

using LayerPanelRows = std::array<LayerGroupRows, render::Visibility::kGroups>;

// A group's row counts the entities of all its layers.
LayerPanelRows LayerRowsOf(const TJwwData& doc, const render::Visibility& shown);

}  // namespace tw
