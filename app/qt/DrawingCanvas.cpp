#include "DrawingCanvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "render/QtBackend.h"

namespace tw::qt {

namespace {

constexpr double kWheelStep = 1.25;  // per notch of 120 eighths of a degree
constexpr double kMinMillimetresPerPixel = 1e-4;
constexpr double kMaxMillimetresPerPixel = 1e5;

}  // namespace

DrawingCanvas::DrawingCanvas(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(200, 150);
}

void DrawingCanvas::setDrawing(const TJwwData* doc) {
    doc_ = doc;
    if (doc_) visibility_ = render::Visibility::Of(*doc_);
    fit();
}

void DrawingCanvas::setVisibility(const render::Visibility& visibility) {
    visibility_ = visibility;
    update();
}

void DrawingCanvas::setBlackBackground(bool black) {
    black_ = black;
    update();
}

void DrawingCanvas::fit() {
    fitted_ = true;
    render::RenderOptions opening;
    opening.fit = render::Fit::Opening;
    opening.visibility = visibility_;
    const render::Box box = doc_ ? render::ViewOf(*doc_, opening) : render::Box{};
    centreX_ = (box.minX + box.maxX) / 2;
    centreY_ = (box.minY + box.maxY) / 2;
    const double w = std::max(width(), 1);
    const double h = std::max(height(), 1);
    millimetresPerPixel_ = std::clamp(std::max(box.Width() / w, box.Height() / h),
                                      kMinMillimetresPerPixel, kMaxMillimetresPerPixel);
    update();
}

render::Box DrawingCanvas::view() const {
    const double halfW = width() * millimetresPerPixel_ / 2;
    const double halfH = height() * millimetresPerPixel_ / 2;
    return {centreX_ - halfW, centreY_ - halfH, centreX_ + halfW, centreY_ + halfH};
}

void DrawingCanvas::zoomAt(const QPointF& at, double factor) {
    fitted_ = false;
    const render::Box before = view();
    const double px = before.minX + at.x() * millimetresPerPixel_;
    const double py = before.maxY - at.y() * millimetresPerPixel_;
    millimetresPerPixel_ =
        std::clamp(millimetresPerPixel_ / factor, kMinMillimetresPerPixel, kMaxMillimetresPerPixel);
    // Keep (px, py) under the cursor.
    centreX_ = px - (at.x() - width() / 2.0) * millimetresPerPixel_;
    centreY_ = py + (at.y() - height() / 2.0) * millimetresPerPixel_;
    update();
}

void DrawingCanvas::panBy(const QPointF& pixels) {
    fitted_ = false;
    centreX_ -= pixels.x() * millimetresPerPixel_;
    centreY_ += pixels.y() * millimetresPerPixel_;
    update();
}

void DrawingCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    render::QtBackend backend(painter, QRectF(rect()));
    if (!doc_) {
        painter.fillRect(rect(), black_ ? Qt::black : Qt::white);
        return;
    }
    render::RenderOptions options;
    options.view = view();
    options.blackBackground = black_;
    options.visibility = visibility_;
    options.screenPixel = millimetresPerPixel_;
    report_ = render::Render(*doc_, options, backend);
}

void DrawingCanvas::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0) zoomAt(event->position(), std::pow(kWheelStep, notches));
    event->accept();
}

void DrawingCanvas::mousePressEvent(QMouseEvent* event) {
    dragFrom_ = event->position();
}

void DrawingCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & (Qt::LeftButton | Qt::MiddleButton))) return;
    panBy(event->position() - dragFrom_);
    dragFrom_ = event->position();
}

void DrawingCanvas::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F || event->key() == Qt::Key_Home) {
        fit();
        return;
    }
    QWidget::keyPressEvent(event);
}

void DrawingCanvas::resizeEvent(QResizeEvent*) {
    if (fitted_) fit();
}

}  // namespace tw::qt
