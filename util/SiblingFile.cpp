// The platform split of the output files: POSIX works through the folder's
// descriptor (openat, renameat), Windows through the folder's path.
#include <tintwright/util/SiblingFile.h>

#include <cerrno>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cstdio>
#else
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#endif

namespace tw {

namespace {

constexpr int kNameAttempts = 64;

std::filesystem::path TempName(std::mt19937_64& random) {
    char name[32];
    std::snprintf(name, sizeof name, ".tw-%016llx.tmp", static_cast<unsigned long long>(random()));
    return name;
}

#ifdef _WIN32

// The C library of mingw ignores the "x" of "wbx" and would truncate a file
// that exists: the exclusive creation is asked of the system itself.
std::FILE* OpenNewFile(const FolderHandle& folder, const std::filesystem::path& name) {
    const int fd =
        _wopen((folder.Path() / name).c_str(),
               _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
    if (fd < 0) return nullptr;
    std::FILE* file = _fdopen(fd, "wb");
    if (file == nullptr) _close(fd);
    return file;
}

void RemoveFile(const FolderHandle& folder, const std::filesystem::path& name) {
    std::error_code ignored;
    std::filesystem::remove(folder.Path() / name, ignored);
}

void RemoveOnInterrupt(std::optional<RemovedOnInterrupt>& registration, const FolderHandle& folder,
                       const std::filesystem::path& name) {
    registration.emplace(folder.Path() / name, RemovedOnInterrupt::Kind::File);
}

// The system's reason in errno's terms, as the callers report it.
int ErrnoOf(DWORD error) {
    switch (error) {
        case ERROR_ALREADY_EXISTS:
        case ERROR_FILE_EXISTS:
            return EEXIST;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
            return EACCES;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return ENOENT;
        default:
            return EIO;
    }
}

// Without MOVEFILE_REPLACE_EXISTING the system refuses a name in use in the
// same step as the rename, so Keep leaves no gap for a file made meanwhile.
int Rename(const FolderHandle& folder, const std::filesystem::path& from,
           const std::filesystem::path& to, SiblingFile::Existing existing) {
    const DWORD flags = existing == SiblingFile::Existing::Replace ? MOVEFILE_REPLACE_EXISTING : 0;
    if (MoveFileExW((folder.Path() / from).c_str(), (folder.Path() / to).c_str(), flags)) return 0;
    return ErrnoOf(GetLastError());
}

#else

// O_NOFOLLOW with O_EXCL: nothing of that name, not even a dangling link.
std::FILE* OpenNewFile(const FolderHandle& folder, const std::filesystem::path& name) {
    const int fd = openat(folder.Descriptor(), name.c_str(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    std::FILE* file = fdopen(fd, "wb");
    if (file == nullptr) close(fd);
    return file;
}

void RemoveFile(const FolderHandle& folder, const std::filesystem::path& name) {
    unlinkat(folder.Descriptor(), name.c_str(), 0);
}

// By the folder's descriptor, as the file was made.
void RemoveOnInterrupt(std::optional<RemovedOnInterrupt>& registration, const FolderHandle& folder,
                       const std::filesystem::path& name) {
    registration.emplace(folder.Descriptor(), name, RemovedOnInterrupt::Kind::File);
}

#ifndef __linux__
// The refusals of a file system that has no hard links (the browser's
// in-memory one says EMLINK, FAT and others EPERM or ENOTSUP).
bool LacksHardLinks(int error) {
    return error == EMLINK || error == EPERM || error == ENOTSUP || error == EOPNOTSUPP ||
           error == ENOSYS;
}

// Without hard links the name is claimed first: created exclusively, so
// that a file of that name is refused, then the finished file renamed over
// this empty one of our own.
int ClaimThenRename(int fd, const std::filesystem::path& from, const std::filesystem::path& to) {
    const int claim =
        openat(fd, to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (claim < 0) return -1;
    close(claim);
    if (renameat(fd, from.c_str(), fd, to.c_str()) == 0) return 0;
    const int error = errno;
    unlinkat(fd, to.c_str(), 0);
    errno = error;
    return -1;
}

// A hard link fails when the name exists; the temporary name then goes.
int LinkThenUnlink(int fd, const std::filesystem::path& from, const std::filesystem::path& to) {
    if (linkat(fd, from.c_str(), fd, to.c_str(), 0) == 0) {
        unlinkat(fd, from.c_str(), 0);
        return 0;
    }
    return LacksHardLinks(errno) ? ClaimThenRename(fd, from, to) : -1;
}
#endif

// Keep needs a refusal without a gap: on Linux a rename that never
// replaces, elsewhere a hard link, or the name claimed where there are none.
int Rename(const FolderHandle& folder, const std::filesystem::path& from,
           const std::filesystem::path& to, SiblingFile::Existing existing) {
    const int fd = folder.Descriptor();
    int rc = 0;
    if (existing == SiblingFile::Existing::Replace) {
        rc = renameat(fd, from.c_str(), fd, to.c_str());
    } else {
#ifdef __linux__
        rc = renameat2(fd, from.c_str(), fd, to.c_str(), RENAME_NOREPLACE);
#else
        rc = LinkThenUnlink(fd, from, to);
#endif
    }
    return rc == 0 ? 0 : errno;
}

#endif

}  // namespace

FolderHandle::FolderHandle(const std::filesystem::path& folder, bool followLink)
    : path_(folder.empty() ? std::filesystem::path(".") : folder) {
#ifdef _WIN32
    std::error_code error;
    const auto status = followLink ? std::filesystem::status(path_, error)
                                   : std::filesystem::symlink_status(path_, error);
    if (!std::filesystem::is_directory(status)) error_ = error ? error.value() : ENOTDIR;
#else
    fd_ = open(path_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW));
    if (fd_ < 0) error_ = errno;
#endif
}

FolderHandle::~FolderHandle() {
#ifndef _WIN32
    if (fd_ >= 0) close(fd_);
#endif
}

bool FolderHandle::IsOpen() const {
    return error_ == 0;
}

SiblingFile::SiblingFile(const std::filesystem::path& target)
    : own_(std::make_unique<FolderHandle>(target.parent_path(), /*followLink=*/true)),
      folder_(own_.get()),
      name_(target.filename()) {
    Create();
}

SiblingFile::SiblingFile(const FolderHandle& folder, const std::filesystem::path& name)
    : folder_(&folder), name_(name) {
    Create();
}

void SiblingFile::Create() {
    if (!folder_->IsOpen()) {
        error_ = folder_->Error();
        return;
    }
    // Seeded once per thread: opening the system's source for every file
    // cost more than writing a small one.
    thread_local std::mt19937_64 random = [] {
        std::random_device seed;
        return std::mt19937_64((static_cast<uint64_t>(seed()) << 32) ^ seed());
    }();
    for (int attempt = 0; attempt < kNameAttempts && file_ == nullptr; ++attempt) {
        const auto candidate = TempName(random);
        const InterruptsHeld held;  // no file without its registration
        errno = 0;
        file_ = OpenNewFile(*folder_, candidate);
        error_ = errno;
        if (file_ != nullptr) {
            temp_ = candidate;
            RemoveOnInterrupt(interrupted_, *folder_, temp_);
        }
        if (file_ == nullptr && error_ != EEXIST) return;
    }
    // Callers hand over large blocks; a second buffer would only copy.
    if (file_ != nullptr) std::setvbuf(file_, nullptr, _IONBF, 0);
}

SiblingFile::~SiblingFile() {
    if (file_ != nullptr) std::fclose(file_);
    if (!committed_ && !temp_.empty()) RemoveFile(*folder_, temp_);
}

std::filesystem::path SiblingFile::TempPath() const {
    return temp_.empty() ? temp_ : folder_->Path() / temp_;
}

bool SiblingFile::Write(const uint8_t* data, size_t size) {
    if (file_ == nullptr) return false;
    errno = 0;
    if (std::fwrite(data, 1, size, file_) != size) {
        error_ = errno;
        return false;
    }
    StartWriteback(size);
    return true;
}

// Renaming over an existing file makes the file system write out the whole
// new file inside the rename. Starting that writeback block by block as the
// bytes arrive spreads it over the writing, so the rename finds it done. A
// small file is written out at once anyway: asking for each of thousands of
// small images cost an input-output request apiece.
void SiblingFile::StartWriteback(size_t size) {
    constexpr uint64_t kLargeFile = uint64_t{1} << 20;
#ifdef __linux__
    if (written_ + size >= kLargeFile)
        sync_file_range(fileno(file_), static_cast<off64_t>(written_), static_cast<off64_t>(size),
                        SYNC_FILE_RANGE_WRITE);
#endif
    written_ += size;
}

bool SiblingFile::Close() {
    if (file_ == nullptr) return false;
    errno = 0;
    closed_ = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!closed_) error_ = errno;
    return closed_;
}

bool SiblingFile::Commit(Existing existing) {
    if (file_ != nullptr) Close();
    if (!closed_ || committed_) return false;
    error_ = Rename(*folder_, temp_, name_, existing);
    committed_ = error_ == 0;
    if (committed_) interrupted_.reset();
    return committed_;
}

}  // namespace tw
