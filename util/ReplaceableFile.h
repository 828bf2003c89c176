// Whether an existing file may give its name to a new one. Both the JWW save
// and the other outputs ask here, so a write-protected file is refused the
// same way everywhere, also for a user (root, Windows' administrator) whom
// the system itself would let write it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tw {

// Empty when target may be replaced or does not exist; otherwise the reason
// ("not a file", "the file is write-protected", "the file may not be written",
// and on Windows a name it refuses: util/WindowsNames.h).
std::string WhyNotReplaceable(const std::filesystem::path& target);

// How a user asks to replace, named in the refusals: the command line's
// option by default; another front end names its own.
inline constexpr std::string_view kForceOption = "--force";

// The one refusal of an output name already taken (a link, even dangling,
// counts) when replacing it was not asked for: "<name> already exists; use
// --force to replace it". Empty when the name is free or replace is set.
std::string RefusalToReplace(const std::filesystem::path& target, bool replace,
                             std::string_view option = kForceOption);
// The same refusal, for a name found taken only when the output is renamed.
std::string AlreadyExists(const std::filesystem::path& target,
                          std::string_view option = kForceOption);

// Whether both names are one existing file (through links, hard links or
// another spelling).
bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b);
// The one refusal of an output that is the input itself: "the output <name>
// is the input itself"; empty when it is another file.
std::string RefusalToOverwriteInput(const std::filesystem::path& input,
                                    const std::filesystem::path& output);

}  // namespace tw
