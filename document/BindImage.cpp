// TJwwData: the list of bound images and the deletion of their files in
// BindImageFolder. Names come from drawing files, so every path is built by
// BindImagePathOf, which refuses anything but a plain file name.
#include <tintwright/document/Counted.h>
#include <tintwright/document/JwwUnit.h>
#include <tintwright/util/Func_2.h>

namespace tw {

namespace {

// An entry name ending in ".gz" in any case names a gzip file whose content
// belongs under the name without that extension.
bool IsGzName(const std::u16string& name) {
    try {
        return LowerExtOf(LowerText(name)) == u".gz";
    } catch (...) {
        return false;
    }
}

void DeleteIfExists(const std::u16string& path) {
    if (!path.empty() && FileExistsAt(path)) DeleteFileAt(path);
}

}  // namespace

std::u16string TJwwData::BindImagePathOf(const std::u16string& name) const {
    if (BindImageFolder.empty() || !IsPlainFileName(name)) return {};
    const char16_t last = BindImageFolder.back();
    const bool hasSeparator = last == u'\\' || last == u'/' || last == DirSeparator();
    return hasSeparator ? BindImageFolder + name : BindImageFolder + DirSeparator() + name;
}

void TJwwData::BindImageInit() {
    BindImage = std::vector<TBindImageType>();
    BindImageN = 0;
}

void TJwwData::BindImageDeleteFile() {
    for (const auto& image : Counted(BindImage, BindImageN)) {
        DeleteIfExists(BindImagePathOf(image.Fname));
    }
}

void TJwwData::BindImageDeleteGzFile() {
    for (const auto& image : Counted(BindImage, BindImageN)) {
        if (IsGzName(image.Fname)) DeleteIfExists(BindImagePathOf(image.Fname));
    }
}

void TJwwData::BindImageDeleteNonGzFile() {
    for (const auto& image : Counted(BindImage, BindImageN)) {
        // ChangeExtOf with no extension drops the last one, or gives empty.
        const std::u16string name =
            IsGzName(image.Fname) ? ChangeExtOf(image.Fname, u"") : image.Fname;
        DeleteIfExists(BindImagePathOf(name));
    }
}

}  // namespace tw
