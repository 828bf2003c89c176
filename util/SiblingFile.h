// An output file created under a new temporary name in its target's folder.
// Commit closes it and renames it over the target in one step; until then,
// and whenever something fails, the target stays exactly as it was, and an
// uncommitted temporary file is removed when the object goes away.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>

namespace tw {

class SiblingFile {
  public:
    // Creates the temporary file exclusively; IsOpen tells whether it could,
    // and Error then holds the system's reason.
    explicit SiblingFile(const std::filesystem::path& target);
    ~SiblingFile();
    SiblingFile(const SiblingFile&) = delete;
    SiblingFile& operator=(const SiblingFile&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    const std::filesystem::path& TempPath() const { return temp_; }
    int Error() const { return error_; }  // errno of the last failure, 0 if none known

    // True when every byte was taken (a full disk or a size limit says no).
    bool Write(const uint8_t* data, size_t size);
    // Closes the file and renames it over the target.
    bool Commit();

  private:
    void StartWriteback(size_t size);

    std::filesystem::path target_;
    std::filesystem::path temp_;
    std::FILE* file_ = nullptr;
    int error_ = 0;
    uint64_t written_ = 0;
    bool committed_ = false;
};

}  // namespace tw
