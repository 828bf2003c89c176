// What a viewer shows and where it looks, toolkit-free, for the Qt canvas and
// the Windows viewer: the drawing and its look (layers, print view,
// background), the view (fitted, zoomed about a point, panned; a fit kept
// on resize until the user zooms or pans), and the pictures. The boxes of
// the fits and the drawing prepared for pictures are worked out when first
// needed after a change, so that zooming, panning and resizing never walk
// the whole drawing.
#pragma once

#include <map>
#include <optional>

#include <tintwright/render/Frontend.h>

#include "app/ViewTransform.h"

namespace tw {

class DrawingView {
  public:
    // The drawing shown (not owned; null shows only the background), with
    // its own layer states, fitted as Jw_cad opens it.
    void SetDrawing(const TJwwData* doc, AreaSize area);
    const TJwwData* Drawing() const { return doc_; }
    void SetVisibility(const render::Visibility& visibility);
    const render::Visibility& Visibility() const { return visibility_; }
    // What prints, in print colours and widths, instead of what shows.
    void SetPrintView(bool print);
    bool PrintView() const { return print_; }
    void SetBlackBackground(bool black);
    bool BlackBackground() const { return black_; }

    void FitTo(render::Fit fit, AreaSize area);
    // The area changed size: a kept fit is made again.
    void Resized(AreaSize area);
    // factor > 1 enlarges; the paper point under `pixel` stays under it.
    void ZoomAt(const render::Point& pixel, double factor, AreaSize area);
    void PanBy(double dx, double dy);

    // The part of the paper in view, in millimetres.
    render::Box View(AreaSize area) const { return transform_.View(area); }
    // What scroll bars span: the sheet, what is drawn and the view.
    render::Box ScrollArea(AreaSize area) const;
    render::Point PaperAt(const render::Point& pixel, AreaSize area) const {
        return transform_.PaperAt(pixel, area);
    }
    double MillimetresPerPixel() const { return transform_.MillimetresPerPixel(); }
    // Screen pixels per paper millimetre.
    double Zoom() const { return transform_.Zoom(); }

    // The view drawn on a backend that fills the area; devicePixels device
    // pixels to an area pixel.
    render::RenderReport Draw(render::Backend& backend, AreaSize area, double devicePixels);

  private:
    render::Box FitBox(render::Fit fit) const;
    // The look changed: fits and the prepared drawing are made again.
    void Restyled();

    const TJwwData* doc_ = nullptr;
    render::Visibility visibility_;
    bool print_ = false;
    bool black_ = false;
    ViewTransform transform_;
    std::optional<render::Fit> fitted_ = render::Fit::Opening;
    mutable std::map<render::Fit, render::Box> fits_;
    std::optional<render::PreparedDrawing> prepared_;
};

}  // namespace tw
