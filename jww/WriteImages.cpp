// The embedded-image section of version 7.00 files: the bound image files
// that texts of the drawing name, each with its name, size and bytes.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string_view>
#include <system_error>
#include <vector>

#include <tintwright/document/Counted.h>
#include <tintwright/document/ImageIndex.h>
#include <tintwright/jww/DocumentWriter.h>
#include <tintwright/util/Func_2.h>

namespace tw::jwwout {

namespace {

// A text naming a bound image: the marker, the start of the file name, a
// comma and further values.
constexpr std::u16string_view kTempImageMark = u"^@BM%temp%";
constexpr size_t kCopyBlock = 2048;

class ImageMarker {
  public:
    explicit ImageMarker(std::span<TBindImageType> images) : images_(images), index_(images) {}

    // Marks the first image whose name begins with the one the text gives.
    void Mark(const std::u16string& text) {
        if (text.size() <= kTempImageMark.size() || !text.starts_with(kTempImageMark)) return;
        const size_t comma = text.find(u',');
        if (comma == std::u16string::npos) return;
        const size_t start = kTempImageMark.size();
        const std::u16string name = text.substr(start, comma - start);
        if (name.empty()) return;
        if (const std::optional<size_t> image = index_.Find(name)) images_[*image].exf = true;
    }

    void MarkTexts(const EntityView& src) {
        ForEachEntityOf<TEntJwwMoji>(src, [&](const TEntJwwMoji& text) { Mark(text.str); });
    }

  private:
    std::span<TBindImageType> images_;
    ImageIndex index_;
};

// Only a plain file name is looked for (BindImagePathOf gives no path for
// any other), so that a name cannot reach outside the image folder; and only
// a regular file, which can be read to its end without waiting.
bool Embeddable(const TJwwData& doc, const TBindImageType& image) {
    if (!image.Stored.empty()) return true;
    const std::u16string path = doc.BindImagePathOf(image.Fname);
    std::error_code error;
    return !path.empty() && FileExistsAt(path) &&
           std::filesystem::is_regular_file(std::filesystem::path(path), error);
}

// Size and bytes of the file, through one small buffer whatever its size.
// The size is taken from the open file, and every byte of it must arrive.
void CopyImage(ArchiveWriter& ar, const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw WriteError("cannot open a bound image");
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (!in || size < 0 || size > std::numeric_limits<int32_t>::max())
        throw WriteError("cannot size a bound image");
    ar.i32(static_cast<int32_t>(size));
    char block[kCopyBlock];
    for (std::streamoff left = size; left > 0;) {
        const auto want = static_cast<std::streamsize>(std::min<std::streamoff>(left, kCopyBlock));
        in.read(block, want);
        if (in.gcount() != want) throw WriteError("cannot read a bound image");
        ar.bytes(reinterpret_cast<const uint8_t*>(block), static_cast<size_t>(want));
        left -= want;
    }
}

void ClearFlags(std::span<TBindImageType> images) {
    for (TBindImageType& image : images)
        image.exf = false;
}

// Marks the images that texts of the drawing or of any definition name and
// that can be embedded; returns their number.
int32_t MarkEmbedded(TJwwData& doc, std::span<TBindImageType> images) {
    if (images.empty()) return 0;  // nothing a text could name
    ImageMarker marker(images);
    marker.MarkTexts(EntityView::Of(doc));
    for (const TEntJwwBlockDef& def : Counted(doc.EntBlockDef, doc.EntBlockDefN))
        marker.MarkTexts(EntityView::Of(def));
    int32_t count = 0;
    for (TBindImageType& image : images) {
        if (!image.exf) continue;
        image.exf = Embeddable(doc, image);
        count += image.exf ? 1 : 0;
    }
    return count;
}

}  // namespace

void WriteImageSection(ArchiveWriter& ar, TJwwData& doc) {
    const std::span<TBindImageType> images = Counted(doc.BindImage, doc.BindImageN);
    ClearFlags(images);
    int32_t count = MarkEmbedded(doc, images);
    if (!doc.BindImageExp && !doc.BindImageExr) {
        ClearFlags(images);
        count = 0;
    }
    ar.i32(count);
    ar.Lose(SaveLoss::Images, static_cast<int64_t>(images.size()) - count);
    for (const TBindImageType& image : images) {
        if (!image.exf) continue;
        ar.WriteString(image.Fname);
        if (!image.Stored.empty()) {
            ar.i32(static_cast<int32_t>(image.Stored.size()));
            ar.bytes(reinterpret_cast<const uint8_t*>(image.Stored.data()), image.Stored.size());
        } else {
            CopyImage(ar, std::filesystem::path(doc.BindImagePathOf(image.Fname)));
        }
    }
}

}  // namespace tw::jwwout
