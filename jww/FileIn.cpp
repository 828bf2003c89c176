// FileIn and FilePrevIn: a whole JWW file, or its first objects, read into
// the document. Reading ends at the first thing the stream cannot give, as a
// failure that keeps what was read; the block tree is rebuilt either way once
// the header was read.
#include <filesystem>
#include <memory>

#include "jww/ObjectReader.h"
#include "jww/ReadBlocks.h"
#include "jww/Reader.h"

namespace tw {

namespace jwwin {

void ReadBody(TJwwData& doc, ArchiveReader& ar, const ReadScope& scope) {
    ObjectReader rd(ar, scope.maxObjects);
    doc.EntBlockDefN = doc.Enthd.n2 = 0;
    rd.ReadOrderList(DrawingTarget(doc), ar.Count(), /*inBlock=*/false);
    ReadBlockSection(doc, rd);
    if (!scope.preview() && doc.Enthd.jwVer >= ver::kImages) ReadImages(doc, ar);
}

ReadReport ReadDrawing(TJwwData& doc, ArchiveReader& ar, const ReadScope& scope) {
    ReadReport report;
    ar.ReportUtf16To(doc.MojiEncode);
    try {
        ReadHeader(doc, ar);
        report.headerRead = true;
        ReadBody(doc, ar, scope);
        report.ok = true;
    } catch (const std::exception& e) {
        report.reason = e.what();
    }
    report.stoppedAt = ar.Position();
    if (report.headerRead) doc.MakeBlockTree();
    return report;
}

ReadReport ReadDrawingFile(TJwwData& doc, const std::u16string& FName, const ReadScope& scope) {
    doc.DataInit();
    std::unique_ptr<ArchiveReader> ar;
    try {
        ar = std::make_unique<ArchiveReader>(std::filesystem::path(FName));
    } catch (const std::exception& e) {
        doc.MakeBlockTree();
        return {.reason = e.what()};
    }
    ReadReport report = ReadDrawing(doc, *ar, scope);
    // The drawing's folder is where a reference file without a folder is
    // looked for.
    if (report.headerRead && !scope.preview() && doc.Ref) doc.Ref->DrawingPath = FName;
    return report;
}

}  // namespace jwwin

bool TJwwData::FileIn(const std::u16string& FName) {
    return jwwin::ReadDrawingFile(*this, FName, {}).ok;
}

bool TJwwData::FilePrevIn(const std::u16string& FName, int32_t ZMaxN) {
    return jwwin::ReadDrawingFile(*this, FName, {.maxObjects = ZMaxN}).ok;
}

}  // namespace tw
