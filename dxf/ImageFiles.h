// The bound images a DXF file of 2000 or later refers to: copied (and
// unpacked, when the drawing holds them gzip-compressed) from the drawing's
// image folder into "<stem>_images" beside the DXF file.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <tintwright/document/BindImageFiles.h>
#include <tintwright/document/Geometry.h>
#include <tintwright/dxf/Context.h>
#include <tintwright/dxf/DxfExport.h>
#include <tintwright/util/RemovedOnInterrupt.h>
#include <tintwright/util/SiblingFile.h>

namespace tw::dxf {

// The images staged in their folder under temporary names, which only
// Commit gives their own. The folder is opened once without following a
// link; an image of that name already there is kept unless replace is set.
// Whatever is not committed (temporary files, a folder this made) goes again,
// also when the process is interrupted.
class StagedImages {
  public:
    // Nothing is staged, and the reason says why, when the images say they
    // unpack to more than options.imageBytes together.
    StagedImages(const TJwwData& doc, const std::vector<geom::ImagePlacement>& placed,
                 const std::filesystem::path& dxfFile, const DxfOptions& options);
    ~StagedImages();
    StagedImages(const StagedImages&) = delete;
    StagedImages& operator=(const StagedImages&) = delete;

    // Names every staged image; the reason when one cannot be named.
    std::string Commit();

    std::vector<ImageFile> images;
    std::vector<std::string> warnings;  // images that could not be found
    std::string reason;                 // set when the images cannot be staged
    bool nameTaken = false;  // refused: a file has an image's name and replace is not set

  private:
    bool OpenFolder(const std::filesystem::path& folder);
    void Stage(const PlacedImageFiles& files, const geom::ImagePlacement& placed,
               const std::u16string& folderName);

    std::unique_ptr<FolderHandle> folder_;
    std::vector<std::unique_ptr<SiblingFile>> files_;
    std::vector<std::u16string> names_;
    uint64_t budget_;  // what the images may still unpack to
    bool replace_;
    std::string replaceOption_;
    bool madeFolder_ = false;
    std::optional<RemovedOnInterrupt> interruptedFolder_;  // while made and not committed
    bool committed_ = false;
};

}  // namespace tw::dxf
