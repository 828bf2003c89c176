#include "app/cli/SaveAsJww.h"

#include <algorithm>

#include <tintwright/document/SaveReport.h>
#include <tintwright/util/Func_2.h>
#include "app/cli/Choices.h"

namespace tw::cli {

std::vector<JwwFormat> JwwFormats(const TJwwData& doc) {
    std::vector<JwwFormat> formats;
    for (const auto& [name, version] : kFormats) {
        for (const auto& [code, value] : kTextCodes) {
            const bool utf16 = value == TTextCode::Utf16;
            formats.push_back(
                {version, utf16, "JWW " + name + (utf16 ? ", UTF-16" : ", Shift-JIS")});
        }
    }
    const auto own = std::find_if(formats.begin(), formats.end(), [&](const JwwFormat& f) {
        return doc.Source.read && f.version == doc.Source.version && f.utf16 == doc.Source.utf16;
    });
    if (own != formats.end()) std::rotate(formats.begin(), own, own + 1);
    return formats;
}

JwwSaved SaveAsJww(TJwwData& doc, const std::filesystem::path& target, const JwwFormat& format) {
    doc.SetFileOutOption(format.utf16 ? kOutUtf16 : 0);
    SaveReport report;
    if (!doc.FileOut(target.u16string(), format.version, report))
        return {false, "cannot write " + ToUtf8(target.u16string()) + ": " + doc.FileOutError};
    if (report.Lossless()) return {true, ""};
    return {true, format.label + " could not hold everything: " + DescribeLosses(report)};
}

}  // namespace tw::cli
