// The QPainter backend: draws the primitives on any paint device (an image
// for PNG, a PDF writer, a widget), the view filling the painter's target
// rectangle.
#pragma once

#include <QFont>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <map>
#include <string>
#include <vector>

#include <tintwright/render/Backend.h>

namespace tw::render {

class QtBackend : public Backend {
  public:
    // target: the device rectangle the view fills, in the painter's units.
    QtBackend(QPainter& painter, const QRectF& target);

    void Begin(const Box& view, uint32_t background) override;
    void Draw(const Polyline& line) override;
    void Draw(const Polygon& solid) override;
    void Draw(const Dot& point) override;
    void Draw(const TextRun& text) override;
    bool Draw(const ImageRun& image) override;
    void End() override;

  private:
    QPointF Map(const Point& p) const;
    void MapAll(const std::vector<Point>& points);
    // Fonts are looked up once per list of families: making one is costly.
    const QFont& FontOf(const std::vector<std::string>& families);

    QPainter& painter_;
    QRectF target_;
    Box view_;
    double sx_ = 1, sy_ = 1;
    std::vector<QPointF> mapped_;
    std::map<std::vector<std::string>, QFont> fonts_;
};

}  // namespace tw::render
