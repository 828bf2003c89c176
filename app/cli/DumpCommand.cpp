// tintwright-cli check and dump: whether a file is a JWW drawing, and what a
// drawing holds, read with the library's reader.
#include "app/cli/DumpCommand.h"

#include <filesystem>
#include <iostream>
#include <system_error>

#include "app/cli/DrawingFacts.h"
#include "app/cli/JsonDump.h"
#include "document/Counted.h"
#include "jww/Reader.h"
#include "util/Func_2.h"

namespace tw::cli {

namespace {

std::string VersionText(int32_t version) {
    const std::string hundredths = std::to_string(version % 100);
    return std::to_string(version / 100) + "." + (hundredths.size() < 2 ? "0" : "") + hundredths;
}

std::string CountsText(const KindCounts& counts) {
    std::string text;
    for (const KindCount& kind : counts) {
        if (kind.count == 0) continue;
        text +=
            (text.empty() ? "" : ", ") + std::string(kind.name) + " " + std::to_string(kind.count);
    }
    return text.empty() ? "none" : text;
}

void WriteSummary(const TJwwData& doc, const std::string& file, std::ostream& out) {
    out << file << "\n";
    out << "  version: " << VersionText(doc.Enthd.jwVer) << "\n";
    std::string memo = ToUtf8(doc.Enthd.strMemo);
    for (size_t at = memo.find("\r\n"); at != std::string::npos; at = memo.find("\r\n", at))
        memo.replace(at, 2, "\n        ");
    out << "  memo: " << memo << "\n";
    out << "  texts: " << (doc.MojiEncode ? "UTF-16" : "code page 932") << "\n";
    out << "  entities: " << doc.Enthd.n1 << " (" << CountsText(CountsOf(EntityView::Of(doc)))
        << ")\n";
    out << "  block definitions: " << doc.EntBlockDefN << "\n";
    for (const TEntJwwBlockDef& def : Counted(doc.EntBlockDef, doc.EntBlockDefN)) {
        out << "    " << def.nNumber << " " << ToUtf8(def.strName) << ": " << def.N << " members ("
            << CountsText(CountsOf(EntityView::Of(def))) << ")\n";
    }
    out << "  layers in use:\n";
    for (const LayerFacts& layer : LayersOf(doc)) {
        if (layer.usage.entities == 0 && layer.usage.inBlocks == 0) continue;
        out << "    " << std::hex << std::uppercase << layer.group << "-" << layer.layer << std::dec
            << " " << ToUtf8(layer.groupName) << " / " << ToUtf8(layer.name) << ": "
            << layer.usage.entities << " entities, " << layer.usage.inBlocks << " in blocks\n";
    }
    out << "  images: " << doc.BindImageN << "\n";
    for (const TBindImageType& image : Counted(doc.BindImage, doc.BindImageN))
        out << "    " << ToUtf8(image.Fname) << ": " << image.Fsize << " bytes\n";
}

// Sends the drawing's images into folder, which is made when missing.
bool ExtractInto(TJwwData& doc, const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::is_directory(folder, error)) {
        std::cerr << "cannot use the image folder " << folder
                  << (error ? ": " + error.message() : "") << "\n";
        return false;
    }
    doc.BindImageExp = true;
    doc.BindImageFolder = FromUtf8(folder);
    const char16_t last = doc.BindImageFolder.back();
    if (last != u'/' && last != DirSeparator()) doc.BindImageFolder += DirSeparator();
    return true;
}

}  // namespace

int RunCheck(const std::string& file) {
    const TJwwData doc;
    if (doc.FileCheck(FromUtf8(file))) {
        std::cout << file << ": JWW drawing of a version from 2.20 to 7.00\n";
        return 0;
    }
    std::cerr << file << ": not a JWW drawing of a version from 2.20 to 7.00\n";
    return 1;
}

int RunDump(const std::string& file, bool json, const std::string& imagesTo) {
    TJwwData doc;
    doc.BindImageExr = true;  // the image list, even when no image is written
    if (!imagesTo.empty() && !ExtractInto(doc, imagesTo)) return 1;
    const jwwin::ReadReport report = jwwin::ReadDrawingFile(doc, FromUtf8(file), {});
    if (!report.ok) {
        std::cerr << file << ": cannot be read: " << report.reason;
        if (report.headerRead) std::cerr << " (at byte " << report.stoppedAt << ")";
        std::cerr << "\n";
        return 1;
    }
    if (json)
        WriteJson(doc, std::cout);
    else
        WriteSummary(doc, file, std::cout);
    return 0;
}

}  // namespace tw::cli
