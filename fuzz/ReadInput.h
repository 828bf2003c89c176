// The fuzz targets' reading of an input: from memory as FileIn reads a file
// (with the images written into a temporary folder) or as FilePrevIn reads one,
// then the document checked for what every user of it relies on.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <system_error>

#include <tintwright/document/JwwUnit.h>
#include <tintwright/jww/ArchiveReader.h>
#include <tintwright/jww/Reader.h>
#include "tests/support/TempDir.h"

namespace tw::fuzz {

// Empties the images' folder between inputs.
inline void Clear(const TempDir& folder) {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path(), ignored))
        std::filesystem::remove_all(entry.path(), ignored);
}

inline bool Fits(int32_t count, size_t size) {
    return count >= 0 && static_cast<size_t>(count) <= size;
}

// What every user of a document relies on: no count beyond its array. A
// preview that stops inside the block section keeps the file's count of
// definitions while the array holds those it read; walks bound themselves
// by both.
inline void CheckCounts(const TJwwData& d, bool preview) {
    bool ok = Fits(d.Enthd.n1, d.EntNo.size()) && Fits(d.EntLineN, d.EntLine.size()) &&
              Fits(d.EntEnkoN, d.EntEnko.size()) && Fits(d.EntTenN, d.EntTen.size()) &&
              Fits(d.EntMojiN, d.EntMoji.size()) && Fits(d.EntSunpoN, d.EntSunpo.size()) &&
              Fits(d.EntSolidN, d.EntSolid.size()) && Fits(d.EntBlockN, d.EntBlock.size()) &&
              (preview || Fits(d.EntBlockDefN, d.EntBlockDef.size())) &&
              d.Enthd.n2 == d.EntBlockDefN && Fits(d.BindImageN, d.BindImage.size()) &&
              Fits(d.EntBlockTreeN, d.EntBlockTree.size());
    for (const TEntJwwBlockDef& b : d.EntBlockDef) {
        ok = ok && Fits(b.N, b.mNo.size()) && Fits(b.mLineN, b.mLine.size()) &&
             Fits(b.mEnkoN, b.mEnko.size()) && Fits(b.mTenN, b.mTen.size()) &&
             Fits(b.mMojiN, b.mMoji.size()) && Fits(b.mSunpoN, b.mSunpo.size()) &&
             Fits(b.mSolidN, b.mSolid.size()) && Fits(b.mBlockN, b.mBlock.size());
    }
    if (!ok) std::abort();
}

// Empties doc and reads the bytes into it within scope.
inline jwwin::ReadReport Read(TJwwData& doc, std::span<const uint8_t> bytes,
                              const jwwin::ReadScope& scope) {
    doc.DataInit();
    ArchiveReader ar(bytes);
    const jwwin::ReadReport report = jwwin::ReadDrawing(doc, ar, scope);
    CheckCounts(doc, scope.preview());
    return report;
}

// Reads the bytes as FileIn reads a file, the images into folder.
inline jwwin::ReadReport ReadWithImages(TJwwData& doc, std::span<const uint8_t> bytes,
                                        const TempDir& folder) {
    doc.BindImageExp = true;
    doc.BindImageFolder = folder.folder();
    return Read(doc, bytes, {});
}

}  // namespace tw::fuzz
