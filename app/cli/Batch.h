// Running one job over many files on all cores: a pool of threads takes the
// files in turn, each finished file is reported as it ends, and one exit
// code covers the whole run. Each job works on its own document, so jobs
// share nothing; a failing file does not stop the others.
#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace tw::cli {

struct JobResult {
    bool ok = false;
    std::string reason;  // why a file failed, or notes (warnings) on success
};

// The output file an input file is written to.
using OutputOf = std::function<std::filesystem::path(const std::string& file)>;
using FileJob =
    std::function<JobResult(const std::string& file, const std::filesystem::path& output)>;

// Names each file's output first: a file whose output is also an earlier
// file's, or is one of the input files, fails with that reason and its job
// never runs. Then calls job for each other file on up to `threads` threads (0: one per core),
// printing "[k/n] FILE: done" (with any notes) to out or "[k/n] FILE:
// failed: REASON" to err as each ends, k being the file's place in the list;
// on a terminal one updated count line on err instead. Then "D done, F
// failed" to out and, when any failed, each failed file and why to err.
// File names and reasons are printed with control characters escaped.
// Returns 0 when every file succeeded, 1 otherwise.
int RunBatch(const std::vector<std::string>& files, const OutputOf& outputOf, const FileJob& job,
             std::ostream& out, std::ostream& err, bool terminal = false, unsigned threads = 0);

// Why output may not be written for input: it is the input itself (also
// through a link), or it exists and replace is not set. None when it may.
std::optional<JobResult> OutputRefusal(const std::string& input,
                                       const std::filesystem::path& output, bool replace);

// One file with job: its notes, or the reason it failed, on err after its
// name. Returns 0 when it succeeded, 1 otherwise.
int RunOne(const std::string& input, const std::string& output, const FileJob& job,
           std::ostream& err);

// RunBatch of each file into folder/<stem><extension>, progress and summary
// on err; 1 with a message when folder is not a folder.
int RunIntoFolder(const std::vector<std::string>& files, const std::string& folder,
                  const std::u16string& extension, const FileJob& job, std::ostream& err,
                  bool terminal);

}  // namespace tw::cli
