// A drawing read to be shown, printed or exported: its embedded images are
// kept in memory as the file holds them, and unpacked only when an output
// needs their bytes, so opening a drawing writes nothing.
#pragma once

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include <tintwright/document/JwwUnit.h>

namespace tw {

struct UnreadableDrawing : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class ShownDrawing {
  public:
    // Throws UnreadableDrawing with the reason when the file cannot be read.
    explicit ShownDrawing(const std::filesystem::path& file);

    const TJwwData& Doc() const { return *doc_; }
    TJwwData& Doc() { return *doc_; }

  private:
    std::unique_ptr<TJwwData> doc_;
};

}  // namespace tw
