#include "app/cli/ConvertCommand.h"

#include <filesystem>

#include <tintwright/document/SaveReport.h>
#include <tintwright/util/Func_2.h>
#include "app/ShownDrawing.h"
#include "app/cli/Batch.h"

namespace tw::cli {

namespace {

namespace fs = std::filesystem;

// Reads input and writes output; the reason when either fails, and what the
// output lost otherwise.
JobResult ConvertFile(const std::string& input, const fs::path& output,
                      const ConvertOptions& options) {
    if (auto refusal = OutputRefusal(input, output, options.force)) return *refusal;
    try {
        // Embedded images are held as stored, to be embedded again.
        ShownDrawing drawing(FromUtf8(input));
        TJwwData& doc = drawing.Doc();
        const int32_t version = options.version.value_or(doc.Source.version);
        doc.SetFileOutOption(options.utf16.value_or(doc.Source.utf16) ? kOutUtf16 : 0);
        SaveReport report;
        if (!doc.FileOut(output.u16string(), version, report, options.strict))
            return {false, "cannot write " + ToUtf8(output.u16string()) + ": " + doc.FileOutError};
        return {true, report.Lossless() ? "" : "lost " + DescribeLosses(report)};
    } catch (const UnreadableDrawing& e) {
        return {false, std::string("cannot be read: ") + e.what()};
    }
}

FileJob ConvertJob(const ConvertOptions& options) {
    return [options](const std::string& file, const fs::path& output) {
        return ConvertFile(file, output, options);
    };
}

}  // namespace

int RunConvert(const std::string& input, const std::string& output, const ConvertOptions& options,
               std::ostream& err) {
    return RunOne(input, output, ConvertJob(options), err);
}

int RunConvertBatch(const std::vector<std::string>& files, const std::string& folder,
                    const ConvertOptions& options, std::ostream& err, bool terminal) {
    return RunIntoFolder(files, folder, u".jww", ConvertJob(options), err, terminal);
}

}  // namespace tw::cli
