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

render::Box Union(const render::Box& a, const render::Box& b) {
    return {std::min(a.minX, b.minX), std::min(a.minY, b.minY), std::max(a.maxX, b.maxX),
            std::max(a.maxY, b.maxY)};
}

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

void DrawingCanvas::restyle() {
    prepared_.reset();
    redraw();
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
    doc_ = doc;
    fits_.clear();
    prepared_.reset();
    if (doc_) visibility_ = render::Visibility::Of(*doc_);
    fit();
}

void DrawingCanvas::setVisibility(const render::Visibility& visibility) {
    visibility_ = visibility;
    fits_.clear();
    restyle();
    emit viewChanged();
}

void DrawingCanvas::setBlackBackground(bool black) {
    black_ = black;
    restyle();
}

void DrawingCanvas::setPrintView(bool print) {
    print_ = print;
    fits_.clear();
    restyle();
    emit viewChanged();
}

void DrawingCanvas::fit() {
    fitTo(render::Fit::Opening);
}

void DrawingCanvas::fitSheet() {
    fitTo(render::Fit::Paper);
}

void DrawingCanvas::fitTo(render::Fit fit) {
    fitView(fit);
    redraw();
    emit viewChanged();
}

void DrawingCanvas::fitView(render::Fit fit) {
    fitted_ = fit;
    transform_.Fit(doc_ ? fitBox(fit) : render::Box{}, area());
}

render::Box DrawingCanvas::fitBox(render::Fit fit) const {
    auto found = fits_.find(fit);
    if (found == fits_.end()) {
        render::RenderOptions fitting;
        fitting.fit = fit;
        fitting.print = print_;
        fitting.visibility = visibility_;
        found = fits_.emplace(fit, render::ViewOf(*doc_, fitting)).first;
    }
    return found->second;
}

AreaSize DrawingCanvas::area() const {
    return {static_cast<double>(width()), static_cast<double>(height())};
}

render::Box DrawingCanvas::view() const {
    return transform_.View(area());
}

render::Box DrawingCanvas::scrollArea() const {
    if (!doc_) return view();
    return Union(Union(fitBox(render::Fit::Paper), fitBox(render::Fit::Extents)), view());
}

double DrawingCanvas::zoom() const {
    return transform_.Zoom();
}

QPointF DrawingCanvas::paperAt(const QPointF& pixel) const {
    const render::Point paper = transform_.PaperAt({pixel.x(), pixel.y()}, area());
    return {paper.x, paper.y};
}

void DrawingCanvas::zoomAt(const QPointF& at, double factor) {
    fitted_.reset();
    transform_.ZoomAt({at.x(), at.y()}, factor, area());
    viewMoved();
}

void DrawingCanvas::panBy(const QPointF& pixels) {
    fitted_.reset();
    transform_.PanBy(pixels.x(), pixels.y());
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
    if (!doc_) {
        painter.fillRect(rect(), black_ ? Qt::black : Qt::white);
        return;
    }
    if (!prepared_) {
        render::RenderOptions look;
        look.blackBackground = black_;
        look.print = print_;
        look.visibility = visibility_;
        prepared_ = render::Prepare(*doc_, look);
    }
    const double screenPixel = transform_.MillimetresPerPixel();
    report_ = render::Render(
        *prepared_, {pictureView_, screenPixel, screenPixel / devicePixelRatioF()}, backend);
}

void DrawingCanvas::drawMovedPicture(QPainter& painter) const {
    painter.fillRect(rect(), black_ ? Qt::black : Qt::white);
    const render::Box v = view();
    const double perPixel = transform_.MillimetresPerPixel();
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
    if (fitted_) fitView(*fitted_);
    viewMoved();
}

}  // namespace tw::qt
