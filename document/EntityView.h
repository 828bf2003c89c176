// A read-only (or, for whole-drawing edits, writable) view of an order list
// and the seven arrays it indexes: the drawing's own entities or the members
// of one block definition, and ForEachEntity, the one walk over it.
//
// Every span is cut to its count and to its array, so a damaged count, or a
// preview reading whose counts exceed what it read, is walked safely: an
// order entry is visited exactly when it names an entry of these spans.
#pragma once

#include <span>
#include <tuple>
#include <type_traits>

#include <tintwright/document/Counted.h>
#include <tintwright/document/EntityKinds.h>
#include <tintwright/document/JwwUnit.h>

namespace tw {

template <bool Const>
struct BasicEntityView {
    template <class T>
    using Span = std::span<std::conditional_t<Const, const T, T>>;
    using Doc = std::conditional_t<Const, const TJwwData, TJwwData>;
    using Def = std::conditional_t<Const, const TEntJwwBlockDef, TEntJwwBlockDef>;

    Span<TEntJwwNo> order;
    std::tuple<Span<TEntJwwLine>, Span<TEntJwwEnko>, Span<TEntJwwTen>, Span<TEntJwwMoji>,
               Span<TEntJwwSunpo>, Span<TEntJwwSolid>, Span<TEntJwwBlock>>
        arrays;

    static BasicEntityView Of(Doc& d) {
        return {Counted(d.EntNo, d.Enthd.n1),
                {Counted(d.EntLine, d.EntLineN), Counted(d.EntEnko, d.EntEnkoN),
                 Counted(d.EntTen, d.EntTenN), Counted(d.EntMoji, d.EntMojiN),
                 Counted(d.EntSunpo, d.EntSunpoN), Counted(d.EntSolid, d.EntSolidN),
                 Counted(d.EntBlock, d.EntBlockN)}};
    }
    static BasicEntityView Of(Def& b) {
        return {Counted(b.mNo, b.N),
                {Counted(b.mLine, b.mLineN), Counted(b.mEnko, b.mEnkoN), Counted(b.mTen, b.mTenN),
                 Counted(b.mMoji, b.mMojiN), Counted(b.mSunpo, b.mSunpoN),
                 Counted(b.mSolid, b.mSolidN), Counted(b.mBlock, b.mBlockN)}};
    }

    // The array of record type R.
    template <class R>
    Span<R> All() const {
        return std::get<Span<R>>(arrays);
    }
};

using EntityView = BasicEntityView<true>;
using MutableEntityView = BasicEntityView<false>;

// Calls f with the record that `entry` names and returns true; false, and no
// call, for an entry that names no record of the view.
template <bool Const, class F>
bool VisitEntry(const BasicEntityView<Const>& view, const TEntJwwNo& entry, F&& f) {
    bool visited = false;
    VisitKind(entry.EntType, [&]<class R>(std::type_identity<R>) {
        const auto array = view.template All<R>();
        if (entry.EntNo < 0 || static_cast<size_t>(entry.EntNo) >= array.size()) return;
        f(array[static_cast<size_t>(entry.EntNo)]);
        visited = true;
    });
    return visited;
}

// Calls f with each record of the view in drawing order (the typed record:
// const TEntJwwLine&, const TEntJwwEnko&, ...). Order entries that name no
// record are passed over.
template <bool Const, class F>
void ForEachEntity(const BasicEntityView<Const>& view, F&& f) {
    for (const TEntJwwNo& entry : view.order)
        VisitEntry(view, entry, f);
}

// ForEachEntity for the records of type R alone, in drawing order.
template <class R, bool Const, class F>
void ForEachEntityOf(const BasicEntityView<Const>& view, F&& f) {
    const auto array = view.template All<R>();
    for (const TEntJwwNo& entry : view.order) {
        if (entry.EntType == EntityKind<R>::number && entry.EntNo >= 0 &&
            static_cast<size_t>(entry.EntNo) < array.size())
            f(array[static_cast<size_t>(entry.EntNo)]);
    }
}

// Calls f with every record of every array of the view, array by array: for
// work that does not depend on the drawing order.
template <bool Const, class F>
void ForEachRecord(const BasicEntityView<Const>& view, F&& f) {
    std::apply(
        [&](const auto&... array) {
            auto each = [&](const auto& a) {
                for (auto& r : a)
                    f(r);
            };
            (each(array), ...);
        },
        view.arrays);
}

// Calls f with each block definition of the drawing, in stored order.
template <class F>
void ForEachDefinition(const TJwwData& doc, F&& f) {
    for (const TEntJwwBlockDef& def : Counted(doc.EntBlockDef, doc.EntBlockDefN))
        f(def);
}

}  // namespace tw
