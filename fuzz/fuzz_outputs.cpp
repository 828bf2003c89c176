// libFuzzer target of the outputs: every input is read as the reader's
// target reads it, and a drawing that reads is exported to DXF in every
// version, at real and at paper size, into memory, rendered to SVG on screen
// (as Jw_cad opens it) and in print (its extents), to a small PNG of the
// sheet, and as the viewer draws it (the drawing prepared and indexed, the
// whole view and a corner, at a coarse pixel so that pixel marks are drawn).
// Any crash, hang, undefined behaviour, failed export or inconsistent render
// report is a finding.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include <tintwright/dxf/DxfExport.h>
#include <tintwright/render/Frontend.h>
#include <tintwright/render/QtOutput.h>
#include <tintwright/render/SvgBackend.h>
#include "ReadInput.h"
#include "tests/jww/WriterSupport.h"

namespace {

// A device pixel at 254 dpi, the thinnest stroke of the SVG.
constexpr double kThinnestLine = 0.1;
// The PNG's resolution, lower when the sheet is large: a raster bounded
// whatever the input (the sheet of the largest paper code is 100 m wide).
constexpr double kPngDpi = 10;
constexpr double kMaxPngSide = 1000;  // pixels
constexpr double kMillimetresPerInch = 25.4;

void ExportEveryVersion(const tw::TJwwData& doc) {
    for (const int32_t version : tw::dxf::kDxfVersions) {
        for (const bool realSize : {true, false}) {
            tw::test::MemorySink sink;
            const tw::dxf::ExportReport report =
                tw::dxf::ExportDxf(doc, sink, {.version = version, .realSize = realSize});
            if (!report.ok) std::abort();
        }
    }
}

// Every entity the walk met is counted once, in one outcome.
void CheckReport(const tw::render::RenderReport& r) {
    int64_t reasons = 0;
    for (const auto& [reason, count] : r.reasons)
        reasons += count;
    if (r.visited != r.drawn + r.hidden + r.leftOut + r.culled + r.undrawable ||
        reasons != r.undrawable)
        std::abort();
}

void RenderSvg(const tw::TJwwData& doc, const tw::render::RenderOptions& options) {
    std::string svg;
    tw::render::SvgBackend backend(svg, kThinnestLine);
    CheckReport(tw::render::Render(doc, options, backend));
}

// The sheet on screen as a PNG; an OutputError (none is expected of so small
// a raster) escapes as a finding.
void RenderPng(const tw::TJwwData& doc) {
    const tw::render::RenderOptions sheet{.fit = tw::render::Fit::Paper};
    const tw::render::Box view = tw::render::ViewOf(doc, sheet);
    const double dpi = std::min(
        kPngDpi, kMaxPngSide * kMillimetresPerInch / std::max(view.Width(), view.Height()));
    tw::render::RenderReport report;
    tw::render::RenderPng(doc, sheet, dpi, report);
    CheckReport(report);
}

// The viewer's pictures: the opening view and its top-left sixteenth, 200
// pixels across.
void RenderPrepared(const tw::TJwwData& doc) {
    const tw::render::RenderOptions opening{.fit = tw::render::Fit::Opening};
    const tw::render::PreparedDrawing prepared = tw::render::Prepare(doc, opening);
    const tw::render::Box whole = tw::render::ViewOf(doc, opening);
    const tw::render::Box corner{whole.minX, whole.maxY - whole.Height() / 4,
                                 whole.minX + whole.Width() / 4, whole.maxY};
    for (const tw::render::Box& view : {whole, corner}) {
        const double pixel = view.Width() / 200;
        std::string svg;
        tw::render::SvgBackend backend(svg, kThinnestLine);
        CheckReport(tw::render::Render(prepared, {view, pixel, pixel}, backend));
    }
}

}  // namespace

// fontconfig, which Qt loads for the PNG's fonts, keeps its caches to the
// end of the process: not a leak of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    tw::render::EnsureGuiApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const tw::TempDir images;
    tw::TJwwData doc;
    if (tw::fuzz::ReadWithImages(doc, std::span<const uint8_t>(data, size), images).ok) {
        ExportEveryVersion(doc);
        RenderSvg(doc, {.fit = tw::render::Fit::Opening});
        RenderSvg(doc, {.fit = tw::render::Fit::Extents, .print = true});
        RenderPng(doc);
        RenderPrepared(doc);
    }
    tw::fuzz::Clear(images);
    return 0;
}
