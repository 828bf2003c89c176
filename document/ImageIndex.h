// The drawing's stored images by name, for finding the one a text places:
// the first entry whose name begins with the placed name, in any case, as
// Jw_cad matches them. Sorted once, so that a drawing of many images costs
// no pass over all of them per text.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include <tintwright/document/jwwtype.h>

namespace tw {

class ImageIndex {
  public:
    explicit ImageIndex(std::span<const TBindImageType> images);

    // The position of the first entry whose name begins with `name`.
    std::optional<size_t> Find(const std::u16string& name) const;

  private:
    std::vector<std::pair<std::u16string, size_t>> sorted_;  // upper-case name, position
};

}  // namespace tw
