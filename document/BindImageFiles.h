// File work behind BindImagePack, BindImageExplode and BindImageCopy. Each
// writes its output to a new temporary file beside the target and renames it
// into place only when complete, so a failure never leaves a half-written
// file nor changes an existing one.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include <tintwright/document/Geometry.h>
#include <tintwright/document/ImageIndex.h>
#include <tintwright/document/jwwtype.h>

namespace tw {

class SiblingFile;
class TJwwData;

// Takes the next bytes of an image; false stops the work.
using ImageSink = std::function<bool(const unsigned char* data, size_t size)>;

// The largest image a JWW file can carry back: it records the size as int32.
inline constexpr uint64_t kMaxBoundImageBytes = std::numeric_limits<int32_t>::max();

// Writes a gzip file (highest compression level) of source to target.
bool GzipFileTo(const std::filesystem::path& source, const std::filesystem::path& target);

// Decompresses the gzip file source to target, streaming in blocks. Fails,
// writing nothing, for data that is not gzip, is damaged or cut short, or
// would expand to more than maxBytes.
bool GunzipFileTo(const std::filesystem::path& source, const std::filesystem::path& target,
                  uint64_t maxBytes);

// Copies source to target, replacing a file of that name.
bool CopyFileTo(const std::filesystem::path& source, const std::filesystem::path& target);

// The same into an open output file, left for the caller to commit.
bool GunzipInto(const std::filesystem::path& source, SiblingFile& out, uint64_t maxBytes);
bool CopyInto(const std::filesystem::path& source, SiblingFile& out);

// What the images an output unpacks may take, together: far beyond any
// scanned sheet, far below an image bomb.
inline constexpr uint64_t kUnpackedImagesBudget = uint64_t{512} << 20;

// The files of the images a drawing's texts place, as outputs need them:
// unpacked when stored gzip-compressed, from the bytes the drawing holds or
// else from its image folder. The drawing must outlive this.
class PlacedImageFiles {
  public:
    explicit PlacedImageFiles(const TJwwData& doc);

    // Whether the drawing can give the image's file, without unpacking it.
    bool Has(const std::u16string& name) const;
    // The file into put. False, after giving put part of it or nothing, when
    // the drawing has no such image, it is damaged or it would unpack to more
    // than maxBytes.
    bool Write(const std::u16string& name, uint64_t maxBytes, const ImageSink& put) const;
    // The same as one string; none when Write fails.
    std::optional<std::string> Bytes(const std::u16string& name, uint64_t maxBytes) const;
    // What the stored file says the image unpacks to, without unpacking it:
    // a gzip file's record of its length (modulo 2^32, exact for all a JWW
    // file carries) or a plain file's size; 0 when there is no such image.
    uint64_t DeclaredSize(const std::u16string& name) const;

  private:
    const TBindImageType* Stored(const std::u16string& name) const;

    const TJwwData& doc_;
    ImageIndex index_;
};

// Why the placed images may not be unpacked by an output: what their files
// say they need together is more than the budget ("the bound images unpack
// to 600 MB, more than the 512 MB allowed"). Empty when it is not.
std::string ImagesOverBudget(const PlacedImageFiles& files,
                             const std::vector<geom::ImagePlacement>& placed, uint64_t budget);

}  // namespace tw
