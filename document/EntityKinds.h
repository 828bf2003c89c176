// The seven entity kinds in one table: the kind number of an order entry,
// the record type, the class name in a file and the name shown to users.
// Everything that turns a kind number into a record type goes through
// VisitKind, so no caller lists the kinds itself.
#pragma once

#include <cstdint>
#include <tuple>
#include <type_traits>

#include <tintwright/document/jwwtype.h>

namespace tw {

template <class R>
struct EntityKind;

template <>
struct EntityKind<TEntJwwLine> {
    static constexpr int32_t number = kEntLine;
    static constexpr const char* className = "CDataSen";
    static constexpr const char* name = "line";
};
template <>
struct EntityKind<TEntJwwEnko> {
    static constexpr int32_t number = kEntArc;
    static constexpr const char* className = "CDataEnko";
    static constexpr const char* name = "arc";
};
template <>
struct EntityKind<TEntJwwTen> {
    static constexpr int32_t number = kEntPoint;
    static constexpr const char* className = "CDataTen";
    static constexpr const char* name = "point";
};
template <>
struct EntityKind<TEntJwwMoji> {
    static constexpr int32_t number = kEntText;
    static constexpr const char* className = "CDataMoji";
    static constexpr const char* name = "text";
};
template <>
struct EntityKind<TEntJwwSunpo> {
    static constexpr int32_t number = kEntDim;
    static constexpr const char* className = "CDataSunpou";
    static constexpr const char* name = "dimension";
};
template <>
struct EntityKind<TEntJwwSolid> {
    static constexpr int32_t number = kEntSolid;
    static constexpr const char* className = "CDataSolid";
    static constexpr const char* name = "solid";
};
template <>
struct EntityKind<TEntJwwBlock> {
    static constexpr int32_t number = kEntBlock;
    static constexpr const char* className = "CDataBlock";
    static constexpr const char* name = "block";
};

// The record types in kind order (kind number - 1).
using EntityRecords = std::tuple<TEntJwwLine, TEntJwwEnko, TEntJwwTen, TEntJwwMoji, TEntJwwSunpo,
                                 TEntJwwSolid, TEntJwwBlock>;
inline constexpr int32_t kEntityKinds = std::tuple_size_v<EntityRecords>;

// Calls f(std::type_identity<R>{}) for every record type, in kind order.
template <class F>
void ForEachKind(F&& f) {
    [&]<class... R>(std::tuple<R...>*) {
        (f(std::type_identity<R>{}), ...);
    }(static_cast<EntityRecords*>(nullptr));
}

// Calls f(std::type_identity<R>{}) for the record type of kind number `kind`
// and returns true; false for a number that names no kind.
template <class F>
bool VisitKind(int32_t kind, F&& f) {
    return [&]<class... R>(std::tuple<R...>*) {
        return ((kind == EntityKind<R>::number ? (f(std::type_identity<R>{}), true) : false) ||
                ...);
    }(static_cast<EntityRecords*>(nullptr));
}

// The user-facing name of kind number `kind` ("line" ... "block"), or "" for
// a number that names no kind.
inline const char* KindName(int32_t kind) {
    const char* name = "";
    VisitKind(kind, [&]<class R>(std::type_identity<R>) { name = EntityKind<R>::name; });
    return name;
}

}  // namespace tw
