// Where a viewer looks on the paper: the paper point at the centre of its
// drawing area and the millimetres one screen pixel spans. Fitting, zooming
// about a point and panning, toolkit-free, for the Qt and the Windows viewer.
#pragma once

#include <tintwright/render/Primitives.h>

namespace tw {

// The drawing area's size in pixels, as it is at each call.
struct AreaSize {
    double width = 1, height = 1;
};

class ViewTransform {
  public:
    // The box fills the area, centred.
    void Fit(const render::Box& box, AreaSize area);
    // factor > 1 enlarges; the paper point under the pixel stays under it.
    void ZoomAt(const render::Point& pixel, double factor, AreaSize area);
    void PanBy(double dx, double dy);

    // The part of the paper in view, in millimetres.
    render::Box View(AreaSize area) const;
    render::Point PaperAt(const render::Point& pixel, AreaSize area) const;
    double MillimetresPerPixel() const { return millimetresPerPixel_; }
    // Screen pixels per paper millimetre.
    double Zoom() const { return 1 / millimetresPerPixel_; }

  private:
    double centreX_ = 0, centreY_ = 0;
    double millimetresPerPixel_ = 1;
};

}  // namespace tw
