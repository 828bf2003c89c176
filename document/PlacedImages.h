// The bound images a drawing's texts place ("^@BM" texts, in the drawing and
// in its block definitions): what outputs need of the drawing's images.
#pragma once

#include <vector>

#include <tintwright/document/Geometry.h>
#include <tintwright/document/JwwUnit.h>

namespace tw {

// The first placement of each image, by name, in drawing order.
std::vector<geom::ImagePlacement> PlacedImages(const TJwwData& doc);

}  // namespace tw
