// The viewer's canvas as the user meets it, 1600 x 1000 pixels: the first
// picture of a drawing, one zoom step about the centre and one pan of 50
// pixels, each timed until the canvas has painted the new picture.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "DrawingCanvas.h"
#include "bench/MixedDrawing.h"

namespace tw::bench {
namespace {

std::unique_ptr<qt::DrawingCanvas> Canvas() {
    if (!QApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "tintwright-bench";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
    auto canvas = std::make_unique<qt::DrawingCanvas>();
    canvas->resize(1600, 1000);
    return canvas;
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
    const TJwwData& doc = MixedDrawingOf(state.range(0));
    auto canvas = Canvas();
    canvas->setDrawing(&doc);
    canvas->grab();
    const QPointF centre(800, 500);
    double factor = 1.25;
    for (auto _ : state) {
        canvas->zoomAt(centre, factor);
        canvas->grab();
        factor = 1 / factor;  // in and out again, so the view stays comparable
    }
}

void BM_ViewerPan(benchmark::State& state) {
    const TJwwData& doc = MixedDrawingOf(state.range(0));
    auto canvas = Canvas();
    canvas->setDrawing(&doc);
    canvas->grab();
    QPointF step(50, 30);
    for (auto _ : state) {
        canvas->panBy(step);
        canvas->grab();
        step = -step;
    }
}

void ViewerSizes(benchmark::internal::Benchmark* b) {
    b->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(BM_ViewerFirstPicture)->Apply(ViewerSizes);
BENCHMARK(BM_ViewerZoomStep)->Apply(ViewerSizes);
BENCHMARK(BM_ViewerPan)->Apply(ViewerSizes);

}  // namespace
}  // namespace tw::bench
