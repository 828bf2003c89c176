// Running tintwright-cli and the distribution's rasterisers from a test.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace tw {

struct CommandResult {
    int code;
    std::string out, err;
};

// The command line sits beside the test program.
inline std::filesystem::path CliPath() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path() / "tintwright-cli";
}

inline std::string ReadText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs a shell command line in folder, capturing both streams.
inline CommandResult RunIn(const std::filesystem::path& folder, const std::string& command) {
    const auto out = folder / "stdout.txt";
    const auto err = folder / "stderr.txt";
    const std::string line = "cd '" + folder.string() + "' && " + command + " >'" + out.string() +
                             "' 2>'" + err.string() + "'";
    const int status = std::system(line.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(out), ReadText(err)};
}

inline CommandResult Cli(const std::filesystem::path& folder, const std::string& args) {
    return RunIn(folder, "'" + CliPath().string() + "' " + args);
}

}  // namespace tw
