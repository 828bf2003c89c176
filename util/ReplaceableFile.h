// Whether an existing file may give its name to a new one. Both the JWW save
// and the other outputs ask here, so a write-protected file is refused the
// same way everywhere, also for a user (root, Windows' administrator) whom
// the system itself would let write it.
#pragma once

#include <filesystem>
#include <string>

namespace tw {

// Empty when target may be replaced or does not exist; otherwise the reason
// ("not a file", "the file is write-protected", "the file may not be written",
// and on Windows a name it refuses: util/WindowsNames.h).
std::string WhyNotReplaceable(const std::filesystem::path& target);

// The one refusal of an output name already taken (a link, even dangling,
// counts) when replacing it was not asked for: "<name> already exists; use
// --force to replace it". Empty when the name is free or replace is set.
std::string RefusalToReplace(const std::filesystem::path& target, bool replace);
// The same refusal, for a name found taken only when the output is renamed.
std::string AlreadyExists(const std::filesystem::path& target);

}  // namespace tw
