// The screen's level of detail for entities smaller than a pixel: each is
// drawn as the whole pixel it falls in, in its colour. Marks wait in a grid
// until something else is drawn (or the picture ends) and then each waiting
// pixel is drawn once in the colour it got last, so a million marks cost the
// pixels they light rather than a million fills, in the same drawing order.
#pragma once

#include <cstdint>
#include <vector>

#include <tintwright/render/Primitives.h>

namespace tw::render {

class PixelMarks {
  public:
    // The view as the device shows it and the millimetres of one device
    // pixel; a grid past kMostPixels pixels is not kept (Usable() is false).
    PixelMarks(const Box& view, double pixel);
    static constexpr int64_t kMostPixels = int64_t{1} << 26;

    bool Usable() const { return !waiting_.empty(); }
    double Pixel() const { return pixel_; }
    // The pixel holding p (the nearest one for a point just off the view)
    // is to be drawn in rgb.
    void Add(const Point& p, uint32_t rgb);
    // Calls draw with the square of each waiting pixel, then forgets them.
    template <class F>
    void Flush(F&& draw) {
        for (const int64_t cell : touched_) {
            uint32_t& wanted = waiting_[static_cast<size_t>(cell)];
            draw(SquareOf(cell, wanted - 1));
            wanted = 0;
        }
        touched_.clear();
    }

  private:
    Polygon SquareOf(int64_t cell, uint32_t rgb) const;

    Box view_;
    double pixel_ = 0;
    int64_t columns_ = 0, rows_ = 0;
    std::vector<uint32_t> waiting_;  // per pixel: its colour + 1; 0 for none
    std::vector<int64_t> touched_;   // the pixels waiting, in the order first asked
};

}  // namespace tw::render
