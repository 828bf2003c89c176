#include "util/SiblingFile.h"

#include <cerrno>
#include <random>
#include <system_error>

#ifdef __linux__
#include <fcntl.h>
#endif
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#endif

namespace tw {

namespace {

constexpr int kNameAttempts = 64;

std::FILE* OpenNewFile(const std::filesystem::path& path) {
#ifdef _WIN32
    // The C library of mingw ignores the "x" of "wbx" and would truncate a
    // file that exists: the exclusive creation is asked of the system itself.
    const int fd = _wopen(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY | _O_NOINHERIT,
                          _S_IREAD | _S_IWRITE);
    if (fd < 0) return nullptr;
    std::FILE* file = _fdopen(fd, "wb");
    if (file == nullptr) _close(fd);
    return file;
#else
    return std::fopen(path.c_str(), "wbx");
#endif
}

std::filesystem::path TempNameIn(const std::filesystem::path& folder, std::mt19937_64& random) {
    char name[32];
    std::snprintf(name, sizeof name, ".tw-%016llx.tmp", static_cast<unsigned long long>(random()));
    return folder / name;
}

}  // namespace

SiblingFile::SiblingFile(const std::filesystem::path& target) : target_(target) {
    std::random_device seed;
    std::mt19937_64 random((static_cast<uint64_t>(seed()) << 32) ^ seed());
    for (int attempt = 0; attempt < kNameAttempts && file_ == nullptr; ++attempt) {
        const auto candidate = TempNameIn(target_.parent_path(), random);
        errno = 0;
        file_ = OpenNewFile(candidate);
        error_ = errno;
        if (file_ != nullptr) temp_ = candidate;
        if (file_ == nullptr && error_ != EEXIST) return;
    }
    // Callers hand over large blocks; a second buffer would only copy.
    if (file_ != nullptr) std::setvbuf(file_, nullptr, _IONBF, 0);
}

SiblingFile::~SiblingFile() {
    if (file_ != nullptr) std::fclose(file_);
    if (!committed_ && !temp_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(temp_, ignored);
    }
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
// bytes arrive spreads it over the writing, so the rename finds it done.
void SiblingFile::StartWriteback(size_t size) {
#ifdef __linux__
    sync_file_range(fileno(file_), static_cast<off64_t>(written_), static_cast<off64_t>(size),
                    SYNC_FILE_RANGE_WRITE);
#endif
    written_ += size;
}

bool SiblingFile::Commit() {
    if (file_ == nullptr) return false;
    errno = 0;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!closed) {
        error_ = errno;
        return false;
    }
    std::error_code error;
    std::filesystem::rename(temp_, target_, error);
    error_ = error.value();
    committed_ = !error;
    return committed_;
}

}  // namespace tw
