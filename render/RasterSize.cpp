#include <tintwright/render/RasterSize.h>

#include <cmath>
#include <cstdio>
#include <limits>

namespace tw::render {

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kMaxPixels = 400e6;  // about 1.6 GB of image; more is refused
constexpr double kMaxSide = 32000;    // QImage's and GDI+'s own limits are near here

}  // namespace

PixelSize RasterSizeOf(const Box& view, double dpi) {
    const double w = std::ceil(view.Width() * dpi / kMillimetresPerInch);
    const double h = std::ceil(view.Height() * dpi / kMillimetresPerInch);
    if (!(w >= 1 && h >= 1 && w <= kMaxSide && h <= kMaxSide && w * h <= kMaxPixels))
        throw OutputError("the image would be too large at this resolution");
    return {static_cast<int>(w), static_cast<int>(h)};
}

void CheckPdfPage(const Box& view, double dpi) {
    const double limit =
        std::floor((std::numeric_limits<int>::max() - 1) / dpi * kMillimetresPerInch);
    if (view.Width() <= limit && view.Height() <= limit) return;
    char text[200];
    std::snprintf(text, sizeof text,
                  "the page would be %.0f x %.0f mm, more than the %.0f mm a side a PDF page "
                  "can have",
                  view.Width(), view.Height(), limit);
    throw OutputError(text);
}

}  // namespace tw::render
