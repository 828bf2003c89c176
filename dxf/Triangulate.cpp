#include <tintwright/dxf/Triangulate.h>

#include <algorithm>

namespace tw::dxf {

namespace {

double Cross(geom::Point o, geom::Point a, geom::Point b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

double Area(const std::vector<geom::Point>& p) {
    double area = 0;
    for (size_t i = 0; i < p.size(); ++i) {
        const geom::Point& a = p[i];
        const geom::Point& b = p[(i + 1) % p.size()];
        area += a.x * b.y - b.x * a.y;
    }
    return area / 2;
}

bool Inside(geom::Point p, geom::Point a, geom::Point b, geom::Point c) {
    return Cross(a, b, p) >= 0 && Cross(b, c, p) >= 0 && Cross(c, a, p) >= 0;
}

// Whether the corner at i of a counter-clockwise polygon is an ear: convex,
// and no other corner inside it.
bool IsEar(const std::vector<geom::Point>& p, size_t i) {
    const size_t n = p.size();
    const geom::Point a = p[(i + n - 1) % n], b = p[i], c = p[(i + 1) % n];
    if (Cross(a, b, c) <= 0) return false;
    for (size_t k = 0; k < n; ++k) {
        if (k == i || k == (i + 1) % n || k == (i + n - 1) % n) continue;
        if (Inside(p[k], a, b, c)) return false;
    }
    return true;
}

}  // namespace

std::vector<std::array<geom::Point, 3>> Triangulate(std::vector<geom::Point> polygon) {
    std::vector<std::array<geom::Point, 3>> triangles;
    if (polygon.size() >= 2 && polygon.front().x == polygon.back().x &&
        polygon.front().y == polygon.back().y)
        polygon.pop_back();
    if (Area(polygon) < 0) std::reverse(polygon.begin(), polygon.end());
    while (polygon.size() >= 3) {
        const size_t n = polygon.size();
        size_t ear = 0;
        while (ear < n && !IsEar(polygon, ear))
            ++ear;
        // A polygon with no ear left (touching itself, or all corners in
        // line) is closed by a fan from its first corner.
        if (ear == n) ear = 1;
        triangles.push_back({polygon[(ear + n - 1) % n], polygon[ear], polygon[(ear + 1) % n]});
        polygon.erase(polygon.begin() + static_cast<std::ptrdiff_t>(ear));
    }
    return triangles;
}

}  // namespace tw::dxf
