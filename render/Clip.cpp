#include <tintwright/render/Clip.h>

namespace tw::render {

namespace {

// Liang-Barsky: the part of segment a-b inside box as parameters t0..t1.
bool ClipSegment(const Point& a, const Point& b, const Box& box, double& t0, double& t1) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - box.minX, box.maxX - a.x, a.y - box.minY, box.maxY - a.y};
    t0 = 0;
    t1 = 1;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > t1) return false;
            if (t > t0) t0 = t;
        } else {
            if (t < t0) return false;
            if (t < t1) t1 = t;
        }
    }
    return true;
}

Point At(const Point& a, const Point& b, double t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

}  // namespace

void ClipPolyline(const std::vector<Point>& points, const Box& box,
                  const std::function<void(const std::vector<Point>&)>& piece) {
    std::vector<Point> run;
    for (size_t i = 1; i < points.size(); ++i) {
        double t0 = 0, t1 = 0;
        if (!ClipSegment(points[i - 1], points[i], box, t0, t1)) {
            if (!run.empty()) piece(run);
            run.clear();
            continue;
        }
        if (run.empty()) run.push_back(At(points[i - 1], points[i], t0));
        run.push_back(At(points[i - 1], points[i], t1));
        if (t1 < 1) {
            piece(run);
            run.clear();
        }
    }
    if (!run.empty()) piece(run);
}

}  // namespace tw::render
