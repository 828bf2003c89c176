// The GDI+ backend of Windows: draws the primitives on a GDI+ surface (a
// bitmap for PNG, the viewer's back buffer), the view filling the target
// rectangle. GDI+ must be started (GdiplusSession.h) before one is made.
#pragma once

#include <windows.h>

#include <gdiplus.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <tintwright/render/Backend.h>

namespace tw::render {

class GdiplusBackend : public Backend {
  public:
    // target: the device rectangle the view fills, in pixels.
    GdiplusBackend(Gdiplus::Graphics& graphics, const Gdiplus::RectF& target);

    void Begin(const Box& view, uint32_t background) override;
    void Draw(const Polyline& line) override;
    void Draw(const Polygon& solid) override;
    void Draw(const Dot& point) override;
    void Draw(const TextRun& text) override;
    bool Draw(const ImageRun& image) override;
    void End() override;

  private:
    // A face at the size texts are laid out in, and how far its base line
    // lies below the top of its cell (GDI+ places text by that top).
    struct Face {
        std::unique_ptr<Gdiplus::Font> font;
        float ascent = 0;
    };

    Gdiplus::PointF Map(const Point& p) const;
    void MapAll(const std::vector<Point>& points);
    // Faces are looked up once per list of families: making one is costly.
    const Face& FaceOf(const std::vector<std::string>& families);

    Gdiplus::Graphics& graphics_;
    Gdiplus::RectF target_;
    Box view_;
    double sx_ = 1, sy_ = 1;
    std::vector<Gdiplus::PointF> mapped_;
    std::map<std::vector<std::string>, Face> faces_;
};

}  // namespace tw::render
