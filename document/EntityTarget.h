// Where a new entity goes: the drawing (its entity arrays and the order list
// EntNo counted by Enthd.n1, growing in steps of 1000) or one block
// definition (its member arrays and mNo counted by N, steps of 500). Every
// building operation appends through one target, so a definition's members
// are made by exactly the logic that makes the drawing's entities.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <new>
#include <tuple>
#include <vector>

#include <tintwright/document/EntityKinds.h>
#include <tintwright/document/JwwUnit.h>

namespace tw {

// One growable array and the count of its entries that belong to the drawing.
template <class R>
struct CountedArray {
    std::vector<R>& items;
    int32_t& count;
};

struct EntityTarget {
    CountedArray<TEntJwwNo> order;
    std::tuple<CountedArray<TEntJwwLine>, CountedArray<TEntJwwEnko>, CountedArray<TEntJwwTen>,
               CountedArray<TEntJwwMoji>, CountedArray<TEntJwwSunpo>, CountedArray<TEntJwwSolid>,
               CountedArray<TEntJwwBlock>>
        kinds;
    int32_t step;
};

inline constexpr int32_t kDrawingGrowthStep = 1000;
inline constexpr int32_t kDefinitionGrowthStep = 500;

inline EntityTarget DrawingTarget(TJwwData& doc) {
    return {{doc.EntNo, doc.Enthd.n1},
            {{doc.EntLine, doc.EntLineN},
             {doc.EntEnko, doc.EntEnkoN},
             {doc.EntTen, doc.EntTenN},
             {doc.EntMoji, doc.EntMojiN},
             {doc.EntSunpo, doc.EntSunpoN},
             {doc.EntSolid, doc.EntSolidN},
             {doc.EntBlock, doc.EntBlockN}},
            kDrawingGrowthStep};
}

inline EntityTarget DefinitionTarget(TEntJwwBlockDef& def) {
    return {{def.mNo, def.N},
            {{def.mLine, def.mLineN},
             {def.mEnko, def.mEnkoN},
             {def.mTen, def.mTenN},
             {def.mMoji, def.mMojiN},
             {def.mSunpo, def.mSunpoN},
             {def.mSolid, def.mSolidN},
             {def.mBlock, def.mBlockN}},
            kDefinitionGrowthStep};
}

// Calls f with the order list and then with each of the seven entity arrays.
template <class F>
void ForEachArray(const EntityTarget& target, F&& f) {
    f(target.order);
    std::apply([&](const auto&... array) { (f(array), ...); }, target.kinds);
}

// Sets the array to n entries; a damaged negative count counts as none.
// False when memory fails.
template <class R>
bool SetLength(std::vector<R>& items, int64_t n) {
    try {
        items.resize(static_cast<size_t>(std::max<int64_t>(n, 0)));
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// Room for one step of additions after the counts (AddEntPre).
inline bool ReserveStep(const EntityTarget& target) {
    bool ok = true;
    ForEachArray(target, [&](const auto& array) {
        ok = SetLength(array.items, int64_t{std::max(array.count, 0)} + target.step) && ok;
    });
    return ok;
}

// Every array cut (or, were it short, grown) to exactly its count.
inline bool TrimToCounts(const EntityTarget& target) {
    bool ok = true;
    ForEachArray(target, [&](const auto& array) {
        ok = SetLength(array.items, array.count) && ok;
        array.items.shrink_to_fit();
    });
    return ok;
}

// Room for `count` entries. The array grows to the next multiple of the step
// when the count enters a new step; also when the count has outgrown the
// array (trimmed by AddEntPost, read from a file or filled directly), where
// the step rule alone would write past its end.
template <class R>
void GrowFor(std::vector<R>& items, int32_t count, int32_t step) {
    if (count % step == 1 || static_cast<size_t>(count) > items.size()) {
        const int64_t steps = (static_cast<int64_t>(count) + step - 1) / step;
        items.resize(static_cast<size_t>(steps * step));
    }
}

// A count that one more entry can follow.
inline bool CanAddTo(int32_t count) {
    return count >= 0 && count < std::numeric_limits<int32_t>::max();
}

// Appends the record and its order entry. Both arrays grow before either
// count moves, so a memory failure (thrown by the growth) leaves the counts as
// they were; a damaged count gives false.
template <class R>
bool Append(const EntityTarget& target, R record) {
    const CountedArray<R>& array = std::get<CountedArray<R>>(target.kinds);
    if (!CanAddTo(array.count) || !CanAddTo(target.order.count)) return false;
    const int32_t n = array.count + 1;
    const int32_t order = target.order.count + 1;
    GrowFor(array.items, n, target.step);
    GrowFor(target.order.items, order, target.step);
    array.items[n - 1] = std::move(record);
    target.order.items[order - 1] = {EntityKind<R>::number, n - 1};
    array.count = n;
    target.order.count = order;
    return true;
}

// Makes a record with make() and appends it; false when memory fails at any
// point, with the counts unchanged.
template <class Make>
bool AddTo(const EntityTarget& target, Make&& make) {
    try {
        return Append(target, make());
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace tw
