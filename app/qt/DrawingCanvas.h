// The viewer's drawing area: the drawing drawn by the renderer's frontend and
// QPainter backend, zoomed with the wheel around the cursor, panned by
// dragging, fitted again with F or Home, drawn as it shows on screen or as
// it prints (print view). A zoom, pan or resize first shows the last picture
// moved and scaled to the new view, at once; the drawing is drawn again
// sharply once the user pauses. What is shown and where is a DrawingView.
#pragma once

#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>

#include <tintwright/render/Frontend.h>

#include "app/DrawingView.h"

namespace tw::qt {

class DrawingCanvas : public QWidget {
    Q_OBJECT

  public:
    explicit DrawingCanvas(QWidget* parent = nullptr);

    // The drawing shown (not owned; null shows only the background).
    void setDrawing(const TJwwData* doc);
    void setVisibility(const render::Visibility& visibility);
    const render::Visibility& visibility() const { return shown_.Visibility(); }
    void setBlackBackground(bool black);
    bool blackBackground() const { return shown_.BlackBackground(); }
    // What prints, in print colours and widths, instead of what shows.
    void setPrintView(bool print);
    bool printView() const { return shown_.PrintView(); }

    // The view Jw_cad opens on (the sheet, or what is drawn when that lies
    // off the sheet), or the paper sheet itself.
    void fit();
    void fitSheet();
    // factor > 1 enlarges; the paper point under `at` stays under it.
    void zoomAt(const QPointF& at, double factor);
    void panBy(const QPointF& pixels);
    // The view drawn sharply on the next paint, without waiting for the
    // pause after a zoom or pan.
    void sharpen();
    // The part of the paper in view, in millimetres.
    render::Box view() const;
    // What the scroll bars span: the sheet, what is drawn and the view.
    render::Box scrollArea() const;
    const render::RenderReport& lastReport() const { return report_; }
    // Screen pixels per paper millimetre.
    double zoom() const;
    QPointF paperAt(const QPointF& pixel) const;

  signals:
    // The paper point under the cursor, in millimetres.
    void cursorMoved(const QPointF& paper);
    // The view moved, zoomed, was fitted, or what is drawn changed.
    void viewChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // The view changed: show the last picture moved, draw sharply later.
    void viewMoved();
    AreaSize area() const;
    void fitTo(render::Fit fit);
    // Anything else changed: the last picture is no longer the drawing.
    void redraw();
    void drawPicture();
    void drawMovedPicture(QPainter& painter) const;

    DrawingView shown_;
    QPointF dragFrom_;
    render::RenderReport report_;
    QImage picture_;
    render::Box pictureView_;
    bool moving_ = false;  // the view moved since picture_ was drawn
    QTimer sharpen_;
};

}  // namespace tw::qt
