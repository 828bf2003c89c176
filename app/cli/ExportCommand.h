// "export": a JWW drawing as a DXF file, one file or many into a folder.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include <tintwright/dxf/DxfExport.h>

namespace tw::cli {

struct ExportOptions {
    dxf::DxfOptions dxf;
    bool force = false;  // replace an existing output file
};

// IN to OUT. Returns 0, or 1 with the reason on err.
int RunExport(const std::string& input, const std::string& output, const ExportOptions& options,
              std::ostream& err);

// Each file to DIR/<stem>.dxf on all cores, progress and summary on err.
int RunExportBatch(const std::vector<std::string>& files, const std::string& folder,
                   const ExportOptions& options, std::ostream& err, bool terminal);

}  // namespace tw::cli
