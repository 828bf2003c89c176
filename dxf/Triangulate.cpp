#include <tintwright/dxf/Triangulate.h>

#include <cmath>
#include <utility>

namespace tw::dxf {

namespace {

double Cross(geom::Point o, geom::Point a, geom::Point b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

bool Inside(geom::Point p, geom::Point a, geom::Point b, geom::Point c) {
    return Cross(a, b, p) >= 0 && Cross(b, c, p) >= 0 && Cross(c, a, p) >= 0;
}

// Whether b adds no area between a and c: a repeat, or in line with them
// (a point on a straight edge, or the tip of a spike going back on itself).
bool AddsNoArea(geom::Point a, geom::Point b, geom::Point c) {
    if (b.x == c.x && b.y == c.y) return true;
    const double scale = std::hypot(a.x - b.x, a.y - b.y) * std::hypot(c.x - b.x, c.y - b.y);
    return std::abs(Cross(b, a, c)) <= 1e-12 * scale;
}

// The polygon's corners as a ring, so that removing one takes constant time.
class Ring {
  public:
    explicit Ring(std::vector<geom::Point> points)
        : p_(std::move(points)), prev_(p_.size()), next_(p_.size()), size_(p_.size()) {
        for (size_t i = 0; i < size_; ++i) {
            prev_[i] = (i + size_ - 1) % size_;
            next_[i] = (i + 1) % size_;
        }
    }

    size_t Size() const { return size_; }
    size_t Any() const { return any_; }
    geom::Point At(size_t i) const { return p_[i]; }
    size_t Prev(size_t i) const { return prev_[i]; }
    size_t Next(size_t i) const { return next_[i]; }

    void Remove(size_t i) {
        next_[prev_[i]] = next_[i];
        prev_[next_[i]] = prev_[i];
        any_ = next_[i];
        --size_;
    }

    double Area() const {
        double area = 0;
        size_t i = any_;
        for (size_t k = 0; k < size_; ++k, i = next_[i])
            area += p_[i].x * p_[next_[i]].y - p_[next_[i]].x * p_[i].y;
        return area / 2;
    }

    void Reverse() { std::swap(prev_, next_); }

  private:
    std::vector<geom::Point> p_;
    std::vector<size_t> prev_, next_;
    size_t size_;
    size_t any_ = 0;
};

// Drops every corner that adds no area, rechecking the neighbours of each one
// dropped: linear, and a shape with no area (a band whose radii are equal)
// goes away entirely.
void DropCornersWithoutArea(Ring& ring) {
    std::vector<size_t> pending(ring.Size());
    for (size_t i = 0; i < pending.size(); ++i)
        pending[i] = i;
    std::vector<bool> removed(pending.size(), false);
    while (!pending.empty() && ring.Size() >= 3) {
        const size_t i = pending.back();
        pending.pop_back();
        if (removed[i] || !AddsNoArea(ring.At(ring.Prev(i)), ring.At(i), ring.At(ring.Next(i))))
            continue;
        pending.push_back(ring.Prev(i));
        pending.push_back(ring.Next(i));
        ring.Remove(i);
        removed[i] = true;
    }
}

// Whether the corner i of a counter-clockwise ring is an ear: convex, and no
// other corner inside it.
bool IsEar(const Ring& ring, size_t i) {
    const size_t before = ring.Prev(i), after = ring.Next(i);
    const geom::Point a = ring.At(before), b = ring.At(i), c = ring.At(after);
    if (Cross(a, b, c) <= 0) return false;
    for (size_t k = ring.Next(after); k != before; k = ring.Next(k))
        if (Inside(ring.At(k), a, b, c)) return false;
    return true;
}

}  // namespace

std::vector<std::array<geom::Point, 3>> Triangulate(std::vector<geom::Point> polygon) {
    std::vector<std::array<geom::Point, 3>> triangles;
    if (polygon.size() < 3) return triangles;
    Ring ring(std::move(polygon));
    DropCornersWithoutArea(ring);
    if (ring.Area() < 0) ring.Reverse();
    // The search goes on from the last ear rather than from the start; once a
    // whole round finds none (the polygon touches itself), the rest is closed
    // by a fan, so that no shape costs more than one fruitless round.
    size_t corner = ring.Any();
    size_t misses = 0;
    while (ring.Size() >= 3) {
        const size_t after = ring.Next(corner);
        const bool stuck = misses >= ring.Size();
        if (stuck || IsEar(ring, corner)) {
            triangles.push_back({ring.At(ring.Prev(corner)), ring.At(corner), ring.At(after)});
            ring.Remove(corner);
            if (!stuck) misses = 0;
        } else {
            ++misses;
        }
        corner = after;
    }
    return triangles;
}

}  // namespace tw::dxf
