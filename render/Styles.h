// The final look of an entity from the drawing's own tables: colour from the
// pen and extended colour tables, width from the pen widths, dash pattern
// from the line type tables, point radius from the graphic attribute set.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "attributes/UnitGraAtt.h"
#include "document/JwwUnit.h"
#include "render/Primitives.h"

namespace tw::render {

// Widths and pattern units count tenths of a millimetre on the screen and
// hundredths in print, as the pen tables' screen and print entries do.
double UnitMillimetres(bool print);

// A line type's dash pattern: the 32-bit patterns of the basic, random and
// double-dotted types (one bit a pitch of units long, starting with a dash),
// the extended types' segment lengths; empty for a continuous line.
std::vector<double> DashPattern(const TJwwData& doc, int32_t style, bool print);

class Styles {
  public:
    Styles(const TJwwData& doc, bool print, bool blackBackground);

    uint32_t Background() const { return background_; }
    // None for a pen colour without entry.
    std::optional<Stroke> StrokeOf(const TEntJwwAttr& att) const;
    std::optional<uint32_t> ColorOf(int32_t pen) const;
    std::optional<uint32_t> FillOf(const TEntJwwSolid& solid) const;
    double PointRadius(int32_t pen) const;

  private:
    // A colour as drawn: a pen in the background's colour would vanish, so it
    // is drawn in the foreground's (white is black on the white background).
    uint32_t Shown(uint32_t colorref) const;

    const TJwwData& doc_;
    bool print_;
    TgraAttribute gra_;
    uint32_t background_;
    uint32_t foreground_;
    std::array<std::vector<double>, 64> dashes_;  // by line type number
};

}  // namespace tw::render
