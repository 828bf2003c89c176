// An order list as a list of records, each the entity an entry names, with
// the class names of the file: what the record pins encode and what the
// real drawings are compared by.
#pragma once

#include <gtest/gtest.h>

#include <type_traits>
#include <variant>
#include <vector>

#include "document/EntityTarget.h"

namespace tw::test {

using Entity = std::variant<TEntJwwLine, TEntJwwEnko, TEntJwwTen, TEntJwwMoji, TEntJwwSunpo,
                            TEntJwwSolid, TEntJwwBlock>;

inline const char* ClassOf(const TEntJwwLine&) {
    return "CDataSen";
}
inline const char* ClassOf(const TEntJwwEnko&) {
    return "CDataEnko";
}
inline const char* ClassOf(const TEntJwwTen&) {
    return "CDataTen";
}
inline const char* ClassOf(const TEntJwwMoji&) {
    return "CDataMoji";
}
inline const char* ClassOf(const TEntJwwSunpo&) {
    return "CDataSunpou";
}
inline const char* ClassOf(const TEntJwwSolid&) {
    return "CDataSolid";
}
inline const char* ClassOf(const TEntJwwBlock&) {
    return "CDataBlock";
}

// The entity that an order entry names.
inline Entity EntityAt(const EntityTarget& target, TEntJwwNo entry) {
    Entity out;
    bool found = false;
    auto take = [&](const auto& array) {
        using R = typename std::decay_t<decltype(array.items)>::value_type;
        if (kKindOf<R> != entry.EntType) return;
        out = array.items.at(static_cast<size_t>(entry.EntNo));
        found = true;
    };
    std::apply([&](const auto&... array) { (take(array), ...); }, target.kinds);
    EXPECT_TRUE(found) << "no entity of kind " << entry.EntType;
    return out;
}

inline std::vector<Entity> ListOf(const EntityTarget& target) {
    std::vector<Entity> list;
    for (int32_t i = 0; i < target.order.count; ++i)
        list.push_back(EntityAt(target, target.order.items.at(static_cast<size_t>(i))));
    return list;
}

}  // namespace tw::test
