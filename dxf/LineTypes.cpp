#include "dxf/LineTypes.h"

#include <algorithm>
#include <cmath>

#include "document/DrawingRules.h"

namespace tw::dxf {

namespace {

constexpr double kPrintDot = 25.4 / 720;
constexpr int32_t kPatternBits = 32;

// Runs of equal bits of the lowest `bits` bits, most significant first,
// started at the first dash that follows a gap.
std::vector<double> BitRuns(uint32_t pattern, int32_t bits, double bitLength) {
    bits = std::clamp(bits, 1, kPatternBits);
    std::vector<bool> on;
    for (int32_t i = bits - 1; i >= 0; --i)
        on.push_back(((pattern >> i) & 1U) != 0);
    size_t first = on.size();
    for (size_t i = 0; i < on.size() && first == on.size(); ++i) {
        if (on[i] && !on[(i + on.size() - 1) % on.size()]) first = i;
    }
    if (first == on.size()) return {};  // all dash or all gap: a solid line
    std::vector<double> runs;
    for (size_t k = 0; k < on.size(); ++k) {
        const bool bit = on[(first + k) % on.size()];
        const double length = bit ? bitLength : -bitLength;
        if (!runs.empty() && (runs.back() > 0) == bit)
            runs.back() += length;
        else
            runs.push_back(length);
    }
    return runs;
}

template <class Entry>
const Entry* At(const std::vector<Entry>& table, int32_t index) {
    return index >= 0 && static_cast<size_t>(index) < table.size() ? &table[index] : nullptr;
}

std::vector<double> Segments(const TEntJwwLineTypeExNo& t) {
    std::vector<double> runs;
    const int32_t n =
        std::clamp(t.anUDLTypeSegment, 0, static_cast<int32_t>(t.aadUDLTypePitch.size()));
    for (int32_t i = 0; i < n; ++i) {
        const double length = std::fabs(t.aadUDLTypePitch[static_cast<size_t>(i)]);
        runs.push_back(i % 2 == 0 ? length : -length);
    }
    if (runs.size() % 2 != 0) runs.push_back(0.0);
    return runs;
}

}  // namespace

std::vector<int32_t> PatternedLineTypes() {
    std::vector<int32_t> styles;
    for (int32_t style = 2; style <= rules::kLastExtLineType; ++style) {
        if (rules::IsKnownLineType(style)) styles.push_back(style);
    }
    return styles;
}

std::vector<double> DashPattern(const TJwwData& doc, int32_t style) {
    using rules::LineTypeTable;
    const rules::LineTypeEntry entry = rules::LineTypeEntryOf(style);
    const auto bits = [](const auto* t, int32_t unit) {
        return t ? BitRuns(static_cast<uint32_t>(t->alLType), unit,
                           std::max(t->anPrtTokushuSenPich, 1) * kPrintDot)
                 : std::vector<double>{};
    };
    if (entry.table == LineTypeTable::Basic || entry.table == LineTypeTable::DoubleDotted) {
        const auto& table = entry.table == LineTypeTable::Basic ? doc.EntLtp1 : doc.EntLtp3;
        const auto* t = At(table, entry.index);
        return bits(t, t ? t->anTokushuSenUintDot : kPatternBits);
    }
    if (entry.table == LineTypeTable::Random)
        return bits(At(doc.EntLtp2, entry.index), kPatternBits);
    if (entry.table == LineTypeTable::Extended) {
        const auto* t = At(doc.EntLtpS, entry.index);
        if (t && t->anUDLTypeSegment > 0) return Segments(*t);
        return bits(t, t ? t->anTokushuSenUintDot : kPatternBits);
    }
    return {};
}

}  // namespace tw::dxf
