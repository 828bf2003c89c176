// Save as JWW from a viewer: the drawing on screen written in a version and
// text code the user picks, each named as the command line names it, the
// drawing's own offered first.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <tintwright/document/JwwUnit.h>

namespace tw::cli {

struct JwwFormat {
    int32_t version = 0;
    bool utf16 = false;
    std::string label;  // "JWW 7.00, UTF-16"
};

// Every version in both text codes, the one the drawing was read in first.
std::vector<JwwFormat> JwwFormats(const TJwwData& doc);

struct JwwSaved {
    bool saved = false;
    std::string said;  // what the user is told: the reason, or what the format could not hold
};

// Writes doc to target (the save dialog asked before replacing it).
JwwSaved SaveAsJww(TJwwData& doc, const std::filesystem::path& target, const JwwFormat& format);

}  // namespace tw::cli
