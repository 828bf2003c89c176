// Jw_cad's font names and the faces that stand for them on each platform.
// Jw_cad draws with the Windows faces; elsewhere the metric-compatible IPA
// faces take their place, and a generic family is the last resort of viewers
// that know neither. Renders, the viewer and the DXF export all ask here.
#pragma once

#include <string>
#include <vector>

namespace tw::fonts {

struct FontFace {
    // Half-width characters take exactly half the full width, so a text of
    // this face fills its stored length without stretching.
    bool fixedPitch = false;
    std::string linuxFace;      // an installed IPA face
    std::string windowsFace;    // UTF-8, the face Jw_cad uses
    std::string genericFamily;  // CSS/SVG generic family
    std::string dxfFontFile;    // a DXF STYLE's font file; empty when none is known
    bool vertical = false;      // the name had Windows' '@' of vertical writing
};

// The face of a Jw_cad font name (UTF-16, as stored): full-width or ASCII
// spellings, with or without spaces or a leading '@'. An unknown name keeps
// itself as the Windows face and draws proportional.
FontFace FaceOf(const std::u16string& name);

// The faces to ask for on this platform, its own first, the generic family last.
std::vector<std::string> FamiliesOf(const FontFace& face);

// Jw_cad's text height is the character cell: the font's ascent and descent,
// with no leading in its Japanese faces and in the IPA faces that stand in
// for them (1802 + 246 of 2048 units). The glyphs stand on their base line,
// the descent above the cell's bottom.
inline constexpr double kBaselineInCell = 246.0 / 2048;

// A code unit drawn at half the full width: ASCII and half-width katakana.
constexpr bool IsHalfWidth(char16_t c) {
    return (c >= 0x20 && c <= 0x7E) || (c >= 0xFF61 && c <= 0xFF9F);
}

// Where Jw_cad puts each code unit of a text along its base line: a cell of
// the full width (half for half-width units, none for control codes), and
// the spacing after every unit but the last (halved after a half-width one).
struct TextLayout {
    std::vector<double> offsets;  // per code unit, from the text's start
    double length = 0;            // the whole text's
};
TextLayout LayOut(const std::u16string& text, double spacing, double width);

}  // namespace tw::fonts
