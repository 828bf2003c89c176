#include <tintwright/document/Extents.h>

#include <tintwright/document/DrawingRules.h>
#include <tintwright/document/RecordBounds.h>

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
        // Without a medium, what the screen may show: all but setting texts.
        const rules::Medium medium = drawn_ ? drawn_->medium : rules::Medium::Screen;
        if (!rules::Appears(r, medium) || (drawn_ && !drawn_->layers.Shows(layerOf))) return;
        Transform xf = at.xf;
        if (scale_) {
            const double k = scale_(r.att, at);
            xf = Transform{k, 0, 0, k, 0, 0}.After(at.xf);
        }
        const auto b = bounds_(r, xf);
        if (!b) return;
        if (box_)
            box_->Add(*b);
        else
            box_ = b;
    }

  private:
    const EntityScale& scale_;
    std::optional<Drawn> drawn_;
    RecordBounds bounds_;
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
