#include <tintwright/document/LayerUsage.h>

#include <tintwright/document/DrawingRules.h>
#include <tintwright/document/EntityView.h>

namespace tw {

LayerUsageTable CountLayerUsage(const TJwwData& doc) {
    LayerUsageTable usage{};
    ForEachEntity(EntityView::Of(doc),
                  [&](const auto& r) { ++usage[rules::LayerIndex(r.att)].entities; });
    ForEachDefinition(doc, [&](const TEntJwwBlockDef& def) {
        ForEachEntity(EntityView::Of(def),
                      [&](const auto& r) { ++usage[rules::LayerIndex(r.att)].inBlocks; });
    });
    return usage;
}

}  // namespace tw
