// The viewer's recent files on Windows, kept in the registry
// (HKCU\Software\Tintwright\Viewer, value Recent, one name a string).
#pragma once

#include <filesystem>
#include <vector>

namespace tw::win32 {

std::vector<std::filesystem::path> RecentFiles();
// The file goes first, by the rule every viewer shares.
void RememberRecent(const std::filesystem::path& file);

}  // namespace tw::win32
