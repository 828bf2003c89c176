#include "app/cli/Batch.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <map>
#include <mutex>
#include <ostream>
#include <system_error>
#include <thread>

#include <tintwright/util/Func_2.h>
#include <tintwright/util/ReplaceableFile.h>
#include "app/cli/Shown.h"

namespace tw::cli {

namespace {

// What the finished jobs have reported, under one lock.
class Progress {
  public:
    Progress(std::ostream& out, std::ostream& err, bool terminal, size_t total)
        : out_(out), err_(err), terminal_(terminal), total_(total) {}

    void Finished(size_t index, const std::string& file, const JobResult& result) {
        const std::lock_guard lock(mutex_);
        ++done_;
        if (!result.ok) failures_.emplace_back(file, result.reason);
        // Warnings of a job that succeeded go to stderr too: they name what
        // its output lacks.
        if (terminal_) {
            if (result.ok && !result.reason.empty())
                err_ << "\r" << Shown(file) << ": " << Shown(result.reason) << "\n";
            err_ << "\r[" << done_ << "/" << total_ << "] " << failures_.size() << " failed"
                 << std::flush;
            return;
        }
        std::ostream& to = result.ok && result.reason.empty() ? out_ : err_;
        to << "[" << index + 1 << "/" << total_ << "] " << Shown(file);
        const std::string reason = Shown(result.reason);
        if (!result.ok)
            to << ": failed: " << reason;
        else
            to << ": done" << (reason.empty() ? "" : " (") << reason << (reason.empty() ? "" : ")");
        to << "\n" << std::flush;
    }

    int Summary() {
        if (terminal_) err_ << "\n";
        out_ << total_ - failures_.size() << " done, " << failures_.size() << " failed\n";
        if (failures_.empty()) return 0;
        std::sort(failures_.begin(), failures_.end());
        err_ << "failed:\n";
        for (const auto& [file, reason] : failures_)
            err_ << "  " << Shown(file) << ": " << Shown(reason) << "\n";
        return 1;
    }

  private:
    std::ostream& out_;
    std::ostream& err_;
    bool terminal_;
    size_t total_;
    size_t done_ = 0;
    std::vector<std::pair<std::string, std::string>> failures_;
    std::mutex mutex_;
};

namespace fs = std::filesystem;

// One spelling per file, whichever way it is named (relative, "..", links
// to its folder), for telling whether two names are the same file.
std::string SameFileKey(const fs::path& file) {
    std::error_code error;
    const fs::path canonical = fs::weakly_canonical(fs::absolute(file, error), error);
    return (error ? fs::absolute(file, error).lexically_normal() : canonical).string();
}

// Why each file's job must not run (empty when it may): its output is an
// input file, or an earlier file's output. Decided before any job starts,
// so no job replaces what another wrote or reads.
std::vector<std::string> Refusals(const std::vector<std::string>& files,
                                  const std::vector<fs::path>& outputs) {
    std::map<std::string, size_t> inputs, taken;
    for (size_t i = 0; i < files.size(); ++i)
        inputs.emplace(SameFileKey(fs::path(FromUtf8(files[i]))), i);
    std::vector<std::string> refusals(files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        const std::string key = SameFileKey(outputs[i]);
        const std::string output = ToUtf8(outputs[i].u16string());
        if (const auto input = inputs.find(key); input != inputs.end())
            refusals[i] = "its output " + output + " is the input " + files[input->second];
        else if (const auto [earlier, added] = taken.emplace(key, i); !added)
            refusals[i] =
                "its output " + output + " is already the output of " + files[earlier->second];
    }
    return refusals;
}

}  // namespace

int RunBatch(const std::vector<std::string>& files, const OutputOf& outputOf, const FileJob& job,
             std::ostream& out, std::ostream& err, bool terminal, unsigned threads) {
    std::vector<fs::path> outputs;
    for (const std::string& file : files)
        outputs.push_back(outputOf(file));
    const std::vector<std::string> refusals = Refusals(files, outputs);
    if (threads == 0) threads = std::max(1U, std::thread::hardware_concurrency());
    threads = std::min<unsigned>(threads, static_cast<unsigned>(std::max<size_t>(files.size(), 1)));
    Progress report(out, err, terminal, files.size());
    std::atomic<size_t> next{0};
    const auto work = [&] {
        for (size_t i = next++; i < files.size(); i = next++) {
            JobResult result{false, refusals[i]};
            try {
                if (refusals[i].empty()) result = job(files[i], outputs[i]);
            } catch (const std::exception& e) {
                result = {false, e.what()};
            }
            report.Finished(i, files[i], result);
        }
    };
    std::vector<std::jthread> pool;
    for (unsigned t = 1; t < threads; ++t)
        pool.emplace_back(work);
    work();
    pool.clear();  // joins
    return report.Summary();
}

std::optional<JobResult> OutputRefusal(const std::string& input,
                                       const std::filesystem::path& output, bool replace) {
    if (std::string refusal = RefusalToOverwriteInput(FromUtf8(input), output); !refusal.empty())
        return JobResult{false, std::move(refusal)};
    if (std::string refusal = RefusalToReplace(output, replace); !refusal.empty())
        return JobResult{false, std::move(refusal)};
    return std::nullopt;
}

int RunOne(const std::string& input, const std::string& output, const FileJob& job,
           std::ostream& err) {
    const JobResult result = job(input, std::filesystem::path(FromUtf8(output)));
    if (!result.reason.empty())
        err << Shown(input) << (result.ok ? ": " : ": failed: ") << Shown(result.reason) << "\n";
    return result.ok ? 0 : 1;
}

int RunIntoFolder(const std::vector<std::string>& files, const std::string& folder,
                  const std::u16string& extension, const FileJob& job, std::ostream& err,
                  bool terminal) {
    const std::filesystem::path target(FromUtf8(folder));
    std::error_code error;
    if (!std::filesystem::is_directory(target, error)) {
        err << "not a folder: " << folder << "\n";
        return 1;
    }
    const OutputOf outputOf = [&](const std::string& file) {
        return target / std::filesystem::path(FromUtf8(file)).stem().concat(extension);
    };
    return RunBatch(files, outputOf, job, err, err, terminal);
}

}  // namespace tw::cli
