// The read-only subcommands of the command line: check and dump.
#pragma once

#include <string>

namespace tw::cli {

struct DumpOptions {
    bool json = false;
    std::string imagesTo;  // empty: no image is written
    bool force = false;    // an image replaces an existing file of its name
};

// 0 for a JWW drawing of 2.20 to 7.00; 1 with the reason otherwise.
int RunCheck(const std::string& file);
// 0 read (and every image written); 1 with the reasons otherwise.
int RunDump(const std::string& file, const DumpOptions& options);

}  // namespace tw::cli
