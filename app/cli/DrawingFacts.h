// What `dump` reports of a drawing: entity counts by kind, in kind order.
#pragma once

#include <array>
#include <cstddef>

#include "document/EntityView.h"

namespace tw::cli {

struct KindCount {
    const char* name;  // "line" ... "block"
    size_t count;
};
using KindCounts = std::array<KindCount, kEntityKinds>;

// The records of each kind that the view holds.
KindCounts CountsOf(const EntityView& view);

}  // namespace tw::cli
