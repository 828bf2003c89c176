// What the frontend hands a backend: shapes with their final properties, in
// paper millimetres (origin at the sheet's centre, y up), colours as 0xRRGGBB.
// A backend only maps millimetres to its device and draws; it decides nothing
// about the drawing.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tw::render {

struct Point {
    double x = 0, y = 0;
};

// A rectangle in paper millimetres.
struct Box {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    double Width() const { return maxX - minX; }
    double Height() const { return maxY - minY; }
    bool Overlaps(const Box& o) const {
        return minX <= o.maxX && o.minX <= maxX && minY <= o.maxY && o.minY <= maxY;
    }
};

struct Stroke {
    uint32_t rgb = 0;
    double width = 0;                // millimetres; a backend draws at least one device pixel
    std::span<const double> dashes;  // dash, gap, dash, ... in millimetres; empty: continuous
};

// Lines, arcs and outlines, arcs already turned into points.
struct Polyline {
    Stroke stroke;
    std::vector<Point> points;
};

// A filled solid.
struct Polygon {
    uint32_t rgb = 0;
    std::vector<Point> points;
};

// A point of the drawing.
struct Dot {
    uint32_t rgb = 0;
    Point at;
    double radius = 0;  // millimetres
};

// One line of text: the start of its glyphs' base line (fonts::
// kBaselineInCell above the box's lower-left corner), the character height
// and full width, the length the whole line takes and the angle (degrees,
// anticlockwise). Each character sits at its own offset along the base line,
// its glyph widened by cellWidth / height, so every face fills the length.
struct TextRun {
    uint32_t rgb = 0;
    Point at;
    double height = 0;
    double cellWidth = 0;
    double length = 0;
    double angle = 0;
    std::vector<std::string> families;  // UTF-8, the preferred first, a generic family last
    std::string text;                   // UTF-8
    std::vector<double> offsets;        // per character (code point) of text
};

// A bound image stretched over a box whose lower-left corner is `at`.
struct ImageRun {
    // The image file's bytes, unpacked only when a backend asks (one that
    // draws the image's frame never does); none when they cannot be had.
    std::function<std::optional<std::string>()> bytes;
    Point at;
    double width = 0, height = 0;
    double angle = 0;  // degrees, anticlockwise
};

}  // namespace tw::render
