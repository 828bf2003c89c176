// Running one job per file over many files on all cores: a pool of threads
// takes the files in turn, progress goes to a stream (a line per finished
// file, or one updated line on a terminal), and a summary says which files
// failed and why. Each job works on its own document, so jobs share nothing.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace tw::cli {

struct JobResult {
    bool ok = false;
    std::string reason;  // why it failed, or warnings when it did not
};

using Job = std::function<JobResult(const std::string& file)>;

// Runs job on every file with up to `threads` threads (0: one per core).
// Returns the exit code: 0 when every job succeeded, 1 otherwise.
int RunBatch(const std::vector<std::string>& files, const Job& job, std::ostream& progress,
             bool terminal, unsigned threads = 0);

}  // namespace tw::cli
