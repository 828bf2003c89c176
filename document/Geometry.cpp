#include <tintwright/document/Geometry.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include <tintwright/document/DrawingRules.h>
#include <tintwright/document/EntityRecords.h>
#include <tintwright/util/Func_2.h>

namespace tw::geom {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr size_t kMaxSegments = 4096;
constexpr int32_t kSolidSegment = 101;
constexpr int32_t kSolidBand = 105;
constexpr int32_t kSolidBand2 = 106;
const std::u16string kImagePrefix = u"^@BM";
const std::u16string kTempMarker = u"%temp%";

Point Along(Point p, double ux, double uy, double d) {
    return {p.x + ux * d, p.y + uy * d};
}

// Where t lies on the arc from `start` over `sweep` (either sign).
bool OnArc(double t, double start, double sweep) {
    if (std::fabs(sweep) >= kTwoPi) return true;
    double d = std::fmod((t - start) * (sweep < 0 ? -1 : 1), kTwoPi);
    if (d < 0) d += kTwoPi;
    return d <= std::fabs(sweep);
}

double Finite(double v, double fallback) {
    return std::isfinite(v) ? v : fallback;
}

// The number from position `at` of s up to the next comma (or the end).
std::optional<double> NumberAt(const std::u16string& s, size_t& at) {
    const size_t end = std::min(s.find(u',', at), s.size());
    const std::string digits = ToUtf8(s.substr(at, end - at));
    at = end + 1;
    char* stop = nullptr;
    const double v = std::strtod(digits.c_str(), &stop);
    if (digits.empty() || stop != digits.c_str() + digits.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

}  // namespace

std::array<Point, 4> TextCorners(const TEntJwwMoji& text) {
    const double angle = Finite(text.degKakudo, 0) * std::numbers::pi / 180;
    const double ux = std::cos(angle), uy = std::sin(angle);
    const Point start{text.start_x, text.start_y};
    double length = std::hypot(text.end_x - text.start_x, text.end_y - text.start_y);
    if (!(length > 0)) length = build::TextLength(text.str, text.dKankaku, text.dSizeX);
    const double height = Finite(text.dSizeY, 0);
    const Point end = Along(start, ux, uy, length);
    return {start, end, Along(end, -uy, ux, height), Along(start, -uy, ux, height)};
}

Point Ellipse::At(double t) const {
    const double lx = radius * std::cos(t);
    const double ly = radius * flattening * std::sin(t);
    const double c = std::cos(tilt), s = std::sin(tilt);
    return {centre.x + lx * c - ly * s, centre.y + lx * s + ly * c};
}

bool Ellipse::IsFull() const {
    return std::fabs(sweep) >= kTwoPi - 1e-12;
}

Ellipse EllipseOf(const TEntJwwEnko& arc) {
    Ellipse e;
    e.centre = {arc.start_x, arc.start_y};
    e.radius = arc.dHankei;
    e.flattening = arc.dHenpeiRitsu == 0 ? 1 : arc.dHenpeiRitsu;
    e.tilt = arc.radKatamukiKaku;
    e.start = arc.bZenEnFlg ? 0 : arc.radKaishiKaku;
    e.sweep = arc.bZenEnFlg ? kTwoPi : arc.radEnkoKaku;
    return e;
}

void Box::Add(Point p) {
    minX = std::min(minX, p.x);
    minY = std::min(minY, p.y);
    maxX = std::max(maxX, p.x);
    maxY = std::max(maxY, p.y);
}

void Box::Add(const Box& b) {
    Add(Point{b.minX, b.minY});
    Add(Point{b.maxX, b.maxY});
}

Box BoundsOf(const Ellipse& e, const Transform& xf) {
    // The placed ellipse is centre + M (cos t, sin t); x(t) is extreme where
    // tan t = M01 / M00, y(t) where tan t = M11 / M10.
    const double c = std::cos(e.tilt), s = std::sin(e.tilt);
    const double r = e.radius, rf = e.radius * e.flattening;
    const double m00 = xf.a * r * c + xf.b * r * s, m01 = -xf.a * rf * s + xf.b * rf * c;
    const double m10 = xf.c * r * c + xf.d * r * s, m11 = -xf.c * rf * s + xf.d * rf * c;
    Box b = Box::Of(Apply(xf, e.At(e.start)));
    b.Add(Apply(xf, e.At(e.start + e.sweep)));
    const double tx = std::atan2(m01, m00), ty = std::atan2(m11, m10);
    for (double t : {tx, tx + std::numbers::pi, ty, ty + std::numbers::pi}) {
        if (e.IsFull() || OnArc(t, e.start, e.sweep)) b.Add(Apply(xf, e.At(t)));
    }
    return b;
}

std::vector<Point> Flatten(const Ellipse& e, double tolerance) {
    const double r = std::fabs(e.radius) * std::max(1.0, std::fabs(e.flattening));
    const double sweep = e.IsFull() ? kTwoPi : e.sweep;
    // A chord of angle a strays r (1 - cos(a / 2)) from a circle of radius r.
    const double step = r > tolerance ? 2 * std::acos(1 - tolerance / r) : std::numbers::pi / 2;
    const double wanted = std::ceil(std::fabs(sweep) / std::max(step, 1e-9));
    const size_t n =
        static_cast<size_t>(std::clamp(Finite(wanted, 1.0), 1.0, double(kMaxSegments)));
    std::vector<Point> points;
    points.reserve(n + 1);
    for (size_t i = 0; i <= n; ++i)
        points.push_back(e.At(e.start + sweep * static_cast<double>(i) / static_cast<double>(n)));
    return points;
}

CurvedSolid CurvedSolidOf(const TEntJwwSolid& solid) {
    CurvedSolid s;
    s.outer.centre = {solid.start_x, solid.start_y};
    s.outer.radius = solid.end_x;
    s.outer.flattening = solid.end_y == 0 ? 1 : solid.end_y;
    s.outer.tilt = solid.DPoint2_x;
    s.outer.start = solid.DPoint2_y;
    s.outer.sweep = solid.DPoint3_x;
    const int32_t kind = solid.att.nPenStyle;
    if (kind == kSolidSegment) s.shape = CurvedSolidShape::Segment;
    if (kind == kSolidBand || kind == kSolidBand2) {
        s.shape = CurvedSolidShape::Band;
        s.innerRadius = solid.DPoint3_y;
    }
    return s;
}

std::vector<Point> Outline(const CurvedSolid& s, double tolerance) {
    std::vector<Point> points = Flatten(s.outer, tolerance);
    if (s.shape == CurvedSolidShape::Band) {
        Ellipse inner = s.outer;
        inner.radius = s.innerRadius;
        std::vector<Point> back = Flatten(inner, tolerance);
        points.insert(points.end(), back.rbegin(), back.rend());
    } else if (s.shape == CurvedSolidShape::Sector && !s.outer.IsFull()) {
        points.push_back(s.outer.centre);
    }
    return points;
}

std::array<Point, 4> SolidCorners(const TEntJwwSolid& solid) {
    return {Point{solid.start_x, solid.start_y}, Point{solid.end_x, solid.end_y},
            Point{solid.DPoint2_x, solid.DPoint2_y}, Point{solid.DPoint3_x, solid.DPoint3_y}};
}

std::array<Point, 4> ImagePlacement::Corners() const {
    const double a = angleDegrees * std::numbers::pi / 180;
    const double ux = std::cos(a), uy = std::sin(a);
    const Point right = Along(corner, ux, uy, width);
    return {corner, right, Along(right, -uy, ux, height), Along(corner, -uy, ux, height)};
}

std::optional<ImagePlacement> ImageOf(const TEntJwwMoji& text) {
    const std::u16string& s = text.str;
    if (!s.starts_with(kImagePrefix)) return std::nullopt;
    const size_t comma = s.find(u',');
    if (comma == std::u16string::npos) return std::nullopt;
    size_t at = comma + 1;
    const auto width = NumberAt(s, at);
    const auto height = at <= s.size() ? NumberAt(s, at) : std::nullopt;
    if (!width || !height) return std::nullopt;
    std::u16string name = s.substr(kImagePrefix.size(), comma - kImagePrefix.size());
    if (name.starts_with(kTempMarker)) name.erase(0, kTempMarker.size());
    ImagePlacement image;
    image.name = FileNameOf(name);
    image.corner = {text.start_x, text.start_y};
    image.width = *width;
    image.height = *height;
    image.angleDegrees = Finite(text.degKakudo, 0);
    return image;
}

}  // namespace tw::geom
