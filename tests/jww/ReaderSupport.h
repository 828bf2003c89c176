// Helpers of the reader tests: JWW bytes built from their parts (also the
// ones FileOut would never write), and readings from memory and from files.
#pragma once

#include <filesystem>
#include <fstream>
#include <span>
#include <string>

#include "document/JwwUnit.h"
#include "jww/ArchiveReader.h"
#include "jww/ArchiveWriter.h"
#include "jww/Reader.h"
#include "jww/Records.h"
#include "jww/WriterSupport.h"

namespace tw::test {

// Items 1 to 38 of doc as they stand, without the writer's corrections.
inline ByteBuffer HeaderBytes(TJwwData& doc, int32_t version, bool utf16 = false) {
    SizeTables(doc);
    return Written(version, utf16, [&](ArchiveWriter& ar) {
        ar.WriteMagic();
        ar.i32(version);
        rec::describeHeader(ar, rec::HeaderRefs::Of(doc));
    });
}

// A header with every value 0 and every name empty.
inline ByteBuffer BlankHeader(int32_t version, bool utf16 = false) {
    TJwwData doc;
    return HeaderBytes(doc, version, utf16);
}

// The fields of a record as they stand.
template <class R>
void PutBody(ArchiveWriter& ar, R record) {
    rec::describe(ar, record);
}

// Writes one record of class cls and counts it, as the entity section does.
template <class R>
void PutRecord(ArchiveWriter& ar, RecordClass cls, R record) {
    ar.BeginRecord(cls);
    PutBody(ar, std::move(record));
    ar.CountObject();
}

// FileIn or FilePrevIn from memory into an emptied document.
inline jwwin::ReadReport ReadBytes(TJwwData& doc, const ByteBuffer& bytes,
                                   jwwin::ReadScope scope = {}) {
    doc.DataInit();
    ArchiveReader ar{std::span<const uint8_t>(bytes)};
    return jwwin::ReadDrawing(doc, ar, scope);
}

inline std::u16string SaveBytes(const std::filesystem::path& file, const ByteBuffer& bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return file.u16string();
}

inline ByteBuffer LoadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return ByteBuffer(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every count of the document fits its array, so nothing reads past one.
inline bool CountsFitArrays(const TJwwData& d) {
    auto fits = [](int32_t n, size_t size) { return n >= 0 && static_cast<size_t>(n) <= size; };
    bool ok = fits(d.Enthd.n1, d.EntNo.size()) && fits(d.EntLineN, d.EntLine.size()) &&
              fits(d.EntEnkoN, d.EntEnko.size()) && fits(d.EntTenN, d.EntTen.size()) &&
              fits(d.EntMojiN, d.EntMoji.size()) && fits(d.EntSunpoN, d.EntSunpo.size()) &&
              fits(d.EntSolidN, d.EntSolid.size()) && fits(d.EntBlockN, d.EntBlock.size()) &&
              fits(d.EntBlockDefN, d.EntBlockDef.size()) && d.Enthd.n2 == d.EntBlockDefN &&
              fits(d.BindImageN, d.BindImage.size());
    for (int32_t i = 0; ok && i < d.EntBlockDefN; ++i) {
        const TEntJwwBlockDef& b = d.EntBlockDef[static_cast<size_t>(i)];
        ok = fits(b.N, b.mNo.size()) && fits(b.mLineN, b.mLine.size()) &&
             fits(b.mEnkoN, b.mEnko.size()) && fits(b.mTenN, b.mTen.size()) &&
             fits(b.mMojiN, b.mMoji.size()) && fits(b.mSunpoN, b.mSunpo.size()) &&
             fits(b.mSolidN, b.mSolid.size()) && fits(b.mBlockN, b.mBlock.size());
    }
    return ok;
}

}  // namespace tw::test
