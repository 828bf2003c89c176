// Which layer groups and layers are shown: the drawing's own states (state 0
// is hidden), which a viewer may then switch.
#pragma once

#include <array>

#include "document/DrawingRules.h"
#include "document/JwwUnit.h"

namespace tw::render {

struct Visibility {
    static constexpr int kGroups = rules::kMaxLayer + 1;
    std::array<bool, kGroups> groups{};
    std::array<bool, kGroups * kGroups> layers{};  // group x 16 + layer

    static Visibility Of(const TJwwData& doc) {
        Visibility v;
        for (int g = 0; g < kGroups; ++g)
            v.groups[g] =
                static_cast<size_t>(g) >= doc.EntLgrp.size() || doc.EntLgrp[g].anGLay != 0;
        for (int i = 0; i < kGroups * kGroups; ++i)
            v.layers[i] = static_cast<size_t>(i) >= doc.EntLay.size() || doc.EntLay[i].aanLay != 0;
        return v;
    }
    bool Shows(const TEntJwwAttr& att) const {
        const int32_t index = rules::LayerIndex(att);
        return groups[index / kGroups] && layers[index];
    }
};

}  // namespace tw::render
