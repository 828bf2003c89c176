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

enum class Fit { Paper, Extents };

struct RenderOptions {
    Fit fit = Fit::Paper;
    std::optional<Box> view;  // the part of the paper shown; overrides fit
    bool print = false;       // print colours and widths instead of the screen's
    bool blackBackground = false;
    std::optional<Visibility> visibility;  // the drawing's own when none
};

// What became of the entities the walk met (insertions expanded): each one
// is drawn, hidden by its layer, culled, or undrawable with its reason.
struct RenderReport {
    int64_t visited = 0;
    int64_t drawn = 0;
    int64_t hidden = 0;
    int64_t culled = 0;
    int64_t undrawable = 0;
    std::map<std::string, int64_t> reasons;  // why, and how many, for undrawable ones
    ExpansionReport expansion;
};

// The paper sheet centred on the origin, or the drawing's extents (the sheet
// for an empty drawing), with a small margin for extents.
Box ViewOf(const TJwwData& doc, Fit fit);

RenderReport Render(const TJwwData& doc, const RenderOptions& options, Backend& backend);

}  // namespace tw::render
