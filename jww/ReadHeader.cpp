// The header section as read: magic, version, then items 3 to 38 walked
// with the record descriptions, then the values the file does not hold as
// they are kept in memory.
#include <tintwright/jww/Reader.h>
#include <tintwright/jww/Records.h>
#include <tintwright/jww/Versions.h>
#include <tintwright/util/Func_2.h>

namespace tw::jwwin {

namespace {

constexpr size_t kMagicBytes = 8;

// The maximum line width setting w: a negative w of -101 and below stands
// for widths in steps of 1/100, with a kept copy of the older setting.
void DeriveLineWidthSettings(TEntJwwHeader& h) {
    const int32_t w = h.nMaxDrawWid;
    h.bSenHaba100 = false;
    h.nMaxDrawWidBak = w;
    if (w > -101) return;
    h.bSenHaba100 = true;
    if (w >= -500 && w <= -401)
        h.nMaxDrawWidBak = 400 + w;
    else if (w >= -300 && w <= -201)
        h.nMaxDrawWidBak = -w - 200;
    else
        h.nMaxDrawWidBak = -100;
}

// Every version stores the print resolution step in the tens of item 27.
void SplitItem27(TEntJwwHeader& h) {
    const int32_t v = h.nPrtDispOnlyNonDraw;
    h.nPrtDpi = v / 10;
    h.nPrtDispOnlyNonDraw = v % 10;
}

void CheckTextSizes(TJwwData& doc) {
    for (TEntJwwMojiType& style : doc.EntMoj) {
        style.adMojiX = FiniteOr(style.adMojiX, kDefaultTextSize);
        style.adMojiY = FiniteOr(style.adMojiY, kDefaultTextSize);
        style.adMojiD = FiniteOr(style.adMojiD, kDefaultTextSpacing);
    }
    TEntJwwHeader& h = doc.Enthd;
    h.dMojiSizeX = FiniteOr(h.dMojiSizeX, kDefaultTextSize);
    h.dMojiSizeY = FiniteOr(h.dMojiSizeY, kDefaultTextSize);
    h.dMojiKankaku = FiniteOr(h.dMojiKankaku, kDefaultTextSpacing);
}

// The values kept in memory differently from the file. Fields the reading
// did not reach hold the empty document's values, which these steps keep.
void DeriveHeaderValues(TJwwData& doc) {
    DeriveLineWidthSettings(doc.Enthd);
    SplitItem27(doc.Enthd);
    CheckTextSizes(doc);
}

}  // namespace

std::u16string ReadMagic(ArchiveReader& ar) {
    return AnsiBytesToStr(ar.Take(kMagicBytes), kMagicBytes);
}

void ReadHeader(TJwwData& doc, ArchiveReader& ar) {
    doc.SetTableLengths();
    TEntJwwHeader& h = doc.Enthd;
    h.jwID = ReadMagic(ar);
    if (h.jwID != kMagic) throw ReadError(kHeaderError);
    ar.i32(h.jwVer);
    if (!IsSupportedVersion(h.jwVer)) throw ReadError(kVersionError);
    ar.setVersion(h.jwVer);
    try {
        rec::describeHeader(ar, rec::HeaderRefs::Of(doc));
    } catch (...) {
        DeriveHeaderValues(doc);
        throw;
    }
    DeriveHeaderValues(doc);
    // The header's texts (the memo, the names) are in the file's text code.
    doc.Source = {.read = true, .version = h.jwVer, .utf16 = doc.MojiEncode};
}

}  // namespace tw::jwwin
