// The fields of the table records as tuples: field-by-field equality, and
// a way for tests to set every field.
#pragma once

#include <tuple>

#include <tintwright/document/jwwtype.h>

namespace tw {

inline auto Fields(TEntJwwLayerGroup& r) {
    return std::tie(r.anGLay, r.anWriteLay, r.adScale, r.anGLayProtect, r.aStrGLayName);
}
inline auto Fields(TEntJwwLayer& r) {
    return std::tie(r.aanLay, r.aanLayProtect, r.aStrLayName);
}
inline auto Fields(TEntJwwColorNo& r) {
    return std::tie(r.aPenColor, r.anPenWidth, r.aPrtPenColor, r.anPrtPenWidth, r.adPrtTenHankei);
}
inline auto Fields(TEntJwwLineTypeNo& r) {
    return std::tie(r.alLType, r.anTokushuSenUintDot, r.anTokushuSenPich, r.anPrtTokushuSenPich);
}
inline auto Fields(TEntJwwRandomLineNo& r) {
    return std::tie(r.alLType, r.anRandSenWide, r.anTokushuSenPich, r.anPrtRandSenWide,
                    r.anPrtTokushuSenPich);
}
inline auto Fields(TEntJwwColorExNo& r) {
    return std::tie(r.aPenColor, r.anPenWidth, r.astrUDColorName, r.aPrtPenColor, r.anPrtPenWidth,
                    r.adPrtTenHankei);
}
inline auto Fields(TEntJwwLineTypeExNo& r) {
    return std::tie(r.alLType, r.anTokushuSenUintDot, r.anTokushuSenPich, r.anPrtTokushuSenPich,
                    r.astrUDLTypeName, r.anUDLTypeSegment, r.aadUDLTypePitch);
}
inline auto Fields(TEntJwwMojiType& r) {
    return std::tie(r.adMojiX, r.adMojiY, r.adMojiD, r.anMojiCol);
}

// Read-only use of the same field lists; comparing never writes.
template <class T>
auto Fields(const T& r) {
    return Fields(const_cast<T&>(r));
}

template <class T>
bool SameRecords(const std::vector<T>& a, const std::vector<T>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Fields(a[i]) != Fields(b[i])) return false;
    }
    return true;
}

}  // namespace tw
