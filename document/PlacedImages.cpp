#include <tintwright/document/PlacedImages.h>

#include <unordered_set>

#include <tintwright/document/EntityView.h>

namespace tw {

std::vector<geom::ImagePlacement> PlacedImages(const TJwwData& doc) {
    std::vector<geom::ImagePlacement> images;
    std::unordered_set<std::u16string> named;
    const auto collect = [&](const EntityView& view) {
        ForEachEntityOf<TEntJwwMoji>(view, [&](const TEntJwwMoji& text) {
            const auto image = geom::ImageOf(text);
            if (image && named.insert(image->name).second) images.push_back(*image);
        });
    };
    collect(EntityView::Of(doc));
    ForEachDefinition(doc, [&](const TEntJwwBlockDef& def) { collect(EntityView::Of(def)); });
    return images;
}

}  // namespace tw
