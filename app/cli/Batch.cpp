#include "app/cli/Batch.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <ostream>
#include <thread>

namespace tw::cli {

namespace {

// What the finished jobs have reported, under one lock.
class Progress {
  public:
    Progress(std::ostream& out, bool terminal, size_t total)
        : out_(out), terminal_(terminal), total_(total) {}

    void Finished(const std::string& file, const JobResult& result) {
        const std::lock_guard lock(mutex_);
        ++done_;
        if (!result.ok) failures_.emplace_back(file, result.reason);
        if (terminal_) {
            out_ << "\r[" << done_ << "/" << total_ << "] " << failures_.size() << " failed"
                 << std::flush;
            return;
        }
        out_ << "[" << done_ << "/" << total_ << "] " << file << ": "
             << (result.ok ? "ok" : "failed: " + result.reason)
             << (result.ok && !result.reason.empty() ? " (" + result.reason + ")" : "") << "\n";
    }

    int Summary() {
        if (terminal_) out_ << "\n";
        out_ << total_ - failures_.size() << " of " << total_ << " converted";
        if (failures_.empty()) {
            out_ << "\n";
            return 0;
        }
        out_ << "; " << failures_.size() << " failed:\n";
        std::sort(failures_.begin(), failures_.end());
        for (const auto& [file, reason] : failures_)
            out_ << "  " << file << ": " << reason << "\n";
        return 1;
    }

  private:
    std::ostream& out_;
    bool terminal_;
    size_t total_;
    size_t done_ = 0;
    std::vector<std::pair<std::string, std::string>> failures_;
    std::mutex mutex_;
};

}  // namespace

int RunBatch(const std::vector<std::string>& files, const Job& job, std::ostream& progress,
             bool terminal, unsigned threads) {
    if (threads == 0) threads = std::max(1U, std::thread::hardware_concurrency());
    threads = std::min<unsigned>(threads, static_cast<unsigned>(std::max<size_t>(files.size(), 1)));
    Progress report(progress, terminal, files.size());
    std::atomic<size_t> next{0};
    const auto work = [&] {
        for (size_t i = next++; i < files.size(); i = next++) {
            JobResult result;
            try {
                result = job(files[i]);
            } catch (const std::exception& e) {
                result = {false, e.what()};
            }
            report.Finished(files[i], result);
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
