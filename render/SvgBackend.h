// The SVG backend: writes the primitives as SVG text, with no library, so it
// builds wherever the drawing library does. One unit of the SVG is one paper
// millimetre; the document's size is the view's in millimetres.
#pragma once

#include <string>

#include <tintwright/render/Backend.h>

namespace tw::render {

class SvgBackend : public Backend {
  public:
    // out receives the document; no stroke is drawn thinner than minWidth
    // millimetres (a device pixel of the resolution it is meant for).
    SvgBackend(std::string& out, double minWidth);

    void Begin(const Box& view, uint32_t background) override;
    void Draw(const Polyline& line) override;
    void Draw(const Polygon& solid) override;
    void Draw(const Dot& point) override;
    void Draw(const TextRun& text) override;
    bool Draw(const ImageRun& image) override;
    void End() override;

  private:
    void Number(double v);
    void Coordinates(const Point& p);  // "x y" of the SVG for a paper point
    void Color(uint32_t rgb);
    void Rotation(double angle, const Point& about);  // a transform attribute, if turned
    void Points(const std::vector<Point>& points);

    std::string& out_;
    double minWidth_;
    Box view_;
};

}  // namespace tw::render
