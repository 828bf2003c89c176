// The real drawings saved by Jw_cad that the tests read (never copied into
// the project), in name order; a missing folder is an error, not an empty
// list.
#pragma once

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace tw::test {

inline std::vector<std::filesystem::path> SharedDrawingFiles() {
    const std::filesystem::path folder = TW_SHARED_TESTDATA;
    if (!std::filesystem::is_directory(folder))
        throw std::runtime_error("the shared drawings are missing: " + folder.string());
    std::vector<std::filesystem::path> files;
    for (const std::filesystem::directory_entry& entry :
         std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == ".jww") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace tw::test
