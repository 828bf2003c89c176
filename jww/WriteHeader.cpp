// The header section: magic, version, the drawing's settings and tables,
// and the entity count. Values that a reader could not use are corrected in
// a copy of the header and the tables; the copy is then described.
#include <algorithm>
#include <cmath>
#include <vector>

#include <tintwright/jww/DocumentWriter.h>
#include <tintwright/jww/Records.h>
#include <tintwright/jww/Versions.h>
#include <tintwright/util/Func_2.h>

namespace tw::jwwout {

namespace {

constexpr int32_t kMaxRGB = 0xFFFFFF;
constexpr int32_t kWhite = 0xFFFFFF;
constexpr int32_t kMinMaxDrawWid = -101;
constexpr int32_t kPrtDpiFactor = 10;
constexpr int kFirstUserColor = 17;  // entries above 16 print in their screen colour
constexpr int kFirstUserLineType = 17;
constexpr double kMinPrtPointRadius = 0.1;
constexpr double kMaxPrtPointRadius = 10.0;

struct HeaderCopy {
    TEntJwwHeader Enthd;
    std::vector<TEntJwwLayerGroup> EntLgrp;
    std::vector<TEntJwwLayer> EntLay;
    std::vector<TEntJwwColorNo> EntCol;
    std::vector<TEntJwwLineTypeNo> EntLtp1;
    std::vector<TEntJwwRandomLineNo> EntLtp2;
    std::vector<TEntJwwLineTypeNo> EntLtp3;
    std::vector<TEntJwwColorExNo> EntColS;
    std::vector<TEntJwwLineTypeExNo> EntLtpS;
    std::vector<TEntJwwMojiType> EntMoj;

    rec::HeaderRefs Refs() {
        return {Enthd,   EntLgrp, EntLay,  EntCol,  EntLtp1,
                EntLtp2, EntLtp3, EntColS, EntLtpS, EntMoj};
    }
};

// The entries the format carries; a shorter table cannot be written.
template <class T>
std::vector<T> FixedTable(const std::vector<T>& table, int length) {
    if (table.size() < static_cast<size_t>(length))
        throw WriteError("a table of the drawing is incomplete");
    return {table.begin(), table.begin() + length};
}

int32_t ValidRGB(int32_t color) {
    return color < 0 || color > kMaxRGB ? 0 : color;
}

void ClampPens(std::vector<TEntJwwColorNo>& pens) {
    for (TEntJwwColorNo& p : pens) {
        p.aPenColor = ValidRGB(p.aPenColor);
        p.anPenWidth = std::clamp(p.anPenWidth, 1, 16);
        p.aPrtPenColor = ValidRGB(p.aPrtPenColor);
        p.anPrtPenWidth = std::clamp(p.anPrtPenWidth, 1, 500);
        // Written this way, a NaN passes unchanged.
        if (p.adPrtTenHankei < kMinPrtPointRadius) p.adPrtTenHankei = kMinPrtPointRadius;
        if (p.adPrtTenHankei > kMaxPrtPointRadius) p.adPrtTenHankei = kMaxPrtPointRadius;
    }
    pens[0].aPrtPenColor = kWhite;  // the paper
}

// From 6.00 the print resolution rides in the tens of item 27.
void FoldPrintDpi(TEntJwwHeader& h, int32_t version) {
    if (version < ver::kPrtDpiInItem27) return;
    const uint32_t dpi = h.nPrtDpi > 0 ? static_cast<uint32_t>(h.nPrtDpi) : 1;
    h.nPrtDispOnlyNonDraw =
        static_cast<int32_t>(static_cast<uint32_t>(h.nPrtDispOnlyNonDraw) + kPrtDpiFactor * dpi);
}

// A name of nothing but blanks is written as prefix and entry number.
std::u16string TableName(const std::u16string& name, const char16_t* prefix, int entry) {
    std::u16string s = StripLineCodes(name);
    if (RemoveBlanks(s).empty()) return prefix + IntToText(entry);
    return s;
}

void NameExtColors(std::vector<TEntJwwColorExNo>& colors) {
    for (int i = 0; i < static_cast<int>(colors.size()); ++i) {
        TEntJwwColorExNo& c = colors[i];
        c.astrUDColorName = TableName(c.astrUDColorName, u"Color_", i);
        if (i >= kFirstUserColor) c.aPrtPenColor = c.aPenColor;
    }
}

// A user line type must be given by 2, 4, 6 or 8 segment lengths; any other
// is written as a harmless placeholder.
bool IsPlaceholder(const TEntJwwLineTypeExNo& lt, int entry) {
    const int32_t n = lt.anUDLTypeSegment;
    return entry >= kFirstUserLineType && !(n == 2 || n == 4 || n == 6 || n == 8);
}

void FixExtLineTypes(std::vector<TEntJwwLineTypeExNo>& types) {
    for (int i = 0; i < static_cast<int>(types.size()); ++i) {
        TEntJwwLineTypeExNo& lt = types[i];
        if (IsPlaceholder(lt, i)) {
            lt.alLType = static_cast<int32_t>(0xC3C3C3C3u);
            lt.anTokushuSenUintDot = 8;
            lt.anTokushuSenPich = 1;
            lt.anPrtTokushuSenPich = 8;
            lt.astrUDLTypeName = u"LType_" + IntToText(i);
            lt.anUDLTypeSegment = 2;
            lt.aadUDLTypePitch = {1.0, 1.0};
            continue;
        }
        if (lt.alLType == 0) lt.alLType = -1;  // the continuous pattern
        lt.astrUDLTypeName = TableName(lt.astrUDLTypeName, u"LType_", i);
    }
}

HeaderCopy CopyForOutput(const TJwwData& doc, int32_t version) {
    HeaderCopy c{doc.Enthd,
                 FixedTable(doc.EntLgrp, rec::kLayerGroups),
                 FixedTable(doc.EntLay, rec::kLayerGroups * rec::kLayersPerGroup),
                 FixedTable(doc.EntCol, rec::kPens),
                 FixedTable(doc.EntLtp1, rec::kLineTypes),
                 FixedTable(doc.EntLtp2, rec::kRandomLines),
                 FixedTable(doc.EntLtp3, rec::kDoubleLineTypes),
                 FixedTable(doc.EntColS, rec::kExtColors),
                 FixedTable(doc.EntLtpS, rec::kExtLineTypes),
                 FixedTable(doc.EntMoj, rec::kTextStyles)};
    TEntJwwHeader& h = c.Enthd;
    if (version <= ver::kClampMaxDrawWidUpTo)
        h.nMaxDrawWid = std::max(h.nMaxDrawWid, kMinMaxDrawWid);
    FoldPrintDpi(h, version);
    for (TEntJwwLayer& lay : c.EntLay)
        lay.aStrLayName = StripLineCodes(lay.aStrLayName);
    for (TEntJwwLayerGroup& grp : c.EntLgrp)
        grp.aStrGLayName = StripLineCodes(grp.aStrGLayName);
    ClampPens(c.EntCol);
    // Tables read from a file are written as Jw_cad left them; those of a new
    // drawing, or that its file was too old to carry, get names and
    // placeholder line types.
    if (!doc.Source.read || doc.Source.version < ver::kExtendedTables) {
        NameExtColors(c.EntColS);
        FixExtLineTypes(c.EntLtpS);
    }
    for (TEntJwwMojiType& style : c.EntMoj) {
        style.adMojiX = ClampTextSize(style.adMojiX);
        style.adMojiY = ClampTextSize(style.adMojiY);
    }
    h.dMojiSizeX = ClampTextSize(h.dMojiSizeX);
    h.dMojiSizeY = ClampTextSize(h.dMojiSizeY);
    return c;
}

// The header items a version lacks that the drawing carries (all of them in
// a new drawing, those of its file's version in a drawing read), and the
// settings the version holds otherwise: the print resolution, which only
// 6.00 and later store, and a line width setting below -101.
void CountMissingItems(ArchiveWriter& ar, const TJwwData& doc, const TEntJwwHeader& written) {
    const int32_t carried = doc.Source.read ? doc.Source.version : ver::kNewest;
    const auto lacks = [&](int32_t since) { return ar.version() < since && carried >= since; };
    for (const int32_t since : {ver::kEyeSettings, ver::kPresetSizes, ver::kSolidColor,
                                ver::kOldZoomJumpsUpTo + 1, ver::kSkyMap}) {
        if (lacks(since)) ar.Lose(SaveLoss::Settings);
    }
    if (lacks(ver::kExtendedTables)) ar.Lose(SaveLoss::SxfTables);
    const TEntJwwHeader& h = doc.Enthd;
    if (ar.version() < ver::kPrtDpiInItem27 && h.nPrtDpi > 1) ar.Lose(SaveLoss::Settings);
    if (written.nMaxDrawWid != h.nMaxDrawWid) ar.Lose(SaveLoss::Settings);
}

}  // namespace

void WriteHeaderSection(ArchiveWriter& ar, TJwwData& doc) {
    doc.Enthd.jwID = u"JwwData.";
    const int32_t records = CountRecords(EntityView::Of(doc), ar.version(), doc.Enthd.jwVer);
    HeaderCopy copy = CopyForOutput(doc, ar.version());
    ar.WriteMagic();
    ar.i32(ar.version());
    rec::describeHeader(ar, copy.Refs());
    ar.WriteCount(records);
    CountMissingItems(ar, doc, copy.Enthd);
}

}  // namespace tw::jwwout
