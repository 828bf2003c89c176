// FileIn and FilePrevIn: a whole JWW file, or its first objects, read into
// the document. Reading ends at the first thing the stream cannot give, as a
// failure that keeps what was read; the block tree is rebuilt either way once
// the header was read.
#include <filesystem>
#include <memory>
#include <new>
#include <optional>

#include <tintwright/jww/ObjectReader.h>
#include <tintwright/jww/ReadBlocks.h>
#include <tintwright/jww/Reader.h>
#include <tintwright/util/Func_2.h>

namespace tw {

namespace jwwin {

namespace {

// Runs one step of a reading and gives the reason it failed, if it did. Any
// allocation may fail on a hostile file; that ends the reading like damage.
template <class Step>
std::optional<std::string> FailureOf(Step step) {
    try {
        step();
        return std::nullopt;
    } catch (const std::bad_alloc&) {
        return "out of memory";
    } catch (const std::exception& e) {
        return e.what();
    }
}

// The tree is rebuilt even after a failure; a failure of its own is
// reported only when the reading itself succeeded.
void RebuildBlockTree(TJwwData& doc, ReadReport& report) {
    const auto failure = FailureOf([&] { doc.MakeBlockTree(); });
    if (!failure || !report.ok) return;
    report.ok = false;
    report.reason = "block tree: " + *failure;
}

}  // namespace

void ReadBody(TJwwData& doc, ArchiveReader& ar, const ReadScope& scope,
              std::vector<ImageOutcome>& images) {
    ObjectReader rd(ar, scope.maxObjects);
    doc.EntBlockDefN = doc.Enthd.n2 = 0;
    rd.ReadOrderList(DrawingTarget(doc), ar.Count(), /*inBlock=*/false);
    ReadBlockSection(doc, rd);
    if (!scope.preview() && doc.Enthd.jwVer >= ver::kImages)
        ReadImages(doc, ar, scope.replaceImages, images);
}

ReadReport ReadDrawing(TJwwData& doc, ArchiveReader& ar, const ReadScope& scope) {
    ReadReport report;
    ar.ReportUtf16To(doc.MojiEncode);
    const auto failure = FailureOf([&] {
        ReadHeader(doc, ar);
        report.headerRead = true;
        ReadBody(doc, ar, scope, report.images);
    });
    report.ok = !failure;
    report.reason = failure.value_or("");
    report.stoppedAt = ar.Position();
    if (report.headerRead) RebuildBlockTree(doc, report);
    return report;
}

ReadReport ReadDrawingFile(TJwwData& doc, const std::filesystem::path& file,
                           const ReadScope& scope) {
    doc.DataInit();
    std::unique_ptr<ArchiveReader> ar;
    const auto failure = FailureOf([&] { ar = std::make_unique<ArchiveReader>(file); });
    if (failure) {
        ReadReport report;
        report.reason = *failure;
        RebuildBlockTree(doc, report);
        return report;
    }
    return ReadDrawing(doc, *ar, scope);
}

}  // namespace jwwin

namespace {

jwwin::ReadReport ReadNamedFile(TJwwData& doc, const std::u16string& FName,
                                const jwwin::ReadScope& scope) {
    const auto file = ExactPathOf(FName);
    if (!file) {
        doc.DataInit();
        jwwin::ReadReport report;
        report.reason = "the file name cannot be kept exactly on this system";
        return report;
    }
    return jwwin::ReadDrawingFile(doc, *file, scope);
}

}  // namespace

// The drawing's folder is where a reference file without a folder is looked
// for.
bool TJwwData::FileIn(const std::u16string& FName) {
    const jwwin::ReadReport report = ReadNamedFile(*this, FName, {});
    if (report.headerRead && Ref) Ref->DrawingPath = FName;
    return report.ok;
}

bool TJwwData::FilePrevIn(const std::u16string& FName, int32_t ZMaxN) {
    return ReadNamedFile(*this, FName, {.maxObjects = ZMaxN}).ok;
}

}  // namespace tw
