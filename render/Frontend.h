// The frontend of the renderer: walks a drawing with its insertions expanded,
// skips what hidden layers and groups hold, culls what lies outside the view,
// clips what crosses it and hands each entity to a backend as primitives with
// their final colour, width, dash pattern, font and size; on screen, what is
// smaller than a pixel is drawn as that pixel.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include <tintwright/document/BlockExpansion.h>
#include <tintwright/document/JwwUnit.h>
#include <tintwright/render/Backend.h>
#include <tintwright/render/ViewIndex.h>
#include <tintwright/render/Visibility.h>

namespace tw::render {

// The sheet; what is drawn; or, as Jw_cad opens a drawing, the sheet unless
// what is drawn lies off it.
enum class Fit { Paper, Extents, Opening };

struct RenderOptions {
    Fit fit = Fit::Paper;
    std::optional<Box> view;  // the part of the paper shown; overrides fit
    bool print = false;       // what prints, in print colours and widths, instead of the screen's
    std::optional<bool> colour;  // print in colour or not; the drawing's own choice when none
    double screenPixel = 0.1;    // millimetres of one device pixel, for screen dash patterns
    bool blackBackground = false;
    std::optional<Visibility> visibility;  // the drawing's own when none
    // The screen's level of detail, the millimetres of one device pixel: an
    // entity smaller than that both ways is drawn as that pixel in its colour
    // (render/PixelMarks.h), and one wholly off the view is passed by before it is
    // resolved. 0 draws every entity in full, as files need.
    double detail = 0;
};

// What became of the entities the walk met (insertions expanded): each one
// is drawn, hidden by its layer, left out by the medium (what does not print),
// culled, or undrawable with its reason.
struct RenderReport {
    int64_t visited = 0;
    int64_t drawn = 0;
    int64_t hidden = 0;
    int64_t leftOut = 0;
    int64_t culled = 0;
    int64_t undrawable = 0;
    std::map<std::string, int64_t> reasons;  // why, and how many, for undrawable ones
    ExpansionReport expansion;
};

// The view options give (their own, or by their fit): the paper sheet centred
// on the origin, or the extents of what the medium draws (the sheet when
// nothing is drawn), with a small margin for extents.
Box ViewOf(const TJwwData& doc, const RenderOptions& options);

RenderReport Render(const TJwwData& doc, const RenderOptions& options, Backend& backend);

// A drawing prepared for a viewer's many pictures in one look (medium,
// colours, background, layers: the options but their view and detail): each
// of its own entries measured once and indexed, so that a picture costs what
// is in view, and what is smaller than a pixel there costs one mark.
struct PreparedDrawing {
    const TJwwData* doc = nullptr;  // not owned
    RenderOptions look;
    ViewIndex index;
    RenderReport left;  // what no picture draws: entries on hidden layers or left out
};
PreparedDrawing Prepare(const TJwwData& doc, const RenderOptions& look);

// Where a viewer's picture looks: the part of the paper, the millimetres of
// one screen pixel (screen dash patterns) and of one device pixel (detail).
struct PictureView {
    Box view;
    double screenPixel = 0.1;
    double devicePixel = 0.1;
};
// The picture drawn as Render draws it with that detail. Counts in the
// report are by record; a mark counts every record it stands for as drawn.
RenderReport Render(const PreparedDrawing& drawing, const PictureView& picture, Backend& backend);

}  // namespace tw::render
