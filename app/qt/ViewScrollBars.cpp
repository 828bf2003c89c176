#include "ViewScrollBars.h"

#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>
#include <limits>

#include "DrawingCanvas.h"

namespace tw::qt {

namespace {

// Millimetres in pixels at the zoom, within what a scroll bar holds.
int Pixels(double millimetres, double zoom) {
    constexpr double kLimit = std::numeric_limits<int>::max() / 4;
    return static_cast<int>(std::clamp(std::round(millimetres * zoom), -kLimit, kLimit));
}

void Set(QScrollBar* bar, int minimum, int maximum, int page, int value) {
    const QSignalBlocker quiet(bar);
    bar->setRange(minimum, std::max(minimum, maximum));
    bar->setPageStep(std::max(page, 1));
    bar->setSingleStep(std::max(page / 20, 1));
    bar->setValue(value);
}

}  // namespace

ViewScrollBars::ViewScrollBars(DrawingCanvas* canvas, QScrollBar* horizontal, QScrollBar* vertical)
    : QObject(canvas), canvas_(canvas), horizontal_(horizontal), vertical_(vertical) {
    connect(canvas_, &DrawingCanvas::viewChanged, this, &ViewScrollBars::follow);
    connect(horizontal_, &QScrollBar::valueChanged, this, &ViewScrollBars::scrolled);
    connect(vertical_, &QScrollBar::valueChanged, this, &ViewScrollBars::scrolled);
    follow();
}

// Horizontal values grow to the right from the area's left edge; vertical
// ones downwards from its top, as the screen's y does.
void ViewScrollBars::follow() {
    const render::Box view = canvas_->view();
    const render::Box area = canvas_->scrollArea();
    const double zoom = canvas_->zoom();
    Set(horizontal_, 0, Pixels(area.Width() - view.Width(), zoom), Pixels(view.Width(), zoom),
        Pixels(view.minX - area.minX, zoom));
    Set(vertical_, 0, Pixels(area.Height() - view.Height(), zoom), Pixels(view.Height(), zoom),
        Pixels(area.maxY - view.maxY, zoom));
}

void ViewScrollBars::scrolled() {
    const render::Box view = canvas_->view();
    const render::Box area = canvas_->scrollArea();
    const double zoom = canvas_->zoom();
    const double dx = horizontal_->value() - (view.minX - area.minX) * zoom;
    const double dy = vertical_->value() - (area.maxY - view.maxY) * zoom;
    canvas_->panBy(QPointF(-dx, -dy));
}

}  // namespace tw::qt
