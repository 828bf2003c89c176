// The frontend of the renderer: walks a drawing with its insertions expanded,
// skips what hidden layers and groups hold, culls what lies outside the view,
// clips what crosses it and hands each entity to a backend as primitives with
// their final colour, width, dash pattern, font and size.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "document/BlockExpansion.h"
#include "document/JwwUnit.h"
#include "render/Backend.h"
#include "render/Visibility.h"

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

}  // namespace tw::render
