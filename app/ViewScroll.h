// The viewer's scroll bars, toolkit-free: they span the paper sheet, what is
// drawn and the view, in pixels at the zoom; moving one pans the view.
#pragma once

#include <tintwright/render/Primitives.h>

namespace tw {

// One bar: values 0 to maximum (the view's far edge at the area's), a page
// the view's size, a step a twentieth of it.
struct ScrollBarRange {
    int maximum = 0;
    int page = 1;
    int step = 1;
    int value = 0;
};

// Horizontal values grow to the right from the area's left edge; vertical
// ones downwards from its top, as the screen's y does.
struct ViewScroll {
    ScrollBarRange horizontal, vertical;
};

render::Box Union(const render::Box& a, const render::Box& b);

// The bars for the view inside the area (content with the view) at zoom px/mm.
ViewScroll ScrollOf(const render::Box& view, const render::Box& area, double zoom);
// The pan in pixels (as ViewTransform::PanBy takes it) that brings the view
// to the bars' values.
render::Point PanToScroll(int horizontal, int vertical, const render::Box& view,
                          const render::Box& area, double zoom);

}  // namespace tw
