#include "app/cli/DrawingFacts.h"

#include <tintwright/document/DrawingRules.h>

namespace tw::cli {

KindCounts CountsOf(const EntityView& view) {
    KindCounts counts{};
    size_t next = 0;
    ForEachKind([&]<class R>(std::type_identity<R>) {
        counts[next++] = {EntityKind<R>::name, view.All<R>().size()};
    });
    return counts;
}

std::vector<LayerFacts> LayersOf(const TJwwData& doc) {
    const LayerUsageTable usage = CountLayerUsage(doc);
    std::vector<LayerFacts> layers;
    for (int32_t g = 0; g < tables::kLayerGroups; ++g) {
        for (int32_t l = 0; l < tables::kLayersPerGroup; ++l) {
            const auto i = static_cast<size_t>(rules::LayerIndex(g, l));
            LayerFacts facts{g, l, {}, {}, 0, usage[i]};
            if (static_cast<size_t>(g) < doc.EntLgrp.size())
                facts.groupName = doc.EntLgrp[static_cast<size_t>(g)].aStrGLayName;
            if (i < doc.EntLay.size()) {
                facts.name = doc.EntLay[i].aStrLayName;
                facts.state = doc.EntLay[i].aanLay;
            }
            layers.push_back(std::move(facts));
        }
    }
    return layers;
}

}  // namespace tw::cli
