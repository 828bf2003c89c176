// The embedded-image section of a 7.00 file as read: the images are listed,
// and with BindImageExp written into BindImageFolder.
#include <filesystem>
#include <system_error>

#include "jww/ArchiveWriter.h"
#include "jww/Reader.h"
#include "jww/ReplacingFile.h"

namespace tw::jwwin {

namespace {

// The file is replaced by a new one; a link of that name is removed first,
// so that the image is written in the folder and never where a link points.
void RemoveLink(const std::filesystem::path& target) {
    std::error_code error;
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(target, error))) return;
    if (!std::filesystem::remove(target, error) || error) throw WriteError("cannot replace a link");
}

// Copies size bytes of the stream into the file at path, which appears only
// once complete. When the file system fails, the image's remaining bytes are
// passed over and no file is left; a stream that ends first throws.
void ExtractImage(ArchiveReader& ar, const std::u16string& path, uint64_t size) {
    uint64_t left = size;
    try {
        const std::filesystem::path target(path);
        RemoveLink(target);
        ReplacingFile out(target);
        while (left > 0) {
            const std::span<const uint8_t> piece = ar.Piece(left);
            left -= piece.size();
            out.Write(piece.data(), piece.size());
        }
        out.Commit();
    } catch (const ReadError&) {
        throw;
    } catch (const std::exception&) {
        ar.Skip(left);
    }
}

}  // namespace

void ReadImages(TJwwData& doc, ArchiveReader& ar) {
    doc.BindImageInit();
    if (!doc.BindImageExp && !doc.BindImageExr) return;
    const int32_t count = ar.Int32();
    if (count < 0) throw ReadError(kFileIoError);
    // Entries are added as they are read, never sized from the count.
    for (int32_t i = 0; i < count; ++i) {
        TBindImageType image;
        image.Fname = ar.ReadText();
        image.Fsize = ar.Int32();
        if (image.Fsize < 0 || static_cast<uint64_t>(image.Fsize) > ar.Remaining())
            throw ReadError(kFileIoError);
        const auto size = static_cast<uint64_t>(image.Fsize);
        // Empty when the name is not a plain file name: such an image is
        // listed but never written, whatever its name points at. An empty
        // image makes no file.
        const std::u16string path = size == 0 ? u"" : doc.BindImagePathOf(image.Fname);
        doc.BindImage.push_back(std::move(image));
        doc.BindImageN = static_cast<int32_t>(doc.BindImage.size());
        if (doc.BindImageExp && !path.empty())
            ExtractImage(ar, path, size);
        else
            ar.Skip(size);
    }
}

}  // namespace tw::jwwin
