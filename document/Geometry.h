// The shapes records stand for, in the record's own coordinates (paper
// millimetres): the box of a text, points of arcs and ellipses, the outline of
// a curved solid, the place of a bound image. Extents, export and rendering
// share them, so a drawing has one geometry whatever reads it.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include <tintwright/document/Transform.h>
#include <tintwright/document/jwwtype.h>

namespace tw::geom {

struct Point {
    double x = 0, y = 0;
};

inline Point Apply(const Transform& xf, Point p) {
    Point out;
    xf.Apply(p.x, p.y, out.x, out.y);
    return out;
}

// The four corners of a text's box: start (the base line's start), base line
// end, then the top corners above them. The base line runs from the start
// point in the text's direction (degKakudo) over the length between its end
// points, or, where they coincide, over the measured length of its
// characters; the box is dSizeY high.
std::array<Point, 4> TextCorners(const TEntJwwMoji& text);

// An arc or ellipse of an arc record: centre, radius (the half axis along the
// tilt), flattening (the other half axis over it), tilt, start angle and
// swept angle in radians; a full circle or ellipse sweeps 2 pi.
struct Ellipse {
    Point centre;
    double radius = 0;
    double flattening = 1;
    double tilt = 0;
    double start = 0;
    double sweep = 0;

    // The point at parameter t (radians from the tilted axis).
    Point At(double t) const;
    bool IsFull() const;
};
Ellipse EllipseOf(const TEntJwwEnko& arc);

struct Box {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    // The box of one point.
    static Box Of(Point p) { return {p.x, p.y, p.x, p.y}; }
    void Add(Point p);
    void Add(const Box& b);
};

// The smallest box holding the arc as xf places it: its end points and the
// extremes of the (transformed) ellipse that lie on it.
Box BoundsOf(const Ellipse& e, const Transform& xf = {});

// Points along the arc, from its start to its end, close enough that no
// chord strays more than `tolerance` from the curve (at most 4096).
std::vector<Point> Flatten(const Ellipse& e, double tolerance);

// A curved solid (nPenStyle above 100): kind 111 a filled sector (the whole
// ellipse when full), 101 a filled segment between the arc and its chord,
// 105 and 106 the band between the inner radius (its last value) and the
// outer one.
enum class CurvedSolidShape { Sector, Segment, Band };
struct CurvedSolid {
    Ellipse outer;
    CurvedSolidShape shape = CurvedSolidShape::Sector;
    double innerRadius = 0;  // for a band
};
CurvedSolid CurvedSolidOf(const TEntJwwSolid& solid);
// The closed outline of a curved solid, flattened to `tolerance`.
std::vector<Point> Outline(const CurvedSolid& s, double tolerance);

// The four corners of a plain solid, in stored order.
std::array<Point, 4> SolidCorners(const TEntJwwSolid& solid);

// A text "^@BM<name>,<width>,<height>[,...]" (the name may follow the
// temporary-folder marker "%temp%") stands for a bound image of that
// name, width x height millimetres, its lower left corner at the text's start
// point and turned by the text's angle.
struct ImagePlacement {
    std::u16string name;
    Point corner;
    double width = 0, height = 0;
    double angleDegrees = 0;
    std::array<Point, 4> Corners() const;
};
std::optional<ImagePlacement> ImageOf(const TEntJwwMoji& text);

}  // namespace tw::geom
