// The box of one record as a transform places it: lines, arcs and ellipses
// exactly, texts by their boxes, dimensions with their parts, solids (curved
// ones by their curves), bound images by their placement. Pen widths and
// point marks are not in it: their size depends on the medium.
#pragma once

#include <array>
#include <optional>

#include <tintwright/document/Geometry.h>
#include <tintwright/document/JwwUnit.h>
#include <tintwright/document/Transform.h>

namespace tw {

class RecordBounds {
  public:
    // None when no coordinate is a finite number; a point that is not
    // finite is left out of the box and noted in Finite().
    template <class R>
    std::optional<geom::Box> operator()(const R& record, const Transform& xf) {
        xf_ = xf;
        box_.reset();
        finite_ = true;
        Add(record);
        return box_;
    }
    // False when the last record had a coordinate that is not finite.
    bool Finite() const { return finite_; }

  private:
    void Add(geom::Point p);
    void Add(const geom::Box& b);
    template <size_t N>
    void Add(const std::array<geom::Point, N>& points) {
        for (const geom::Point& p : points)
            Add(p);
    }
    void Add(const TEntJwwLine& e);
    void Add(const TEntJwwEnko& e);
    void Add(const TEntJwwTen& e);
    void Add(const TEntJwwMoji& e);
    void Add(const TEntJwwSunpo& e);
    void Add(const TEntJwwSolid& e);

    Transform xf_;
    std::optional<geom::Box> box_;
    bool finite_ = true;
};

}  // namespace tw
