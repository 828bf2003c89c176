// The viewer's recent files, the same rule in every toolkit; each keeps the
// list where its platform keeps settings.
#pragma once

#include <string>
#include <vector>

namespace tw {

constexpr size_t kRecentFiles = 8;

// The list with the file first, once, and at most kRecentFiles long.
std::vector<std::u16string> WithRecent(std::vector<std::u16string> files,
                                       const std::u16string& file);

}  // namespace tw
