#include <tintwright/util/ReplaceableFile.h>

#include <tintwright/util/Func_2.h>
#include <tintwright/util/WindowsNames.h>

#include <fstream>
#include <system_error>

namespace tw {

namespace {

// Windows shows its read-only attribute as a file without any write bit.
bool IsWriteProtected(std::filesystem::perms permissions) {
    using std::filesystem::perms;
    return (permissions & (perms::owner_write | perms::group_write | perms::others_write)) ==
           perms::none;
}

}  // namespace

// Opening the file to append changes nothing in it, and fails where another
// program holds it locked.
std::string WhyNotReplaceable(const std::filesystem::path& target) {
#ifdef _WIN32
    if (std::string reason = WhyWindowsRefusesName(target); !reason.empty()) return reason;
#endif
    std::error_code error;
    const auto status = std::filesystem::status(target, error);
    if (!std::filesystem::exists(status)) return {};
    if (!std::filesystem::is_regular_file(status)) return "not a file";
    if (IsWriteProtected(status.permissions())) return "the file is write-protected";
    std::ofstream probe(target, std::ios::binary | std::ios::app);
    if (!probe) return "the file may not be written";
    return {};
}

std::string RefusalToReplace(const std::filesystem::path& target, bool replace) {
    std::error_code error;
    if (replace || !std::filesystem::exists(std::filesystem::symlink_status(target, error)))
        return {};
    return AlreadyExists(target);
}

std::string AlreadyExists(const std::filesystem::path& target) {
    return ToUtf8(target.u16string()) + " already exists; use --force to replace it";
}

}  // namespace tw
