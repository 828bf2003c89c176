#include "ViewScrollBars.h"

#include <QScrollBar>
#include <QSignalBlocker>
#include "DrawingCanvas.h"
#include "app/ViewScroll.h"

namespace tw::qt {

namespace {

void Set(QScrollBar* bar, const ScrollBarRange& range) {
    const QSignalBlocker quiet(bar);
    bar->setRange(0, range.maximum);
    bar->setPageStep(range.page);
    bar->setSingleStep(range.step);
    bar->setValue(range.value);
}

}  // namespace

ViewScrollBars::ViewScrollBars(DrawingCanvas* canvas, QScrollBar* horizontal, QScrollBar* vertical)
    : QObject(canvas), canvas_(canvas), horizontal_(horizontal), vertical_(vertical) {
    connect(canvas_, &DrawingCanvas::viewChanged, this, &ViewScrollBars::follow);
    connect(horizontal_, &QScrollBar::valueChanged, this, &ViewScrollBars::scrolled);
    connect(vertical_, &QScrollBar::valueChanged, this, &ViewScrollBars::scrolled);
    follow();
}

void ViewScrollBars::follow() {
    const ViewScroll bars = ScrollOf(canvas_->view(), canvas_->scrollArea(), canvas_->zoom());
    Set(horizontal_, bars.horizontal);
    Set(vertical_, bars.vertical);
}

void ViewScrollBars::scrolled() {
    const render::Point pan = PanToScroll(horizontal_->value(), vertical_->value(), canvas_->view(),
                                          canvas_->scrollArea(), canvas_->zoom());
    canvas_->panBy(QPointF(pan.x, pan.y));
}

}  // namespace tw::qt
