// The rules a consumer of a drawing needs, each named once: which table
// entry a pen colour, a line type or a layer number names, which numbers are
// valid, curved solids, marker points and a solid's own colour. Building,
// writing, reading, dump, export and rendering all ask here.
#pragma once

#include <cstdint>
#include <optional>

#include <tintwright/document/jwwtype.h>

namespace tw {

class TJwwData;

namespace rules {

// Pen colours: basic pens 1 to 9, 10 a solid's own colour, extended colours
// 101 to 356.
constexpr int32_t kFirstBasicPen = 1;
constexpr int32_t kLastBasicPen = 9;
constexpr int32_t kOwnColorPen = 10;
constexpr int32_t kFirstExtColor = 101;
constexpr int32_t kLastExtColor = 356;

// Line types: basic 1 to 9 (1 continuous), random 11 to 15, double-dotted 16
// to 19, extended 31 to 62.
constexpr int32_t kFirstExtLineType = 31;
constexpr int32_t kLastExtLineType = 62;

constexpr int32_t kMarkerPointStyle = 100;     // a point drawn as a marker
constexpr int32_t kLastPlainSolidStyle = 100;  // a solid above it is a curved one

constexpr int32_t kMaxLayer = 15;  // layers and groups 0 to 15
constexpr int32_t kMaxOwnColor = 0xFFFFFF;

constexpr bool InRange(int32_t v, int32_t low, int32_t high) {
    return v >= low && v <= high;
}

constexpr bool IsBasicPen(int32_t color) {
    return InRange(color, kFirstBasicPen, kLastBasicPen);
}
constexpr bool IsExtendedColor(int32_t color) {
    return InRange(color, kFirstExtColor, kLastExtColor);
}
// A colour a drawing may carry: a basic pen, an extended colour, or (where
// own colours are allowed: solids, and building) the own colour.
constexpr bool IsKnownPenColor(int32_t color, bool ownColorAllowed) {
    return IsBasicPen(color) || IsExtendedColor(color) ||
           (ownColorAllowed && color == kOwnColorPen);
}
constexpr bool IsKnownLineType(int32_t style) {
    return InRange(style, 1, 9) || InRange(style, 11, 19) ||
           InRange(style, kFirstExtLineType, kLastExtLineType);
}
constexpr bool IsLayerNumber(int32_t v) {
    return InRange(v, 0, kMaxLayer);
}

// Which table holds the settings of a pen colour, and its entry there.
enum class PenTable { None, Basic, Own, Extended };
struct PenEntry {
    PenTable table = PenTable::None;
    int32_t index = 0;  // EntCol for Basic, EntColS for Extended
};
constexpr PenEntry PenEntryOf(int32_t color) {
    if (IsBasicPen(color)) return {PenTable::Basic, color};
    if (color == kOwnColorPen) return {PenTable::Own, 0};
    if (IsExtendedColor(color)) return {PenTable::Extended, color - 100};
    return {};
}

// Which table holds the pattern of a line type, and its entry there.
enum class LineTypeTable { None, Continuous, Basic, Random, DoubleDotted, Extended };
struct LineTypeEntry {
    LineTypeTable table = LineTypeTable::None;
    int32_t index = 0;  // EntLtp1, EntLtp2, EntLtp3 or EntLtpS
};
constexpr LineTypeEntry LineTypeEntryOf(int32_t style) {
    if (style == 1) return {LineTypeTable::Continuous, 0};
    if (InRange(style, 2, 9)) return {LineTypeTable::Basic, style - 2};
    if (InRange(style, 11, 15)) return {LineTypeTable::Random, style - 11};
    if (InRange(style, 16, 19)) return {LineTypeTable::DoubleDotted, style - 16};
    if (InRange(style, kFirstExtLineType, kLastExtLineType))
        return {LineTypeTable::Extended, style - 30};
    return {};
}

// The entry of EntLay (and of the attribute set's layers) for a record's
// layer: group x 16 + layer; layers out of range count as 0, as written.
constexpr int32_t LayerIndex(int32_t group, int32_t layer) {
    return (IsLayerNumber(group) ? group : 0) * (kMaxLayer + 1) +
           (IsLayerNumber(layer) ? layer : 0);
}
inline int32_t LayerIndex(const TEntJwwAttr& att) {
    return LayerIndex(att.nGLayer, att.nLayer);
}

inline bool IsCurvedSolid(const TEntJwwSolid& s) {
    return s.att.nPenStyle > kLastPlainSolidStyle;
}
inline bool IsMarkerPoint(const TEntJwwTen& p) {
    return p.att.nPenStyle == kMarkerPointStyle;
}
inline bool UsesOwnColor(const TEntJwwSolid& s) {
    return s.att.nPenColor == kOwnColorPen;
}

// The colour (0x00BBGGRR, as the document stores it) a pen colour number
// stands for in the drawing's tables, for the screen or for print; none for
// a number without entry, or the own colour (see SolidColor).
std::optional<uint32_t> PenColor(const TJwwData& doc, int32_t color, bool print);
// The colour a solid is filled with: its own Color for pen colour 10.
std::optional<uint32_t> SolidColor(const TJwwData& doc, const TEntJwwSolid& s, bool print);
// The pen width of a record in the drawing's units of the pen tables: its
// own nPenWidth / 100 when set, else its pen colour's width (0 when none).
double PenWidth(const TJwwData& doc, const TEntJwwAttr& att, bool print);
// The width of a pen colour's entry in its table's unit (0 when none).
double PenTableWidth(const TJwwData& doc, int32_t color, bool print);
// The print point radius (millimetres) of a pen colour's entry; none when
// the number has no entry.
std::optional<double> PenPointRadius(const TJwwData& doc, int32_t color);

}  // namespace rules
}  // namespace tw
