#include "app/cli/Batch.h"

#include <exception>
#include <ostream>

namespace tw::cli {

int RunBatch(const std::vector<std::string>& files, const FileJob& job, std::ostream& out,
             std::ostream& err) {
    size_t failed = 0;
    for (size_t i = 0; i < files.size(); ++i) {
        const std::string step =
            "[" + std::to_string(i + 1) + "/" + std::to_string(files.size()) + "] " + files[i];
        JobResult result;
        try {
            result = job(files[i]);
        } catch (const std::exception& e) {
            result = {false, e.what()};
        }
        if (result.ok) {
            out << step << ": done\n" << std::flush;
        } else {
            ++failed;
            err << step << ": failed: " << result.reason << "\n" << std::flush;
        }
    }
    out << files.size() - failed << " done, " << failed << " failed\n";
    return failed == 0 ? 0 : 1;
}

}  // namespace tw::cli
