// A drawing read with its bound images in a private temporary folder, which
// goes away with the object, or with an interrupted process. To be shown,
// the images its texts place are unpacked there (512 MB of them at most), so
// that the renderer can place them; to be written again, they stay as the
// file stores them.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include <tintwright/document/JwwUnit.h>
#include <tintwright/util/RemovedOnInterrupt.h>

namespace tw {

struct UnreadableDrawing : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class ShownDrawing {
  public:
    // Throws UnreadableDrawing with the reason when the file cannot be read.
    enum class Images { Unpacked, AsStored };
    explicit ShownDrawing(const std::filesystem::path& file, Images images = Images::Unpacked);
    ~ShownDrawing();
    ShownDrawing(const ShownDrawing&) = delete;
    ShownDrawing& operator=(const ShownDrawing&) = delete;

    const TJwwData& Doc() const { return *doc_; }
    TJwwData& Doc() { return *doc_; }

  private:
    std::unique_ptr<TJwwData> doc_;
    std::filesystem::path images_;
    std::optional<RemovedOnInterrupt> interrupted_;
};

}  // namespace tw
