#include <tintwright/document/OutputRules.h>

#include <algorithm>
#include <cmath>
#include <string_view>

namespace tw::rules {

namespace {

constexpr int32_t kPatternBits = 32;
constexpr double kHundredthMillimetre = 0.01;
constexpr double kScreenPixel = 0.1;
constexpr double kDotsPerStep = 360;
constexpr double kDefaultPointRadius = 0.1;

template <class Entry>
const Entry* At(const std::vector<Entry>& table, int32_t index) {
    return index >= 0 && static_cast<size_t>(index) < table.size() ? &table[index] : nullptr;
}

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
    bool dash = true;
    for (size_t k = 0; k < on.size(); ++k) {
        const bool bit = on[(first + k) % on.size()];
        if (runs.empty() || bit != dash) runs.push_back(0);
        dash = bit;
        runs.back() += bitLength;
    }
    return runs;
}

std::vector<double> Segments(const TEntJwwLineTypeExNo& t) {
    std::vector<double> runs;
    const int32_t n =
        std::clamp(t.anUDLTypeSegment, 0, static_cast<int32_t>(t.aadUDLTypePitch.size()));
    for (int32_t i = 0; i < n; ++i) {
        const double length = std::fabs(t.aadUDLTypePitch[static_cast<size_t>(i)]);
        runs.push_back(std::isfinite(length) ? length : 0.0);
    }
    if (runs.size() % 2 != 0) runs.push_back(0.0);
    return runs;
}

// The bit pattern of a table entry, with the pitch of the medium.
template <class Entry>
std::vector<double> TableBits(const Entry* t, int32_t bits, Medium medium, double unit) {
    if (!t) return {};
    const int32_t pitch = medium == Medium::Print ? t->anPrtTokushuSenPich : t->anTokushuSenPich;
    return BitRuns(static_cast<uint32_t>(t->alLType), bits, std::max(pitch, 1) * unit);
}

constexpr bool IsNameCharacter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
           c == u'_';
}

// "Prefix_Name = value": a name of ASCII letters, digits and underscores that
// starts with a letter and holds an underscore, " = ", and a value.
bool IsSettingLine(std::u16string_view line) {
    constexpr std::u16string_view kEquals = u" = ";
    const size_t equals = line.find(kEquals);
    if (equals == std::u16string_view::npos || equals == 0 ||
        equals + kEquals.size() == line.size())
        return false;
    const std::u16string_view name = line.substr(0, equals);
    const bool letterFirst =
        (name[0] >= u'A' && name[0] <= u'Z') || (name[0] >= u'a' && name[0] <= u'z');
    return letterFirst && name.find(u'_') != std::u16string_view::npos &&
           std::all_of(name.begin(), name.end(), IsNameCharacter);
}

uint32_t Luminance(uint32_t rgb) {
    const double y =
        0.299 * ((rgb >> 16) & 0xFF) + 0.587 * ((rgb >> 8) & 0xFF) + 0.114 * (rgb & 0xFF);
    const auto g = static_cast<uint32_t>(std::lround(y));
    return (g << 16) | (g << 8) | g;
}

}  // namespace

bool IsSettingText(const TEntJwwMoji& text) {
    return text.start_x == 0 && text.start_y == kSettingTextY && text.end_x == text.start_x &&
           text.end_y == text.start_y && IsSettingLine(text.str);
}

LayerStates LayerStates::Of(const TJwwData& doc) {
    LayerStates v;
    for (size_t g = 0; g < v.groups.size(); ++g)
        v.groups[g] = g >= doc.EntLgrp.size() || doc.EntLgrp[g].anGLay != 0;
    for (size_t i = 0; i < v.layers.size(); ++i)
        v.layers[i] = i >= doc.EntLay.size() || doc.EntLay[i].aanLay != 0;
    return v;
}

bool PrintsInColour(const TJwwData& doc) {
    return doc.Enthd.nColorPrint != 0;
}

double WidthUnit(const TJwwData& doc, PenTable table, Medium medium) {
    if (table == PenTable::Extended) return kHundredthMillimetre;
    if (medium == Medium::Screen) return kScreenPixel;
    if (doc.Enthd.bSenHaba100) return kHundredthMillimetre;
    return 25.4 / (kDotsPerStep * std::max(doc.Enthd.nPrtDpi, 1));
}

std::vector<double> DashPattern(const TJwwData& doc, int32_t style, Medium medium, double unit) {
    const LineTypeEntry entry = LineTypeEntryOf(style);
    switch (entry.table) {
        case LineTypeTable::Basic:
        case LineTypeTable::DoubleDotted: {
            const auto* t =
                At(entry.table == LineTypeTable::Basic ? doc.EntLtp1 : doc.EntLtp3, entry.index);
            return TableBits(t, t ? t->anTokushuSenUintDot : kPatternBits, medium, unit);
        }
        case LineTypeTable::Random:
            return TableBits(At(doc.EntLtp2, entry.index), kPatternBits, medium, unit);
        case LineTypeTable::Extended: {
            const auto* t = At(doc.EntLtpS, entry.index);
            if (t && t->anUDLTypeSegment > 0) return Segments(*t);
            return TableBits(t, t ? t->anTokushuSenUintDot : kPatternBits, medium, unit);
        }
        case LineTypeTable::Continuous:
        case LineTypeTable::None:
            break;
    }
    return {};
}

Appearance::Appearance(const TJwwData& doc, Medium medium, const OutputOptions& options)
    : doc_(doc),
      medium_(medium),
      layers_(options.layers ? *options.layers : LayerStates::Of(doc)),
      monochrome_(medium == Medium::Print && !options.colour.value_or(PrintsInColour(doc))) {
    const double unit = medium == Medium::Print ? kPrintPatternDot : options.screenPixel;
    for (size_t style = 0; style < dashes_.size(); ++style)
        dashes_[style] = DashPattern(doc, static_cast<int32_t>(style), medium, unit);
}

uint32_t Appearance::Printed(uint32_t colorref, bool fill) const {
    const uint32_t rgb = RgbOf(colorref);
    if (!monochrome_) return rgb;
    return fill ? Luminance(rgb) : 0x000000;
}

std::optional<uint32_t> Appearance::Color(int32_t pen) const {
    const auto color = PenColor(doc_, pen, medium_ == Medium::Print);
    if (!color) return std::nullopt;
    return Printed(*color, false);
}

std::optional<uint32_t> Appearance::Fill(const TEntJwwSolid& solid) const {
    const auto color = SolidColor(doc_, solid, medium_ == Medium::Print);
    if (!color) return std::nullopt;
    return Printed(*color, true);
}

double Appearance::WidthMillimetres(const TEntJwwAttr& att) const {
    // A record's own width belongs to no pen table: it counts screen units
    // (4.0 is 0.4 mm) on the screen and on paper alike, so what the screen
    // shows is what prints and what the DXF's line weight says.
    if (att.nPenWidth != 0) return PenWidth(doc_, att, medium_ == Medium::Print) * kScreenPixel;
    return PenWidthMillimetres(att.nPenColor);
}

double Appearance::WidthMillimetres(const TEntJwwMoji& text) const {
    return PenWidthMillimetres(text.att.nPenColor);
}

double Appearance::PenWidthMillimetres(int32_t pen) const {
    return PenTableWidth(doc_, pen, medium_ == Medium::Print) *
           WidthUnit(doc_, PenEntryOf(pen).table, medium_);
}

const std::vector<double>& Appearance::Dashes(int32_t style) const {
    static const std::vector<double> continuous;
    return style >= 0 && static_cast<size_t>(style) < dashes_.size()
               ? dashes_[static_cast<size_t>(style)]
               : continuous;
}

double Appearance::PointRadius(int32_t pen) const {
    const double r = PenPointRadius(doc_, pen).value_or(0);
    return std::isfinite(r) && r > 0 ? r : kDefaultPointRadius;
}

}  // namespace tw::rules
