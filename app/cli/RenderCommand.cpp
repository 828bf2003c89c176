// tintwright-cli render: reads a drawing, renders it with the frontend and
// the SVG or QPainter backend, and writes the bytes through a sibling file,
// so a failure leaves an existing output as it was.
#include "app/cli/RenderCommand.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <ostream>
#include <stdexcept>
#include <system_error>

#include <tintwright/render/ReportText.h>
#include <tintwright/util/Func_2.h>
#include <tintwright/util/OutputFile.h>
#include <tintwright/util/ReplaceableFile.h>
#include "app/ShownDrawing.h"
#include "app/cli/Batch.h"
#include "app/cli/RenderFormats.h"

namespace tw::cli {

namespace fs = std::filesystem;

namespace {

constexpr double kMillimetresPerInch = 25.4;

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// Reads, renders and writes one file; the report's text on success.
std::string RenderOne(const fs::path& input, const fs::path& output, const std::string& format,
                      const RenderCommandOptions& options) {
    if (std::string refusal = RefusalToOverwriteInput(input, output); !refusal.empty())
        throw RenderFailure(std::move(refusal));
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

}  // namespace

std::string RenderFormatOf(const fs::path& output) {
    const std::string ext = Lower(ToUtf8(output.extension().u16string()));
    for (const RenderFormat& format : RenderFormats()) {
        if (ext == "." + format.name) return format.name;
    }
    throw RenderFailure("the output must end in " + RenderFormatsText(".", ", ", " or ") +
                        (RenderFormats().size() == 1 ? " (this build writes SVG only)" : ""));
}

std::string RenderedBytes(const TJwwData& doc, const std::string& format,
                          const RenderCommandOptions& options, render::RenderReport& report) {
    render::RenderOptions r;
    r.fit = options.fit;
    r.print = options.print;
    r.colour = options.colour;
    r.screenPixel = kMillimetresPerInch / options.dpi;
    r.blackBackground = options.blackBackground;
    return RenderFormatNamed(format).bytes(doc, r, options.dpi, report);
}

int RunRender(const std::string& input, const std::string& output,
              const RenderCommandOptions& options, std::ostream& out, std::ostream& err) {
    try {
        const fs::path target(FromUtf8(output));
        // Rendered before anything is printed: a failure leaves no half line.
        const std::string drawn =
            RenderOne(FromUtf8(input), target, RenderFormatOf(target), options);
        out << output << ": " << drawn << "\n";
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
        out, err, /*terminal=*/false, RenderFormatNamed(format).threads);
}

}  // namespace tw::cli
