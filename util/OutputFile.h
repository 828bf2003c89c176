// Writing a whole output file at once through a sibling temporary file, so
// that a failure leaves an existing file exactly as it was.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string_view>

namespace tw {

struct OutputRefused : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Writes bytes to target; an existing target is replaced only with replace.
// Throws OutputRefused with the reason when nothing was written.
void WriteOutputFile(const std::filesystem::path& target, std::string_view bytes, bool replace);

}  // namespace tw
