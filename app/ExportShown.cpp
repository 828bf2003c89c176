#include "app/ExportShown.h"

#include <tintwright/dxf/DxfExport.h>
#include <tintwright/util/Func_2.h>

namespace tw {

std::string ExportShown(const TJwwData& doc, const std::filesystem::path& target,
                        const std::function<bool()>& replaceImages) {
    dxf::DxfOptions options;
    dxf::ExportReport report = dxf::ExportDxf(doc, target, options);
    if (!report.ok && report.imageNameTaken && replaceImages()) {
        options.replaceImages = true;
        report = dxf::ExportDxf(doc, target, options);
    }
    if (report.ok) return {};
    return "cannot write " + ToUtf8(target.u16string()) + ": " + report.reason;
}

}  // namespace tw
