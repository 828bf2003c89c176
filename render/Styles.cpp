#include "render/Styles.h"

#include "attributes/UnitGraAtt.h"

namespace tw::render {

namespace {

constexpr uint32_t kRgbMask = 0xFFFFFF;

}  // namespace

Styles::Styles(const TJwwData& doc, rules::Medium medium, const rules::OutputOptions& options,
               bool blackBackground)
    : look_(doc, medium, options) {
    TgraAttribute gra;
    gra.SetBackColor(blackBackground ? 1 : 0);
    background_ = gra.GetBackColor() & kRgbMask;
    foreground_ = gra.GetForeColor() & kRgbMask;
}

std::optional<uint32_t> Styles::Shown(std::optional<uint32_t> rgb) const {
    if (!rgb) return std::nullopt;
    return *rgb == background_ ? foreground_ : *rgb;
}

std::optional<uint32_t> Styles::ColorOf(int32_t pen) const {
    return Shown(look_.Color(pen));
}

std::optional<uint32_t> Styles::FillOf(const TEntJwwSolid& solid) const {
    return Shown(look_.Fill(solid));
}

std::optional<Stroke> Styles::StrokeOf(const TEntJwwAttr& att) const {
    const auto color = ColorOf(att.nPenColor);
    if (!color) return std::nullopt;
    return Stroke{*color, look_.WidthMillimetres(att), look_.Dashes(att.nPenStyle)};
}

}  // namespace tw::render
