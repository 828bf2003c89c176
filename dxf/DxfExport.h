// Export of a drawing as a DXF file of version R12 (AC1009), 2000 (AC1015)
// or 2007 (AC1021), at real size (each entity scaled by its layer group's
// scale) or at the stored paper size.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include <tintwright/document/BindImageFiles.h>
#include <tintwright/document/JwwUnit.h>
#include <tintwright/util/ReplaceableFile.h>

namespace tw {
class ByteSink;
}

namespace tw::dxf {

inline constexpr int32_t kR12 = 1009;
inline constexpr int32_t kR2000 = 1015;
inline constexpr int32_t kR2007 = 1021;

inline constexpr int32_t kDxfVersions[] = {kR12, kR2000, kR2007};

// std::find, as the web build's C++ library has no std::ranges::count.
constexpr bool IsDxfVersion(int32_t v) {
    return std::find(std::begin(kDxfVersions), std::end(kDxfVersions), v) != std::end(kDxfVersions);
}

struct DxfOptions {
    int32_t version = kR2007;
    bool realSize = true;        // false: the stored paper millimetres
    bool replaceImages = false;  // replace images of the same names beside the file
    std::string replaceOption = std::string(kForceOption);  // named when an image is kept
    // The most the bound images may take unpacked, together: an export whose
    // images say they need more fails, saying so, before it unpacks them.
    uint64_t imageBytes = kUnpackedImagesBudget;
};

struct ExportReport {
    bool ok = false;
    std::string reason;                 // why nothing was written
    std::vector<std::string> warnings;  // what the file leaves out
    // Refused because an image's name is taken beside the file and
    // replaceImages was not set: the question a front end may ask its user.
    bool imageNameTaken = false;
};

// Writes the drawing to `file` through a temporary file renamed over it at
// the end: a failure leaves no half file and any existing file as it was.
// Bound images (2000 and 2007) are copied from the drawing's image folder
// into the folder "<file stem>_images" beside the file, named there only
// once the file itself is in place.
ExportReport ExportDxf(const TJwwData& doc, const std::filesystem::path& file,
                       const DxfOptions& options);

// Writes the drawing's DXF text into `sink`, for callers that keep it in
// memory. With no folder beside it to hold them, bound images are left out
// (and said so in the warnings).
ExportReport ExportDxf(const TJwwData& doc, ByteSink& sink, const DxfOptions& options);

}  // namespace tw::dxf
