// The pixel size of a view drawn at a resolution, shared by every raster
// output, and the error an output reports when it cannot be made.
#pragma once

#include <stdexcept>

#include <tintwright/render/Primitives.h>

namespace tw::render {

// Thrown when an output cannot be made (too many pixels, a device that fails).
struct OutputError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct PixelSize {
    int width = 0, height = 0;
};

// The view at dpi pixels per inch; OutputError when the image would be too
// large for memory or for the image libraries' own limits.
PixelSize RasterSizeOf(const Box& view, double dpi);

}  // namespace tw::render
