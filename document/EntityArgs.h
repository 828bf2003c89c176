// The arguments of the building operations as small named structs, one per
// form of AddEnt / AddBlk. The positional AddEnt... and AddBlk... operations
// of TJwwData build these and call the struct forms, so each form's fields
// are named here once. Angles are in degrees, lengths in paper millimetres.
#pragma once

#include <cstdint>
#include <string>

namespace tw {

struct Point2 {
    double x = 0, y = 0;
};

// The seven arguments every operation starts with: line group number, layer
// group, layer, pen colour, line type (or the kind's own meaning of it), pen
// width and the fl bits.
struct AttrArgs {
    int32_t cn, lg, ly, co, tp, wd, fl;
};

struct LineArgs {
    AttrArgs a;
    Point2 p1, p2;
};

// fl bit 8 makes a full circle (psa and pda unused).
struct ArcArgs {
    AttrArgs a;
    Point2 centre;
    double pr, ph, psa, pda, pka;  // radius, flattening, start, swept, tilt
};

// a.tp is the marker code; fl bit 8 makes a temporary point.
struct PointArgs {
    AttrArgs a;
    Point2 at;
    double pa, pb;  // marker angle and scale
};

// A text's content and look: kind ms (its style number below 10000), width,
// height, spacing, angle, font name and the text itself. The strings are
// referred to, not copied: they must outlive the call the struct is made for.
struct TextArgs {
    int32_t ms;
    double pw, ph, pd, pa;
    const std::u16string& pf;
    const std::u16string& ps;
};

struct TextEnds {
    Point2 p1, p2;
};

// Text between two end points; a.tp is the base-point number 1 to 9.
struct TextBetweenArgs {
    AttrArgs a;
    TextArgs text;
    TextEnds ends;
};

// Text placed by its base point a.tp (1 to 9) at `base`, measured.
struct TextAtArgs {
    AttrArgs a;
    TextArgs text;
    Point2 base;
};

// A dimension: its line from p1 to p2 with the attributes `a`, and its text
// with pen co2, base point tp2, width wd2 and fl bits fl2.
struct DimArgs {
    AttrArgs a;
    Point2 p1, p2;
    int32_t co2, tp2, wd2, fl2;
    TextArgs text;
};

// An auxiliary line of an SXF dimension, used when ex is not 0.
struct DimLinePart {
    int32_t ex, co, tp, wd, fl;
    Point2 p1, p2;
};

// An arrowhead (at an end of the dimension line) or a measured point (at `at`),
// used when ex is not 0; tp is the marker code, pb the marker scale.
struct DimPointPart {
    int32_t ex, co, tp, wd, fl;
    Point2 at;
    double pb;
};

// The SXF parts: auxiliary lines Ho1, Ho2, arrowheads Te1, Te2 (their `at`
// unused) and measured points Kt1, Kt2.
struct SxfParts {
    DimLinePart ho1, ho2;
    DimPointPart te1, te2, kt1, kt2;
};

struct DimensionBetweenArgs {
    DimArgs dim;
    TextEnds textEnds;
};

struct DimensionAtArgs {
    DimArgs dim;
    Point2 textBase;
};

struct SxfDimensionBetweenArgs {
    DimArgs dim;
    TextEnds textEnds;
    SxfParts sxf;
};

struct SxfDimensionAtArgs {
    DimArgs dim;
    Point2 textBase;
    SxfParts sxf;
};

// The auxiliary lines run from d1 off the measured points to d2 beyond the
// dimension line; the points given for them in `sxf` are unused.
struct SxfDimensionByGapsArgs {
    DimArgs dim;
    Point2 textBase;
    double d1, d2;
    SxfParts sxf;
};

// fc is the own colour, used with pen colour 10. A triangle repeats p1 as p4,
// a two-point solid p2 as p3 and p4. With a.tp above 100 the eight values are
// those of a curved solid (centre, radius, flattening, tilt, start and swept
// angle, and one value of its kind).
struct SolidArgs {
    AttrArgs a;
    int32_t fc;
    Point2 p1, p2, p3, p4;
};

// The shape of a curved solid.
struct CurveArgs {
    Point2 centre;
    double pr, ph, pka, psa, pda;  // radius, flattening, tilt, start, swept
};

// Kind 111: a full ellipse (curve.psa and curve.pda unused) or a sector;
// a.tp is unused.
struct CurvedSolidAArgs {
    AttrArgs a;
    int32_t fc;
    CurveArgs curve;
    bool full;
};

// Kind 101, its last value chosen by a.tp (1, 2, 3; any other makes it full).
struct CurvedSolidCArgs {
    AttrArgs a;
    int32_t fc;
    CurveArgs curve;
};

// Kind 105 (a.tp 2: 106) with a second radius pri.
struct CurvedSolidDArgs {
    AttrArgs a;
    int32_t fc;
    CurveArgs curve;
    double pri;
};

// Insertion of the definition numbered bn at `at`, scaled and turned.
struct BlockArgs {
    AttrArgs a;
    int32_t bn;
    Point2 at;
    double pbx, pby, pa;
};

}  // namespace tw
