#include <tintwright/jww/ObjectReader.h>

#include <algorithm>
#include <string>

#include <tintwright/jww/Framing.h>
#include <tintwright/jww/Reader.h>
#include <tintwright/jww/RecordSizes.h>
#include <tintwright/jww/Records.h>
#include <tintwright/jww/Versions.h>
#include <tintwright/util/Func_2.h>
#include <tintwright/util/HugePages.h>

namespace tw::jwwin {

namespace {

using namespace framing;

// After this many objects of a long order list, each kind's array gets room
// for its share of the whole list, so that the arrays of a large drawing are
// not copied again and again as they grow.
constexpr int32_t kSampleObjects = 4096;

template <class R>
bool IsClassName(const std::u16string& name) {
    const std::string_view expected = EntityKind<R>::className;
    return std::equal(name.begin(), name.end(), expected.begin(), expected.end());
}

void CheckTextSizes(TEntJwwMoji& r) {
    r.dSizeX = FiniteOr(r.dSizeX, kDefaultTextSize);
    r.dSizeY = FiniteOr(r.dSizeY, kDefaultTextSize);
    r.dKankaku = FiniteOr(r.dKankaku, kDefaultTextSpacing);
}

// What a record holds in memory beyond what its file gave: the defaults for
// fields that a version or a style leaves out, and sane text sizes.
template <class R>
void Complete(R&, int32_t, bool) {}

void Complete(TEntJwwTen& r, int32_t, bool inBlock) {
    if (!rules::IsMarkerPoint(r) && !inBlock) r.dBairitsu = 1.0;
}

void Complete(TEntJwwMoji& r, int32_t, bool) {
    CheckTextSizes(r);
}

void Complete(TEntJwwSunpo& r, int32_t version, bool) {
    CheckTextSizes(r.Moji);
    if (version >= ver::kLongDimension) return;
    // An old file has no parts: they take the dimension's own attributes,
    // the points without a style.
    for (TEntJwwLine* part : {&r.Ho1, &r.Ho2})
        part->att = r.att;
    for (TEntJwwTen* point : {&r.Te1, &r.Te2, &r.Kt1, &r.Kt2}) {
        point->att = r.att;
        point->att.nPenStyle = 0;
    }
}

// Reads one record onto the end of its array, which holds exactly its count
// while its order list is read; returns the record's index. A record that
// cannot be read completely is dropped.
template <class R>
int32_t ReadRecord(ArchiveReader& ar, const CountedArray<R>& array, bool inBlock) {
    R& r = array.items.emplace_back();
    try {
        rec::describe(ar, r);
    } catch (...) {
        array.items.pop_back();
        throw;
    }
    Complete(r, ar.version(), inBlock);
    array.count = static_cast<int32_t>(array.items.size());
    return array.count - 1;
}

int32_t ReadKind(ArchiveReader& ar, const EntityTarget& target, int32_t kind, bool inBlock) {
    int32_t index = -1;
    VisitKind(kind, [&]<class R>(std::type_identity<R>) {
        index = ReadRecord(ar, std::get<CountedArray<R>>(target.kinds), inBlock);
    });
    return index;
}

// `declared` entries of kind 0, or as many as the rest of the stream could
// hold when that is fewer.
int32_t SizeOrderList(std::vector<TEntJwwNo>& order, int32_t declared, const ArchiveReader& ar) {
    if (declared < 0) throw ReadError(kFileIoError);
    const uint64_t fits = ar.Remaining() / MinObjectBytes();
    const auto n = static_cast<int32_t>(std::min<uint64_t>(static_cast<uint64_t>(declared), fits));
    order.clear();
    ReserveLarge(order, static_cast<size_t>(n));
    order.assign(static_cast<size_t>(n), TEntJwwNo{});
    return n;
}

// Room for the kind's share of an order list of `total` objects, of which
// `taken` are read, with a little slack; never for more records of the kind
// than the rest of the stream could hold. Fresh room is advised huge pages:
// a fresh document's arrays would otherwise cost a fault per small page.
template <class R>
void ReserveShare(const CountedArray<R>& array, int32_t taken, int32_t total, uint64_t remaining) {
    const uint64_t expected = static_cast<uint64_t>(array.count) * static_cast<uint64_t>(total) /
                              static_cast<uint64_t>(taken);
    const uint64_t fits = static_cast<uint64_t>(array.count) + remaining / MinObjectBytes<R>();
    ReserveLarge(array.items, static_cast<size_t>(std::min(expected + expected / 16, fits)));
}

void ReserveShares(const EntityTarget& target, int32_t taken, int32_t total, uint64_t remaining) {
    std::apply([&](const auto&... array) { (ReserveShare(array, taken, total, remaining), ...); },
               target.kinds);
}

}  // namespace

ObjectReader::ObjectReader(ArchiveReader& ar, std::optional<int32_t> maxTags) : ar_(ar) {
    if (maxTags) tagsLeft_ = std::max<int64_t>(*maxTags, 0);
}

bool ObjectReader::TakeTag() {
    if (!TagsLeft()) return false;
    if (tagsLeft_) --*tagsLeft_;
    return true;
}

void ObjectReader::ReadOrderList(const EntityTarget& target, int32_t declared, bool inBlock) {
    target.order.count = SizeOrderList(target.order.items, declared, ar_);
    ReadObjects(target, inBlock);
    // All the objects the stream could hold are read, and more were declared.
    if (target.order.count < declared && TagsLeft()) throw ReadError(kFileIoError);
}

void ObjectReader::ReadObjects(const EntityTarget& target, bool inBlock) {
    const int32_t total = target.order.count;
    int32_t taken = 0;
    while (taken < total && TakeTag()) {
        const int32_t kind = ReadEntityTag();
        if (kind == 0) continue;
        const int32_t index = ReadKind(ar_, target, kind, inBlock);
        target.order.items[static_cast<size_t>(taken)] = {kind, index};
        ++taken;
        ++running_;
        if (taken == kSampleObjects && total > 2 * kSampleObjects)
            ReserveShares(target, taken, total, ar_.Remaining());
    }
}

int32_t ObjectReader::ReadEntityTag() {
    const uint16_t w = ar_.Word();
    if (w == kNewClassTag) return DefineEntityClass();
    int64_t index = 0;
    if (w == kBigClassTag) {
        uint32_t v = 0;
        ar_.u32(v);
        index = v >= kBigClassTagBit ? v - kBigClassTagBit : v;
    } else {
        index = static_cast<int64_t>(w) - kClassTagBit;
    }
    // Index 0 means a class not yet defined; no tag can name it.
    if (index <= 0) return 0;
    const auto found = std::find(classIndex_.begin(), classIndex_.end(), index);
    return found == classIndex_.end() ? 0 : static_cast<int32_t>(found - classIndex_.begin()) + 1;
}

int32_t ObjectReader::DefineEntityClass() {
    ar_.Word();  // schema
    const uint16_t length = ar_.Word();
    const std::u16string name = AnsiBytesToStr(ar_.Take(length), length);
    int32_t kind = 0;
    ForEachKind([&]<class R>(std::type_identity<R>) {
        if (kind == 0 && IsClassName<R>(name)) kind = EntityKind<R>::number;
    });
    if (kind == 0) throw ReadError(kFileIoError);
    classIndex_[static_cast<size_t>(kind - kEntLine)] = running_++;
    return kind;
}

void ObjectReader::ReadListTag() {
    const uint16_t w = ar_.Word();
    if (w == kNewClassTag) {
        ar_.Word();  // schema
        ar_.Skip(ar_.Word());
        ++running_;
    } else if (w == kBigClassTag) {
        ar_.Skip(4);
    }
}

}  // namespace tw::jwwin
