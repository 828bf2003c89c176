#include "app/DrawingView.h"

#include "app/ViewScroll.h"

namespace tw {

void DrawingView::SetDrawing(const TJwwData* doc, AreaSize area) {
    doc_ = doc;
    if (doc_) visibility_ = render::Visibility::Of(*doc_);
    Restyled();
    FitTo(render::Fit::Opening, area);
}

void DrawingView::SetVisibility(const render::Visibility& visibility) {
    visibility_ = visibility;
    Restyled();
}

void DrawingView::SetPrintView(bool print) {
    print_ = print;
    Restyled();
}

void DrawingView::SetBlackBackground(bool black) {
    black_ = black;
    Restyled();
}

void DrawingView::Restyled() {
    fits_.clear();
    prepared_.reset();
}

void DrawingView::FitTo(render::Fit fit, AreaSize area) {
    fitted_ = fit;
    transform_.Fit(doc_ ? FitBox(fit) : render::Box{}, area);
}

void DrawingView::Resized(AreaSize area) {
    if (fitted_) FitTo(*fitted_, area);
}

void DrawingView::ZoomAt(const render::Point& pixel, double factor, AreaSize area) {
    fitted_.reset();
    transform_.ZoomAt(pixel, factor, area);
}

void DrawingView::PanBy(double dx, double dy) {
    fitted_.reset();
    transform_.PanBy(dx, dy);
}

render::Box DrawingView::FitBox(render::Fit fit) const {
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

render::Box DrawingView::ScrollArea(AreaSize area) const {
    if (!doc_) return View(area);
    return Union(Union(FitBox(render::Fit::Paper), FitBox(render::Fit::Extents)), View(area));
}

render::RenderReport DrawingView::Draw(render::Backend& backend, AreaSize area,
                                       double devicePixels) {
    const render::Box view = View(area);
    if (!doc_) {
        backend.Begin(view, black_ ? 0x000000 : 0xFFFFFF);
        backend.End();
        return {};
    }
    if (!prepared_) {
        render::RenderOptions look;
        look.blackBackground = black_;
        look.print = print_;
        look.visibility = visibility_;
        prepared_ = render::Prepare(*doc_, look);
    }
    const double screenPixel = MillimetresPerPixel();
    return render::Render(*prepared_, {view, screenPixel, screenPixel / devicePixels}, backend);
}

}  // namespace tw
