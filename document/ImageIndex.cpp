#include <tintwright/document/ImageIndex.h>

#include <algorithm>

#include <tintwright/util/Func_2.h>

namespace tw {

ImageIndex::ImageIndex(std::span<const TBindImageType> images) {
    sorted_.reserve(images.size());
    for (size_t i = 0; i < images.size(); ++i)
        sorted_.emplace_back(UpperText(images[i].Fname), i);
    std::sort(sorted_.begin(), sorted_.end());
}

std::optional<size_t> ImageIndex::Find(const std::u16string& name) const {
    const std::u16string wanted = UpperText(name);
    // Names beginning with `wanted` sort together, from the first not below it.
    auto it = std::lower_bound(sorted_.begin(), sorted_.end(),
                               std::pair<std::u16string, size_t>(wanted, 0));
    std::optional<size_t> first;
    for (; it != sorted_.end() && it->first.starts_with(wanted); ++it)
        first = std::min(first.value_or(it->second), it->second);
    return first;
}

}  // namespace tw
