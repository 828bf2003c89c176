#include "app/ShownDrawing.h"

#include <cstdlib>
#include <system_error>

#include "jww/Reader.h"
#include "util/Func_2.h"

namespace tw {

namespace {

// A new empty folder of this process in the system's temporary folder;
// empty when none can be made (images are then not shown).
std::filesystem::path MakeImageFolder() {
    std::error_code error;
    std::string pattern =
        (std::filesystem::temp_directory_path(error) / "tintwright-XXXXXX").string();
    if (error || !mkdtemp(pattern.data())) return {};
    return pattern;
}

}  // namespace

ShownDrawing::ShownDrawing(const std::filesystem::path& file)
    : doc_(std::make_unique<TJwwData>()), images_(MakeImageFolder()) {
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
    if (!images_.empty()) doc_->BindImageExplode();
}

ShownDrawing::~ShownDrawing() {
    std::error_code error;
    if (!images_.empty()) std::filesystem::remove_all(images_, error);
}

}  // namespace tw
