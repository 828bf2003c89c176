// What `dump` reports of a drawing: entity kinds by name and counts by kind.
#pragma once

#include <array>
#include <cstdint>

#include "document/JwwUnit.h"

namespace tw::cli {

constexpr int32_t kKinds = 7;

// "line", "arc", "point", "text", "dimension", "solid" or "block" for the
// kinds 1 to 7.
const char* KindName(int32_t kind);

// Entities by kind, entry kind - 1.
using KindCounts = std::array<int32_t, kKinds>;
KindCounts CountsOf(const TJwwData& doc);
KindCounts CountsOf(const TEntJwwBlockDef& def);

}  // namespace tw::cli
