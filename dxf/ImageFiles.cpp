#include <tintwright/dxf/ImageFiles.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

#include <tintwright/document/BindImageFiles.h>
#include <tintwright/document/Geometry.h>
#include <tintwright/dxf/ImageSize.h>
#include <tintwright/util/Func_2.h>
#include <tintwright/util/ReplaceableFile.h>

#ifdef _WIN32
#include <direct.h>
#else
#include <unistd.h>
#endif

namespace tw::dxf {

namespace {

namespace fs = std::filesystem;

// Pixels per millimetre assumed for an image whose header cannot be read.
constexpr double kFallbackPixelsPerMm = 10;

}  // namespace

StagedImages::StagedImages(const TJwwData& doc, const std::vector<geom::ImagePlacement>& placed,
                           const fs::path& dxfFile, const DxfOptions& options)
    : budget_(options.imageBytes),
      replace_(options.replaceImages),
      replaceOption_(options.replaceOption) {
    if (placed.empty()) return;
    const PlacedImageFiles files(doc);
    reason = ImagesOverBudget(files, placed, budget_);
    if (!reason.empty()) return;
    const std::u16string folderName = dxfFile.stem().u16string() + u"_images";
    if (!OpenFolder(dxfFile.parent_path() / folderName)) return;
    for (const geom::ImagePlacement& image : placed) {
        Stage(files, image, folderName);
        if (!reason.empty()) return;
    }
}

StagedImages::~StagedImages() {
    files_.clear();
    if (madeFolder_ && !committed_) {
        // rmdir never follows a link and leaves a folder someone filled.
#ifdef _WIN32
        _wrmdir(folder_->Path().c_str());
#else
        rmdir(folder_->Path().c_str());
#endif
    }
}

bool StagedImages::OpenFolder(const fs::path& folder) {
    std::error_code error;
    {
        const InterruptsHeld held;  // no folder without its registration
        madeFolder_ = fs::create_directory(folder, error);
        if (madeFolder_) interruptedFolder_.emplace(folder, RemovedOnInterrupt::Kind::Folder);
    }
    folder_ = std::make_unique<FolderHandle>(folder, /*followLink=*/false);
    if (!folder_->IsOpen())
        reason = "cannot open the image folder " + ToUtf8(folder.u16string()) + ": " +
                 std::system_category().message(folder_->Error());
    return folder_->IsOpen();
}

void StagedImages::Stage(const PlacedImageFiles& files, const geom::ImagePlacement& placed,
                         const std::u16string& folderName) {
    const std::u16string& name = placed.name;
    if (IsPlainFileName(name)) {
        reason = RefusalToReplace(folder_->Path() / name, replace_, replaceOption_);
        nameTaken = !reason.empty();
        if (nameTaken) return;
    }
    auto out = std::make_unique<SiblingFile>(*folder_, fs::path(name));
    uint64_t written = 0;
    const auto write = [&](const unsigned char* data, size_t size) {
        written += size;
        return out->Write(data, size);
    };
    if (!IsPlainFileName(name) || !out->IsOpen() || !files.Write(name, budget_, write) ||
        !out->Close()) {
        warnings.push_back("bound image " + ToUtf8(name) +
                           " is not in the drawing or cannot be unpacked: left out");
        return;
    }
    budget_ -= written;
    ImageFile file;
    file.name = name;
    file.relativePath = folderName + u"/" + name;
    const auto size = PixelSize(out->TempPath());
    file.pixelsX = size ? size->first : std::max(1.0, placed.width * kFallbackPixelsPerMm);
    file.pixelsY = size ? size->second : std::max(1.0, placed.height * kFallbackPixelsPerMm);
    images.push_back(std::move(file));
    files_.push_back(std::move(out));
    names_.push_back(name);
}

std::string StagedImages::Commit() {
    committed_ = true;
    interruptedFolder_.reset();
    const auto existing = replace_ ? SiblingFile::Existing::Replace : SiblingFile::Existing::Keep;
    for (size_t i = 0; i < files_.size(); ++i) {
        if (files_[i]->Commit(existing)) continue;
        const fs::path target = folder_->Path() / names_[i];
        nameTaken = files_[i]->Error() == EEXIST;
        return nameTaken ? AlreadyExists(target, replaceOption_)
                         : "cannot write " + ToUtf8(target.u16string()) + ": " +
                               std::system_category().message(files_[i]->Error());
    }
    return "";
}

}  // namespace tw::dxf
