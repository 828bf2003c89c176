#include "DrawingCanvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include <tintwright/render/QtBackend.h>

namespace tw::qt {

namespace {

constexpr double kWheelStep = 1.25;   // per notch of 120 eighths of a degree
constexpr int kSharpenAfterMs = 150;  // a pause in zooming or panning

}  // namespace

DrawingCanvas::DrawingCanvas(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(200, 150);
    setMouseTracking(true);  // the status line follows the cursor
    sharpen_.setSingleShot(true);
    sharpen_.setInterval(kSharpenAfterMs);
    connect(&sharpen_, &QTimer::timeout, this, &DrawingCanvas::redraw);
}

void DrawingCanvas::viewMoved() {
    moving_ = !picture_.isNull();
    sharpen_.start();
    update();
    emit viewChanged();
}

void DrawingCanvas::redraw() {
    moving_ = false;
    picture_ = QImage();
    update();
}

void DrawingCanvas::sharpen() {
    sharpen_.stop();
    redraw();
}

void DrawingCanvas::setDrawing(const TJwwData* doc) {
    shown_.SetDrawing(doc, area());
    redraw();
    emit viewChanged();
}

void DrawingCanvas::setVisibility(const render::Visibility& visibility) {
    shown_.SetVisibility(visibility);
    redraw();
    emit viewChanged();
}

void DrawingCanvas::setBlackBackground(bool black) {
    shown_.SetBlackBackground(black);
    redraw();
}

void DrawingCanvas::setPrintView(bool print) {
    shown_.SetPrintView(print);
    redraw();
    emit viewChanged();
}

void DrawingCanvas::fit() {
    fitTo(render::Fit::Opening);
}

void DrawingCanvas::fitSheet() {
    fitTo(render::Fit::Paper);
}

void DrawingCanvas::fitTo(render::Fit fit) {
    shown_.FitTo(fit, area());
    redraw();
    emit viewChanged();
}

AreaSize DrawingCanvas::area() const {
    return {static_cast<double>(width()), static_cast<double>(height())};
}

render::Box DrawingCanvas::view() const {
    return shown_.View(area());
}

render::Box DrawingCanvas::scrollArea() const {
    return shown_.ScrollArea(area());
}

double DrawingCanvas::zoom() const {
    return shown_.Zoom();
}

QPointF DrawingCanvas::paperAt(const QPointF& pixel) const {
    const render::Point paper = shown_.PaperAt({pixel.x(), pixel.y()}, area());
    return {paper.x, paper.y};
}

void DrawingCanvas::zoomAt(const QPointF& at, double factor) {
    shown_.ZoomAt({at.x(), at.y()}, factor, area());
    viewMoved();
}

void DrawingCanvas::panBy(const QPointF& pixels) {
    shown_.PanBy(pixels.x(), pixels.y());
    viewMoved();
}

void DrawingCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (moving_) {
        drawMovedPicture(painter);
        return;
    }
    if (picture_.isNull() || picture_.size() != size() * devicePixelRatioF()) drawPicture();
    painter.drawImage(QPointF(0, 0), picture_);
}

void DrawingCanvas::drawPicture() {
    picture_ = QImage(size() * devicePixelRatioF(), QImage::Format_RGB32);
    picture_.setDevicePixelRatio(devicePixelRatioF());
    pictureView_ = view();
    QPainter painter(&picture_);
    render::QtBackend backend(painter, QRectF(rect()));
    report_ = shown_.Draw(backend, area(), devicePixelRatioF());
}

void DrawingCanvas::drawMovedPicture(QPainter& painter) const {
    painter.fillRect(rect(), blackBackground() ? Qt::black : Qt::white);
    const render::Box v = view();
    const double perPixel = shown_.MillimetresPerPixel();
    const QRectF where((pictureView_.minX - v.minX) / perPixel,
                       (v.maxY - pictureView_.maxY) / perPixel, pictureView_.Width() / perPixel,
                       pictureView_.Height() / perPixel);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(where, picture_);
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
    emit cursorMoved(paperAt(event->position()));
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
    shown_.Resized(area());
    viewMoved();
}

}  // namespace tw::qt
