#include <tintwright/document/DrawingRules.h>

#include <tintwright/document/JwwUnit.h>

namespace tw::rules {

namespace {

template <class Entry>
const Entry* EntryAt(const std::vector<Entry>& table, int32_t index) {
    return index >= 0 && static_cast<size_t>(index) < table.size() ? &table[index] : nullptr;
}

// Calls f with the pen table entry of `color`; returns what f returns, or
// `none` when there is no entry.
template <class T, class F>
T WithPenEntry(const TJwwData& doc, int32_t color, T none, F f) {
    const PenEntry entry = PenEntryOf(color);
    if (entry.table == PenTable::Basic) {
        if (const auto* pen = EntryAt(doc.EntCol, entry.index)) return f(*pen);
    } else if (entry.table == PenTable::Extended) {
        if (const auto* pen = EntryAt(doc.EntColS, entry.index)) return f(*pen);
    }
    return none;
}

}  // namespace

std::optional<uint32_t> PenColor(const TJwwData& doc, int32_t color, bool print) {
    return WithPenEntry(doc, color, std::optional<uint32_t>{}, [&](const auto& pen) {
        return std::optional<uint32_t>(
            static_cast<uint32_t>(print ? pen.aPrtPenColor : pen.aPenColor) & 0xFFFFFF);
    });
}

std::optional<uint32_t> SolidColor(const TJwwData& doc, const TEntJwwSolid& s, bool print) {
    if (UsesOwnColor(s)) return s.Color & 0xFFFFFF;
    return PenColor(doc, s.att.nPenColor, print);
}

double PenWidth(const TJwwData& doc, const TEntJwwAttr& att, bool print) {
    if (att.nPenWidth != 0) return att.nPenWidth / 100.0;
    return PenTableWidth(doc, att.nPenColor, print);
}

double PenTableWidth(const TJwwData& doc, int32_t color, bool print) {
    return WithPenEntry(doc, color, 0.0, [&](const auto& pen) {
        return static_cast<double>(print ? pen.anPrtPenWidth : pen.anPenWidth);
    });
}

std::optional<double> PenPointRadius(const TJwwData& doc, int32_t color) {
    return WithPenEntry(doc, color, std::optional<double>{},
                        [](const auto& pen) { return std::optional<double>(pen.adPrtTenHankei); });
}

}  // namespace tw::rules
