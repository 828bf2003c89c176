// The entries of a growable array that belong to the drawing: the first
// count ones, never more than the array holds (a damaged file may claim more)
// and none for a negative count.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

namespace tw {

template <class T>
std::span<T> Counted(std::vector<T>& entries, int32_t count) {
    const size_t n = count > 0 ? std::min(static_cast<size_t>(count), entries.size()) : 0;
    return std::span<T>(entries.data(), n);
}

template <class T>
std::span<const T> Counted(const std::vector<T>& entries, int32_t count) {
    const size_t n = count > 0 ? std::min(static_cast<size_t>(count), entries.size()) : 0;
    return std::span<const T>(entries.data(), n);
}

}  // namespace tw
