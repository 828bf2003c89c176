#include "app/RecentFiles.h"

#include <algorithm>

namespace tw {

std::vector<std::u16string> WithRecent(std::vector<std::u16string> files,
                                       const std::u16string& file) {
    std::erase(files, file);
    files.insert(files.begin(), file);
    if (files.size() > kRecentFiles) files.resize(kRecentFiles);
    return files;
}

}  // namespace tw
