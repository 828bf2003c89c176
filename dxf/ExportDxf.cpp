// One export: into a file (the bound images beside it, then the sections,
// written through a temporary file that replaces the target only when
// complete) or into memory (the sections alone).
#include <stdexcept>

#include <tintwright/document/Extents.h>
#include <tintwright/document/PlacedImages.h>
#include <tintwright/dxf/Dialect.h>
#include <tintwright/dxf/DxfExport.h>
#include <tintwright/dxf/ImageFiles.h>
#include <tintwright/dxf/Sections.h>
#include <tintwright/util/Func_2.h>
#include <tintwright/util/ReplacingFile.h>

namespace tw::dxf {

namespace {

void WriteFile(const TJwwData& doc, ByteSink& sink, const DxfOptions& options,
               std::vector<ImageFile> images, std::vector<std::string>& warnings) {
    TagWriter w(sink, DialectOf(options.version).utf8);
    Context c(doc, w, options, std::move(images));
    const EntityScale scale = [&](const TEntJwwAttr& own, const Placement& at) {
        return c.GroupScale(at.outermost ? at.outermost->att.nGLayer : own.nGLayer);
    };
    const std::optional<geom::Box> extents = GetMinMaxZahyo(doc, scale);
    WriteHeader(c, extents);
    if (c.dialect.classesAndObjects) WriteClasses(c);
    WriteTables(c, extents);
    WriteBlocks(c);
    WriteEntities(c);
    if (c.dialect.classesAndObjects) WriteObjects(c);
    w.Tag(0, "EOF");
    // The header is written first, from a count made before; a file whose
    // handles pass it would let readers give new records taken handles.
    if (!c.HandlesWithinSeed()) throw std::logic_error("the handles passed $HANDSEED");
    w.Flush();
    c.SayHowManyLeftOut();
    warnings.insert(warnings.end(), c.warnings.begin(), c.warnings.end());
    if (c.insertionsOfNoDefinition > 0)
        warnings.push_back(std::to_string(c.insertionsOfNoDefinition) +
                           " insertions of blocks the drawing does not define left out");
    if (c.textsWithReaderCodes > 0)
        warnings.push_back(std::to_string(c.textsWithReaderCodes) +
                           " texts hold %% codes (%%c, %%d, %%p, %%u, %%o, %%k, %%nnn), written "
                           "as typed: DXF readers show them as symbols or formatting");
    if (w.NotFinite() > 0)
        warnings.push_back(std::to_string(w.NotFinite()) +
                           " values that were not finite numbers written as 0");
}

// The reason an export cannot start, when it cannot.
std::string Refusal(const DxfOptions& options) {
    return IsDxfVersion(options.version) ? ""
                                         : "unknown DXF version " + std::to_string(options.version);
}

}  // namespace

ExportReport ExportDxf(const TJwwData& doc, const std::filesystem::path& file,
                       const DxfOptions& options) {
    ExportReport report;
    report.reason = Refusal(options);
    if (!report.reason.empty()) return report;
    std::vector<geom::ImagePlacement> placed = PlacedImages(doc);
    if (!DialectOf(options.version).images && !placed.empty()) {
        report.warnings.push_back("R12 has no images: the drawing's bound images are left out");
        placed.clear();
    }
    try {
        StagedImages staged(doc, placed, file, options);
        if (!staged.reason.empty()) {
            report.reason = staged.reason;
            report.imageNameTaken = staged.nameTaken;
            return report;
        }
        report.warnings.insert(report.warnings.end(), staged.warnings.begin(),
                               staged.warnings.end());
        ReplacingFile out(file);
        WriteFile(doc, out, options, std::move(staged.images), report.warnings);
        out.Commit();
        report.reason = staged.Commit();
        report.imageNameTaken = staged.nameTaken;
        report.ok = report.reason.empty();
    } catch (const std::exception& e) {
        report.reason = e.what();
    }
    return report;
}

ExportReport ExportDxf(const TJwwData& doc, ByteSink& sink, const DxfOptions& options) {
    ExportReport report;
    report.reason = Refusal(options);
    if (!report.reason.empty()) return report;
    if (!PlacedImages(doc).empty())
        report.warnings.push_back(
            "the drawing's bound images are left out: written to memory, the DXF has no folder "
            "beside it for them");
    try {
        WriteFile(doc, sink, options, {}, report.warnings);
        report.ok = true;
    } catch (const std::exception& e) {
        report.reason = e.what();
    }
    return report;
}

}  // namespace tw::dxf

namespace tw {

bool TJwwData::FileOutDXF(const std::u16string& FName, int32_t version) {
    return dxf::ExportDxf(*this, std::filesystem::path(FName),
                          {.version = version, .replaceImages = true})
        .ok;
}

}  // namespace tw
