#include "app/cli/Batch.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <ostream>
#include <thread>

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
        if (terminal_) {
            err_ << "\r[" << done_ << "/" << total_ << "] " << failures_.size() << " failed"
                 << std::flush;
            return;
        }
        const std::string step =
            "[" + std::to_string(index + 1) + "/" + std::to_string(total_) + "] " + file;
        if (result.ok)
            out_ << step << ": done" << (result.reason.empty() ? "" : " (" + result.reason + ")")
                 << "\n"
                 << std::flush;
        else
            err_ << step << ": failed: " << result.reason << "\n" << std::flush;
    }

    int Summary() {
        if (terminal_) err_ << "\n";
        out_ << total_ - failures_.size() << " done, " << failures_.size() << " failed\n";
        if (failures_.empty()) return 0;
        std::sort(failures_.begin(), failures_.end());
        err_ << "failed:\n";
        for (const auto& [file, reason] : failures_)
            err_ << "  " << file << ": " << reason << "\n";
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

}  // namespace

int RunBatch(const std::vector<std::string>& files, const FileJob& job, std::ostream& out,
             std::ostream& err, bool terminal, unsigned threads) {
    if (threads == 0) threads = std::max(1U, std::thread::hardware_concurrency());
    threads = std::min<unsigned>(threads, static_cast<unsigned>(std::max<size_t>(files.size(), 1)));
    Progress report(out, err, terminal, files.size());
    std::atomic<size_t> next{0};
    const auto work = [&] {
        for (size_t i = next++; i < files.size(); i = next++) {
            JobResult result;
            try {
                result = job(files[i]);
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

}  // namespace tw::cli
