#include <tintwright/render/PixelMarks.h>

#include <algorithm>
#include <cmath>

namespace tw::render {

namespace {

int64_t CellsAcross(double length, double pixel) {
    const double cells = std::ceil(length / pixel);
    return std::isfinite(cells) && cells >= 1 &&
                   cells <= static_cast<double>(PixelMarks::kMostPixels)
               ? static_cast<int64_t>(cells)
               : 0;
}

int64_t Cell(double offset, double pixel, int64_t count) {
    const double cell = std::floor(offset / pixel);
    return static_cast<int64_t>(std::clamp(cell, 0.0, static_cast<double>(count - 1)));
}

}  // namespace

PixelMarks::PixelMarks(const Box& view, double pixel) : view_(view), pixel_(pixel) {
    if (!(pixel > 0)) return;
    columns_ = CellsAcross(view.Width(), pixel);
    rows_ = CellsAcross(view.Height(), pixel);
    if (columns_ > 0 && rows_ > 0 && columns_ <= kMostPixels / rows_)
        waiting_.assign(static_cast<size_t>(columns_ * rows_), 0);
}

void PixelMarks::Add(const Point& p, uint32_t rgb) {
    const int64_t column = Cell(p.x - view_.minX, pixel_, columns_);
    const int64_t row = Cell(view_.maxY - p.y, pixel_, rows_);
    const int64_t cell = row * columns_ + column;
    uint32_t& wanted = waiting_[static_cast<size_t>(cell)];
    if (wanted == 0) touched_.push_back(cell);
    wanted = rgb + 1;
}

Polygon PixelMarks::SquareOf(int64_t cell, uint32_t rgb) const {
    const double left = view_.minX + static_cast<double>(cell % columns_) * pixel_;
    const double top = view_.maxY - static_cast<double>(cell / columns_) * pixel_;
    return {
        rgb,
        {{left, top}, {left + pixel_, top}, {left + pixel_, top - pixel_}, {left, top - pixel_}}};
}

}  // namespace tw::render
