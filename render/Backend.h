// A device the frontend draws on: SVG text, or a QPainter for PNG, PDF and
// the screen. Calls come in drawing order between Begin and End.
#pragma once

#include <tintwright/render/Primitives.h>

namespace tw::render {

class Backend {
  public:
    virtual ~Backend() = default;
    // The part of the paper shown (it fills the device) and its background.
    virtual void Begin(const Box& view, uint32_t background) = 0;
    virtual void Draw(const Polyline& line) = 0;
    virtual void Draw(const Polygon& solid) = 0;
    virtual void Draw(const Dot& point) = 0;
    virtual void Draw(const TextRun& text) = 0;
    // False when the picture cannot be read or decoded: nothing is drawn.
    virtual bool Draw(const ImageRun& image) = 0;
    virtual void End() = 0;
};

}  // namespace tw::render
