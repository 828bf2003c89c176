// Making entity records from the arguments of the building operations:
// the clamps and fallbacks, the sFlg tables, text measuring and placing,
// dimension parts and solid forms. The records are made here once and go
// either into the drawing or into a block definition (document/EntityTarget.h).
// Each takes the named arguments of one form (document/EntityArgs.h).
#pragma once

#include <cstdint>
#include <string>

#include <tintwright/document/EntityArgs.h>
#include <tintwright/document/JwwUnit.h>

namespace tw::build {

// A pen colour 1 to 10 or 101 to 356 passes; any other becomes the fallback.
int32_t CheckPenColor(const TJwwData& doc, int32_t co);
// A line type 1 to 9, 11 to 19 or 31 to 62 passes; any other becomes the
// fallback.
int32_t CheckPenStyle(const TJwwData& doc, int32_t tp);

// Length of a text line: the widths of its characters and the spacings
// between them, each halved for half-width characters (the spacing by the
// character before it). Control characters take no width.
double TextLength(const std::u16string& text, double spacing, double width);

// The attributes of a new block definition (AddBlkDef): pen checks, layers
// and the sFlg bits of solids and insertions.
TEntJwwAttr MakeDefinitionAttr(const TJwwData& doc, const AttrArgs& a);

// True when i indexes a block definition of the document.
bool IsDefinitionIndex(const TJwwData& doc, int32_t i);

// One record per form of the building operations.
TEntJwwLine MakeRecord(const TJwwData& doc, const LineArgs& args);
TEntJwwEnko MakeRecord(const TJwwData& doc, const ArcArgs& args);
TEntJwwTen MakeRecord(const TJwwData& doc, const PointArgs& args);
TEntJwwMoji MakeRecord(const TJwwData& doc, const TextBetweenArgs& args);
TEntJwwMoji MakeRecord(const TJwwData& doc, const TextAtArgs& args);
TEntJwwSunpo MakeRecord(const TJwwData& doc, const DimensionBetweenArgs& args);
TEntJwwSunpo MakeRecord(const TJwwData& doc, const DimensionAtArgs& args);
TEntJwwSunpo MakeRecord(const TJwwData& doc, const SxfDimensionBetweenArgs& args);
TEntJwwSunpo MakeRecord(const TJwwData& doc, const SxfDimensionAtArgs& args);
TEntJwwSunpo MakeRecord(const TJwwData& doc, const SxfDimensionByGapsArgs& args);
TEntJwwSolid MakeRecord(const TJwwData& doc, const SolidArgs& args);
TEntJwwSolid MakeRecord(const TJwwData& doc, const CurvedSolidAArgs& args);
TEntJwwSolid MakeRecord(const TJwwData& doc, const CurvedSolidCArgs& args);
TEntJwwSolid MakeRecord(const TJwwData& doc, const CurvedSolidDArgs& args);
TEntJwwBlock MakeRecord(const TJwwData& doc, const BlockArgs& args);

}  // namespace tw::build
