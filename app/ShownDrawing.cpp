#include "app/ShownDrawing.h"

#include <tintwright/jww/Reader.h>

namespace tw {

ShownDrawing::ShownDrawing(const std::filesystem::path& file) : doc_(std::make_unique<TJwwData>()) {
    doc_->BindImageExr = true;
    const jwwin::ReadReport report = jwwin::ReadDrawingFile(*doc_, file.u16string(), {});
    if (!report.ok) throw UnreadableDrawing(report.reason);
}

}  // namespace tw
