// A unique temporary folder for one test, removed with everything in it when
// the object goes out of scope.
#pragma once

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace tw {

class TempDir {
  public:
    TempDir() {
        const auto base = std::filesystem::temp_directory_path();
        std::random_device seed;
        std::mt19937_64 random(
            seed() ^
            static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
        for (;;) {
            auto candidate = base / ("tw-test-" + std::to_string(random()));
            std::error_code error;
            if (std::filesystem::create_directory(candidate, error)) {
                path_ = std::move(candidate);
                return;
            }
            if (error) throw std::filesystem::filesystem_error("TempDir", candidate, error);
        }
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // The folder with a trailing separator, as the program keeps its folders.
    std::u16string folder() const {
        return path_.u16string() +
               static_cast<char16_t>(std::filesystem::path::preferred_separator);
    }

  private:
    std::filesystem::path path_;
};

}  // namespace tw
