// The renderer on the generated mixed drawing: to SVG and to a 300 dpi A3
// PNG (the drawing fitted to the sheet) at 10,000 to 1,000,000 entities, time
// per entity; and a viewer frame of the 100,000-entity drawing, the whole
// drawing against a tenth of its width and height, where culling leaves
// most entities out.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <map>
#include <memory>

#include "bench/MixedDrawing.h"
#include "render/QtBackend.h"
#include "render/QtOutput.h"
#include "render/SvgBackend.h"

namespace tw::bench {
namespace {

void PerEntity(benchmark::State& state, const render::RenderReport& report) {
    state.counters["entities"] = static_cast<double>(report.visited);
    state.counters["drawn"] = static_cast<double>(report.drawn);
    state.counters["per_entity"] = benchmark::Counter(
        static_cast<double>(state.range(0)),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The extents widened to the aspect of a w x h target.
render::Box FittedView(const TJwwData& doc, double w, double h) {
    render::RenderOptions extents;
    extents.fit = render::Fit::Extents;
    render::Box v = render::ViewOf(doc, extents);
    const double mmpp = std::max(v.Width() / w, v.Height() / h);
    const double cx = (v.minX + v.maxX) / 2, cy = (v.minY + v.maxY) / 2;
    return {cx - w * mmpp / 2, cy - h * mmpp / 2, cx + w * mmpp / 2, cy + h * mmpp / 2};
}

render::RenderReport Paint(const TJwwData& doc, QImage& image, const render::Box& view) {
    QPainter painter(&image);
    render::QtBackend backend(painter, QRectF(image.rect()));
    render::RenderOptions options;
    options.view = view;
    return render::Render(doc, options, backend);
}

void BM_RenderSvg(benchmark::State& state) {
    const TJwwData& doc = MixedDrawingOf(state.range(0));
    render::RenderOptions options;
    options.fit = render::Fit::Extents;
    render::RenderReport report;
    for (auto _ : state) {
        std::string svg;
        render::SvgBackend backend(svg, 25.4 / 300);
        report = render::Render(doc, options, backend);
        benchmark::DoNotOptimize(svg.data());
    }
    PerEntity(state, report);
}

// A3 at 300 dpi: 4961 x 3508 pixels, encoded as PNG.
void BM_RenderPngA3(benchmark::State& state) {
    render::EnsureGuiApplication();
    const TJwwData& doc = MixedDrawingOf(state.range(0));
    const int w = 4961, h = 3508;
    const render::Box view = FittedView(doc, w, h);
    render::RenderReport report;
    for (auto _ : state) {
        QImage image(w, h, QImage::Format_RGB32);
        report = Paint(doc, image, view);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        benchmark::DoNotOptimize(bytes.data());
    }
    PerEntity(state, report);
}

// One frame of a 1600 x 1000 viewer: range(1) 1 shows the whole drawing, 10
// a tenth of its width and height about the centre.
void BM_ViewerFrame(benchmark::State& state) {
    render::EnsureGuiApplication();
    const TJwwData& doc = MixedDrawingOf(state.range(0));
    QImage image(1600, 1000, QImage::Format_RGB32);
    render::Box view = FittedView(doc, image.width(), image.height());
    const double shrink = 1.0 / static_cast<double>(state.range(1));
    const double cx = (view.minX + view.maxX) / 2, cy = (view.minY + view.maxY) / 2;
    view = {cx - view.Width() * shrink / 2, cy - view.Height() * shrink / 2,
            cx + view.Width() * shrink / 2, cy + view.Height() * shrink / 2};
    render::RenderReport report;
    for (auto _ : state)
        report = Paint(doc, image, view);
    PerEntity(state, report);
}

void RenderSizes(benchmark::internal::Benchmark* b) {
    b->Arg(10'000)->Arg(100'000)->Arg(1'000'000);
    b->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
}

BENCHMARK(BM_RenderSvg)->Apply(RenderSizes);
BENCHMARK(BM_RenderPngA3)->Apply(RenderSizes);
BENCHMARK(BM_ViewerFrame)
    ->Args({100'000, 1})
    ->Args({100'000, 10})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace tw::bench
