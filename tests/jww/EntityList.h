// An order list as a list of records, each the entity an entry names, with
// the class names of the file: what the record pins encode and what the
// real drawings are compared by.
#pragma once

#include <gtest/gtest.h>

#include <variant>
#include <vector>

#include <tintwright/document/EntityView.h>

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

// The entities of an order list in order; an entry that names none fails.
inline std::vector<Entity> ListOf(const EntityView& view) {
    std::vector<Entity> list;
    for (const TEntJwwNo& entry : view.order) {
        const bool found = VisitEntry(view, entry, [&](const auto& r) { list.push_back(r); });
        EXPECT_TRUE(found) << "no entity of kind " << entry.EntType;
    }
    return list;
}

}  // namespace tw::test
