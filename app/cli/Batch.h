// Running one job over many files: each file in turn, a progress line per
// file, and one exit code for the whole run.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace tw::cli {

struct JobResult {
    bool ok = false;
    std::string reason;  // why a file failed
};

using FileJob = std::function<JobResult(const std::string& file)>;

// Calls job for each file, printing "[k/n] FILE: done" to out or
// "[k/n] FILE: failed: REASON" to err, then a count of both. Returns 0 when
// every file succeeded, 1 otherwise. A failing file does not stop the others.
int RunBatch(const std::vector<std::string>& files, const FileJob& job, std::ostream& out,
             std::ostream& err);

}  // namespace tw::cli
