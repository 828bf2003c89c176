#include "app/cli/RenderFormats.h"

#include <tintwright/render/SvgBackend.h>
#include "app/cli/RenderCommand.h"
#if TW_QT_OUTPUT
#include <tintwright/render/QtOutput.h>
#elif TW_GDIPLUS_OUTPUT
#include <tintwright/render/GdiplusOutput.h>
#include <tintwright/render/PdfOutput.h>
#endif

namespace tw::cli {

namespace {

std::string SvgBytes(const TJwwData& doc, const render::RenderOptions& options, double,
                     render::RenderReport& report) {
    std::string svg;
    render::SvgBackend backend(svg, options.screenPixel);
    report = render::Render(doc, options, backend);
    return svg;
}

// A raster writer's refusals as the command's.
template <class Paint>
std::string Refused(Paint paint) {
    try {
        return paint();
    } catch (const render::OutputError& e) {
        throw RenderFailure(e.what());
    }
}

#if TW_QT_OUTPUT
std::string PngBytes(const TJwwData& doc, const render::RenderOptions& options, double dpi,
                     render::RenderReport& report) {
    render::EnsureGuiApplication();
    return Refused([&] { return render::RenderPng(doc, options, dpi, report).toStdString(); });
}

std::string PdfBytes(const TJwwData& doc, const render::RenderOptions& options, double,
                     render::RenderReport& report) {
    render::EnsureGuiApplication();
    return Refused([&] {
        return render::RenderPdf(doc, options, render::kPdfResolution, report).toStdString();
    });
}
#elif TW_GDIPLUS_OUTPUT
std::string PngBytes(const TJwwData& doc, const render::RenderOptions& options, double dpi,
                     render::RenderReport& report) {
    return Refused([&] { return render::RenderPng(doc, options, dpi, report); });
}

std::string PdfBytes(const TJwwData& doc, const render::RenderOptions& options, double,
                     render::RenderReport& report) {
    return Refused([&] { return render::PdfOf(doc, options, report); });
}
#endif

}  // namespace

// SVG is written on every core. PNG and PDF go through Qt, whose application
// object is made on first use and whose font machinery is not safe to start
// from several threads at once, or through GDI+, whose start-up is just as
// global: those files are drawn one at a time.
const std::vector<RenderFormat>& RenderFormats() {
    static const std::vector<RenderFormat> formats {
        {"svg", SvgBytes, 0},
#if TW_QT_OUTPUT || TW_GDIPLUS_OUTPUT
            {"png", PngBytes, 1}, {"pdf", PdfBytes, 1},
#endif
    };
    return formats;
}

const RenderFormat& RenderFormatNamed(const std::string& name) {
    for (const RenderFormat& format : RenderFormats()) {
        if (format.name == name) return format;
    }
    return RenderFormats().front();
}

std::vector<std::string> RenderFormatNames() {
    std::vector<std::string> names;
    for (const RenderFormat& format : RenderFormats())
        names.push_back(format.name);
    return names;
}

std::string RenderFormatsText(const std::string& prefix, const std::string& separator,
                              const std::string& last) {
    const std::vector<std::string> names = RenderFormatNames();
    std::string text;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0) text += i + 1 == names.size() && !last.empty() ? last : separator;
        text += prefix + names[i];
    }
    return text;
}

}  // namespace tw::cli
