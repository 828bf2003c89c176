#include <tintwright/render/PdfBackend.h>

#include <tintwright/util/Func_2.h>
#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace tw::render {

namespace {

constexpr double kPointsPerMillimetre = 72 / 25.4;
constexpr double kLeastWidth = 25.4 / 1200;  // millimetres: a line is never thinner
constexpr double kPi = 3.14159265358979323846;
// A quarter circle as a cubic Bézier: its control points at this share of the radius.
constexpr double kKappa = 0.5522847498;

double Red(uint32_t rgb) {
    return ((rgb >> 16) & 0xFF) / 255.0;
}
double Green(uint32_t rgb) {
    return ((rgb >> 8) & 0xFF) / 255.0;
}
double Blue(uint32_t rgb) {
    return (rgb & 0xFF) / 255.0;
}

}  // namespace

PdfBackend::PdfBackend(std::string& content) : content_(content) {}

void PdfBackend::Add(const char* format, ...) {
    char line[256];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    content_.append(line, static_cast<size_t>(std::clamp(n, 0, static_cast<int>(sizeof line) - 1)));
}

void PdfBackend::Begin(const Box& view, uint32_t background) {
    view_ = view;
    const double k = kPointsPerMillimetre;
    Add("%.4f 0 0 %.4f %.4f %.4f cm\n", k, k, -view.minX * k, -view.minY * k);
    Add("%.4f %.4f %.4f rg %.4f %.4f %.4f %.4f re f\n", Red(background), Green(background),
        Blue(background), view.minX, view.minY, view.Width(), view.Height());
    Add("0 J 1 j\n");
}

void PdfBackend::Path(const std::vector<Point>& points) {
    for (size_t i = 0; i < points.size(); ++i)
        Add("%.4f %.4f %s\n", points[i].x, points[i].y, i == 0 ? "m" : "l");
}

void PdfBackend::Draw(const Polyline& line) {
    if (line.points.size() < 2) return;
    const Stroke& s = line.stroke;
    Add("%.4f %.4f %.4f RG %.4f w [", Red(s.rgb), Green(s.rgb), Blue(s.rgb),
        std::max(s.width, kLeastWidth));
    for (double d : s.dashes)
        Add(" %.4f", std::max(d, kLeastWidth / 100));
    Add("] 0 d\n");
    Path(line.points);
    Add("S\n");
}

void PdfBackend::Draw(const Polygon& solid) {
    if (solid.points.size() < 3) return;
    Add("%.4f %.4f %.4f rg\n", Red(solid.rgb), Green(solid.rgb), Blue(solid.rgb));
    Path(solid.points);
    Add("f*\n");
}

void PdfBackend::Draw(const Dot& point) {
    const double r = std::max(point.radius, kLeastWidth / 2), c = r * kKappa;
    const double x = point.at.x, y = point.at.y;
    Add("%.4f %.4f %.4f rg %.4f %.4f m\n", Red(point.rgb), Green(point.rgb), Blue(point.rgb), x + r,
        y);
    Add("%.4f %.4f %.4f %.4f %.4f %.4f c\n", x + r, y + c, x + c, y + r, x, y + r);
    Add("%.4f %.4f %.4f %.4f %.4f %.4f c\n", x - c, y + r, x - r, y + c, x - r, y);
    Add("%.4f %.4f %.4f %.4f %.4f %.4f c\n", x - r, y - c, x - c, y - r, x, y - r);
    Add("%.4f %.4f %.4f %.4f %.4f %.4f c f\n", x + c, y - r, x + r, y - c, x + r, y);
}

// Each character at its own offset along the rotated base line, its glyph
// the character height high and the cell's width wide.
void PdfBackend::Draw(const TextRun& text) {
    if (text.text.empty() || text.height <= 0) return;
    const std::u16string units = FromUtf8(text.text);
    const double a = text.angle * kPi / 180, cosA = std::cos(a), sinA = std::sin(a);
    const double w = text.cellWidth > 0 ? text.cellWidth : text.height, h = text.height;
    Add("%.4f %.4f %.4f rg BT /F1 1 Tf\n", Red(text.rgb), Green(text.rgb), Blue(text.rgb));
    size_t character = 0;
    for (size_t i = 0; i < units.size() && character < text.offsets.size(); ++character) {
        const bool pair = units[i] >= 0xD800 && units[i] <= 0xDBFF && i + 1 < units.size();
        const double d = text.offsets[character];
        // UCS-2 names the glyphs: a character beyond it is left out.
        if (!pair && units[i] >= 0x20) {
            Add("%.4f %.4f %.4f %.4f %.4f %.4f Tm <%04X> Tj\n", w * cosA, w * sinA, -h * sinA,
                h * cosA, text.at.x + d * cosA, text.at.y + d * sinA, units[i]);
        }
        i += pair ? 2 : 1;
    }
    Add("ET\n");
}

bool PdfBackend::Draw(const ImageRun&) {
    return false;
}

void PdfBackend::End() {}

}  // namespace tw::render
