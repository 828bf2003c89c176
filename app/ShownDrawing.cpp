#include "app/ShownDrawing.h"

#include <cstdio>
#include <random>
#include <system_error>

#include <tintwright/jww/Reader.h>
#include <tintwright/util/Func_2.h>

namespace tw {

namespace {

// What the images a drawing shows may take on disk and, once decoded, in
// memory: far beyond any scanned sheet, far below an image bomb.
constexpr uint64_t kShownImagesBudget = uint64_t{512} << 20;

// A new empty folder of this process in the system's temporary folder;
// empty when none can be made (images are then not shown).
// create_directory makes it only when nothing has the name, on every system.
std::filesystem::path MakeImageFolder() {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path temp = fs::temp_directory_path(error);
    if (error) return {};
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 64; ++attempt) {
        char name[40];
        std::snprintf(name, sizeof name, "tintwright-%016llx",
                      static_cast<unsigned long long>(random()));
        const fs::path folder = temp / name;
        if (!fs::create_directory(folder, error)) continue;
        fs::permissions(folder, fs::perms::owner_all, error);  // this user's images only
        return folder;
    }
    return {};
}

}  // namespace

ShownDrawing::ShownDrawing(const std::filesystem::path& file, Images images)
    : doc_(std::make_unique<TJwwData>()) {
    {
        const InterruptsHeld held;  // no folder without its registration
        images_ = MakeImageFolder();
        if (!images_.empty())
            interrupted_.emplace(images_, RemovedOnInterrupt::Kind::FolderAndFiles);
    }
    doc_->BindImageExr = true;
    if (!images_.empty()) {
        doc_->BindImageExp = true;
        doc_->BindImageFolder = (images_ / "").u16string();
    }
    const jwwin::ReadReport report = jwwin::ReadDrawingFile(*doc_, file.u16string(), {});
    if (!report.ok) {
        std::error_code error;
        if (!images_.empty()) std::filesystem::remove_all(images_, error);
        throw UnreadableDrawing(report.reason);
    }
    if (!images_.empty() && images == Images::Unpacked)
        doc_->BindImageExplodePlaced(kShownImagesBudget);
}

ShownDrawing::~ShownDrawing() {
    std::error_code error;
    if (!images_.empty()) std::filesystem::remove_all(images_, error);
}

}  // namespace tw
