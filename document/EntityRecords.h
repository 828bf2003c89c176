// Making entity records from the arguments of the building operations:
// the clamps and fallbacks, the sFlg tables, text measuring and placing,
// dimension parts and solid forms. The records are made here once and go
// either into the drawing or into a block definition (document/EntityTarget.h).
// Each Make function takes the arguments of the AddEnt operation of the same
// name, in the same order.
#pragma once

#include <cstdint>
#include <string>

#include "document/JwwUnit.h"

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
TEntJwwAttr MakeDefinitionAttr(const TJwwData& doc, int32_t cn, int32_t lg, int32_t ly, int32_t co,
                               int32_t tp, int32_t wd, int32_t fl);

// True when i indexes a block definition of the document.
bool IsDefinitionIndex(const TJwwData& doc, int32_t i);

TEntJwwLine MakeLine(const TJwwData& doc, int32_t cn, int32_t lg, int32_t ly, int32_t co,
                     int32_t tp, int32_t wd, int32_t fl, double px1, double py1, double px2,
                     double py2);
TEntJwwEnko MakeArc(const TJwwData& doc, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                    int32_t wd, int32_t fl, double px, double py, double pr, double ph, double psa,
                    double pda, double pka);
TEntJwwTen MakeTen(const TJwwData& doc, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                   int32_t wd, int32_t fl, double px, double py, double pa, double pb);
TEntJwwMoji MakeMoji(const TJwwData& doc, int32_t cn, int32_t lg, int32_t ly, int32_t co,
                     int32_t tp, int32_t wd, int32_t fl, int32_t ms, double px1, double py1,
                     double px2, double py2, double pw, double ph, double pd, double pa,
                     const std::u16string& pf, const std::u16string& ps);
TEntJwwMoji MakeMoji(const TJwwData& doc, int32_t cn, int32_t lg, int32_t ly, int32_t co,
                     int32_t tp, int32_t wd, int32_t fl, int32_t ms, double px, double py,
                     double pw, double ph, double pd, double pa, const std::u16string& pf,
                     const std::u16string& ps);
TEntJwwSunpo MakeSunpo(const TJwwData& doc, int32_t cn, int32_t lg, int32_t ly, int32_t co,
                       int32_t tp, int32_t wd, int32_t fl, double px1, double py1, double px2,
                       double py2, int32_t co2, int32_t tp2, int32_t wd2, int32_t fl2, int32_t ms,
                       double px3, double py3, double px4, double py4, double pw, double ph,
                       double pd, double pa, const std::u16string& pf, const std::u16string& ps);
TEntJwwSunpo MakeSunpo(const TJwwData& doc, int32_t cn, int32_t lg, int32_t ly, int32_t co,
                       int32_t tp, int32_t wd, int32_t fl, double px1, double py1, double px2,
                       double py2, int32_t co2, int32_t tp2, int32_t wd2, int32_t fl2, int32_t ms,
                       double px, double py, double pw, double ph, double pd, double pa,
                       const std::u16string& pf, const std::u16string& ps);
TEntJwwSunpo MakeSunpo(const TJwwData& doc, int32_t cn, int32_t lg, int32_t ly, int32_t co,
                       int32_t tp, int32_t wd, int32_t fl, double px1, double py1, double px2,
                       double py2, int32_t co2, int32_t tp2, int32_t wd2, int32_t fl2, int32_t ms,
                       double px3, double py3, double px4, double py4, double pw, double ph,
                       double pd, double pa, const std::u16string& pf, const std::u16string& ps,
                       int32_t ex3, int32_t co3, int32_t tp3, int32_t wd3, int32_t fl3, double px5,
                       double py5, double px6, double py6, int32_t ex4, int32_t co4, int32_t tp4,
                       int32_t wd4, int32_t fl4, double px7, double py7, double px8, double py8,
                       int32_t ex5, int32_t co5, int32_t tp5, int32_t wd5, int32_t fl5, double pb5,
                       int32_t ex6, int32_t co6, int32_t tp6, int32_t wd6, int32_t fl6, double pb6,
                       int32_t ex7, int32_t co7, int32_t tp7, int32_t wd7, int32_t fl7, double px9,
                       double py9, double pb7, int32_t ex8, int32_t co8, int32_t tp8, int32_t wd8,
                       int32_t fl8, double px10, double py10, double pb8);
TEntJwwSunpo MakeSunpo(const TJwwData& doc, int32_t cn, int32_t lg, int32_t ly, int32_t co,
                       int32_t tp, int32_t wd, int32_t fl, double px1, double py1, double px2,
                       double py2, int32_t co2, int32_t tp2, int32_t wd2, int32_t fl2, int32_t ms,
                       double px, double py, double pw, double ph, double pd, double pa,
                       const std::u16string& pf, const std::u16string& ps, int32_t ex3, int32_t co3,
                       int32_t tp3, int32_t wd3, int32_t fl3, double px5, double py5, double px6,
                       double py6, int32_t ex4, int32_t co4, int32_t tp4, int32_t wd4, int32_t fl4,
                       double px7, double py7, double px8, double py8, int32_t ex5, int32_t co5,
                       int32_t tp5, int32_t wd5, int32_t fl5, double pb5, int32_t ex6, int32_t co6,
                       int32_t tp6, int32_t wd6, int32_t fl6, double pb6, int32_t ex7, int32_t co7,
                       int32_t tp7, int32_t wd7, int32_t fl7, double px9, double py9, double pb7,
                       int32_t ex8, int32_t co8, int32_t tp8, int32_t wd8, int32_t fl8, double px10,
                       double py10, double pb8);
TEntJwwSunpo MakeSunpo(const TJwwData& doc, int32_t cn, int32_t lg, int32_t ly, int32_t co,
                       int32_t tp, int32_t wd, int32_t fl, double px1, double py1, double px2,
                       double py2, int32_t co2, int32_t tp2, int32_t wd2, int32_t fl2, int32_t ms,
                       double px, double py, double pw, double ph, double pd, double pa,
                       const std::u16string& pf, const std::u16string& ps, double d1, double d2,
                       int32_t ex3, int32_t co3, int32_t tp3, int32_t wd3, int32_t fl3, int32_t ex4,
                       int32_t co4, int32_t tp4, int32_t wd4, int32_t fl4, int32_t ex5, int32_t co5,
                       int32_t tp5, int32_t wd5, int32_t fl5, double pb5, int32_t ex6, int32_t co6,
                       int32_t tp6, int32_t wd6, int32_t fl6, double pb6, int32_t ex7, int32_t co7,
                       int32_t tp7, int32_t wd7, int32_t fl7, double px9, double py9, double pb7,
                       int32_t ex8, int32_t co8, int32_t tp8, int32_t wd8, int32_t fl8, double px10,
                       double py10, double pb8);
TEntJwwSolid MakeSolid(const TJwwData& doc, int32_t cn, int32_t lg, int32_t ly, int32_t co,
                       int32_t tp, int32_t wd, int32_t fl, int32_t fc, double px1, double py1,
                       double px2, double py2, double px3, double py3, double px4, double py4);
TEntJwwSolid MakeSolid(const TJwwData& doc, int32_t cn, int32_t lg, int32_t ly, int32_t co,
                       int32_t tp, int32_t wd, int32_t fl, int32_t fc, double px1, double py1,
                       double px2, double py2);
TEntJwwSolid MakeSolid(const TJwwData& doc, int32_t cn, int32_t lg, int32_t ly, int32_t co,
                       int32_t tp, int32_t wd, int32_t fl, int32_t fc, double px1, double py1,
                       double px2, double py2, double px3, double py3);
TEntJwwSolid MakeSolidA(const TJwwData& doc, int32_t cn, int32_t lg, int32_t ly, int32_t co,
                        int32_t wd, int32_t fl, int32_t fc, double px, double py, double pr,
                        double ph, double pka);
TEntJwwSolid MakeSolidA(const TJwwData& doc, int32_t cn, int32_t lg, int32_t ly, int32_t co,
                        int32_t wd, int32_t fl, int32_t fc, double px, double py, double pr,
                        double ph, double pka, double psa, double pda);
TEntJwwSolid MakeSolidC(const TJwwData& doc, int32_t cn, int32_t lg, int32_t ly, int32_t co,
                        int32_t tp, int32_t wd, int32_t fl, int32_t fc, double px, double py,
                        double pr, double ph, double pka, double psa, double pda);
TEntJwwSolid MakeSolidD(const TJwwData& doc, int32_t cn, int32_t lg, int32_t ly, int32_t co,
                        int32_t tp, int32_t wd, int32_t fl, int32_t fc, double px, double py,
                        double pr, double pri, double ph, double pka, double psa, double pda);
TEntJwwBlock MakeBlock(const TJwwData& doc, int32_t cn, int32_t lg, int32_t ly, int32_t co,
                       int32_t tp, int32_t wd, int32_t fl, int32_t bn, double px, double py,
                       double pbx, double pby, double pa);

}  // namespace tw::build
