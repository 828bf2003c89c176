#include "app/ViewScroll.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tw {

namespace {

// Millimetres in pixels at the zoom, within what a scroll bar holds.
int Pixels(double millimetres, double zoom) {
    constexpr double kLimit = std::numeric_limits<int>::max() / 4;
    return static_cast<int>(std::clamp(std::round(millimetres * zoom), -kLimit, kLimit));
}

ScrollBarRange BarOf(int maximum, int page, int value) {
    page = std::max(page, 1);
    return {std::max(maximum, 0), page, std::max(page / 20, 1), value};
}

}  // namespace

render::Box Union(const render::Box& a, const render::Box& b) {
    return {std::min(a.minX, b.minX), std::min(a.minY, b.minY), std::max(a.maxX, b.maxX),
            std::max(a.maxY, b.maxY)};
}

ViewScroll ScrollOf(const render::Box& view, const render::Box& area, double zoom) {
    return {BarOf(Pixels(area.Width() - view.Width(), zoom), Pixels(view.Width(), zoom),
                  Pixels(view.minX - area.minX, zoom)),
            BarOf(Pixels(area.Height() - view.Height(), zoom), Pixels(view.Height(), zoom),
                  Pixels(area.maxY - view.maxY, zoom))};
}

render::Point PanToScroll(int horizontal, int vertical, const render::Box& view,
                          const render::Box& area, double zoom) {
    return {(view.minX - area.minX) * zoom - horizontal, (area.maxY - view.maxY) * zoom - vertical};
}

}  // namespace tw
