// The embedded-image section of a 7.00 file as read: the images are listed,
// and with BindImageExp written into BindImageFolder, or else with
// BindImageExr kept in memory (no more than the file holds).
#include <cstring>
#include <memory>
#include <optional>

#include <tintwright/jww/Reader.h>
#include <tintwright/util/Func_2.h>
#include <tintwright/util/SiblingFile.h>

namespace tw::jwwin {

namespace {

std::string Reason(const char* what, int error) {
    return std::string(what) + ": " + std::strerror(error);
}

// The image folder, opened once and never through a link, so that nothing
// done meanwhile to its path or to the names in it can send an image
// elsewhere: each image is made under a new name inside it and renamed
// there, replacing a link of its name instead of following it.
class ImageFolder {
  public:
    ImageFolder(const std::u16string& folder, bool replace)
        : replace_(replace ? SiblingFile::Existing::Replace : SiblingFile::Existing::Keep) {
        const auto path = ExactPathOf(folder);
        if (folder.empty() || !path) {
            problem_ = "no usable image folder";
            return;
        }
        handle_ = std::make_unique<FolderHandle>(*path, /*followLink=*/false);
        if (!handle_->IsOpen()) problem_ = Reason("cannot open the image folder", handle_->Error());
    }

    // Copies size bytes of the stream into the image's file, which appears
    // only once complete, and says why not when it does not. The bytes of
    // an image that is not written are passed over; a stream that ends
    // first throws.
    std::string Extract(ArchiveReader& ar, const std::u16string& name, uint64_t size) const {
        std::string problem = ProblemWith(name, size);
        uint64_t left = size;
        if (problem.empty()) {
            SiblingFile out(*handle_, *ExactPathOf(name));
            if (!out.IsOpen()) problem = Reason("cannot create the file", out.Error());
            while (problem.empty() && left > 0) {
                const std::span<const uint8_t> piece = ar.Piece(left);
                left -= piece.size();
                if (!out.Write(piece.data(), piece.size()))
                    problem = Reason("cannot write the file", out.Error());
            }
            if (problem.empty() && !out.Commit(replace_)) problem = CommitProblem(out.Error());
        }
        ar.Skip(left);
        return problem;
    }

  private:
    std::string ProblemWith(const std::u16string& name, uint64_t size) const {
        if (!problem_.empty()) return problem_;
        if (!IsPlainFileName(name)) return "not a plain file name";
        if (!ExactPathOf(name)) return "the name cannot be kept exactly on this system";
        if (size == 0) return "empty, no file made";
        return {};
    }

    std::string CommitProblem(int error) const {
        if (error == EEXIST && replace_ == SiblingFile::Existing::Keep) return kImageExists;
        return Reason("cannot put the file in place", error);
    }

    SiblingFile::Existing replace_;
    std::unique_ptr<FolderHandle> handle_;
    std::string problem_;
};

std::string StoredBytes(ArchiveReader& ar, uint64_t size) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(size));
    for (uint64_t left = size; left > 0;) {
        const std::span<const uint8_t> piece = ar.Piece(left);
        bytes.append(reinterpret_cast<const char*>(piece.data()), piece.size());
        left -= piece.size();
    }
    return bytes;
}

}  // namespace

void ReadImages(TJwwData& doc, ArchiveReader& ar, bool replace, std::vector<ImageOutcome>& images) {
    doc.BindImageInit();
    if (!doc.BindImageExp && !doc.BindImageExr) return;
    const int32_t count = ar.Int32();
    if (count < 0) throw ReadError(kFileIoError);
    std::optional<ImageFolder> folder;
    if (doc.BindImageExp) folder.emplace(doc.BindImageFolder, replace);
    // Entries are added as they are read, never sized from the count.
    for (int32_t i = 0; i < count; ++i) {
        TBindImageType image;
        image.Fname = ar.ReadText();
        image.Fsize = ar.Int32();
        if (image.Fsize < 0 || static_cast<uint64_t>(image.Fsize) > ar.Remaining())
            throw ReadError(kFileIoError);
        const auto size = static_cast<uint64_t>(image.Fsize);
        if (!folder) image.Stored = StoredBytes(ar, size);
        doc.BindImage.push_back(std::move(image));
        doc.BindImageN = static_cast<int32_t>(doc.BindImage.size());
        const std::u16string& name = doc.BindImage.back().Fname;
        if (folder) images.push_back({name, folder->Extract(ar, name, size)});
    }
}

}  // namespace tw::jwwin
