// "convert": a JWW drawing written again as a JWW file, in its own format
// version and text code or in others, one file or many into a folder.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace tw::cli {

struct ConvertOptions {
    std::optional<int32_t> version;  // the file's own when none
    std::optional<bool> utf16;       // the file's own text code when none
    bool strict = false;             // any loss fails and writes nothing
    bool force = false;              // replace an existing output file
};

// IN to OUT. Returns 0, with what was lost, if anything, on err; or 1 with
// the reason on err.
int RunConvert(const std::string& input, const std::string& output, const ConvertOptions& options,
               std::ostream& err);

// Each file to DIR/<stem>.jww on all cores, progress and summary on err.
int RunConvertBatch(const std::vector<std::string>& files, const std::string& folder,
                    const ConvertOptions& options, std::ostream& err, bool terminal);

}  // namespace tw::cli
