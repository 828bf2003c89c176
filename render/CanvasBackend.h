// The Canvas 2D backend of the web page: the primitives as a flat list of
// numbers (and a list of texts) that the page's script replays on a canvas
// with its own zoom and pan. Kept in paper millimetres, so that zooming
// needs no second walk over the drawing.
#pragma once

#include <string>
#include <vector>

#include <tintwright/render/Backend.h>

namespace tw::render {

// Each command starts with its code; the script (web/canvas.js) reads them.
enum class CanvasCode {
    Begin = 0,     // minX minY maxX maxY background
    Polyline = 1,  // rgb width dashCount dashes... pointCount x y ...
    Polygon = 2,   // rgb pointCount x y ...
    Dot = 3,       // rgb x y radius
    Text = 4,      // rgb x y height length angle textIndex fontIndex
    Image = 5,     // x y width height angle: the frame of a bound image
};

class CanvasBackend : public Backend {
  public:
    void Begin(const Box& view, uint32_t background) override;
    void Draw(const Polyline& line) override;
    void Draw(const Polygon& solid) override;
    void Draw(const Dot& point) override;
    void Draw(const TextRun& text) override;
    bool Draw(const ImageRun& image) override;
    void End() override {}

    const std::vector<double>& Commands() const { return commands_; }
    const std::vector<std::string>& Texts() const { return texts_; }

  private:
    void Put(CanvasCode code) { commands_.push_back(static_cast<double>(code)); }
    void Points(const std::vector<Point>& points);
    double TextIndex(const std::string& text);

    std::vector<double> commands_;
    std::vector<std::string> texts_;
};

}  // namespace tw::render
