// The file names Windows refuses or changes: device names (CON, NUL, COM1,
// with any extension), characters it forbids, and a trailing dot or space,
// which it drops without a word. Outputs on Windows check a name here first,
// so the user reads what is wrong instead of the system's "Invalid argument".
#pragma once

#include <filesystem>
#include <string>

namespace tw {

// Empty when Windows takes the file name of `path` as it is; otherwise why not.
std::string WhyWindowsRefusesName(const std::filesystem::path& path);

}  // namespace tw
