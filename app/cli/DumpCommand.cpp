// tintwright-cli check and dump: whether a file is a JWW drawing, and what a
// drawing holds, read with the library's reader.
#include "app/cli/DumpCommand.h"

#include <filesystem>
#include <iostream>
#include <system_error>
#include <vector>

#include <tintwright/document/Counted.h>
#include <tintwright/jww/Reader.h>
#include <tintwright/util/CommandLine.h>
#include <tintwright/util/Func_2.h>
#include "app/cli/DrawingFacts.h"
#include "app/cli/JsonDump.h"
#include "app/cli/Shown.h"

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
    // The memo's lines, each shown on its own.
    const std::u16string& memo = doc.Enthd.strMemo;
    out << "  memo: ";
    size_t start = 0;
    for (size_t end = memo.find(u"\r\n"); end != std::u16string::npos;
         start = end + 2, end = memo.find(u"\r\n", start))
        out << Shown(memo.substr(start, end - start)) << "\n        ";
    out << Shown(memo.substr(start)) << "\n";
    out << "  texts: " << (doc.MojiEncode ? "UTF-16" : "code page 932") << "\n";
    out << "  entities: " << doc.Enthd.n1 << " (" << CountsText(CountsOf(EntityView::Of(doc)))
        << ")\n";
    out << "  block definitions: " << doc.EntBlockDefN << "\n";
    for (const TEntJwwBlockDef& def : Counted(doc.EntBlockDef, doc.EntBlockDefN)) {
        out << "    " << def.nNumber << " " << Shown(def.strName) << ": " << def.N << " members ("
            << CountsText(CountsOf(EntityView::Of(def))) << ")\n";
    }
    out << "  layers in use:\n";
    for (const LayerFacts& layer : LayersOf(doc)) {
        if (layer.usage.entities == 0 && layer.usage.inBlocks == 0) continue;
        out << "    " << std::hex << std::uppercase << layer.group << "-" << layer.layer
            << std::dec;
        if (!layer.groupName.empty() || !layer.name.empty())
            out << " (" << Shown(layer.groupName) << " / " << Shown(layer.name) << ")";
        out << ": " << layer.usage.entities << " entities, " << layer.usage.inBlocks
            << " in blocks\n";
    }
    out << "  images: " << doc.BindImageN << "\n";
    for (const TBindImageType& image : Counted(doc.BindImage, doc.BindImageN))
        out << "    " << Shown(image.Fname) << ": " << image.Fsize << " bytes\n";
}

// Sends the drawing's images into folder, which is made when missing. The
// folder's name must be kept exactly and be no link: the images are written
// relative to the folder itself.
bool ExtractInto(TJwwData& doc, const std::string& folder) {
    const auto name = ExactFromUtf8(folder);
    // From UTF-16, as a narrow path is read in the ANSI code page on Windows.
    const std::filesystem::path path(name.value_or(u""));
    std::error_code error;
    if (name) std::filesystem::create_directories(path, error);
    const auto status = std::filesystem::symlink_status(path, error);
    std::string problem;
    if (!name)
        problem = "the name is not UTF-8 and cannot be kept exactly";
    else if (std::filesystem::is_symlink(status))
        problem = "a link; give the folder itself";
    else if (!std::filesystem::is_directory(status))
        problem = error ? error.message() : "not a folder";
    if (!problem.empty()) {
        std::cerr << "cannot use the image folder " << folder << ": " << problem << "\n";
        return false;
    }
    doc.BindImageExp = true;
    doc.BindImageFolder = *name;
    const char16_t last = doc.BindImageFolder.back();
    if (last != u'/' && last != DirSeparator()) doc.BindImageFolder += DirSeparator();
    return true;
}

// Names each image that was not written, and says so in the exit code.
bool ReportImages(const std::string& file, const std::vector<jwwin::ImageOutcome>& images) {
    bool all = true;
    for (const jwwin::ImageOutcome& image : images) {
        if (image.problem.empty()) continue;
        all = false;
        std::cerr << file << ": image " << Shown(image.name) << " not extracted: " << image.problem
                  << (image.problem == jwwin::kImageExists ? " (--force replaces it)" : "") << "\n";
    }
    return all;
}

// After a failed reading: the images already written stay, so they are named.
void ReportWritten(const std::string& file, const std::vector<jwwin::ImageOutcome>& images) {
    std::string written;
    for (const jwwin::ImageOutcome& image : images) {
        if (image.problem.empty()) written += (written.empty() ? "" : ", ") + Shown(image.name);
    }
    if (!written.empty()) std::cerr << file << ": images already written: " << written << "\n";
}

}  // namespace

int RunCheck(const std::string& file) {
    const std::string problem = jwwin::CheckFile(ArgumentPath(file));
    if (problem.empty()) {
        std::cout << file << ": JWW drawing of a version from 2.20 to 7.00\n";
        return 0;
    }
    std::cerr << file << ": " << problem << "\n";
    return 1;
}

int RunDump(const std::string& file, const DumpOptions& options) {
    TJwwData doc;
    doc.BindImageExr = true;  // the image list, even when no image is written
    if (!options.imagesTo.empty() && !ExtractInto(doc, options.imagesTo)) return 1;
    const jwwin::ReadReport report = jwwin::ReadDrawingFile(
        doc, ArgumentPath(file), {.maxObjects = std::nullopt, .replaceImages = options.force});
    if (!report.ok) {
        std::cerr << file << ": cannot be read: " << report.reason;
        if (report.headerRead) std::cerr << " (at byte " << report.stoppedAt << ")";
        std::cerr << "\n";
        ReportWritten(file, report.images);
        return 1;
    }
    if (options.json)
        WriteJson(doc, std::cout);
    else
        WriteSummary(doc, file, std::cout);
    if (doc.EntBlockTreeCut > 0) {
        std::cerr << file << ": the block tree was cut short at " << doc.EntBlockTreeCut
                  << " insertions (memory budget); every definition in use is still counted\n";
    }
    return ReportImages(file, report.images) ? 0 : 1;
}

}  // namespace tw::cli
