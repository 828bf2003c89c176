// The formats render writes in this build, in the order --help lists them.
// The command line's choices (--format, the help texts, the format of an
// output by its extension) and the writing of each file come from this one
// table.
#pragma once

#include <string>
#include <vector>

#include <tintwright/render/Frontend.h>

namespace tw::cli {

struct RenderFormat {
    // --format's word, and the output's extension without its dot.
    std::string name;
    // The file's bytes at dpi pixels per inch; RenderFailure when they cannot
    // be made.
    std::string (*bytes)(const TJwwData& doc, const render::RenderOptions& options, double dpi,
                         render::RenderReport& report);
    // Files a batch draws at once: 0 for one per core.
    unsigned threads;
};

const std::vector<RenderFormat>& RenderFormats();

// The format of a name the command line has already accepted.
const RenderFormat& RenderFormatNamed(const std::string& name);

std::vector<std::string> RenderFormatNames();

// The formats as help and messages list them: "svg|png|pdf", or with
// `last` before the last one: ".svg, .png or .pdf".
std::string RenderFormatsText(const std::string& prefix, const std::string& separator,
                              const std::string& last = "");

}  // namespace tw::cli
