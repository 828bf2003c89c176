// A PDF page's content, written by hand: lines, fills and dots as PDF paths,
// texts as one glyph per character of a Japanese CID font (Adobe-Japan1,
// the reader's own face; nothing is embedded). Bound images are not drawn:
// each is reported as not drawable.
#pragma once

#include <string>

#include <tintwright/render/Backend.h>

namespace tw::render {

class PdfBackend : public Backend {
  public:
    // content: the page's content stream; the page is the view, in points.
    explicit PdfBackend(std::string& content);

    void Begin(const Box& view, uint32_t background) override;
    void Draw(const Polyline& line) override;
    void Draw(const Polygon& solid) override;
    void Draw(const Dot& point) override;
    void Draw(const TextRun& text) override;
    bool Draw(const ImageRun& image) override;
    void End() override;

  private:
    void Path(const std::vector<Point>& points);
    void Add(const char* format, ...);

    std::string& content_;
    Box view_;
};

}  // namespace tw::render
