// What Jw_cad draws on the screen and what it prints, decided once for the
// renderer, the viewer and the DXF export: which records appear, and each
// one's colour, width, dash pattern and point radius in millimetres.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include <tintwright/document/DrawingRules.h>
#include <tintwright/document/JwwUnit.h>

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

// Jw_cad 8 keeps settings of its own in texts ("Printer_Orientation = 0",
// "View_Direct2d = 1"): at (0, -1000), of no length (their end is their
// start, where a drawn text's end lies its length further on), a
// "Prefix_Name = value" each. It reads them and draws them nowhere. Its own
// files give them the auxiliary pen and line type, others pen 2 and line
// type 1: the place, the missing length and the content mark them, not the pen.
constexpr double kSettingTextY = -1000;
bool IsSettingText(const TEntJwwMoji& text);

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

// Millimetres per unit of the widths of a pen table. The extended (SXF)
// pens count 1/100 mm on the screen and on paper: their default width 18
// goes with a point radius of 0.18 mm, and their screen widths are kept as
// they are where the basic pens' pixels are held to 1..16. The basic pens
// print in 1/100 mm when the header's width flag (bSenHaba100, from
// nMaxDrawWid -101 and below) is set, else in printer dots at 360 dpi times
// the print resolution step nPrtDpi; on the screen a pixel is a tenth of a
// millimetre. A record's own width (nPenWidth) is counted in the screen's
// unit in both media.
double WidthUnit(const TJwwData& doc, PenTable table, Medium medium);

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
    // A text's width field holds flags of the text, not a width (Jw_cad's
    // dimension texts carry 8259): a text is as heavy as its pen.
    double WidthMillimetres(const TEntJwwMoji& text) const;
    template <class R>
    double WidthMillimetres(const R& record) const {
        return WidthMillimetres(record.att);
    }
    const std::vector<double>& Dashes(int32_t style) const;  // millimetres
    double PointRadius(int32_t pen) const;                   // millimetres

  private:
    uint32_t Printed(uint32_t colorref, bool fill) const;
    double PenWidthMillimetres(int32_t pen) const;  // of its pen table's entry

    const TJwwData& doc_;
    Medium medium_;
    LayerStates layers_;
    bool monochrome_ = false;
    std::array<std::vector<double>, kLastExtLineType + 1> dashes_;  // by line type number
};

}  // namespace tw::rules
