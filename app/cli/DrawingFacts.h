// What `dump` reports of a drawing: entity counts by kind, in kind order.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include <tintwright/document/EntityView.h>
#include <tintwright/document/LayerUsage.h>

namespace tw::cli {

struct KindCount {
    const char* name;  // "line" ... "block"
    size_t count;
};
using KindCounts = std::array<KindCount, kEntityKinds>;

// The records of each kind that the view holds.
KindCounts CountsOf(const EntityView& view);

// One layer as dump lists it: its place, names, state and usage.
struct LayerFacts {
    int32_t group, layer;
    std::u16string groupName, name;
    int32_t state;  // aanLay: 0 hidden, 1 shown, 2 editable
    LayerUsage usage;
};
// Every layer of the drawing, group by group.
std::vector<LayerFacts> LayersOf(const TJwwData& doc);

}  // namespace tw::cli
