// Writing a whole document as one JWW file.
#include <filesystem>
#include <new>

#include <tintwright/document/Counted.h>
#include <tintwright/document/JwwUnit.h>
#include <tintwright/jww/DocumentWriter.h>
#include <tintwright/jww/Versions.h>
#include <tintwright/util/ReplacingFile.h>

namespace tw {

namespace jwwout {

void WriteDocument(ArchiveWriter& ar, TJwwData& doc) {
    const TRefTable defaults;  // no substitution, fallbacks 1
    const TRefTable& ref = doc.Ref ? *doc.Ref : defaults;
    EntityWriter entities(ar, doc, ref);
    WriteHeaderSection(ar, doc);
    entities.WriteAll(EntityView::Of(doc));
    WriteBlockSection(ar, doc, entities);
    if (ar.version() >= ver::kImages)
        WriteImageSection(ar, doc);
    else
        ar.Lose(SaveLoss::Images,
                static_cast<int64_t>(Counted(doc.BindImage, doc.BindImageN).size()));
}

}  // namespace jwwout

// The file appears under FName only complete: it is written beside it and
// renamed over it at the end. Any failure leaves an existing file as it was.
bool TJwwData::FileOut(const std::u16string& FName, int32_t Ver) {
    SaveReport unused;
    return FileOut(FName, Ver, unused);
}

bool TJwwData::FileOut(const std::u16string& FName, int32_t Ver, SaveReport& report, bool strict) {
    FileOutError.clear();
    report = {};
    try {
        ReplacingFile file{std::filesystem::path(FName)};
        ArchiveWriter ar(file, Ver, (FileOutOpt & kOutUtf16) != 0);
        ar.ReportTo(&report);
        jwwout::WriteDocument(ar, *this);
        ar.Flush();
        if (strict && !report.Lossless()) {
            FileOutError =
                "the file would lose what it cannot hold (" + DescribeLosses(report) + ")";
            return false;
        }
        file.Commit();
        return true;
    } catch (const std::bad_alloc&) {
        FileOutError = "out of memory";
    } catch (const std::exception& e) {
        FileOutError = e.what();
    } catch (...) {
        FileOutError = "unknown failure";
    }
    return false;
}

}  // namespace tw
