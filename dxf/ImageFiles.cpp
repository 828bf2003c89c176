#include "dxf/ImageFiles.h"

#include <algorithm>
#include <system_error>

#include "document/BindImageFiles.h"
#include "document/Counted.h"
#include "document/EntityView.h"
#include "document/Geometry.h"
#include "dxf/ImageSize.h"
#include "util/Func_2.h"

namespace tw::dxf {

namespace {

namespace fs = std::filesystem;

// Pixels per millimetre assumed for an image whose header cannot be read.
constexpr double kFallbackPixelsPerMm = 10;

bool IsGz(const std::u16string& name) {
    return name.size() > 3 && LowerText(name.substr(name.size() - 3)) == u".gz";
}

// The drawing's stored file of an image: the first entry whose name begins
// with the image's (in any case), as the writer matches them.
std::u16string StoredEntry(const TJwwData& doc, const std::u16string& name) {
    const std::u16string wanted = UpperText(name);
    for (const TBindImageType& image : Counted(doc.BindImage, doc.BindImageN)) {
        if (UpperText(image.Fname).starts_with(wanted)) return image.Fname;
    }
    return name;
}

bool CopyImage(const TJwwData& doc, const std::u16string& name, const fs::path& target) {
    const std::u16string entry = StoredEntry(doc, name);
    const std::u16string source = doc.BindImagePathOf(entry);
    std::error_code error;
    if (source.empty() || !fs::is_regular_file(fs::path(source), error)) return false;
    return IsGz(entry) ? GunzipFileTo(source, target, kMaxBoundImageBytes)
                       : CopyFileTo(source, target);
}

}  // namespace

std::vector<geom::ImagePlacement> PlacedImages(const TJwwData& doc) {
    std::vector<geom::ImagePlacement> images;
    const auto collect = [&](const EntityView& view) {
        ForEachEntityOf<TEntJwwMoji>(view, [&](const TEntJwwMoji& text) {
            const auto image = geom::ImageOf(text);
            if (image && std::none_of(images.begin(), images.end(),
                                      [&](const auto& known) { return known.name == image->name; }))
                images.push_back(*image);
        });
    };
    collect(EntityView::Of(doc));
    ForEachDefinition(doc, [&](const TEntJwwBlockDef& def) { collect(EntityView::Of(def)); });
    return images;
}

ImageCopies CopyBoundImages(const TJwwData& doc, const fs::path& dxfFile) {
    ImageCopies copies;
    const std::u16string folderName = dxfFile.stem().u16string() + u"_images";
    const fs::path folder = dxfFile.parent_path() / folderName;
    for (const geom::ImagePlacement& placed : PlacedImages(doc)) {
        const std::u16string& name = placed.name;
        std::error_code error;
        const fs::path target = folder / name;
        if (!IsPlainFileName(name) || (fs::create_directories(folder, error), error) ||
            !CopyImage(doc, name, target)) {
            copies.warnings.push_back("bound image " + ToUtf8(name) +
                                      " not found in the image folder: left out");
            continue;
        }
        copies.written.push_back(target);
        ImageFile file;
        file.name = name;
        file.relativePath = folderName + u"/" + name;
        const auto size = PixelSize(target);
        file.pixelsX = size ? size->first : std::max(1.0, placed.width * kFallbackPixelsPerMm);
        file.pixelsY = size ? size->second : std::max(1.0, placed.height * kFallbackPixelsPerMm);
        copies.images.push_back(std::move(file));
    }
    return copies;
}

}  // namespace tw::dxf
