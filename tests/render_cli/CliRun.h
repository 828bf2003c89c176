// Running tintwright-cli from a test.
#pragma once

#include <filesystem>
#include <string>

#include "support/RunCommand.h"

namespace tw {

// The command line sits beside the test program.
inline std::filesystem::path CliPath() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path() / "tintwright-cli";
}

inline CommandResult Cli(const std::filesystem::path& folder, const std::string& args) {
    return RunIn(folder, "'" + CliPath().string() + "' " + args);
}

}  // namespace tw
