#include "app/ViewTransform.h"

#include <algorithm>

namespace tw {

namespace {

constexpr double kMinMillimetresPerPixel = 1e-4;
constexpr double kMaxMillimetresPerPixel = 1e5;

double Clamped(double millimetresPerPixel) {
    return std::clamp(millimetresPerPixel, kMinMillimetresPerPixel, kMaxMillimetresPerPixel);
}

}  // namespace

void ViewTransform::Fit(const render::Box& box, AreaSize area) {
    centreX_ = (box.minX + box.maxX) / 2;
    centreY_ = (box.minY + box.maxY) / 2;
    millimetresPerPixel_ = Clamped(std::max(box.Width() / std::max(area.width, 1.0),
                                            box.Height() / std::max(area.height, 1.0)));
}

void ViewTransform::ZoomAt(const render::Point& pixel, double factor, AreaSize area) {
    const render::Point paper = PaperAt(pixel, area);
    millimetresPerPixel_ = Clamped(millimetresPerPixel_ / factor);
    centreX_ = paper.x - (pixel.x - area.width / 2) * millimetresPerPixel_;
    centreY_ = paper.y + (pixel.y - area.height / 2) * millimetresPerPixel_;
}

void ViewTransform::PanBy(double dx, double dy) {
    centreX_ -= dx * millimetresPerPixel_;
    centreY_ += dy * millimetresPerPixel_;
}

render::Box ViewTransform::View(AreaSize area) const {
    const double halfW = area.width * millimetresPerPixel_ / 2;
    const double halfH = area.height * millimetresPerPixel_ / 2;
    return {centreX_ - halfW, centreY_ - halfH, centreX_ + halfW, centreY_ + halfH};
}

render::Point ViewTransform::PaperAt(const render::Point& pixel, AreaSize area) const {
    const render::Box v = View(area);
    return {v.minX + pixel.x * millimetresPerPixel_, v.maxY - pixel.y * millimetresPerPixel_};
}

}  // namespace tw
