// Entity records: which entries of an order list are written, how many
// records that gives, and the body of each of the seven record classes.
#include <limits>

#include <tintwright/document/Counted.h>
#include <tintwright/jww/DocumentWriter.h>
#include <tintwright/jww/Records.h>
#include <tintwright/jww/Versions.h>
#include <tintwright/util/Func_2.h>

namespace tw::jwwout {

namespace {

// Files older than 4.20 have no room for an SXF-mode dimension's parts in
// its record, so they follow it as ordinary lines and points. Only a
// document of version 4.20 or newer carries such parts.
bool HasSeparateParts(const TEntJwwSunpo& dim, int32_t version, int32_t jwVer) {
    return version < ver::kLongDimension && jwVer >= ver::kLongDimension && dim.bSxfMode != 0;
}

constexpr int32_t kSeparateParts = 6;

// A record without texts, described straight into the archive's buffer.
template <class R>
void DescribePlain(ArchiveWriter& ar, R& r) {
    ar.WritePlain([&](RecordCursor& cursor) { rec::describe(cursor, r); });
}

}  // namespace

int32_t CountRecords(const EntityView& src, int32_t version, int32_t jwVer) {
    int64_t records = 0;
    ForEachEntity(src, [&](const auto&) { ++records; });
    ForEachEntityOf<TEntJwwSunpo>(src, [&](const TEntJwwSunpo& dim) {
        if (HasSeparateParts(dim, version, jwVer)) records += kSeparateParts;
    });
    if (records > std::numeric_limits<int32_t>::max()) throw WriteError("too many entities");
    return static_cast<int32_t>(records);
}

EntityWriter::EntityWriter(ArchiveWriter& ar, const TJwwData& doc, const TRefTable& ref)
    : ar_(ar), doc_(doc), ref_(ref), filter_(ar.version(), ref) {
    // Of two definitions with one number the first counts, as in ChangeBlockNo.
    for (const TEntJwwBlockDef& def : Counted(doc.EntBlockDef, doc.EntBlockDefN))
        blockNumbers_.try_emplace(def.nNumber, WrittenBlockNumber(def));
}

uint32_t EntityWriter::BlockNumber(uint32_t n) const {
    const auto found = blockNumbers_.find(n);
    return found == blockNumbers_.end() ? 0 : found->second;
}

void EntityWriter::Filter(TEntJwwAttr& a, int kind) {
    const TEntJwwAttr before = a;
    filter_.Apply(a, kind);
    CountAttrLosses(ar_, before, a);
}

void EntityWriter::WriteAll(const EntityView& src) {
    ForEachEntity(src, [&]<class R>(const R& r) {
        ar_.BeginRecord(RecordClassOf<R>());
        Body(r);
        ar_.CountObject();
    });
}

void EntityWriter::PrepareFontAndSize(TEntJwwMoji& moji) const {
    StripLineCodesOf(moji.strFontName);
    moji.dSizeX = ClampTextSize(moji.dSizeX);
    moji.dSizeY = ClampTextSize(moji.dSizeY);
}

void EntityWriter::Body(const TEntJwwLine& r) {
    line_ = r;
    Filter(line_.att, kEntLine);
    DescribePlain(ar_, line_);
}

void EntityWriter::Body(const TEntJwwEnko& r) {
    arc_ = r;
    Filter(arc_.att, kEntArc);
    DescribePlain(ar_, arc_);
}

void EntityWriter::Body(const TEntJwwTen& r) {
    point_ = r;
    Filter(point_.att, kEntPoint);
    DescribePlain(ar_, point_);
}

void EntityWriter::Body(const TEntJwwMoji& r) {
    text_ = r;
    Filter(text_.att, kEntText);
    PrepareFontAndSize(text_);
    PrepareText(text_.str, doc_.FileOutOpt, ref_);
    rec::describe(ar_, text_);
}

void EntityWriter::Body(const TEntJwwSunpo& r) {
    dim_ = r;
    Filter(dim_.att, kEntDim);
    Filter(dim_.Sen.att, kEntLine);
    Filter(dim_.Moji.att, kEntText);
    PrepareFontAndSize(dim_.Moji);
    // A dimension's own text always passes through the reference table and
    // never names an image.
    StripLineCodesOf(dim_.Moji.str);
    dim_.Moji.str = ref_.LookupRefText(dim_.Moji.str);
    for (TEntJwwLine* part : {&dim_.Ho1, &dim_.Ho2})
        Filter(part->att, kEntLine);
    for (TEntJwwTen* part : {&dim_.Te1, &dim_.Te2, &dim_.Kt1, &dim_.Kt2})
        Filter(part->att, kEntPoint);
    rec::describe(ar_, dim_);
    if (ar_.version() < ver::kLongDimension && r.bSxfMode != 0) ar_.Lose(SaveLoss::SxfDimensions);
    if (HasSeparateParts(r, ar_.version(), doc_.Enthd.jwVer)) DimensionParts();
}

// The six parts of the dimension in dim_, each its own record; every record
// before one of them is complete and counted here.
void EntityWriter::DimensionParts() {
    for (TEntJwwLine* part : {&dim_.Ho1, &dim_.Ho2}) {
        ar_.CountObject();
        ar_.BeginRecord(RecordClass::Sen);
        DescribePlain(ar_, *part);
    }
    dim_.Kt1.bKariten = 1;  // the base points are temporary points
    dim_.Kt2.bKariten = 1;
    for (TEntJwwTen* part : {&dim_.Te1, &dim_.Te2, &dim_.Kt1, &dim_.Kt2}) {
        ar_.CountObject();
        ar_.BeginRecord(RecordClass::Ten);
        DescribePlain(ar_, *part);
    }
}

void EntityWriter::Body(const TEntJwwSolid& r) {
    solid_ = r;
    Filter(solid_.att, kEntSolid);
    DescribePlain(ar_, solid_);
}

void EntityWriter::Body(const TEntJwwBlock& r) {
    block_ = r;
    Filter(block_.att, kEntBlock);
    block_.nNumber = BlockNumber(r.nNumber);
    DescribePlain(ar_, block_);
}

}  // namespace tw::jwwout
