// Triangles for filled areas in R12: they cover the shape exactly once, and
// shapes without area (a band whose radii are equal: 8192 corners) give none
// at once rather than after a search of every corner against every other.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include <tintwright/dxf/Triangulate.h>

namespace tw {
namespace {

constexpr double kPi = std::numbers::pi;

std::vector<geom::Point> Curved(geom::CurvedSolidShape shape, double radius, double inner,
                                double sweep) {
    geom::CurvedSolid s;
    s.outer.radius = radius;
    s.outer.sweep = sweep;
    s.shape = shape;
    s.innerRadius = inner;
    // Fine enough that each arc has the most points flattening gives.
    return geom::Outline(s, 1e-9);
}

double TriangleArea(const std::array<geom::Point, 3>& t) {
    return ((t[1].x - t[0].x) * (t[2].y - t[0].y) - (t[1].y - t[0].y) * (t[2].x - t[0].x)) / 2;
}

struct Shape {
    const char* name;
    std::vector<geom::Point> points;
    double area;
    int triangles;  // -1: any number
};

TEST(DxfTriangulate, TrianglesCoverTheShapeOnce) {
    using enum geom::CurvedSolidShape;
    const Shape shapes[] = {
        {"band with equal radii", Curved(Band, 1000, 1000, kPi), 0, 0},
        {"band", Curved(Band, 10, 5, kPi), kPi / 2 * (100 - 25), -1},
        {"band with no inner radius", Curved(Band, 10, 0, kPi), kPi / 2 * 100, -1},
        {"sector", Curved(Sector, 10, 0, kPi / 2), kPi / 4 * 100, -1},
        {"full circle", Curved(Sector, 10, 0, 2 * kPi), kPi * 100, -1},
        {"square with repeats and points in line",
         {{0, 0}, {1, 0}, {2, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 1}, {0, 0}},
         4,
         2},
        {"clockwise square", {{0, 0}, {0, 1}, {1, 1}, {1, 0}}, 1, 2},
        {"L shape", {{0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 2}, {0, 2}}, 3, 4},
        {"all in line", {{0, 0}, {1, 0}, {2, 0}, {1, 0}}, 0, 0},
        {"one point repeated", {{1, 1}, {1, 1}, {1, 1}, {1, 1}}, 0, 0},
        {"two points", {{0, 0}, {1, 1}}, 0, 0},
    };
    for (const Shape& shape : shapes) {
        SCOPED_TRACE(shape.name);
        const auto triangles = dxf::Triangulate(shape.points);
        if (shape.triangles >= 0) {
            EXPECT_EQ(triangles.size(), static_cast<size_t>(shape.triangles));
        }
        double area = 0;
        for (const auto& t : triangles) {
            EXPECT_GE(TriangleArea(t), 0);
            area += std::abs(TriangleArea(t));
        }
        EXPECT_NEAR(area, shape.area, 1e-6 * (1 + shape.area));
    }
}

}  // namespace
}  // namespace tw
