#include "document/Extents.h"

#include <cmath>

#include "document/DrawingRules.h"

namespace tw {

namespace {

// What a medium draws, for the extents of what is drawn.
struct Drawn {
    const rules::LayerStates& layers;
    rules::Medium medium;
};

// Grows one box by each record it is handed, as the record's placement puts
// it; only by what is drawn when told what that is.
class BoundsCollector {
  public:
    explicit BoundsCollector(const EntityScale& scale, std::optional<Drawn> drawn = {})
        : scale_(scale), drawn_(drawn) {}

    const std::optional<geom::Box>& Bounds() const { return box_; }

    template <class R>
    void operator()(const R& r, const Placement& at) {
        const TEntJwwAttr& layerOf = at.outermost ? at.outermost->att : r.att;
        if (drawn_ && !(drawn_->layers.Shows(layerOf) && rules::Appears(r, drawn_->medium))) return;
        xf_ = at.xf;
        if (scale_) {
            const double k = scale_(r.att, at);
            xf_ = Transform{k, 0, 0, k, 0, 0}.After(at.xf);
        }
        Add(r);
    }

  private:
    void Add(geom::Point p) {
        const geom::Point q = geom::Apply(xf_, p);
        if (!std::isfinite(q.x) || !std::isfinite(q.y)) return;  // a damaged value shows nowhere
        Add(geom::Box::Of(q));
    }
    void Add(const geom::Box& b) {
        if (!std::isfinite(b.minX + b.minY + b.maxX + b.maxY)) return;
        if (box_)
            box_->Add(b);
        else
            box_ = b;
    }
    template <size_t N>
    void Add(const std::array<geom::Point, N>& points) {
        for (const geom::Point& p : points)
            Add(p);
    }

    void Add(const TEntJwwLine& e) {
        Add(std::array<geom::Point, 2>{{{e.start_x, e.start_y}, {e.end_x, e.end_y}}});
    }
    void Add(const TEntJwwEnko& e) { Add(geom::BoundsOf(geom::EllipseOf(e), xf_)); }
    void Add(const TEntJwwTen& e) { Add(geom::Point{e.start_x, e.start_y}); }
    void Add(const TEntJwwMoji& e) {
        if (const auto image = geom::ImageOf(e))
            Add(image->Corners());
        else
            Add(geom::TextCorners(e));
    }
    void Add(const TEntJwwSunpo& e) {
        Add(e.Sen);
        Add(e.Moji);
        if (e.bSxfMode == 0) return;
        for (const TEntJwwLine* part : {&e.Ho1, &e.Ho2})
            Add(*part);
        for (const TEntJwwTen* part : {&e.Te1, &e.Te2, &e.Kt1, &e.Kt2})
            Add(*part);
    }
    void Add(const TEntJwwSolid& e) {
        if (!rules::IsCurvedSolid(e)) return Add(geom::SolidCorners(e));
        const geom::CurvedSolid s = geom::CurvedSolidOf(e);
        Add(geom::BoundsOf(s.outer, xf_));
        if (s.shape == geom::CurvedSolidShape::Sector && !s.outer.IsFull()) Add(s.outer.centre);
    }

    const EntityScale& scale_;
    std::optional<Drawn> drawn_;
    Transform xf_;
    std::optional<geom::Box> box_;
};

}  // namespace

std::optional<geom::Box> GetMinMaxZahyo(const TJwwData& doc, const EntityScale& scale) {
    BoundsCollector bounds(scale);
    ForEachExpanded(doc, bounds);
    return bounds.Bounds();
}

std::optional<geom::Box> DrawnExtents(const TJwwData& doc, const rules::LayerStates& layers,
                                      rules::Medium medium) {
    const EntityScale none;
    BoundsCollector bounds(none, Drawn{layers, medium});
    ForEachExpanded(doc, bounds);
    return bounds.Bounds();
}

std::optional<geom::Box> GetMinMaxZahyo(const TJwwData& doc) {
    return GetMinMaxZahyo(doc, EntityScale{});
}

}  // namespace tw
