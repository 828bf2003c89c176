#include "app/cli/ExportCommand.h"

#include <filesystem>
#include <ostream>
#include <system_error>

#include <tintwright/util/Func_2.h>
#include <tintwright/util/ReplaceableFile.h>
#include "app/ShownDrawing.h"
#include "app/cli/Batch.h"
#include "app/cli/Shown.h"

namespace tw::cli {

namespace {

namespace fs = std::filesystem;

// Reads input and writes output; the reason when either fails, and the
// export's warnings otherwise.
JobResult ExportFile(const std::string& input, const fs::path& output,
                     const ExportOptions& options) {
    if (std::string refusal = RefusalToOverwriteInput(FromUtf8(input), output); !refusal.empty())
        return {false, std::move(refusal)};
    if (std::string refusal = RefusalToReplace(output, options.force); !refusal.empty())
        return {false, std::move(refusal)};
    JobResult result;
    try {
        // The drawing's embedded images are unpacked into a private folder of
        // its own, for the export to copy beside the DXF file.
        const ShownDrawing drawing(FromUtf8(input));
        dxf::DxfOptions dxfOptions = options.dxf;
        dxfOptions.replaceImages = options.force;
        const dxf::ExportReport written = dxf::ExportDxf(drawing.Doc(), output, dxfOptions);
        result.ok = written.ok;
        result.reason =
            written.ok ? "" : "cannot write " + ToUtf8(output.u16string()) + ": " + written.reason;
        for (const std::string& warning : written.warnings)
            result.reason += (result.reason.empty() ? "" : "; ") + warning;
    } catch (const UnreadableDrawing& e) {
        result = {false, std::string("cannot be read: ") + e.what()};
    }
    return result;
}

}  // namespace

int RunExport(const std::string& input, const std::string& output, const ExportOptions& options,
              std::ostream& err) {
    const JobResult result = ExportFile(input, fs::path(FromUtf8(output)), options);
    if (!result.reason.empty())
        err << Shown(input) << (result.ok ? ": " : ": failed: ") << Shown(result.reason) << "\n";
    return result.ok ? 0 : 1;
}

int RunExportBatch(const std::vector<std::string>& files, const std::string& folder,
                   const ExportOptions& options, std::ostream& err, bool terminal) {
    const fs::path target(FromUtf8(folder));
    std::error_code error;
    if (!fs::is_directory(target, error)) {
        err << "not a folder: " << folder << "\n";
        return 1;
    }
    const OutputOf outputOf = [&](const std::string& file) {
        return target / fs::path(FromUtf8(file)).stem().concat(u".dxf");
    };
    const FileJob job = [&](const std::string& file, const fs::path& output) {
        return ExportFile(file, output, options);
    };
    return RunBatch(files, outputOf, job, err, err, terminal);
}

}  // namespace tw::cli
