// Scroll bars for the viewer's drawing area: they span the paper sheet, what
// is drawn and the view, in pixels at the current zoom, follow every zoom,
// pan and fit, and pan the view when moved.
#pragma once

#include <QObject>

class QScrollBar;

namespace tw::qt {

class DrawingCanvas;

class ViewScrollBars : public QObject {
    Q_OBJECT

  public:
    ViewScrollBars(DrawingCanvas* canvas, QScrollBar* horizontal, QScrollBar* vertical);

  private:
    // The bars set from the canvas's view, without panning it back.
    void follow();
    void scrolled();

    DrawingCanvas* canvas_;
    QScrollBar* horizontal_;
    QScrollBar* vertical_;
};

}  // namespace tw::qt
