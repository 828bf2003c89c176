// Running the distribution's programs (rasterisers, checkers) from a test.
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

}  // namespace tw
