#include <tintwright/util/ReplacingFile.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>

#include <tintwright/util/ReplaceableFile.h>

namespace tw {

namespace {

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

}  // namespace

ReplacingFile::ReplacingFile(const std::filesystem::path& target)
    : target_(ResolvedTarget(target)) {
    if (target_.filename().empty()) throw WriteError("no file name");
    if (const std::string reason = WhyNotReplaceable(target_); !reason.empty())
        throw WriteError(reason);
    file_.emplace(target_);
    if (!file_->IsOpen()) throw WriteError(Reason("cannot create the file", file_->Error()));
    std::error_code error;
    const auto existing = std::filesystem::status(target_, error);
    if (!error && std::filesystem::is_regular_file(existing))
        std::filesystem::permissions(file_->TempPath(), existing.permissions(),
                                     std::filesystem::perm_options::replace, error);
}

void ReplacingFile::Write(const uint8_t* data, size_t size) {
    if (!file_->Write(data, size))
        throw WriteError(Reason("cannot write the file", file_->Error()));
}

void ReplacingFile::Commit() {
    if (!file_->Commit()) throw WriteError(Reason("cannot replace the file", file_->Error()));
}

}  // namespace tw
