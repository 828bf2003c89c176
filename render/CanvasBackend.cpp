#include <tintwright/render/CanvasBackend.h>

namespace tw::render {

void CanvasBackend::Begin(const Box& view, uint32_t background) {
    commands_.clear();
    texts_.clear();
    Put(CanvasCode::Begin);
    commands_.insert(commands_.end(),
                     {view.minX, view.minY, view.maxX, view.maxY, static_cast<double>(background)});
}

void CanvasBackend::Points(const std::vector<Point>& points) {
    commands_.push_back(static_cast<double>(points.size()));
    for (const Point& p : points)
        commands_.insert(commands_.end(), {p.x, p.y});
}

double CanvasBackend::TextIndex(const std::string& text) {
    texts_.push_back(text);
    return static_cast<double>(texts_.size() - 1);
}

void CanvasBackend::Draw(const Polyline& line) {
    Put(CanvasCode::Polyline);
    commands_.insert(commands_.end(), {static_cast<double>(line.stroke.rgb), line.stroke.width,
                                       static_cast<double>(line.stroke.dashes.size())});
    commands_.insert(commands_.end(), line.stroke.dashes.begin(), line.stroke.dashes.end());
    Points(line.points);
}

void CanvasBackend::Draw(const Polygon& solid) {
    Put(CanvasCode::Polygon);
    commands_.push_back(static_cast<double>(solid.rgb));
    Points(solid.points);
}

void CanvasBackend::Draw(const Dot& point) {
    Put(CanvasCode::Dot);
    commands_.insert(commands_.end(),
                     {static_cast<double>(point.rgb), point.at.x, point.at.y, point.radius});
}

void CanvasBackend::Draw(const TextRun& text) {
    Put(CanvasCode::Text);
    commands_.insert(commands_.end(),
                     {static_cast<double>(text.rgb), text.at.x, text.at.y, text.height, text.length,
                      text.angle, TextIndex(text.text),
                      TextIndex(text.families.empty() ? std::string() : text.families.front())});
}

// The page shows an image's frame, which needs no decoding.
bool CanvasBackend::Draw(const ImageRun& image) {
    Put(CanvasCode::Image);
    commands_.insert(commands_.end(),
                     {image.at.x, image.at.y, image.width, image.height, image.angle});
    return true;
}

}  // namespace tw::render
