#include <tintwright/document/RecordBounds.h>

#include <cmath>

#include <tintwright/document/DrawingRules.h>

namespace tw {

void RecordBounds::Add(geom::Point p) {
    const geom::Point q = geom::Apply(xf_, p);
    if (!std::isfinite(q.x) || !std::isfinite(q.y)) {  // a damaged value shows nowhere
        finite_ = false;
        return;
    }
    Add(geom::Box::Of(q));
}

void RecordBounds::Add(const geom::Box& b) {
    if (!std::isfinite(b.minX + b.minY + b.maxX + b.maxY)) {
        finite_ = false;
        return;
    }
    if (box_)
        box_->Add(b);
    else
        box_ = b;
}

void RecordBounds::Add(const TEntJwwLine& e) {
    Add(std::array<geom::Point, 2>{{{e.start_x, e.start_y}, {e.end_x, e.end_y}}});
}

void RecordBounds::Add(const TEntJwwEnko& e) {
    Add(geom::BoundsOf(geom::EllipseOf(e), xf_));
}

void RecordBounds::Add(const TEntJwwTen& e) {
    Add(geom::Point{e.start_x, e.start_y});
}

void RecordBounds::Add(const TEntJwwMoji& e) {
    if (const auto image = geom::ImageOf(e))
        Add(image->Corners());
    else
        Add(geom::TextCorners(e));
}

void RecordBounds::Add(const TEntJwwSunpo& e) {
    Add(e.Sen);
    Add(e.Moji);
    if (e.bSxfMode == 0) return;
    for (const TEntJwwLine* part : {&e.Ho1, &e.Ho2})
        Add(*part);
    for (const TEntJwwTen* part : {&e.Te1, &e.Te2, &e.Kt1, &e.Kt2})
        Add(*part);
}

void RecordBounds::Add(const TEntJwwSolid& e) {
    if (!rules::IsCurvedSolid(e)) return Add(geom::SolidCorners(e));
    const geom::CurvedSolid s = geom::CurvedSolidOf(e);
    Add(geom::BoundsOf(s.outer, xf_));
    if (s.shape == geom::CurvedSolidShape::Sector && !s.outer.IsFull()) Add(s.outer.centre);
}

}  // namespace tw
