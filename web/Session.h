// What the page does with the library: one drawing opened from bytes, drawn
// for the canvas, exported to DXF or SVG, and the colour chart saved. Files
// live in Emscripten's in-memory file system only: nothing leaves the page.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <tintwright/render/CanvasBackend.h>
#include "app/ShownDrawing.h"

namespace tw::web {

// What the images of one output (SVG, DXF) may take unpacked, together.
inline constexpr uint64_t kImagesBudget = uint64_t{128} << 20;

struct LayerRow {
    int group = 0;
    int layer = 0;
    std::string groupName;  // UTF-8
    std::string name;       // UTF-8
    int64_t entities = 0;
};

class Session {
  public:
    // Reads a drawing, its images left packed until an output needs them;
    // throws UnreadableDrawing with the reason, and then no drawing is open.
    void Open(const std::string& bytes);
    void Close() { drawing_.reset(); }
    bool HasDrawing() const { return drawing_ != nullptr; }

    // Draws the sheet (screen or print colours) into canvas commands; the
    // report's line as `tintwright-cli render FILE OUT.svg` prints it.
    std::string Draw(bool print, render::CanvasBackend& canvas) const;
    // The SVG file `tintwright-cli render FILE OUT.svg [--print]` writes;
    // throws std::runtime_error when its images need more than kImagesBudget.
    std::string Svg(bool print) const;
    // The DXF file `tintwright-cli export FILE OUT.dxf --dxf VERSION` writes;
    // throws std::runtime_error with the reason when nothing was written,
    // as when its images need more than kImagesBudget.
    std::string Dxf(const std::string& version) const;
    // The drawing as a JWW file in that version ("7.00") and text code
    // ("ansi", "utf16"); an empty one keeps the drawing's own, so that a
    // drawing saved unchanged is the file it came from.
    std::string Jww(const std::string& version, const std::string& textCode);
    std::vector<LayerRow> Layers() const;

  private:
    std::unique_ptr<ShownDrawing> drawing_;
};

// The colour chart `tintwright-cli chart OUT --palette P --format V
// --text-code C` writes; throws std::invalid_argument for an unknown choice
// and std::runtime_error with the reason when the save fails.
std::string Chart(const std::string& palette, const std::string& version,
                  const std::string& textCode);

}  // namespace tw::web
