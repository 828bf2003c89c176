// An output file created under a new temporary name in its target's folder.
// Commit closes it and renames it over the target in one step; until then,
// and whenever something fails, the target stays exactly as it was, and an
// uncommitted temporary file is removed when the object goes away, or when
// the process is interrupted and its handler removes what is registered.
//
// Everything happens relative to the folder as it was opened, never through
// a link at the target's name: a link there is replaced, not followed, and
// a folder renamed meanwhile takes the file with it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>

#include <tintwright/util/RemovedOnInterrupt.h>

namespace tw {

// A folder opened once for the files made in it.
class FolderHandle {
  public:
    // followLink false refuses a folder that is itself a link.
    FolderHandle(const std::filesystem::path& folder, bool followLink);
    ~FolderHandle();
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;

    bool IsOpen() const;
    int Error() const { return error_; }  // errno of the failure to open
    const std::filesystem::path& Path() const { return path_; }
    int Descriptor() const { return fd_; }

  private:
    std::filesystem::path path_;
    int fd_ = -1;  // unused on Windows, where the path serves
    int error_ = 0;
};

class SiblingFile {
  public:
    enum class Existing { Replace, Keep };

    // Creates the temporary file exclusively beside target (following a
    // link to target's folder); IsOpen tells whether it could, and Error
    // then holds the system's reason.
    explicit SiblingFile(const std::filesystem::path& target);
    // The same for the file name in an open folder, which must outlive this.
    SiblingFile(const FolderHandle& folder, const std::filesystem::path& name);
    ~SiblingFile();
    SiblingFile(const SiblingFile&) = delete;
    SiblingFile& operator=(const SiblingFile&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    std::filesystem::path TempPath() const;  // empty when none was made
    int Error() const { return error_; }     // errno of the last failure, 0 if none known

    // True when every byte was taken (a full disk or a size limit says no).
    bool Write(const uint8_t* data, size_t size);
    // Closes the file, which keeps its temporary name until Commit: many
    // files staged at once would otherwise hold a descriptor each. False
    // when the last bytes could not be written.
    bool Close();
    // Closes the file (unless Close did) and renames it to the target's
    // name; with Keep, fails with EEXIST instead of replacing anything of
    // that name.
    bool Commit(Existing existing = Existing::Replace);

  private:
    void Create();
    void StartWriteback(size_t size);

    std::unique_ptr<FolderHandle> own_;  // the target's folder, when given a path
    const FolderHandle* folder_;
    std::filesystem::path name_;
    std::filesystem::path temp_;                     // the name alone, in the folder
    std::optional<RemovedOnInterrupt> interrupted_;  // temp_ while it exists
    std::FILE* file_ = nullptr;
    int error_ = 0;
    uint64_t written_ = 0;
    bool closed_ = false;
    bool committed_ = false;
};

}  // namespace tw
