// The pixel size of a view drawn at a resolution, shared by every raster
// output, the largest PDF page, and the error an output reports when it
// cannot be made.
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

// The command line's PDF coordinate grid, in units per inch.
constexpr double kPdfResolution = 1200;

// Refuses (OutputError naming both sizes) a PDF page of the view larger than
// Qt's writer holds at dpi: it counts its page in whole units of its grid as
// an int, and draws a larger page wrapped or empty. Our own writer keeps the
// same limit, so that a PDF one platform writes the other writes too.
void CheckPdfPage(const Box& view, double dpi);

}  // namespace tw::render
