// Making entity records from the arguments of the building operations.
#include "document/EntityRecords.h"

#include <array>
#include <cmath>
#include <initializer_list>
#include <tuple>
#include <utility>

#include "document/DrawingRules.h"
#include "document/Fonts.h"

namespace tw::build {

namespace {

constexpr double kPi = 3.1415926535897932385;
constexpr double kTwoPi = 6.283185307179586;
// Text placing turns degrees with this factor, as the drawing program does.
constexpr double kTextDegToRad = 0.017453292519943277778;
constexpr double kTinyScale = 1.0e-10;
constexpr double kTinyDelta = 1.0e-14;

double Rad(double degrees) {
    return degrees / 180.0 * kPi;
}

// One fl bit and the sFlg bits it adds.
struct FlagBit {
    int32_t fl;
    uint16_t bits;
};

using FlagTable = std::initializer_list<FlagBit>;

const FlagTable kLineFlags = {{1, 0x0020}, {2, 0x2000}, {4, 0x0800}, {8, 0x8000}, {16, 0x1000}};
// Bit 8 of arcs and points has a meaning of its own (full circle, temporary point).
const FlagTable kArcPointFlags = {{1, 0x0020}, {2, 0x0040}, {4, 0x0010}, {16, 0x0080}};
const FlagTable kTextFlags = {{2, 0x4010},   {4, 0x0020},    {8, 0x0040},   {16, 0x0080},
                              {32, 0x0100},  {64, 0x0200},   {128, 0x0400}, {256, 0x1000},
                              {512, 0x8000}, {1024, 0x2000}, {2048, 0x0800}};
// Bit 16 of insertions sets a bit of the line type instead (MakeBlock).
const FlagTable kSolidBlockFlags = {{1, 0x0020}, {2, 0x2000}, {4, 0x0800}, {8, 0x1000}};

// The parts of a dimension always carry these bits: the dimension line and
// auxiliary lines 0x2000, the text 0x4010, the SXF points 0x40.
constexpr uint16_t kDimLineFlags = 0x2000;
constexpr uint16_t kDimTextFlags = 0x4010;
constexpr uint16_t kDimPointFlags = 0x0040;

uint16_t Flags(int32_t fl, FlagTable table, uint16_t start = 0) {
    uint16_t bits = start;
    for (const FlagBit& bit : table) {
        if (fl & bit.fl) bits |= bit.bits;
    }
    return bits;
}

bool InRange(int32_t v, int32_t low, int32_t high) {
    return v >= low && v <= high;
}

const TRefTable& RefOf(const TJwwData& doc) {
    static const TRefTable kDefaults;
    return doc.Ref ? *doc.Ref : kDefaults;
}

uint16_t Layer(int32_t v) {
    return static_cast<uint16_t>(rules::IsLayerNumber(v) ? v : 0);
}

TEntJwwAttr Attr(const AttrArgs& a, int32_t color, int32_t style, uint16_t flags) {
    TEntJwwAttr att;
    att.lGroup = static_cast<uint32_t>(a.cn);
    att.nPenStyle = static_cast<uint8_t>(style);
    att.nPenColor = static_cast<uint16_t>(color);
    att.nPenWidth = static_cast<uint16_t>(a.wd);
    att.nLayer = Layer(a.ly);
    att.nGLayer = Layer(a.lg);
    att.sFlg = flags;
    return att;
}

// Attributes with both the colour and the line type checked.
TEntJwwAttr PenAttr(const TJwwData& doc, const AttrArgs& a, uint16_t flags) {
    return Attr(a, CheckPenColor(doc, a.co), CheckPenStyle(doc, a.tp), flags);
}

double ScaleOrOne(double v) {
    return std::fabs(v) < kTinyScale ? 1.0 : v;
}

// Direction of the vector (dx, dy) in radians, 0 to 2 pi; 0 for no direction.
double Direction(double dx, double dy) {
    if (std::fabs(dx) < kTinyDelta && std::fabs(dy) < kTinyDelta) return 0.0;
    const double a = std::atan2(dy, dx);
    return a < 0 ? a + kTwoPi : a;
}

// ---- Texts ----

int32_t BasePointNumber(int32_t tp) {
    return InRange(tp, 1, 9) ? tp : 1;
}

// Text style s = ms mod 10000, 1 to 10, supplies size, spacing and colour;
// any other drops the style number and keeps the settings above it. A style
// whose table entry is missing (tables not set up yet) changes nothing.
void ApplyTextStyle(const TJwwData& doc, TextArgs& t, int32_t& co) {
    const int32_t s = t.ms % 10000;
    if (!InRange(s, 1, 10)) {
        t.ms = t.ms / 10000 * 10000;
        return;
    }
    if (static_cast<size_t>(s) > doc.EntMoj.size()) return;
    const TEntJwwMojiType& style = doc.EntMoj[s - 1];
    t.pw = style.adMojiX;
    t.ph = style.adMojiY;
    t.pd = style.adMojiD;
    co = style.anMojiCol;
}

// End points of a text placed by base point tp at `base`, measured with the
// style's sizes; fl bit 4 marks vertical text.
TextEnds TextEndsAt(const TJwwData& doc, int32_t tp, int32_t fl, int32_t co, TextArgs t,
                    Point2 base) {
    ApplyTextStyle(doc, t, co);
    const bool vertical = fl & 4;
    const auto n = static_cast<double>(t.ps.size());
    // An empty vertical text has no length (not minus one spacing).
    const double length = !vertical      ? TextLength(t.ps, t.pd, t.pw)
                          : t.ps.empty() ? 0.0
                                         : n * t.ph + (n - 1) * t.pd;
    const double height = vertical ? t.pw : t.ph;
    const int32_t index = BasePointNumber(tp) - 1;
    const double dx = -length / 2 * (index % 3);
    const double dy = -height / 2 * (index / 3);
    const double theta = t.pa * kTextDegToRad;
    const double c = std::cos(theta), s = std::sin(theta);
    const Point2 start{base.x + dx * c - dy * s, base.y + dx * s + dy * c};
    return {start, {start.x + length * c, start.y + length * s}};
}

// A text record; the base-point number tp becomes the line type.
TEntJwwMoji TextRecord(const TJwwData& doc, AttrArgs a, TextArgs t, const TextEnds& ends,
                       uint16_t flags) {
    a.tp = BasePointNumber(a.tp);
    ApplyTextStyle(doc, t, a.co);
    TEntJwwMoji m;
    m.att = Attr(a, CheckPenColor(doc, a.co), a.tp, flags);
    m.start_x = ends.p1.x;
    m.start_y = ends.p1.y;
    m.end_x = ends.p2.x;
    m.end_y = ends.p2.y;
    m.nMojiShu = static_cast<uint32_t>(t.ms);
    m.dSizeX = t.pw;
    m.dSizeY = t.ph;
    m.dKankaku = t.pd;
    m.degKakudo = t.pa;
    m.strFontName = t.pf;
    m.str = t.ps;
    return m;
}

// ---- Dimensions ----

TextEnds DimTextEndsAt(const TJwwData& doc, const DimArgs& d, Point2 base) {
    return TextEndsAt(doc, d.tp2, d.fl2, d.co2, d.text, base);
}

TEntJwwSunpo DimensionRecord(const TJwwData& doc, const DimArgs& d, const TextEnds& ends) {
    TEntJwwSunpo s;
    s.att = PenAttr(doc, d.a, kDimLineFlags);
    s.bSxfMode = 0;
    s.Sen.att = s.att;
    s.Sen.att.sFlg = Flags(d.a.fl, kLineFlags, kDimLineFlags);
    s.Sen.start_x = d.p1.x;
    s.Sen.start_y = d.p1.y;
    s.Sen.end_x = d.p2.x;
    s.Sen.end_y = d.p2.y;
    s.Moji = TextRecord(doc, {d.a.cn, d.a.lg, d.a.ly, d.co2, d.tp2, d.wd2, d.fl2}, d.text, ends,
                        Flags(d.fl2, kTextFlags, kDimTextFlags));
    // The SXF parts are unused: the dimension's attributes, all else 0.
    for (TEntJwwLine* line : {&s.Ho1, &s.Ho2})
        line->att = s.att;
    for (TEntJwwTen* point : {&s.Te1, &s.Te2, &s.Kt1, &s.Kt2}) {
        point->att = s.att;
        point->att.nPenStyle = 0;
    }
    return s;
}

TEntJwwLine AuxLine(const TJwwData& doc, const TEntJwwAttr& dimAtt, const DimLinePart& part) {
    TEntJwwLine line;
    line.att = dimAtt;
    if (part.ex == 0) return line;
    line.att.nPenColor = static_cast<uint16_t>(CheckPenColor(doc, part.co));
    line.att.nPenStyle = static_cast<uint8_t>(CheckPenStyle(doc, part.tp));
    line.att.nPenWidth = static_cast<uint16_t>(part.wd);
    line.att.sFlg = Flags(part.fl, kLineFlags, kDimLineFlags);
    line.start_x = part.p1.x;
    line.start_y = part.p1.y;
    line.end_x = part.p2.x;
    line.end_y = part.p2.y;
    return line;
}

// An SXF point: fl bit 8 (or `alwaysTemporary`) makes it temporary with code 0;
// codes outside -7 to maxCode become 0.
TEntJwwTen DimPoint(const TJwwData& doc, const TEntJwwAttr& dimAtt, const DimPointPart& part,
                    int32_t maxCode, bool alwaysTemporary, Point2 at, double direction) {
    TEntJwwTen point;
    point.att = dimAtt;
    if (part.ex == 0) return point;
    const bool temporary = part.fl & 8;
    const int32_t code = temporary || !InRange(part.tp, -7, maxCode) ? 0 : part.tp;
    point.att.nPenColor = static_cast<uint16_t>(CheckPenColor(doc, part.co));
    point.att.nPenStyle = code != 0 ? rules::kMarkerPointStyle : 1;
    point.att.nPenWidth = static_cast<uint16_t>(part.wd);
    point.att.sFlg = Flags(part.fl, kArcPointFlags, kDimPointFlags);
    point.start_x = at.x;
    point.start_y = at.y;
    point.bKariten = temporary || alwaysTemporary ? 1 : 0;
    point.nCode = static_cast<uint32_t>(code);
    point.radKaitenKaku = direction;
    point.dBairitsu = part.pb < kTinyScale ? 1.0 : part.pb;
    return point;
}

TEntJwwSunpo SxfDimensionRecord(const TJwwData& doc, const DimArgs& d, const TextEnds& ends,
                                const SxfParts& parts) {
    TEntJwwSunpo s = DimensionRecord(doc, d, ends);
    const bool used = parts.ho1.ex || parts.ho2.ex || parts.te1.ex || parts.te2.ex ||
                      parts.kt1.ex || parts.kt2.ex;
    s.bSxfMode = used ? 1 : 0;
    s.Ho1 = AuxLine(doc, s.att, parts.ho1);
    s.Ho2 = AuxLine(doc, s.att, parts.ho2);
    // Switch 1 turns an arrowhead round: Te1 then points from point 2 to
    // point 1, away from the line; Te2 from point 1 to point 2.
    const double toP1 = Direction(d.p1.x - d.p2.x, d.p1.y - d.p2.y);
    const double toP2 = Direction(d.p2.x - d.p1.x, d.p2.y - d.p1.y);
    s.Te1 = DimPoint(doc, s.att, parts.te1, 11, false, d.p1, parts.te1.ex == 1 ? toP1 : toP2);
    s.Te2 = DimPoint(doc, s.att, parts.te2, 11, false, d.p2, parts.te2.ex == 1 ? toP2 : toP1);
    s.Kt1 = DimPoint(doc, s.att, parts.kt1, 0, true, parts.kt1.at, 0.0);
    s.Kt2 = DimPoint(doc, s.att, parts.kt2, 0, true, parts.kt2.at, 0.0);
    return s;
}

// An auxiliary line from `from` towards `to`: from a gap d1 off `from` to d2
// beyond `to`. Coincident points give no direction and a line of length 0
// at `from`, where a division would give no number at all.
std::pair<Point2, Point2> LineByGaps(Point2 from, Point2 to, double d1, double d2) {
    const double dx = to.x - from.x, dy = to.y - from.y;
    const double a = std::hypot(dx, dy);
    const double ux = a > 0 ? dx / a : 0.0, uy = a > 0 ? dy / a : 0.0;
    return {{from.x + d1 * ux, from.y + d1 * uy}, {from.x + (a + d2) * ux, from.y + (a + d2) * uy}};
}

SxfParts WithAuxLinesByGaps(SxfParts parts, Point2 p1, Point2 p2, double d1, double d2) {
    std::tie(parts.ho1.p1, parts.ho1.p2) = LineByGaps(parts.kt1.at, p1, d1, d2);
    std::tie(parts.ho2.p1, parts.ho2.p2) = LineByGaps(parts.kt2.at, p2, d1, d2);
    return parts;
}

// ---- Solids ----

// Eight values in record order: four corners, or for a curved solid (tp above
// 100) centre x, centre y, radius, flattening, tilt, start, swept, and one more.
using SolidValues = std::array<double, 8>;

TEntJwwSolid SolidRecord(const TJwwData& doc, const AttrArgs& a, int32_t fc, const SolidValues& v) {
    const int32_t color = CheckPenColor(doc, a.co);
    const int32_t style = a.tp > rules::kLastPlainSolidStyle ? a.tp : CheckPenStyle(doc, a.tp);
    TEntJwwSolid s;
    s.att = Attr(a, color, style, Flags(a.fl, kSolidBlockFlags));
    s.start_x = v[0];
    s.start_y = v[1];
    s.end_x = v[2];
    s.end_y = v[3];
    s.DPoint2_x = v[4];
    s.DPoint2_y = v[5];
    s.DPoint3_x = v[6];
    s.DPoint3_y = v[7];
    s.Color = color == rules::kOwnColorPen && InRange(fc, 0, rules::kMaxOwnColor)
                  ? static_cast<uint32_t>(fc)
                  : 0;
    return s;
}

constexpr int32_t kSolidA = 111;
constexpr int32_t kSolidC = 101;
constexpr int32_t kSolidD = 105;
constexpr int32_t kSolidD2 = 106;
constexpr double kFullCurve = 100;  // last value of a full curved solid

// A curved solid's values: its shape with the start, swept and last values.
SolidValues CurveValues(const CurveArgs& c, double start, double swept, double last) {
    return {c.centre.x, c.centre.y, c.pr, c.ph, Rad(c.pka), start, swept, last};
}

}  // namespace

int32_t CheckPenColor(const TJwwData& doc, int32_t co) {
    return rules::IsKnownPenColor(co, /*ownColorAllowed=*/true) ? co : RefOf(doc).FallbackPenColor;
}

int32_t CheckPenStyle(const TJwwData& doc, int32_t tp) {
    return rules::IsKnownLineType(tp) ? tp : RefOf(doc).FallbackPenStyle;
}

double TextLength(const std::u16string& text, double spacing, double width) {
    return fonts::LayOut(text, spacing, width).length;
}

TEntJwwAttr MakeDefinitionAttr(const TJwwData& doc, const AttrArgs& a) {
    return PenAttr(doc, a, Flags(a.fl, kSolidBlockFlags));
}

bool IsDefinitionIndex(const TJwwData& doc, int32_t i) {
    return i >= 0 && i < doc.EntBlockDefN && static_cast<size_t>(i) < doc.EntBlockDef.size();
}

TEntJwwLine MakeRecord(const TJwwData& doc, const LineArgs& args) {
    TEntJwwLine line;
    line.att = PenAttr(doc, args.a, Flags(args.a.fl, kLineFlags));
    line.start_x = args.p1.x;
    line.start_y = args.p1.y;
    line.end_x = args.p2.x;
    line.end_y = args.p2.y;
    return line;
}

TEntJwwEnko MakeRecord(const TJwwData& doc, const ArcArgs& args) {
    const bool full = args.a.fl & 8;
    TEntJwwEnko arc;
    arc.att = PenAttr(doc, args.a, Flags(args.a.fl, kArcPointFlags));
    arc.start_x = args.centre.x;
    arc.start_y = args.centre.y;
    arc.dHankei = args.pr;
    arc.radKaishiKaku = Rad(full ? 0.0 : args.psa);
    arc.radEnkoKaku = Rad(full ? 360.0 : args.pda);
    arc.radKatamukiKaku = Rad(args.pka);
    arc.dHenpeiRitsu = args.ph;
    arc.bZenEnFlg = full ? 1 : 0;
    return arc;
}

TEntJwwTen MakeRecord(const TJwwData& doc, const PointArgs& args) {
    const bool temporary = args.a.fl & 8;
    const int32_t code = temporary || !InRange(args.a.tp, -7, 11) ? 0 : args.a.tp;
    TEntJwwTen point;
    point.att = Attr(args.a, CheckPenColor(doc, args.a.co),
                     code != 0 ? rules::kMarkerPointStyle : 1, Flags(args.a.fl, kArcPointFlags));
    point.start_x = args.at.x;
    point.start_y = args.at.y;
    point.bKariten = temporary ? 1 : 0;
    point.nCode = static_cast<uint32_t>(code);
    point.radKaitenKaku = Rad(args.pa);
    point.dBairitsu = args.pb < kTinyScale ? 1.0 : args.pb;
    return point;
}

TEntJwwMoji MakeRecord(const TJwwData& doc, const TextBetweenArgs& args) {
    return TextRecord(doc, args.a, args.text, args.ends, Flags(args.a.fl, kTextFlags));
}

TEntJwwMoji MakeRecord(const TJwwData& doc, const TextAtArgs& args) {
    const AttrArgs& a = args.a;
    return TextRecord(doc, a, args.text, TextEndsAt(doc, a.tp, a.fl, a.co, args.text, args.base),
                      Flags(a.fl, kTextFlags));
}

TEntJwwSunpo MakeRecord(const TJwwData& doc, const DimensionBetweenArgs& args) {
    return DimensionRecord(doc, args.dim, args.textEnds);
}

TEntJwwSunpo MakeRecord(const TJwwData& doc, const DimensionAtArgs& args) {
    return DimensionRecord(doc, args.dim, DimTextEndsAt(doc, args.dim, args.textBase));
}

TEntJwwSunpo MakeRecord(const TJwwData& doc, const SxfDimensionBetweenArgs& args) {
    return SxfDimensionRecord(doc, args.dim, args.textEnds, args.sxf);
}

TEntJwwSunpo MakeRecord(const TJwwData& doc, const SxfDimensionAtArgs& args) {
    return SxfDimensionRecord(doc, args.dim, DimTextEndsAt(doc, args.dim, args.textBase), args.sxf);
}

TEntJwwSunpo MakeRecord(const TJwwData& doc, const SxfDimensionByGapsArgs& args) {
    const DimArgs& d = args.dim;
    return SxfDimensionRecord(doc, d, DimTextEndsAt(doc, d, args.textBase),
                              WithAuxLinesByGaps(args.sxf, d.p1, d.p2, args.d1, args.d2));
}

TEntJwwSolid MakeRecord(const TJwwData& doc, const SolidArgs& args) {
    return SolidRecord(
        doc, args.a, args.fc,
        {args.p1.x, args.p1.y, args.p2.x, args.p2.y, args.p3.x, args.p3.y, args.p4.x, args.p4.y});
}

TEntJwwSolid MakeRecord(const TJwwData& doc, const CurvedSolidAArgs& args) {
    AttrArgs a = args.a;
    a.tp = kSolidA;
    const CurveArgs& c = args.curve;
    return SolidRecord(doc, a, args.fc,
                       args.full ? CurveValues(c, 0.0, kTwoPi, kFullCurve)
                                 : CurveValues(c, Rad(c.psa), Rad(c.pda), 0.0));
}

TEntJwwSolid MakeRecord(const TJwwData& doc, const CurvedSolidCArgs& args) {
    // tp 1, 2, 3 choose the last value; any other makes a full solid.
    const int32_t tp = args.a.tp;
    const bool full = !InRange(tp, 1, 3);
    const double last = tp == 1 ? 0.0 : tp == 2 ? 5.0 : tp == 3 ? -1.0 : kFullCurve;
    AttrArgs a = args.a;
    a.tp = kSolidC;
    const CurveArgs& c = args.curve;
    return SolidRecord(doc, a, args.fc,
                       CurveValues(c, Rad(full ? 0.0 : c.psa), Rad(full ? 360.0 : c.pda), last));
}

TEntJwwSolid MakeRecord(const TJwwData& doc, const CurvedSolidDArgs& args) {
    AttrArgs a = args.a;
    a.tp = a.tp == 2 ? kSolidD2 : kSolidD;
    const CurveArgs& c = args.curve;
    return SolidRecord(doc, a, args.fc, CurveValues(c, Rad(c.psa), Rad(c.pda), args.pri));
}

TEntJwwBlock MakeRecord(const TJwwData& doc, const BlockArgs& args) {
    TEntJwwBlock block;
    block.att = PenAttr(doc, args.a, Flags(args.a.fl, kSolidBlockFlags));
    if (args.a.fl & 16) block.att.nPenStyle |= 0x40;
    block.DPKijunTen_x = args.at.x;
    block.DPKijunTen_y = args.at.y;
    block.dBairitsuX = ScaleOrOne(args.pbx);
    block.dBairitsuY = ScaleOrOne(args.pby);
    block.radKaitenKaku = Rad(args.pa);
    block.nNumber = static_cast<uint32_t>(args.bn);
    return block;
}

}  // namespace tw::build
