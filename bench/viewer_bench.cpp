// The viewer's canvas as the user meets it, 1600 x 1000 pixels: the first
// picture of a drawing, one zoom step about the centre and one pan of 50
// pixels, a resize, each timed until the canvas has painted the new picture
// sharply (the last picture moved, which the canvas shows at once, is left
// out).
#include <benchmark/benchmark.h>

#include <memory>

#include "DrawingCanvas.h"
#include "bench/MixedDrawing.h"

namespace tw::bench {
namespace {

std::unique_ptr<qt::DrawingCanvas> Canvas() {
    auto canvas = std::make_unique<qt::DrawingCanvas>();
    canvas->resize(1600, 1000);
    return canvas;
}

// A canvas that has painted the first picture of the drawing of range(0)
// entities.
std::unique_ptr<qt::DrawingCanvas> CanvasShowing(const benchmark::State& state) {
    auto canvas = Canvas();
    canvas->setDrawing(&MixedDrawingOf(state.range(0)));
    canvas->grab();
    return canvas;
}

// Times change(back), back true every other time so that each change undoes
// the last and the view stays comparable, until the canvas has painted.
template <class Change>
void TimeChanges(benchmark::State& state, qt::DrawingCanvas& canvas, Change change) {
    bool back = false;
    for (auto _ : state) {
        change(back);
        canvas.sharpen();
        canvas.grab();
        back = !back;
    }
    state.counters["drawn"] = static_cast<double>(canvas.lastReport().drawn);
}

const QPointF kCentre(800, 500);

void ZoomSteps(benchmark::State& state, qt::DrawingCanvas& canvas) {
    TimeChanges(state, canvas, [&](bool back) { canvas.zoomAt(kCentre, back ? 1 / 1.25 : 1.25); });
}

void BM_ViewerFirstPicture(benchmark::State& state) {
    const TJwwData& doc = MixedDrawingOf(state.range(0));
    auto canvas = Canvas();
    for (auto _ : state) {
        canvas->setDrawing(&doc);
        canvas->grab();
    }
}

void BM_ViewerZoomStep(benchmark::State& state) {
    ZoomSteps(state, *CanvasShowing(state));
}

// The same zoom step after zooming in by range(1) about the centre, where the
// entities are a few pixels large (30) or large and few in view (1000).
void BM_ViewerZoomStepCloser(benchmark::State& state) {
    auto canvas = CanvasShowing(state);
    canvas->zoomAt(kCentre, static_cast<double>(state.range(1)));
    ZoomSteps(state, *canvas);
}

void BM_ViewerPan(benchmark::State& state) {
    auto canvas = CanvasShowing(state);
    TimeChanges(state, *canvas,
                [&](bool back) { canvas->panBy(back ? QPointF(-50, -30) : QPointF(50, 30)); });
}

// The window made a little smaller and larger again, the drawing fitted to it.
void BM_ViewerResize(benchmark::State& state) {
    auto canvas = CanvasShowing(state);
    TimeChanges(state, *canvas,
                [&](bool back) { canvas->resize(back ? QSize(1600, 1000) : QSize(1500, 950)); });
}

void ViewerSizes(benchmark::internal::Benchmark* b) {
    b->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(BM_ViewerFirstPicture)->Apply(ViewerSizes);
BENCHMARK(BM_ViewerZoomStep)->Apply(ViewerSizes);
BENCHMARK(BM_ViewerPan)->Apply(ViewerSizes);
BENCHMARK(BM_ViewerResize)->Apply(ViewerSizes);
BENCHMARK(BM_ViewerZoomStepCloser)
    ->ArgsProduct({{100'000, 1'000'000}, {30, 1000}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace tw::bench
