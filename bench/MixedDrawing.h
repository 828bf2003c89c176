// A generated drawing of N entities with the mix of a real plan: mostly
// lines, some arcs, texts with Japanese strings, points, solids, and a few
// block insertions of three small definitions.
#pragma once

#include <cstdint>

#include "document/JwwUnit.h"

namespace tw::bench {

// Fills doc (emptied and given the defaults first) with n entities in a
// fixed, repeatable order and rebuilds the block bookkeeping.
void MakeMixedDrawing(TJwwData& doc, int32_t n);

}  // namespace tw::bench
