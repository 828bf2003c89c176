#include <tintwright/document/PlacedImages.h>

#include <algorithm>

#include <tintwright/document/EntityView.h>

namespace tw {

std::vector<geom::ImagePlacement> PlacedImages(const TJwwData& doc) {
    std::vector<geom::ImagePlacement> images;
    const auto collect = [&](const EntityView& view) {
        ForEachEntityOf<TEntJwwMoji>(view, [&](const TEntJwwMoji& text) {
            const auto image = geom::ImageOf(text);
            if (image && std::none_of(images.begin(), images.end(),
                                      [&](const auto& known) { return known.name == image->name; }))
                images.push_back(*image);
        });
    };
    collect(EntityView::Of(doc));
    ForEachDefinition(doc, [&](const TEntJwwBlockDef& def) { collect(EntityView::Of(def)); });
    return images;
}

}  // namespace tw
