// A file that takes the place of its target name only once it is complete.
// The bytes go to a new temporary file in the target's folder; Commit closes
// it and renames it over the target in one step. Until then, and whenever
// something fails, the target stays exactly as it was, and the temporary
// file is removed when the object goes away uncommitted.
#pragma once

#include <filesystem>
#include <optional>

#include <tintwright/util/ByteSink.h>
#include <tintwright/util/SiblingFile.h>

namespace tw {

class ReplacingFile : public ByteSink {
  public:
    // Creates the temporary file (exclusively, with the mode the target has
    // or 0666 less the umask). Throws WriteError when it cannot.
    explicit ReplacingFile(const std::filesystem::path& target);
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Takes every byte or throws WriteError (full disk, file-size limit...).
    void Write(const uint8_t* data, size_t size) override;
    // Closes the temporary file and renames it over the target; throws
    // WriteError when either fails.
    void Commit();

  private:
    std::filesystem::path target_;
    std::optional<SiblingFile> file_;
};

}  // namespace tw
