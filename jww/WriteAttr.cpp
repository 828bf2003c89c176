// The attribute record as it leaves for the file: pen numbers that older
// readers do not know are mapped to near equivalents, numbers that no
// reader knows fall back, and layers and widths out of range become 0.
#include <array>

#include <tintwright/jww/DocumentWriter.h>
#include <tintwright/jww/Versions.h>

namespace tw::jwwout {

namespace {

// Extended line types 31 to 45 as the basic types of older versions.
constexpr uint8_t kFirstMappedStyle = 31;
constexpr std::array<uint8_t, 15> kOldStyles = {1, 4, 3, 6, 8, 8, 2, 5, 7, 6, 6, 8, 8, 17, 17};
constexpr uint8_t kLastExtStyle = rules::kLastExtLineType;

// Extended colours 101 to 116 (the sixteen named ones) as basic pens.
constexpr uint16_t kFirstMappedColor = rules::kFirstExtColor;
constexpr std::array<uint16_t, 16> kOldColors = {2, 8, 3, 6, 4, 5, 1, 2, 5, 8, 4, 3, 6, 5, 2, 2};

constexpr uint16_t kMaxPenWidth = 30000;

bool InRange(unsigned v, unsigned lo, unsigned hi) {
    return v >= lo && v <= hi;
}

bool IsLineOrArc(int kind) {
    return kind == kEntLine || kind == kEntArc;
}

uint8_t OldFileStyle(uint8_t style, uint8_t fallback) {
    if (InRange(style, kFirstMappedStyle, kFirstMappedStyle + kOldStyles.size() - 1))
        return kOldStyles[style - kFirstMappedStyle];
    if (InRange(style, kFirstMappedStyle + kOldStyles.size(), kLastExtStyle)) return fallback;
    return style;
}

uint16_t OldFileColor(uint16_t color, uint16_t fallback) {
    if (InRange(color, kFirstMappedColor, kFirstMappedColor + kOldColors.size() - 1))
        return kOldColors[color - kFirstMappedColor];
    if (InRange(color, kFirstMappedColor + kOldColors.size(), kLastExtColor)) return fallback;
    return color;
}

uint8_t CheckedStyle(uint8_t style, int kind, uint8_t fallback) {
    if (IsLineOrArc(kind)) {
        return rules::IsKnownLineType(style) ? style : fallback;
    }
    if (kind == kEntPoint) return style == 1 || style == rules::kMarkerPointStyle ? style : 1;
    if (kind == kEntText) return InRange(style, 1, 9) ? style : 1;
    return style;
}

uint16_t CheckedColor(uint16_t color, int kind, uint16_t fallback) {
    if (kind == kEntBlock || kind == kAttrBlockDef) return color;
    const bool ownColorAllowed = kind == kEntSolid;
    return rules::IsKnownPenColor(color, ownColorAllowed) ? color : fallback;
}

void ClampLayersAndWidth(TEntJwwAttr& a) {
    if (!rules::IsLayerNumber(a.nLayer)) a.nLayer = 0;
    if (!rules::IsLayerNumber(a.nGLayer)) a.nGLayer = 0;
    if (a.nPenWidth > kMaxPenWidth) a.nPenWidth = 0;
}

}  // namespace

TEntJwwAttr FilterAttr(TEntJwwAttr a, int kind, int32_t version, const TRefTable& ref) {
    const auto styleFallback = static_cast<uint8_t>(ref.FallbackPenStyle);
    const auto colorFallback = static_cast<uint16_t>(ref.FallbackPenColor);
    if (version < ver::kNewPens) {
        if (IsLineOrArc(kind)) a.nPenStyle = OldFileStyle(a.nPenStyle, styleFallback);
        if (kind >= kEntLine && kind <= kEntSolid)
            a.nPenColor = OldFileColor(a.nPenColor, colorFallback);
    }
    a.nPenStyle = CheckedStyle(a.nPenStyle, kind, styleFallback);
    a.nPenColor = CheckedColor(a.nPenColor, kind, colorFallback);
    ClampLayersAndWidth(a);
    return a;
}

AttrFilter::AttrFilter(int32_t version, const TRefTable& ref) {
    for (int kind = kEntLine; kind < kKinds; ++kind) {
        TEntJwwAttr a;
        for (size_t style = 0; style < styles_[kind].size(); ++style) {
            a.nPenStyle = static_cast<uint8_t>(style);
            styles_[kind][style] = FilterAttr(a, kind, version, ref).nPenStyle;
        }
        for (size_t color = 0; color < kTabledColors; ++color) {
            a.nPenColor = static_cast<uint16_t>(color);
            colors_[kind][color] = FilterAttr(a, kind, version, ref).nPenColor;
        }
        a.nPenColor = kTabledColors;
        otherColor_[kind] = FilterAttr(a, kind, version, ref).nPenColor;
        keepsOtherColors_[kind] = otherColor_[kind] == kTabledColors;
    }
}

void CountAttrLosses(ArchiveWriter& ar, const TEntJwwAttr& before, const TEntJwwAttr& after) {
    if (after.nPenColor != before.nPenColor) ar.Lose(SaveLoss::PenColors);
    if (after.nPenStyle != before.nPenStyle) ar.Lose(SaveLoss::LineTypes);
    const bool widthKept = ar.version() >= ver::kPenWidth || before.nPenWidth == 0;
    if (after.nPenWidth != before.nPenWidth || !widthKept) ar.Lose(SaveLoss::PenWidths);
    if (after.nLayer != before.nLayer || after.nGLayer != before.nGLayer) ar.Lose(SaveLoss::Layers);
}

void AttrFilter::Apply(TEntJwwAttr& a, int kind) const {
    a.nPenStyle = styles_[kind][a.nPenStyle];
    if (a.nPenColor < kTabledColors)
        a.nPenColor = colors_[kind][a.nPenColor];
    else if (!keepsOtherColors_[kind])
        a.nPenColor = otherColor_[kind];
    ClampLayersAndWidth(a);
}

}  // namespace tw::jwwout
