#include "app/LayerRows.h"

#include <tintwright/document/LayerUsage.h>

namespace tw {

namespace {

constexpr int kRows = render::Visibility::kGroups;

std::u16string LabelOf(int number, const std::u16string& name, int64_t entities) {
    constexpr char16_t kHex[] = u"0123456789ABCDEF";
    std::u16string label(1, kHex[number]);
    if (!name.empty()) label += u" " + name;
    const std::string count = std::to_string(entities);
    return label + u" (" + std::u16string(count.begin(), count.end()) + u")";
}

std::u16string GroupName(const TJwwData& doc, size_t group) {
    return group < doc.EntLgrp.size() ? doc.EntLgrp[group].aStrGLayName : u"";
}

std::u16string LayerName(const TJwwData& doc, size_t index) {
    return index < doc.EntLay.size() ? doc.EntLay[index].aStrLayName : u"";
}

}  // namespace

LayerPanelRows LayerRowsOf(const TJwwData& doc, const render::Visibility& shown) {
    const LayerUsageTable usage = CountLayerUsage(doc);
    LayerPanelRows rows;
    for (int g = 0; g < kRows; ++g) {
        int64_t groupEntities = 0;
        for (int l = 0; l < kRows; ++l) {
            const int index = g * kRows + l;
            groupEntities += usage[index].entities;
            rows[g].layers[l] = {LabelOf(l, LayerName(doc, index), usage[index].entities),
                                 shown.layers[index]};
        }
        rows[g].group = {LabelOf(g, GroupName(doc, g), groupEntities), shown.groups[g]};
    }
    return rows;
}

}  // namespace tw
