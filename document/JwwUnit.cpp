// TJwwData: creating and emptying the document, the output option and the
// numbers under which block definitions are written.
#include <tintwright/document/JwwUnit.h>

#include <tintwright/document/Counted.h>

namespace tw {

namespace {

// Assigning a fresh vector releases the storage, which clear() keeps.
template <class T>
void Release(std::vector<T>& entries) {
    entries = std::vector<T>();
}

// The empty header: numbers 0, except the scale factors, which are 1, and the
// layer groups of the stored views, which are -1 (none).
TEntJwwHeader EmptyHeader() {
    TEntJwwHeader header;
    header.dPrtBairitsu = 1.0;
    header.dMemoriHyoujiMin = 1.0;
    header.dMemoriX = 1.0;
    header.dMemoriY = 1.0;
    header.dBairitsu = 1.0;
    header.dHanniBairitsu = 1.0;
    header.dZoomJumpBairitsu.fill(1.0);
    header.nZoomJumpGLay.fill(-1);
    return header;
}

// Every table, entity and block array, and the font names.
template <class F>
void ForEachArray(TJwwData& doc, F f) {
    f(doc.EntLgrp);
    f(doc.EntLay);
    f(doc.EntCol);
    f(doc.EntLtp1);
    f(doc.EntLtp2);
    f(doc.EntLtp3);
    f(doc.EntColS);
    f(doc.EntLtpS);
    f(doc.EntMoj);
    f(doc.EntNo);
    f(doc.EntLine);
    f(doc.EntEnko);
    f(doc.EntTen);
    f(doc.EntMoji);
    f(doc.EntSunpo);
    f(doc.EntSolid);
    f(doc.EntBlock);
    f(doc.EntBlockDef);
    f(doc.EntBlockTree);
    f(doc.FontNames);
}

}  // namespace

TJwwData::TJwwData() {
    DataInit();
}

// The members release everything DataFree would; no file is deleted either way.
TJwwData::~TJwwData() = default;

void TJwwData::DataInit() {
    FileOutOpt = 0;

    // The entries go, their storage stays: a document read again and again
    // does not fault in fresh pages for every file. DataFree gives it back.
    ForEachArray(*this, [](auto& entries) { entries.clear(); });
    EntLineN = EntEnkoN = EntTenN = EntMojiN = EntSunpoN = EntSolidN = EntBlockN = 0;
    EntBlockDefN = EntBlockTreeN = EntBlockTreeCut = EntBlockNum = 0;

    Enthd = EmptyHeader();

    BindImageInit();

    FontNameN = 0;
    MojiEncode = false;
    Source = {};
}

// Block definitions own their member arrays, so releasing the definitions
// releases the members too.
void TJwwData::DataFree() {
    ForEachArray(*this, [](auto& entries) { Release(entries); });
    DataInit();
}

void TJwwData::SetFileOutOption(int32_t n) {
    FileOutOpt = (n >= 0 && n <= 63) ? n : 0;
}

uint32_t WrittenBlockNumber(const TEntJwwBlockDef& def) {
    return def.ref_flag ? static_cast<uint32_t>(def.ref_no) : def.nNumber;
}

uint32_t TJwwData::ChangeBlockNo(uint32_t n) const {
    for (const auto& def : Counted(EntBlockDef, EntBlockDefN)) {
        if (def.nNumber == n) return WrittenBlockNumber(def);
    }
    return 0;
}

void TJwwData::SetTableLengths() {
    using namespace tables;
    EntLgrp.resize(kLayerGroups);
    EntLay.resize(kLayerGroups * kLayersPerGroup);
    EntCol.resize(kPens);
    EntLtp1.resize(kLineTypes);
    EntLtp2.resize(kRandomLines);
    EntLtp3.resize(kDoubleLineTypes);
    EntMoj.resize(kTextStyles);
    EntColS.resize(kExtColors);
    EntLtpS.resize(kExtLineTypes);
}

}  // namespace tw
