// The read-only subcommands of the command line: check and dump.
#pragma once

#include <string>

namespace tw::cli {
int RunCheck(const std::string& file);  // 0 JWW 2.20..7.00, 1 otherwise
int RunDump(const std::string& file, bool json,
            const std::string& imagesTo);  // imagesTo empty = none
}  // namespace tw::cli
