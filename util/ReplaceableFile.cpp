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

std::string RefusalToReplace(const std::filesystem::path& target, bool replace,
                             std::string_view option) {
    std::error_code error;
    if (replace || !std::filesystem::exists(std::filesystem::symlink_status(target, error)))
        return {};
    return AlreadyExists(target, option);
}

std::string AlreadyExists(const std::filesystem::path& target, std::string_view option) {
    return ToUtf8(target.u16string()) + " already exists; use " + std::string(option) +
           " to replace it";
}

bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

std::string RefusalToOverwriteInput(const std::filesystem::path& input,
                                    const std::filesystem::path& output) {
    if (!IsSameFile(input, output)) return {};
    return "the output " + ToUtf8(output.u16string()) + " is the input itself";
}

}  // namespace tw
