// The viewer's status line, the same words in every toolkit: the cursor's
// paper position, the real position at the drawing's scale, and the zoom.
#pragma once

#include <string>

#include <tintwright/document/JwwUnit.h>
#include <tintwright/render/Primitives.h>

namespace tw {

// Real millimetres per paper millimetre in the group being drawn on, as
// Jw_cad's own coordinate display counts them; 1 where the group has none.
double WriteGroupScale(const TJwwData& doc);

// "x, y mm on paper    X, Y mm real (1:S)    zoom Z px/mm"; without a
// drawing, real is paper (1:1). The same digits in every locale.
std::string ViewerStatus(const render::Point& paper, const TJwwData* doc, double zoom);

}  // namespace tw
