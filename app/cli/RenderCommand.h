// "render": a drawing as SVG, PNG or PDF, one file or a batch into a folder.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <tintwright/render/Frontend.h>

namespace tw::cli {

struct RenderCommandOptions {
    double dpi = 150;  // PNG pixels per inch; an SVG's thinnest line is one such pixel
    render::Fit fit = render::Fit::Paper;
    bool blackBackground = false;
    bool print = false;
    std::optional<bool> colour;  // print in colour or not; the drawing's choice when none
    bool force = false;          // replace an existing output
};

// A file that cannot be rendered, and why.
struct RenderFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The format ("svg", "png", "pdf", as this build writes them) of an output
// file by its extension; RenderFailure for another.
std::string RenderFormatOf(const std::filesystem::path& output);

// What render writes for the drawing in that format; `report` tells what
// was drawn. RenderFailure when the output cannot be made.
std::string RenderedBytes(const TJwwData& doc, const std::string& format,
                          const RenderCommandOptions& options, render::RenderReport& report);

// IN -> OUT, the format from OUT's extension (.svg, .png, .pdf). Prints what
// was drawn to out, a failure to err. Returns 0 written, 1 not written.
int RunRender(const std::string& input, const std::string& output,
              const RenderCommandOptions& options, std::ostream& out, std::ostream& err);

// Each FILE -> DIR/<name>.<format>, with a progress line per file.
int RunRenderBatch(const std::vector<std::string>& files, const std::string& folder,
                   const std::string& format, const RenderCommandOptions& options,
                   std::ostream& out, std::ostream& err);

}  // namespace tw::cli
