// The expansion walk: every entity the drawing shows, with block insertions
// replaced by the members of their definitions, each handed with the
// transform that places it in the drawing (composed through nested
// insertions). A definition inserted into itself, directly or through
// others, is not expanded again; nor is anything deeper than maxDepth or past
// maxMembers members in all, so a hostile file cannot make the walk endless.
#pragma once

#include <cstdint>
#include <vector>

#include <tintwright/document/DefinitionIndex.h>
#include <tintwright/document/EntityView.h>
#include <tintwright/document/Transform.h>

namespace tw {

// Where an expanded entity sits.
struct Placement {
    Transform xf;  // from its own coordinates to the drawing's
    // The drawing's own insertion it comes through, null for the drawing's
    // own entities: its layer and group decide whether the member shows.
    const TEntJwwBlock* outermost = nullptr;
    int32_t depth = 0;  // insertions passed through
};

struct ExpansionLimits {
    int32_t maxDepth = 64;
    int64_t maxMembers = int64_t{1} << 24;
};

// What the walk passed over, each counted once per insertion not expanded.
struct ExpansionReport {
    int64_t missing = 0;  // insertions of a number no definition has
    int64_t cycles = 0;   // insertions of a definition already being expanded
    int64_t cut = 0;      // insertions past the depth or member limits
    bool Complete() const { return missing == 0 && cycles == 0 && cut == 0; }
};

// The walk itself, for a caller that walks a drawing a part at a time (a
// viewer, the entries in view): the definitions are indexed once, and the
// member limit counts over every part walked.
template <class F>
class Expander {
  public:
    Expander(const TJwwData& doc, F& f, const ExpansionLimits& limits)
        : defs_(Counted(doc.EntBlockDef, doc.EntBlockDefN)),
          index_(defs_),
          onPath_(defs_.size(), false),
          f_(f),
          limits_(limits) {}

    void Walk(const EntityView& view, const Placement& at) {
        ForEachEntity(view, [&](const auto& r) { Visit(r, at); });
    }
    const ExpansionReport& Report() const { return report_; }

  private:
    template <class R>
    void Visit(const R& r, const Placement& at) {
        if (members_ >= limits_.maxMembers) return;
        ++members_;
        f_(r, at);
    }
    void Visit(const TEntJwwBlock& insertion, const Placement& at) {
        const int32_t found = index_.Find(insertion.nNumber);
        if (found < 0) {
            ++report_.missing;
            return;
        }
        if (onPath_[static_cast<size_t>(found)]) {
            ++report_.cycles;
            return;
        }
        if (at.depth >= limits_.maxDepth || members_ >= limits_.maxMembers) {
            ++report_.cut;
            return;
        }
        const Placement inner{at.xf.After(InsertionTransform(insertion)),
                              at.outermost ? at.outermost : &insertion, at.depth + 1};
        onPath_[static_cast<size_t>(found)] = true;
        Walk(EntityView::Of(defs_[static_cast<size_t>(found)]), inner);
        onPath_[static_cast<size_t>(found)] = false;
    }

    std::span<const TEntJwwBlockDef> defs_;
    DefinitionIndex index_;
    std::vector<bool> onPath_;
    F& f_;
    ExpansionLimits limits_;
    int64_t members_ = 0;
    ExpansionReport report_;
};

// Calls f(record, placement) for every entity of the view that is not an
// insertion, and for every member its insertions bring in, in drawing order.
template <class F>
ExpansionReport ForEachExpanded(const TJwwData& doc, const EntityView& view, F&& f,
                                const ExpansionLimits& limits = {}) {
    Expander<F> walk(doc, f, limits);
    walk.Walk(view, Placement{});
    return walk.Report();
}

// The same over the drawing's own entities.
template <class F>
ExpansionReport ForEachExpanded(const TJwwData& doc, F&& f, const ExpansionLimits& limits = {}) {
    return ForEachExpanded(doc, EntityView::Of(doc), f, limits);
}

}  // namespace tw
