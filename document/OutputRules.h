// What Jw_cad draws on the screen and what it prints, decided once for the
// renderer, the viewer and the DXF export: which records appear, and each
// one's colour, width, dash pattern and point radius in millimetres.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "document/DrawingRules.h"
#include "document/JwwUnit.h"

namespace tw::rules {

enum class Medium { Screen, Print };

// Pen colour 9 and line type 9 mark construction lines: shown, never printed.
constexpr int32_t kAuxiliaryPen = 9;
constexpr int32_t kAuxiliaryLineType = 9;

constexpr bool IsAuxiliary(const TEntJwwAttr& att) {
    return att.nPenColor == kAuxiliaryPen || att.nPenStyle == kAuxiliaryLineType;
}
constexpr bool IsTemporaryPoint(const TEntJwwTen& p) {
    return p.bKariten != 0;
}

// Jw_cad 8 keeps its print settings in texts at (0, -1000) in auxiliary
// colour and line type; it reads them and draws them nowhere.
constexpr double kSettingTextY = -1000;
constexpr bool IsSettingText(const TEntJwwMoji& text) {
    return text.att.nPenColor == kAuxiliaryPen && text.att.nPenStyle == kAuxiliaryLineType &&
           text.start_x == 0 && text.start_y == kSettingTextY;
}

// Whether a record's own marks let it appear in a medium (its layer aside):
// auxiliary records and temporary points are not printed, setting texts
// never drawn.
template <class R>
bool Appears(const R& record, Medium medium) {
    return medium == Medium::Screen || !IsAuxiliary(record.att);
}
inline bool Appears(const TEntJwwTen& point, Medium medium) {
    return medium == Medium::Screen || (!IsAuxiliary(point.att) && !IsTemporaryPoint(point));
}
inline bool Appears(const TEntJwwMoji& text, Medium medium) {
    return !IsSettingText(text) && (medium == Medium::Screen || !IsAuxiliary(text.att));
}

// Which layer groups and layers are shown: the drawing's own states (state 0
// hides; display-only layers are shown and print), which a viewer may switch.
struct LayerStates {
    static constexpr int kGroups = kMaxLayer + 1;
    std::array<bool, kGroups> groups{};
    std::array<bool, kGroups * kGroups> layers{};  // group x 16 + layer

    static LayerStates Of(const TJwwData& doc);
    bool Shows(int32_t layerIndex) const {
        return groups[static_cast<size_t>(layerIndex / kGroups)] &&
               layers[static_cast<size_t>(layerIndex)];
    }
    bool Shows(const TEntJwwAttr& att) const { return Shows(LayerIndex(att)); }
};

// 0x00BBGGRR as the document stores colours -> 0xRRGGBB.
constexpr uint32_t RgbOf(uint32_t colorref) {
    return ((colorref & 0xFF) << 16) | (colorref & 0xFF00) | ((colorref >> 16) & 0xFF);
}

// The drawing asks for colour print (nColorPrint not 0).
bool PrintsInColour(const TJwwData& doc);

// Millimetres per unit of the pen widths. Print: 1/100 mm when the header's
// width flag (bSenHaba100, from nMaxDrawWid -101 and below) is set, else
// printer dots at 360 dpi times the print resolution step nPrtDpi. Screen:
// a tenth of a millimetre per pixel. A record's own width (nPenWidth) is
// counted in the screen's unit in both media.
double WidthUnit(const TJwwData& doc, Medium medium);

// Millimetres per unit of the print pitch of line types: a printer dot of
// 1/720 inch, the same for renders and the DXF export.
constexpr double kPrintPatternDot = 25.4 / 720;

// A line type's pattern, dash, gap, dash, gap, ... (non-negative lengths),
// empty for a continuous line. Bit patterns take their used bits, one run
// per pitch of `unit` millimetres (the print pitch in print, the screen pitch
// on the screen); extended types with segment lengths take those.
std::vector<double> DashPattern(const TJwwData& doc, int32_t style, Medium medium, double unit);

struct OutputOptions {
    std::optional<bool> colour;         // overrides the drawing's colour print flag
    std::optional<LayerStates> layers;  // a viewer's switches; the drawing's own when none
    double screenPixel = 0.1;           // millimetres of a screen pattern's pixel
};

// The resolved look of records in one medium.
class Appearance {
  public:
    Appearance(const TJwwData& doc, Medium medium, const OutputOptions& options = {});

    Medium Of() const { return medium_; }
    const LayerStates& Layers() const { return layers_; }

    // 0xRRGGBB, none for a pen colour without entry.
    std::optional<uint32_t> Color(int32_t pen) const;
    std::optional<uint32_t> Fill(const TEntJwwSolid& solid) const;
    double WidthMillimetres(const TEntJwwAttr& att) const;
    const std::vector<double>& Dashes(int32_t style) const;  // millimetres
    double PointRadius(int32_t pen) const;                   // millimetres

  private:
    uint32_t Printed(uint32_t colorref, bool fill) const;

    const TJwwData& doc_;
    Medium medium_;
    LayerStates layers_;
    bool monochrome_ = false;
    double widthUnit_ = 0;
    std::array<std::vector<double>, kLastExtLineType + 1> dashes_;  // by line type number
};

}  // namespace tw::rules
