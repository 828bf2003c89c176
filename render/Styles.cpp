#include "render/Styles.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "document/DrawingRules.h"

namespace tw::render {

namespace {

constexpr uint32_t kRgbMask = 0xFFFFFF;

// 0x00BBGGRR as the document stores colours -> 0xRRGGBB.
uint32_t RgbOf(uint32_t colorref) {
    return ((colorref & 0xFF) << 16) | (colorref & 0xFF00) | ((colorref >> 16) & 0xFF);
}

// Runs of equal bits, most significant first, turned so that the pattern
// starts with a dash and ends with a gap: dash, gap, dash, gap, ...
std::vector<double> BitPattern(uint32_t bits, double unit) {
    if (bits == 0 || bits == 0xFFFFFFFFu) return {};
    uint32_t turned = std::rotl(bits, std::countl_zero(bits));
    turned = std::rotr(turned, std::countr_one(turned));
    std::vector<double> runs;
    bool dash = true;
    int length = 0;
    for (int i = 31; i >= 0; --i) {
        const bool on = (turned >> i) & 1u;
        if (on != dash) {
            runs.push_back(length * unit);
            dash = on;
            length = 0;
        }
        ++length;
    }
    runs.push_back(length * unit);
    return runs;
}

template <class Entry>
std::vector<double> TablePattern(const std::vector<Entry>& table, int32_t index, bool print) {
    if (index < 0 || static_cast<size_t>(index) >= table.size()) return {};
    const Entry& e = table[static_cast<size_t>(index)];
    const int32_t pitch = print ? e.anPrtTokushuSenPich : e.anTokushuSenPich;
    return BitPattern(static_cast<uint32_t>(e.alLType),
                      std::max(pitch, int32_t{1}) * UnitMillimetres(print));
}

std::vector<double> ExtendedPattern(const TJwwData& doc, int32_t index) {
    if (index < 0 || static_cast<size_t>(index) >= doc.EntLtpS.size()) return {};
    const TEntJwwLineTypeExNo& e = doc.EntLtpS[static_cast<size_t>(index)];
    std::vector<double> runs;
    const int32_t count = std::clamp<int32_t>(e.anUDLTypeSegment, 0, 10);
    for (int32_t i = 0; i < count; ++i) {
        const double length = std::fabs(e.aadUDLTypePitch[static_cast<size_t>(i)]);
        if (std::isfinite(length) && length > 0) runs.push_back(length);
    }
    if (runs.size() % 2 != 0) runs.insert(runs.end(), runs.begin(), runs.end());
    return runs.size() >= 2 ? runs : std::vector<double>{};
}

}  // namespace

double UnitMillimetres(bool print) {
    return print ? 0.01 : 0.1;
}

std::vector<double> DashPattern(const TJwwData& doc, int32_t style, bool print) {
    const rules::LineTypeEntry entry = rules::LineTypeEntryOf(style);
    switch (entry.table) {
        case rules::LineTypeTable::Basic:
            return TablePattern(doc.EntLtp1, entry.index, print);
        case rules::LineTypeTable::Random:
            return TablePattern(doc.EntLtp2, entry.index, print);
        case rules::LineTypeTable::DoubleDotted:
            return TablePattern(doc.EntLtp3, entry.index, print);
        case rules::LineTypeTable::Extended:
            return ExtendedPattern(doc, entry.index);
        case rules::LineTypeTable::Continuous:
        case rules::LineTypeTable::None:
            break;
    }
    return {};
}

Styles::Styles(const TJwwData& doc, bool print, bool blackBackground) : doc_(doc), print_(print) {
    gra_.SetBackColor(blackBackground ? 1 : 0);
    background_ = gra_.GetBackColor() & kRgbMask;
    foreground_ = gra_.GetForeColor() & kRgbMask;
    for (size_t style = 0; style < dashes_.size(); ++style)
        dashes_[style] = DashPattern(doc, static_cast<int32_t>(style), print);
}

uint32_t Styles::Shown(uint32_t colorref) const {
    const uint32_t rgb = RgbOf(colorref);
    return rgb == background_ ? foreground_ : rgb;
}

std::optional<uint32_t> Styles::ColorOf(int32_t pen) const {
    const auto color = rules::PenColor(doc_, pen, print_);
    if (!color) return std::nullopt;
    return Shown(*color);
}

std::optional<uint32_t> Styles::FillOf(const TEntJwwSolid& solid) const {
    const auto color = rules::SolidColor(doc_, solid, print_);
    if (!color) return std::nullopt;
    return Shown(*color);
}

std::optional<Stroke> Styles::StrokeOf(const TEntJwwAttr& att) const {
    const auto color = ColorOf(att.nPenColor);
    if (!color) return std::nullopt;
    Stroke stroke;
    stroke.rgb = *color;
    stroke.width = rules::PenWidth(doc_, att, print_) * UnitMillimetres(print_);
    if (att.nPenStyle < dashes_.size()) stroke.dashes = dashes_[att.nPenStyle];
    return stroke;
}

double Styles::PointRadius(int32_t pen) const {
    return gra_.GetAttrColten(pen);
}

}  // namespace tw::render
