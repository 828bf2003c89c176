#include "app/cli/ExportCommand.h"

#include <filesystem>

#include <tintwright/util/Func_2.h>
#include "app/ShownDrawing.h"
#include "app/cli/Batch.h"

namespace tw::cli {

namespace {

namespace fs = std::filesystem;

// Reads input and writes output; the reason when either fails, and the
// export's warnings otherwise.
JobResult ExportFile(const std::string& input, const fs::path& output,
                     const ExportOptions& options) {
    if (auto refusal = OutputRefusal(input, output, options.force)) return *refusal;
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

FileJob ExportJob(const ExportOptions& options) {
    return [options](const std::string& file, const fs::path& output) {
        return ExportFile(file, output, options);
    };
}

}  // namespace

int RunExport(const std::string& input, const std::string& output, const ExportOptions& options,
              std::ostream& err) {
    return RunOne(input, output, ExportJob(options), err);
}

int RunExportBatch(const std::vector<std::string>& files, const std::string& folder,
                   const ExportOptions& options, std::ostream& err, bool terminal) {
    return RunIntoFolder(files, folder, u".dxf", ExportJob(options), err, terminal);
}

}  // namespace tw::cli
