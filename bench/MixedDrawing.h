// A generated drawing of N entities with the mix of a real plan: mostly
// lines, some arcs, texts with Japanese strings, points, solids, and a few
// block insertions of small definitions.
#pragma once

#include <cstdint>

#include "document/JwwUnit.h"

namespace tw::bench {

// Fills doc (emptied and given the defaults first) with n entities in a
// fixed, repeatable order and rebuilds the block bookkeeping. One entity in
// a hundred inserts one of `definitions` (at least 1), in turn.
constexpr int32_t kMixedDrawingDefinitions = 3;
void MakeMixedDrawing(TJwwData& doc, int32_t n, int32_t definitions = kMixedDrawingDefinitions);

// One drawing of n entities per size, made once and kept for the run.
const TJwwData& MixedDrawingOf(int64_t n);

}  // namespace tw::bench
