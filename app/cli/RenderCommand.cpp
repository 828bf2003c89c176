// tintwright-cli render: reads a drawing, renders it with the frontend and
// the SVG, QPainter or GDI+ backend, and writes the bytes through a sibling file,
// so a failure leaves an existing output as it was.
#include "app/cli/RenderCommand.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <ostream>
#include <stdexcept>
#include <system_error>

#include "app/OutputFile.h"
#include "app/ShownDrawing.h"
#include "app/cli/Batch.h"
#include "app/cli/Choices.h"
#if TW_QT_OUTPUT
#include <tintwright/render/QtOutput.h>
#elif TW_GDIPLUS_OUTPUT
#include <tintwright/render/GdiplusOutput.h>
#include <tintwright/render/PdfOutput.h>
#endif
#include <tintwright/render/ReportText.h>
#include <tintwright/render/SvgBackend.h>
#include <tintwright/util/Func_2.h>

namespace tw::cli {

namespace fs = std::filesystem;

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kPdfResolution = 1200;  // the PDF's coordinate grid, not a raster

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// Reads, renders and writes one file; the report's text on success.
std::string RenderOne(const fs::path& input, const fs::path& output, const std::string& format,
                      const RenderCommandOptions& options) {
    std::unique_ptr<ShownDrawing> drawing;
    try {
        drawing = std::make_unique<ShownDrawing>(input);
    } catch (const UnreadableDrawing& e) {
        throw RenderFailure(ToUtf8(input.u16string()) + " cannot be read: " + e.what());
    }
    render::RenderReport report;
    const std::string bytes = RenderedBytes(drawing->Doc(), format, options, report);
    try {
        WriteOutputFile(output, bytes, options.force);
    } catch (const OutputRefused& e) {
        throw RenderFailure(e.what());
    }
    return render::ReportText(report);
}

// SVG is written on every core. PNG and PDF go through Qt, whose application
// object is made on first use and whose font machinery is not safe to start
// from several threads at once, or through GDI+, whose start-up is just as
// global: those files are drawn one at a time.
unsigned RasterThreads(const std::string& format) {
    return format == "svg" ? 0 : 1;
}

#if TW_QT_OUTPUT
std::string RasterBytes(const TJwwData& doc, const std::string& format,
                        const render::RenderOptions& r, double dpi, render::RenderReport& report) {
    render::EnsureGuiApplication();
    const QByteArray bytes = format == "png" ? render::RenderPng(doc, r, dpi, report)
                                             : render::RenderPdf(doc, r, kPdfResolution, report);
    return bytes.toStdString();
}
#elif TW_GDIPLUS_OUTPUT
std::string RasterBytes(const TJwwData& doc, const std::string& format,
                        const render::RenderOptions& r, double dpi, render::RenderReport& report) {
    return format == "png" ? render::RenderPng(doc, r, dpi, report) : render::PdfOf(doc, r, report);
}
#endif

}  // namespace

std::string RenderFormatOf(const fs::path& output) {
    const std::string ext = Lower(ToUtf8(output.extension().u16string()));
    for (const std::string& format : kRenderFormats) {
        if (ext == "." + format) return format;
    }
    throw RenderFailure("the output must end in " + RenderFormatsText(".", ", ", " or ") +
                        (kRenderFormats.size() == 1 ? " (this build writes SVG only)" : ""));
}

std::string RenderedBytes(const TJwwData& doc, [[maybe_unused]] const std::string& format,
                          const RenderCommandOptions& options, render::RenderReport& report) {
    render::RenderOptions r;
    r.fit = options.fit;
    r.print = options.print;
    r.colour = options.colour;
    r.screenPixel = kMillimetresPerInch / options.dpi;
    r.blackBackground = options.blackBackground;
#if TW_QT_OUTPUT || TW_GDIPLUS_OUTPUT
    if (format != "svg") {
        try {
            return RasterBytes(doc, format, r, options.dpi, report);
        } catch (const render::OutputError& e) {
            throw RenderFailure(e.what());
        }
    }
#endif
    std::string svg;
    render::SvgBackend backend(svg, kMillimetresPerInch / options.dpi);
    report = render::Render(doc, r, backend);
    return svg;
}

int RunRender(const std::string& input, const std::string& output,
              const RenderCommandOptions& options, std::ostream& out, std::ostream& err) {
    try {
        const fs::path target(FromUtf8(output));
        out << output << ": " << RenderOne(FromUtf8(input), target, RenderFormatOf(target), options)
            << "\n";
        return 0;
    } catch (const RenderFailure& e) {
        err << "not rendered: " << e.what() << "\n";
        return 1;
    }
}

int RunRenderBatch(const std::vector<std::string>& files, const std::string& folder,
                   const std::string& format, const RenderCommandOptions& options,
                   std::ostream& out, std::ostream& err) {
    std::error_code error;
    if (!fs::is_directory(fs::path(FromUtf8(folder)), error)) {
        err << "not rendered: the folder does not exist: " << folder << "\n";
        return 1;
    }
    return RunBatch(
        files,
        [&](const std::string& file) {
            return fs::path(FromUtf8(folder)) /
                   fs::path(FromUtf8(file)).stem().concat(u"." + FromUtf8(format));
        },
        [&](const std::string& file, const fs::path& output) -> JobResult {
            try {
                RenderOne(fs::path(FromUtf8(file)), output, format, options);
                return {true, {}};
            } catch (const RenderFailure& e) {
                return {false, e.what()};
            }
        },
        out, err, /*terminal=*/false, RasterThreads(format));
}

}  // namespace tw::cli
