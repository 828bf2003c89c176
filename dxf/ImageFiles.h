// The bound images a DXF file of 2000 or later refers to: copied (and
// unpacked, when the drawing holds them gzip-compressed) from the drawing's
// image folder into "<stem>_images" beside the DXF file.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "document/Geometry.h"
#include "dxf/Context.h"

namespace tw::dxf {

struct ImageCopies {
    std::vector<ImageFile> images;
    std::vector<std::filesystem::path> written;  // removed again should the export fail
    std::vector<std::string> warnings;           // images that could not be found
};

ImageCopies CopyBoundImages(const TJwwData& doc, const std::filesystem::path& dxfFile);

// The bound images the drawing's texts place, the first placement of each.
std::vector<geom::ImagePlacement> PlacedImages(const TJwwData& doc);

}  // namespace tw::dxf
