#include "jww/ReplacingFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

namespace tw {

namespace {

constexpr int kNameAttempts = 64;

std::FILE* OpenNewFile(const std::filesystem::path& path) {
#ifdef _WIN32
    return _wfopen(path.c_str(), L"wbx");
#else
    return std::fopen(path.c_str(), "wbx");
#endif
}

std::string Reason(const char* what, int error) {
    return std::string(what) + ": " + std::strerror(error);
}

// A file reached through a link is replaced where it lies, so the link
// keeps pointing at the new drawing.
std::filesystem::path ResolvedTarget(const std::filesystem::path& target) {
    std::error_code error;
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(target, error))) return target;
    std::filesystem::path resolved = std::filesystem::canonical(target, error);
    return error ? target : resolved;
}

std::filesystem::path TempNameIn(const std::filesystem::path& folder, std::mt19937_64& random) {
    char name[32];
    std::snprintf(name, sizeof name, ".tw-%016llx.tmp", static_cast<unsigned long long>(random()));
    return folder / name;
}

// Only a regular file is replaced, and only one that may be written (not
// write-protected, nor locked by another program where the system locks
// files). Opening it to append changes nothing in it.
void CheckReplaceable(const std::filesystem::path& target) {
    std::error_code error;
    const auto status = std::filesystem::status(target, error);
    if (!std::filesystem::exists(status)) return;
    if (!std::filesystem::is_regular_file(status)) throw WriteError("not a file");
    std::ofstream probe(target, std::ios::binary | std::ios::app);
    if (!probe) throw WriteError("the file may not be written");
}

}  // namespace

ReplacingFile::ReplacingFile(const std::filesystem::path& target)
    : target_(ResolvedTarget(target)) {
    if (target_.filename().empty()) throw WriteError("no file name");
    CheckReplaceable(target_);
    std::random_device seed;
    std::mt19937_64 random((static_cast<uint64_t>(seed()) << 32) ^ seed());
    for (int attempt = 0; attempt < kNameAttempts && file_ == nullptr; ++attempt) {
        temp_ = TempNameIn(target_.parent_path(), random);
        errno = 0;
        file_ = OpenNewFile(temp_);
        if (file_ == nullptr && errno != EEXIST)
            throw WriteError(Reason("cannot create the file", errno));
    }
    if (file_ == nullptr) throw WriteError("cannot find a free temporary name");
    // The archive hands over large blocks; a second buffer would only copy.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    std::error_code error;
    const auto existing = std::filesystem::status(target_, error);
    if (!error && std::filesystem::is_regular_file(existing))
        std::filesystem::permissions(temp_, existing.permissions(),
                                     std::filesystem::perm_options::replace, error);
}

ReplacingFile::~ReplacingFile() {
    if (file_ != nullptr) std::fclose(file_);
    if (!committed_ && !temp_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(temp_, ignored);
    }
}

void ReplacingFile::Write(const uint8_t* data, size_t size) {
    if (file_ == nullptr) throw WriteError("the file is closed");
    errno = 0;
    if (std::fwrite(data, 1, size, file_) != size)
        throw WriteError(Reason("cannot write the file", errno));
}

void ReplacingFile::Commit() {
    if (file_ == nullptr) throw WriteError("the file is closed");
    std::FILE* file = file_;
    file_ = nullptr;
    errno = 0;
    if (std::fclose(file) != 0) throw WriteError(Reason("cannot close the file", errno));
    std::error_code error;
    std::filesystem::rename(temp_, target_, error);
    if (error) throw WriteError("cannot replace the file: " + error.message());
    committed_ = true;
}

}  // namespace tw
