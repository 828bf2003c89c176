// Entity building (AddEnt operations): clamps and fallbacks, sFlg bits,
// circles and points, texts and their placing, dimensions, solids,
// insertions, array growth and memory failure.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <new>
#include <numbers>
#include <string>

#include <tintwright/document/EntityRecords.h>
#include <tintwright/document/JwwUnit.h>

// Allocation failure on demand: while a FailAllocationsFrom object lives on
// this thread, requests of at least its size throw std::bad_alloc. Every form
// of operator new and delete is replaced, so that they stay paired (also
// under AddressSanitizer).
namespace {
thread_local std::size_t gFailFrom = std::numeric_limits<std::size_t>::max();

void* Allocate(std::size_t size) {
    if (size >= gFailFrom) return nullptr;
    return std::malloc(size ? size : 1);
}
}  // namespace

void* operator new(std::size_t size) {
    if (void* p = Allocate(size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}

namespace tw {
namespace {

class FailAllocationsFrom {
  public:
    explicit FailAllocationsFrom(std::size_t size) { gFailFrom = size; }
    ~FailAllocationsFrom() { gFailFrom = std::numeric_limits<std::size_t>::max(); }
    FailAllocationsFrom(const FailAllocationsFrom&) = delete;
    FailAllocationsFrom& operator=(const FailAllocationsFrom&) = delete;
};

constexpr double kPi = std::numbers::pi;

double Rad(double degrees) {
    return degrees / 180.0 * kPi;
}

using Four = std::array<double, 4>;

Four Ends(const TEntJwwLine& line) {
    return {line.start_x, line.start_y, line.end_x, line.end_y};
}

class EntityBuild : public testing::Test {
  protected:
    EntityBuild() {
        doc.EntMoj.resize(10);
        doc.EntMoj[2] = {5.0, 6.0, 0.75, 7};   // style 3
        doc.EntMoj[9] = {9.0, 9.5, 1.0, 104};  // style 10
    }

    const TEntJwwLine& LastLine() const { return doc.EntLine[doc.EntLineN - 1]; }
    const TEntJwwEnko& LastArc() const { return doc.EntEnko[doc.EntEnkoN - 1]; }
    const TEntJwwTen& LastPoint() const { return doc.EntTen[doc.EntTenN - 1]; }
    const TEntJwwMoji& LastText() const { return doc.EntMoji[doc.EntMojiN - 1]; }
    const TEntJwwSunpo& LastDim() const { return doc.EntSunpo[doc.EntSunpoN - 1]; }
    const TEntJwwSolid& LastSolid() const { return doc.EntSolid[doc.EntSolidN - 1]; }
    const TEntJwwBlock& LastBlock() const { return doc.EntBlock[doc.EntBlockN - 1]; }

    bool Line(int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t fl = 0) {
        return doc.AddEntLine(0, lg, ly, co, tp, 0, fl, 0, 0, 1, 1);
    }
    bool Text(int32_t co, int32_t tp, int32_t fl, int32_t ms, double pw, double ph, double pd,
              double pa, const std::u16string& ps, double px = 0, double py = 0) {
        return doc.AddEntMoji(0, 0, 0, co, tp, 0, fl, ms, px, py, pw, ph, pd, pa, u"MS Gothic", ps);
    }
    TEntJwwNo LastOrderEntry() const { return doc.EntNo[doc.Enthd.n1 - 1]; }

    TJwwData doc;
};

// ---- Attributes ----

TEST_F(EntityBuild, LayersClampAndPenValuesFallBack) {
    struct Case {
        int32_t lg, ly, co, tp;
        uint16_t group, layer, color;
        uint8_t style;
    };
    const Case cases[] = {
        {16, -1, 0, 20, 0, 0, 1, 1},             // the documented example
        {15, 15, 10, 62, 15, 15, 10, 62},        // upper ends pass; 10 passes for every kind
        {0, 0, 1, 1, 0, 0, 1, 1},                // lower ends
        {3, 4, 11, 10, 3, 4, 1, 1},              // gaps above the basic pens and types
        {0, 0, 100, 30, 0, 0, 1, 1},             // just below the extended ranges
        {0, 0, 101, 31, 0, 0, 101, 31},          // first extended colour and type
        {0, 0, 356, 19, 0, 0, 356, 19},          // last extended colour, last further type
        {0, 0, 357, 63, 0, 0, 1, 1},             // just above
        {0, 0, 9, 9, 0, 0, 9, 9},                // auxiliary pen and type
        {0, 0, -1, 0, 0, 0, 1, 1},               // negatives
        {0, 0, 65536 + 5, 256 + 5, 0, 0, 1, 1},  // no wrapping into range
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "lg " << c.lg << " ly " << c.ly << " co " << c.co << " tp " << c.tp);
        ASSERT_TRUE(Line(c.lg, c.ly, c.co, c.tp));
        EXPECT_EQ(LastLine().att.nGLayer, c.group);
        EXPECT_EQ(LastLine().att.nLayer, c.layer);
        EXPECT_EQ(LastLine().att.nPenColor, c.color);
        EXPECT_EQ(LastLine().att.nPenStyle, c.style);
    }
}

TEST_F(EntityBuild, FallbacksComeFromTheReferenceTable) {
    doc.Ref->FallbackPenColor = 7;
    doc.Ref->FallbackPenStyle = 5;
    ASSERT_TRUE(Line(0, 0, 0, 20));
    EXPECT_EQ(LastLine().att.nPenColor, 7);
    EXPECT_EQ(LastLine().att.nPenStyle, 5);

    // A document without a table falls back to 1.
    doc.Ref.reset();
    ASSERT_TRUE(Line(0, 0, 0, 20));
    EXPECT_EQ(LastLine().att.nPenColor, 1);
    EXPECT_EQ(LastLine().att.nPenStyle, 1);
}

TEST_F(EntityBuild, GroupAndWidthPassUnchangedInTheirWidths) {
    ASSERT_TRUE(doc.AddEntLine(-2, 0, 0, 1, 1, 70000, 0, 0, 0, 1, 1));
    EXPECT_EQ(LastLine().att.lGroup, 0xFFFFFFFEu);
    EXPECT_EQ(LastLine().att.nPenWidth, 70000 & 0xFFFF);
}

// ---- sFlg ----

TEST_F(EntityBuild, FlagBitsFollowTheTableOfEachKind) {
    ASSERT_TRUE(doc.AddBlkDef(0, 0, 0, 1, 1, 0, 0, 1, u"b"));
    struct Case {
        int32_t fl;
        uint16_t line, arc, point, text, solid, block;
    };
    const Case cases[] = {
        {1, 0x0020, 0x0020, 0x0020, 0x0000, 0x0020, 0x0020},
        {2, 0x2000, 0x0040, 0x0040, 0x4010, 0x2000, 0x2000},
        {4, 0x0800, 0x0010, 0x0010, 0x0020, 0x0800, 0x0800},
        {8, 0x8000, 0x0000, 0x0000, 0x0040, 0x1000, 0x1000},
        {16, 0x1000, 0x0080, 0x0080, 0x0080, 0x0000, 0x0000},
        {32, 0, 0, 0, 0x0100, 0, 0},
        {64, 0, 0, 0, 0x0200, 0, 0},
        {128, 0, 0, 0, 0x0400, 0, 0},
        {256, 0, 0, 0, 0x1000, 0, 0},
        {512, 0, 0, 0, 0x8000, 0, 0},
        {1024, 0, 0, 0, 0x2000, 0, 0},
        {2048, 0, 0, 0, 0x0800, 0, 0},
        {4096, 0, 0, 0, 0, 0, 0},
        {0x1FFF, 0xB820, 0x00F0, 0x00F0, 0xFFF0, 0x3820, 0x3820},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "fl " << c.fl);
        ASSERT_TRUE(doc.AddEntLine(0, 0, 0, 1, 1, 0, c.fl, 0, 0, 1, 1));
        ASSERT_TRUE(doc.AddEntArc(0, 0, 0, 1, 1, 0, c.fl, 0, 0, 1, 1, 0, 90, 0));
        ASSERT_TRUE(doc.AddEntTen(0, 0, 0, 1, 0, 0, c.fl, 0, 0, 0, 1));
        ASSERT_TRUE(Text(1, 1, c.fl, 0, 1, 1, 0, 0, u"a"));
        ASSERT_TRUE(doc.AddEntSolid(0, 0, 0, 1, 1, 0, c.fl, 0, 0, 0, 1, 1));
        ASSERT_TRUE(doc.AddEntBlock(0, 0, 0, 1, 1, 0, c.fl, 0, 0, 0, 1, 1, 0));
        EXPECT_EQ(LastLine().att.sFlg, c.line);
        EXPECT_EQ(LastArc().att.sFlg, c.arc);
        EXPECT_EQ(LastPoint().att.sFlg, c.point);
        EXPECT_EQ(LastText().att.sFlg, c.text);
        EXPECT_EQ(LastSolid().att.sFlg, c.solid);
        EXPECT_EQ(LastBlock().att.sFlg, c.block);
        // Bit 16 of an insertion sets bit 0x40 of its line type instead.
        EXPECT_EQ(LastBlock().att.nPenStyle, (c.fl & 16) ? 0x41 : 0x01);
    }
}

// ---- Lines, arcs, points ----

TEST_F(EntityBuild, LineStoresItsPointsAndOrderEntry) {
    ASSERT_TRUE(doc.AddEntLine(3, 1, 2, 5, 2, 25, 0, 1.5, -2.5, 3.5, 4.5));
    const TEntJwwLine& line = LastLine();
    EXPECT_EQ(line.att.lGroup, 3u);
    EXPECT_EQ(line.att.nPenWidth, 25);
    EXPECT_EQ(Ends(line), (Four{1.5, -2.5, 3.5, 4.5}));
    EXPECT_EQ(doc.Enthd.n1, 1);
    EXPECT_EQ(LastOrderEntry().EntType, kEntLine);
    EXPECT_EQ(LastOrderEntry().EntNo, 0);
}

TEST_F(EntityBuild, ArcAnglesGoInRadians) {
    ASSERT_TRUE(doc.AddEntArc(0, 0, 0, 2, 3, 0, 0, 1, 2, 5, 0.5, 30, 90, 45));
    const TEntJwwEnko& arc = LastArc();
    EXPECT_EQ(arc.start_x, 1);
    EXPECT_EQ(arc.start_y, 2);
    EXPECT_EQ(arc.dHankei, 5);
    EXPECT_EQ(arc.dHenpeiRitsu, 0.5);
    EXPECT_DOUBLE_EQ(arc.radKaishiKaku, kPi / 6);
    EXPECT_DOUBLE_EQ(arc.radEnkoKaku, kPi / 2);
    EXPECT_DOUBLE_EQ(arc.radKatamukiKaku, kPi / 4);
    EXPECT_EQ(arc.bZenEnFlg, 0u);
    EXPECT_EQ(LastOrderEntry().EntType, kEntArc);
}

TEST_F(EntityBuild, ArcWithFlag8IsAFullCircle) {
    ASSERT_TRUE(doc.AddEntArc(0, 0, 0, 1, 1, 0, 8, 0, 0, 5, 1, 30, 90, 0));
    EXPECT_EQ(LastArc().radKaishiKaku, 0.0);
    EXPECT_EQ(LastArc().radEnkoKaku, 6.283185307179586);
    EXPECT_EQ(LastArc().bZenEnFlg, 1u);
}

TEST_F(EntityBuild, PointCodesAndTemporaryPoints) {
    struct Case {
        int32_t tp, fl;
        uint8_t style;
        int32_t code;
        uint32_t temporary;
    };
    const Case cases[] = {
        {0, 0, 1, 0, 0},     {12, 0, 1, 0, 0},    {-8, 0, 1, 0, 0}, {-3, 0, 100, -3, 0},
        {-7, 0, 100, -7, 0}, {11, 0, 100, 11, 0}, {-3, 8, 1, 0, 1}, {5, 8 | 1, 1, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "tp " << c.tp << " fl " << c.fl);
        ASSERT_TRUE(doc.AddEntTen(0, 0, 0, 1, c.tp, 0, c.fl, 1, 2, 90, 2));
        EXPECT_EQ(LastPoint().att.nPenStyle, c.style);
        EXPECT_EQ(static_cast<int32_t>(LastPoint().nCode), c.code);
        EXPECT_EQ(LastPoint().bKariten, c.temporary);
    }
}

TEST_F(EntityBuild, PointColourAndMarkerValues) {
    ASSERT_TRUE(doc.AddEntTen(0, 0, 0, 10, 3, 0, 0, 1, 2, 90, 0));
    EXPECT_EQ(LastPoint().att.nPenColor, 10);  // only the colour is checked
    EXPECT_DOUBLE_EQ(LastPoint().radKaitenKaku, kPi / 2);
    EXPECT_EQ(LastPoint().dBairitsu, 1.0);  // a scale below 1e-10 becomes 1
    ASSERT_TRUE(doc.AddEntTen(0, 0, 0, 400, 3, 0, 0, 1, 2, 0, 2.5));
    EXPECT_EQ(LastPoint().att.nPenColor, 1);
    EXPECT_EQ(LastPoint().dBairitsu, 2.5);
}

// ---- Texts ----

TEST_F(EntityBuild, TextStyleSuppliesSizesAndColour) {
    ASSERT_TRUE(
        doc.AddEntMoji(0, 0, 0, 1, 2, 0, 0, 10003, 0, 0, 10, 0, 1, 1, 0.1, 30, u"f", u"abc"));
    const TEntJwwMoji& styled = LastText();
    EXPECT_EQ(styled.nMojiShu, 10003u);
    EXPECT_EQ(styled.dSizeX, 5.0);
    EXPECT_EQ(styled.dSizeY, 6.0);
    EXPECT_EQ(styled.dKankaku, 0.75);
    EXPECT_EQ(styled.att.nPenColor, 7);
    EXPECT_EQ(styled.att.nPenStyle, 2);  // the base-point number
    EXPECT_EQ(styled.degKakudo, 30.0);   // directions of texts stay in degrees
    EXPECT_EQ(styled.strFontName, u"f");
    EXPECT_EQ(styled.str, u"abc");

    // 20011: no style 11; the style number is dropped and the sizes kept.
    ASSERT_TRUE(
        doc.AddEntMoji(0, 0, 0, 3, 0, 0, 0, 20011, 0, 0, 10, 0, 1.5, 2.5, 0.25, 0, u"f", u"abc"));
    EXPECT_EQ(LastText().nMojiShu, 20000u);
    EXPECT_EQ(LastText().dSizeX, 1.5);
    EXPECT_EQ(LastText().dSizeY, 2.5);
    EXPECT_EQ(LastText().dKankaku, 0.25);
    EXPECT_EQ(LastText().att.nPenColor, 3);
    EXPECT_EQ(LastText().att.nPenStyle, 1);  // base point 0 becomes 1
}

TEST_F(EntityBuild, TextStyleTenIsTheLastEntry) {
    ASSERT_TRUE(Text(1, 1, 0, 10, 1, 1, 0, 0, u"a"));
    EXPECT_EQ(LastText().nMojiShu, 10u);
    EXPECT_EQ(LastText().dSizeX, 9.0);
    EXPECT_EQ(LastText().att.nPenColor, 104);
}

TEST_F(EntityBuild, TextStyleWithoutTableEntryKeepsTheGivenValues) {
    doc.EntMoj.clear();  // tables not set up
    ASSERT_TRUE(Text(2, 1, 0, 3, 1.5, 2.5, 0.5, 0, u"a"));
    EXPECT_EQ(LastText().nMojiShu, 3u);
    EXPECT_EQ(LastText().dSizeX, 1.5);
    EXPECT_EQ(LastText().att.nPenColor, 2);
}

TEST(TextLength, HalfWidthUnitsCountHalf) {
    struct Case {
        std::u16string text;
        double length;
    };
    const Case cases[] = {
        {u"", 0.0},
        {u"a", 1.5},
        {u"abc", 5.5},           // 3 x 1.5 + 2 x 0.5
        {u"日本", 7.0},          // full width: 3 + 1 + 3
        {u"a日", 5.0},           // 1.5 + 0.5 (after a half-width unit) + 3
        {u"日a", 5.5},           // 3 + 1 + 1.5
        {u"\uFF71\uFF9F", 3.5},  // half-width katakana
        {u"a\tb", 4.5},          // a control unit takes no width, only spacing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "length " << c.length);
        EXPECT_DOUBLE_EQ(build::TextLength(c.text, 1.0, 3.0), c.length);
    }
}

TEST_F(EntityBuild, BasePointTextExample) {
    ASSERT_TRUE(Text(1, 5, 0, 0, 3, 4, 1, 0, u"abc"));
    EXPECT_DOUBLE_EQ(LastText().start_x, -2.75);
    EXPECT_DOUBLE_EQ(LastText().start_y, -2.0);
    EXPECT_DOUBLE_EQ(LastText().end_x, 2.75);
    EXPECT_DOUBLE_EQ(LastText().end_y, -2.0);
    EXPECT_EQ(LastText().att.nPenStyle, 5);
}

TEST_F(EntityBuild, EveryBasePointShiftsTheStart) {
    // abc: length 5.5, height 4, placed at (10, 20).
    const std::array<std::array<double, 2>, 9> starts = {{{10, 20},
                                                          {7.25, 20},
                                                          {4.5, 20},
                                                          {10, 18},
                                                          {7.25, 18},
                                                          {4.5, 18},
                                                          {10, 16},
                                                          {7.25, 16},
                                                          {4.5, 16}}};
    for (int32_t tp = 1; tp <= 9; ++tp) {
        SCOPED_TRACE(testing::Message() << "base point " << tp);
        ASSERT_TRUE(Text(1, tp, 0, 0, 3, 4, 1, 0, u"abc", 10, 20));
        EXPECT_DOUBLE_EQ(LastText().start_x, starts[tp - 1][0]);
        EXPECT_DOUBLE_EQ(LastText().start_y, starts[tp - 1][1]);
        EXPECT_DOUBLE_EQ(LastText().end_x, starts[tp - 1][0] + 5.5);
    }
}

TEST_F(EntityBuild, BasePointTextTurnsWithItsDirection) {
    ASSERT_TRUE(Text(1, 5, 0, 0, 3, 4, 1, 90, u"abc"));
    EXPECT_NEAR(LastText().start_x, 2.0, 1e-12);
    EXPECT_NEAR(LastText().start_y, -2.75, 1e-12);
    EXPECT_NEAR(LastText().end_x, 2.0, 1e-12);
    EXPECT_NEAR(LastText().end_y, 2.75, 1e-12);
    EXPECT_EQ(LastText().degKakudo, 90.0);
}

TEST_F(EntityBuild, VerticalTextMeasuresHeightsAndSpacings) {
    // fl 4: L = 3 x 4 + 2 x 1 = 14 along the direction, H = width 3.
    ASSERT_TRUE(Text(1, 5, 4, 0, 3, 4, 1, 0, u"abc"));
    EXPECT_DOUBLE_EQ(LastText().start_x, -7.0);
    EXPECT_DOUBLE_EQ(LastText().start_y, -1.5);
    EXPECT_DOUBLE_EQ(LastText().end_x, 7.0);
    // An empty vertical text has length 0, not minus one spacing.
    ASSERT_TRUE(Text(1, 3, 4, 0, 3, 4, 1, 0, u""));
    EXPECT_EQ(LastText().start_x, 0.0);
    EXPECT_EQ(LastText().end_x, 0.0);
}

TEST_F(EntityBuild, BasePointTextIsMeasuredWithTheStyleSizes) {
    // Style 3: width 5, spacing 0.75; "ab" = 2.5 + 0.375 + 2.5.
    ASSERT_TRUE(Text(1, 3, 0, 10003, 1, 1, 0, 0, u"ab"));
    EXPECT_DOUBLE_EQ(LastText().start_x, -5.375);
    EXPECT_DOUBLE_EQ(LastText().end_x, 0.0);
    EXPECT_EQ(LastText().dSizeX, 5.0);
    EXPECT_EQ(LastText().nMojiShu, 10003u);
}

// ---- Dimensions ----

class DimensionBuild : public EntityBuild {
  protected:
    // SXF form with text end points; the six switches and codes vary.
    struct Parts {
        int32_t ex3 = 0, ex4 = 0, ex5 = 0, ex6 = 0, ex7 = 0, ex8 = 0;
        int32_t tp5 = 0, tp7 = 0, fl5 = 0, fl7 = 0;
        double pb5 = 1, pb7 = 1;
    };
    bool Sxf(const Parts& p, double px2 = 10, double py2 = 0) {
        return doc.AddEntSunpo(0, 0, 0, 2, 1, 0, 0, 0, 0, px2, py2, 3, 1, 0, 0, 0, 4, 1, 6, 1, 1, 1,
                               0, 0, u"f", u"10",                         //
                               p.ex3, 4, 2, 30, 1, 0, -1, 0, -5,          // Ho1
                               p.ex4, 5, 3, 40, 4, 10, -1, 10, -5,        // Ho2
                               p.ex5, 6, p.tp5, 50, p.fl5, p.pb5,         // Te1
                               p.ex6, 7, 2, 60, 0, 2,                     // Te2
                               p.ex7, 8, p.tp7, 70, p.fl7, 0, -6, p.pb7,  // Kt1
                               p.ex8, 9, -1, 80, 16, 10, -6, 3);          // Kt2
    }
};

TEST_F(DimensionBuild, PlainDimensionParts) {
    ASSERT_TRUE(doc.AddEntSunpo(1, 17, 2, 0, 20, 5, 1 | 2 | 4 | 8 | 16, 0, 0, 10, 0, 400, 0, 6,
                                4 | 2048, 0, 4, 1, 6, 1, 2, 3, 0.5, 0, u"f", u"10"));
    const TEntJwwSunpo& d = LastDim();
    EXPECT_EQ(d.att.nGLayer, 0);
    EXPECT_EQ(d.att.nLayer, 2);
    EXPECT_EQ(d.att.nPenColor, 1);  // fallbacks
    EXPECT_EQ(d.att.nPenStyle, 1);
    EXPECT_EQ(d.att.sFlg, 0x2000);
    EXPECT_EQ(d.bSxfMode, 0);
    EXPECT_EQ(d.Sen.att.sFlg, 0x2000 | 0x20 | 0x800 | 0x8000 | 0x1000);
    EXPECT_EQ(d.Sen.end_x, 10);
    EXPECT_EQ(d.Moji.att.sFlg, 0x4010 | 0x20 | 0x800);
    EXPECT_EQ(d.Moji.att.nPenColor, 1);  // co2 400 falls back
    EXPECT_EQ(d.Moji.att.nPenStyle, 1);  // tp2 0 becomes 1
    EXPECT_EQ(d.Moji.att.nPenWidth, 6);
    EXPECT_EQ(d.Moji.start_x, 4);
    EXPECT_EQ(d.Moji.end_x, 6);
    EXPECT_EQ(d.Moji.str, u"10");
    EXPECT_EQ(LastOrderEntry().EntType, kEntDim);
    // Unused parts: the dimension's attributes, points with line type 0.
    for (const TEntJwwLine* line : {&d.Ho1, &d.Ho2}) {
        EXPECT_EQ(line->att.nPenColor, d.att.nPenColor);
        EXPECT_EQ(line->att.sFlg, 0x2000);
        EXPECT_EQ(line->end_x, 0.0);
    }
    for (const TEntJwwTen* point : {&d.Te1, &d.Te2, &d.Kt1, &d.Kt2}) {
        EXPECT_EQ(point->att.nPenStyle, 0);
        EXPECT_EQ(point->att.nPenWidth, 5);
        EXPECT_EQ(point->dBairitsu, 0.0);
    }
}

TEST_F(DimensionBuild, TextStyleAppliesToTheDimensionText) {
    ASSERT_TRUE(doc.AddEntSunpo(0, 0, 0, 1, 1, 0, 0, 0, 0, 10, 0, 2, 5, 0, 0, 10003, 0, 0, 1, 1, 1,
                                1, 0, 0, u"f", u"ab"));
    EXPECT_EQ(LastDim().Moji.dSizeX, 5.0);
    EXPECT_EQ(LastDim().Moji.att.nPenColor, 7);
    EXPECT_EQ(LastDim().Moji.nMojiShu, 10003u);
    // Base-point form: "ab" measured with style 3, centred on (5, 1).
    ASSERT_TRUE(doc.AddEntSunpo(0, 0, 0, 1, 1, 0, 0, 0, 0, 10, 0, 2, 5, 0, 0, 10003, 5, 1, 1, 1, 1,
                                0, u"f", u"ab"));
    EXPECT_DOUBLE_EQ(LastDim().Moji.start_x, 5 - 5.375 / 2);
    EXPECT_DOUBLE_EQ(LastDim().Moji.start_y, 1 - 3.0);
    EXPECT_DOUBLE_EQ(LastDim().Moji.end_x, 5 + 5.375 / 2);
    EXPECT_EQ(LastDim().Moji.att.nPenStyle, 5);
}

TEST_F(DimensionBuild, SxfModeOnlyWithSomePartSwitchedOn) {
    ASSERT_TRUE(Sxf({}));
    EXPECT_EQ(LastDim().bSxfMode, 0);
    // Switched-off parts lose their coordinates.
    EXPECT_EQ(LastDim().Ho1.end_y, 0.0);
    EXPECT_EQ(LastDim().Kt1.start_y, 0.0);
    Parts one;
    one.ex8 = 1;
    ASSERT_TRUE(Sxf(one));
    EXPECT_EQ(LastDim().bSxfMode, 1);
}

TEST_F(DimensionBuild, AuxiliaryLinesTakeTheirGroupsValues) {
    Parts p;
    p.ex3 = 1;
    ASSERT_TRUE(Sxf(p));
    const TEntJwwSunpo& d = LastDim();
    EXPECT_EQ(d.Ho1.att.nPenColor, 4);
    EXPECT_EQ(d.Ho1.att.nPenStyle, 2);
    EXPECT_EQ(d.Ho1.att.nPenWidth, 30);
    EXPECT_EQ(d.Ho1.att.sFlg, 0x2000 | 0x20);
    EXPECT_EQ(Ends(d.Ho1), (Four{0.0, -1.0, 0.0, -5.0}));
    EXPECT_EQ(d.Ho2.att.nPenColor, d.att.nPenColor);  // switched off
    EXPECT_EQ(d.Ho2.end_x, 0.0);
}

TEST_F(DimensionBuild, ArrowheadDirections) {
    struct Case {
        int32_t ex5, ex6;
        double px2, py2;
        double te1, te2;
    };
    const Case cases[] = {
        {1, 1, 10, 0, kPi, 0},  // switch 1: Te1 points away from point 2
        {2, 2, 10, 0, 0, kPi},  // other switches: towards the other end
        {1, 2, 0, -5, kPi / 2, kPi / 2},
        {2, 1, 0, -5, 3 * kPi / 2, 3 * kPi / 2},  // brought into 0 to 2 pi
        {1, 1, 1e-15, -1e-15, 0, 0},              // no direction
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "ex5 " << c.ex5 << " ex6 " << c.ex6 << " to (" << c.px2
                                        << ", " << c.py2 << ")");
        Parts p;
        p.ex5 = c.ex5;
        p.ex6 = c.ex6;
        ASSERT_TRUE(Sxf(p, c.px2, c.py2));
        EXPECT_DOUBLE_EQ(LastDim().Te1.radKaitenKaku, c.te1);
        EXPECT_DOUBLE_EQ(LastDim().Te2.radKaitenKaku, c.te2);
        EXPECT_EQ(LastDim().Te1.start_x, 0.0);
        EXPECT_EQ(LastDim().Te2.start_x, c.px2);
    }
}

TEST_F(DimensionBuild, ArrowheadAndMeasuredPointCodes) {
    struct Case {
        int32_t tp5, fl5, tp7, fl7;
        double pb;
        uint8_t teStyle;
        int32_t teCode;
        uint32_t teTemporary;
        uint8_t ktStyle;
        int32_t ktCode;
    };
    const Case cases[] = {
        {3, 0, -2, 0, 2, 100, 3, 0, 100, -2},
        {12, 0, 1, 0, 2, 1, 0, 0, 1, 0},   // Te codes to 11, Kt codes to 0
        {11, 8, -7, 8, 2, 1, 0, 1, 1, 0},  // flag 8: temporary with code 0
        {-7, 0, -8, 0, 0, 100, -7, 0, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "tp5 " << c.tp5 << " tp7 " << c.tp7);
        Parts p;
        p.ex5 = p.ex7 = 1;
        p.tp5 = c.tp5;
        p.fl5 = c.fl5;
        p.tp7 = c.tp7;
        p.fl7 = c.fl7;
        p.pb5 = p.pb7 = c.pb;
        ASSERT_TRUE(Sxf(p));
        const TEntJwwSunpo& d = LastDim();
        EXPECT_EQ(d.Te1.att.nPenStyle, c.teStyle);
        EXPECT_EQ(static_cast<int32_t>(d.Te1.nCode), c.teCode);
        EXPECT_EQ(d.Te1.bKariten, c.teTemporary);
        EXPECT_EQ(d.Te1.dBairitsu, c.pb < 1e-10 ? 1.0 : c.pb);
        EXPECT_EQ(d.Kt1.att.nPenStyle, c.ktStyle);
        EXPECT_EQ(static_cast<int32_t>(d.Kt1.nCode), c.ktCode);
        EXPECT_EQ(d.Kt1.bKariten, 1u);  // measured points are always temporary
        EXPECT_EQ(d.Kt1.radKaitenKaku, 0.0);
    }
}

TEST_F(DimensionBuild, PointPartAttributes) {
    Parts p;
    p.ex5 = p.ex8 = 1;
    p.fl5 = 1 | 4;
    ASSERT_TRUE(Sxf(p));
    const TEntJwwSunpo& d = LastDim();
    EXPECT_EQ(d.Te1.att.nPenColor, 6);
    EXPECT_EQ(d.Te1.att.nPenWidth, 50);
    EXPECT_EQ(d.Te1.att.sFlg, 0x40 | 0x20 | 0x10);
    EXPECT_EQ(d.Kt2.att.nPenColor, 9);
    EXPECT_EQ(d.Kt2.att.sFlg, 0x40 | 0x80);
    EXPECT_EQ(d.Kt2.start_x, 10);
    EXPECT_EQ(d.Kt2.start_y, -6);
    EXPECT_EQ(d.Kt2.dBairitsu, 3);
    // Switched off: the dimension's attributes, everything else 0.
    EXPECT_EQ(d.Te2.att.nPenColor, d.att.nPenColor);
    EXPECT_EQ(d.Te2.att.sFlg, 0x2000);
    EXPECT_EQ(d.Te2.start_x, 0.0);
    EXPECT_EQ(d.Te2.dBairitsu, 0.0);
}

TEST_F(DimensionBuild, AuxiliaryLinesFromGaps) {
    // Base-point text, lines from 2 off the measured points to 3 beyond the
    // dimension line (0,0)-(10,0); measured points (0,-10) and (10,-10).
    ASSERT_TRUE(doc.AddEntSunpo(0, 0, 0, 1, 1, 0, 0, 0, 0, 10, 0, 1, 2, 0, 0, 0, 5, 0, 1, 1, 0, 0,
                                u"f", u"10", 2, 3,                   //
                                1, 1, 1, 0, 0, 1, 1, 1, 0, 0,        // Ho1, Ho2
                                1, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0, 1,  // Te1, Te2
                                1, 1, 0, 0, 0, 0, -10, 1,            // Kt1
                                1, 1, 0, 0, 0, 10, -10, 1));         // Kt2
    const TEntJwwSunpo& d = LastDim();
    EXPECT_EQ(Ends(d.Ho1), (Four{0.0, -8.0, 0.0, 3.0}));
    EXPECT_EQ(Ends(d.Ho2), (Four{10.0, -8.0, 10.0, 3.0}));
    EXPECT_DOUBLE_EQ(d.Moji.start_x, 4.5);  // "10" (length 1) centred on x = 5
    EXPECT_EQ(d.bSxfMode, 1);
}

TEST_F(DimensionBuild, AuxiliaryLineOfACoincidentPointStaysFinite) {
    ASSERT_TRUE(doc.AddEntSunpo(0, 0, 0, 1, 1, 0, 0, 0, 0, 10, 0, 1, 1, 0, 0, 0, 5, 0, 1, 1, 0, 0,
                                u"f", u"10", 2, 3,                   //
                                1, 1, 1, 0, 0, 0, 1, 1, 0, 0,        // Ho1 only
                                0, 1, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1,  //
                                1, 1, 0, 0, 0, 0, 0, 1,              // Kt1 on point 1
                                0, 1, 0, 0, 0, 10, -10, 1));
    const TEntJwwLine& ho = LastDim().Ho1;
    for (double v : {ho.start_x, ho.start_y, ho.end_x, ho.end_y})
        EXPECT_EQ(v, 0.0);
}

// ---- Solids ----

TEST_F(EntityBuild, SolidFormsFillTheEightValues) {
    using Eight = std::array<double, 8>;
    const auto values = [](const TEntJwwSolid& s) {
        return Eight{s.start_x,   s.start_y,   s.end_x,     s.end_y,
                     s.DPoint2_x, s.DPoint2_y, s.DPoint3_x, s.DPoint3_y};
    };
    struct Case {
        const char* form;
        bool (*add)(TJwwData&);
        uint8_t style;
        Eight eight;
    };
    const Case cases[] = {
        {"4 points",
         [](TJwwData& d) { return d.AddEntSolid(0, 0, 0, 1, 2, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8); },
         2,
         {1, 2, 3, 4, 5, 6, 7, 8}},
        {"2 points",
         [](TJwwData& d) { return d.AddEntSolid(0, 0, 0, 1, 2, 0, 0, 0, 1, 2, 3, 4); },
         2,
         {1, 2, 3, 4, 3, 4, 3, 4}},
        {"3 points",
         [](TJwwData& d) { return d.AddEntSolid(0, 0, 0, 1, 2, 0, 0, 0, 1, 2, 3, 4, 5, 6); },
         2,
         {1, 2, 3, 4, 5, 6, 1, 2}},
        {"A full",
         [](TJwwData& d) { return d.AddEntSolidA(0, 0, 0, 1, 0, 0, 0, 1, 2, 3, 0.5, 90); },
         111,
         {1, 2, 3, 0.5, Rad(90), 0, 6.283185307179586, 100}},
        {"A sector",
         [](TJwwData& d) { return d.AddEntSolidA(0, 0, 0, 1, 0, 0, 0, 1, 2, 3, 0.5, 90, 30, 60); },
         111,
         {1, 2, 3, 0.5, Rad(90), Rad(30), Rad(60), 0}},
        {"C tp 1",
         [](TJwwData& d) {
             return d.AddEntSolidC(0, 0, 0, 1, 1, 0, 0, 0, 1, 2, 3, 0.5, 90, 30, 60);
         },
         101,
         {1, 2, 3, 0.5, Rad(90), Rad(30), Rad(60), 0}},
        {"C tp 2",
         [](TJwwData& d) {
             return d.AddEntSolidC(0, 0, 0, 1, 2, 0, 0, 0, 1, 2, 3, 0.5, 90, 30, 60);
         },
         101,
         {1, 2, 3, 0.5, Rad(90), Rad(30), Rad(60), 5}},
        {"C tp 3",
         [](TJwwData& d) {
             return d.AddEntSolidC(0, 0, 0, 1, 3, 0, 0, 0, 1, 2, 3, 0.5, 90, 30, 60);
         },
         101,
         {1, 2, 3, 0.5, Rad(90), Rad(30), Rad(60), -1}},
        {"C tp 4: full",
         [](TJwwData& d) {
             return d.AddEntSolidC(0, 0, 0, 1, 4, 0, 0, 0, 1, 2, 3, 0.5, 90, 30, 60);
         },
         101,
         {1, 2, 3, 0.5, Rad(90), 0, 6.283185307179586, 100}},
        {"D tp 1",
         [](TJwwData& d) {
             return d.AddEntSolidD(0, 0, 0, 1, 1, 0, 0, 0, 1, 2, 3, 1.5, 0.5, 90, 30, 60);
         },
         105,
         {1, 2, 3, 0.5, Rad(90), Rad(30), Rad(60), 1.5}},
        {"D tp 2",
         [](TJwwData& d) {
             return d.AddEntSolidD(0, 0, 0, 1, 2, 0, 0, 0, 1, 2, 3, 1.5, 0.5, 90, 30, 60);
         },
         106,
         {1, 2, 3, 0.5, Rad(90), Rad(30), Rad(60), 1.5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.form);
        ASSERT_TRUE(c.add(doc));
        EXPECT_EQ(values(LastSolid()), c.eight);
        EXPECT_EQ(LastSolid().att.nPenStyle, c.style);
        EXPECT_EQ(LastOrderEntry().EntType, kEntSolid);
    }
}

TEST_F(EntityBuild, SolidOwnColourAndStyleChecks) {
    struct Case {
        int32_t co, tp, fc;
        uint16_t color;
        uint8_t style;
        uint32_t own;
    };
    const Case cases[] = {
        {10, 1, 0x123456, 10, 1, 0x123456},
        {10, 1, 0xFFFFFF, 10, 1, 0xFFFFFF},
        {10, 1, 0x1000000, 10, 1, 0},  // own colour out of range
        {10, 1, -1, 10, 1, 0},
        {5, 1, 0x123456, 5, 1, 0},  // not pen 10: no own colour
        {0, 20, 0, 1, 1, 0},        // flat solid: colour and style checked
        {0, 101, 0, 1, 101, 0},     // curved solid: the kind is kept
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "co " << c.co << " tp " << c.tp << " fc " << c.fc);
        ASSERT_TRUE(doc.AddEntSolid(0, 0, 0, c.co, c.tp, 0, 0, c.fc, 0, 0, 1, 1));
        EXPECT_EQ(LastSolid().att.nPenColor, c.color);
        EXPECT_EQ(LastSolid().att.nPenStyle, c.style);
        EXPECT_EQ(LastSolid().Color, c.own);
    }
}

// ---- Insertions ----

TEST_F(EntityBuild, InsertionNeedsADefinition) {
    EXPECT_FALSE(doc.AddEntBlock(0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 1, 1, 0));
    ASSERT_TRUE(doc.AddBlkDef(0, 0, 0, 1, 1, 0, 0, 1, u"a"));
    EXPECT_FALSE(doc.AddEntBlock(0, 0, 0, 1, 1, 0, 0, doc.EntBlockDefN, 0, 0, 1, 1, 0));
    EXPECT_FALSE(doc.AddEntBlock(0, 0, 0, 1, 1, 0, 0, -1, 0, 0, 1, 1, 0));
    EXPECT_EQ(doc.EntBlockN, 0);
    EXPECT_EQ(doc.Enthd.n1, 0);
    EXPECT_TRUE(doc.EntBlock.empty());
}

TEST_F(EntityBuild, InsertionValues) {
    ASSERT_TRUE(doc.AddBlkDef(0, 0, 0, 1, 1, 0, 0, 1, u"a"));
    ASSERT_TRUE(doc.AddBlkDef(0, 0, 0, 1, 1, 0, 0, 1, u"b"));
    ASSERT_TRUE(doc.AddEntBlock(0, 0, 0, 3, 4, 0, 0, 1, 5, 6, 0, -2, 30));
    const TEntJwwBlock& b = LastBlock();
    EXPECT_EQ(b.DPKijunTen_x, 5);
    EXPECT_EQ(b.DPKijunTen_y, 6);
    EXPECT_EQ(b.dBairitsuX, 1.0);  // a scale near 0 becomes 1
    EXPECT_EQ(b.dBairitsuY, -2.0);
    EXPECT_DOUBLE_EQ(b.radKaitenKaku, kPi / 6);
    EXPECT_EQ(b.nNumber, 1u);
    EXPECT_EQ(b.att.nPenColor, 3);
    EXPECT_EQ(b.att.nPenStyle, 4);
    ASSERT_TRUE(doc.AddEntBlock(0, 0, 0, 3, 4, 0, 0, 1, 5, 6, 1e-11, -1e-11, 0));
    EXPECT_EQ(LastBlock().dBairitsuX, 1.0);
    EXPECT_EQ(LastBlock().dBairitsuY, 1.0);
    EXPECT_EQ(LastOrderEntry().EntType, kEntBlock);
    EXPECT_EQ(LastOrderEntry().EntNo, 1);
}

// ---- Order list and growth ----

TEST_F(EntityBuild, OrderListInterleavesTheKinds) {
    ASSERT_TRUE(Line(0, 0, 1, 1));
    ASSERT_TRUE(doc.AddEntTen(0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1));
    ASSERT_TRUE(Line(0, 0, 1, 1));
    ASSERT_EQ(doc.Enthd.n1, 3);
    EXPECT_EQ(doc.EntNo[0].EntType, kEntLine);
    EXPECT_EQ(doc.EntNo[0].EntNo, 0);
    EXPECT_EQ(doc.EntNo[1].EntType, kEntPoint);
    EXPECT_EQ(doc.EntNo[1].EntNo, 0);
    EXPECT_EQ(doc.EntNo[2].EntType, kEntLine);
    EXPECT_EQ(doc.EntNo[2].EntNo, 1);
}

TEST_F(EntityBuild, ArraysGrowInStepsOf1000AndPostTrims) {
    for (int i = 0; i < 1000; ++i)
        ASSERT_TRUE(Line(0, 0, 1, 1));
    EXPECT_EQ(doc.EntLine.size(), 1000u);
    ASSERT_TRUE(Line(0, 0, 1, 1));
    EXPECT_EQ(doc.EntLineN, 1001);
    EXPECT_EQ(doc.EntLine.size(), 2000u);
    EXPECT_EQ(doc.EntNo.size(), 2000u);
    ASSERT_TRUE(doc.AddEntPost());
    EXPECT_EQ(doc.EntLine.size(), 1001u);
    EXPECT_EQ(doc.EntNo.size(), 1001u);
    EXPECT_EQ(doc.Enthd.n1, 1001);

    // After trimming, the next addition still finds room.
    ASSERT_TRUE(doc.AddEntLine(0, 0, 0, 1, 1, 0, 0, 7, 7, 7, 7));
    EXPECT_EQ(doc.EntLineN, 1002);
    EXPECT_EQ(doc.EntLine.size(), 2000u);
    EXPECT_EQ(doc.EntLine[1001].start_x, 7);
    EXPECT_EQ(doc.EntNo[1001].EntNo, 1001);
}

TEST_F(EntityBuild, PreReservesAStepForTheDrawingAndHalfForDefinitions) {
    ASSERT_TRUE(Line(0, 0, 1, 1));
    ASSERT_TRUE(doc.AddBlkDef(0, 0, 0, 1, 1, 0, 0, 1, u"a"));
    ASSERT_TRUE(doc.AddBlkLine(0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 1, 1));
    ASSERT_TRUE(doc.AddEntPost());
    ASSERT_TRUE(doc.AddEntPre());
    EXPECT_EQ(doc.EntNo.size(), 1001u);
    EXPECT_EQ(doc.EntLine.size(), 1001u);
    EXPECT_EQ(doc.EntEnko.size(), 1000u);
    EXPECT_EQ(doc.EntBlock.size(), 1000u);
    const TEntJwwBlockDef& def = doc.EntBlockDef[0];
    EXPECT_EQ(def.mNo.size(), 501u);
    EXPECT_EQ(def.mLine.size(), 501u);
    EXPECT_EQ(def.mSolid.size(), 500u);
    // The additions after Pre use the room without moving it.
    ASSERT_TRUE(Line(0, 0, 1, 1));
    EXPECT_EQ(doc.EntLine.size(), 1001u);
    ASSERT_TRUE(doc.AddEntPost());
    EXPECT_EQ(doc.EntLine.size(), 2u);
    EXPECT_EQ(doc.EntEnko.size(), 0u);
    EXPECT_EQ(doc.EntBlockDef[0].mLine.size(), 1u);
}

TEST_F(EntityBuild, PostRebuildsTheBlockTree) {
    ASSERT_TRUE(doc.AddBlkDef(0, 0, 0, 1, 1, 0, 0, 1, u"a"));
    ASSERT_TRUE(doc.AddEntBlock(0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 1, 1, 0));
    EXPECT_EQ(doc.EntBlockTreeN, 0);
    ASSERT_TRUE(doc.AddEntPost());
    EXPECT_EQ(doc.EntBlockTreeN, 1);
    EXPECT_EQ(doc.EntBlockNum, 1);
    EXPECT_TRUE(doc.EntBlockDef[0].ref_flag);
}

TEST_F(EntityBuild, DamagedCountsRefuseAdditions) {
    doc.EntLineN = -1;
    EXPECT_FALSE(Line(0, 0, 1, 1));
    EXPECT_EQ(doc.EntLineN, -1);
    doc.EntLineN = 0;
    doc.Enthd.n1 = std::numeric_limits<int32_t>::max();
    EXPECT_FALSE(Line(0, 0, 1, 1));
    EXPECT_EQ(doc.EntLineN, 0);
    EXPECT_EQ(doc.Enthd.n1, std::numeric_limits<int32_t>::max());
}

// ---- Memory failure ----

TEST_F(EntityBuild, FailedGrowthOfTheKindsArrayRestoresTheCounts) {
    ASSERT_TRUE(Line(0, 0, 1, 1));
    doc.AddEntPost();
    bool added = true;
    {
        FailAllocationsFrom limit(1000);
        added = Line(0, 0, 1, 1);
    }
    EXPECT_FALSE(added);
    EXPECT_EQ(doc.EntLineN, 1);
    EXPECT_EQ(doc.Enthd.n1, 1);
    EXPECT_EQ(doc.EntLine.size(), 1u);
    ASSERT_TRUE(Line(0, 0, 1, 1));  // and works again afterwards
    EXPECT_EQ(doc.EntLineN, 2);
}

TEST_F(EntityBuild, FailedGrowthOfTheOrderListRestoresBothCounts) {
    doc.EntLine.resize(1000);  // room for the line, none in EntNo
    bool added = true;
    {
        FailAllocationsFrom limit(1000 * sizeof(TEntJwwNo));
        added = Line(0, 0, 1, 1);
    }
    EXPECT_FALSE(added);
    EXPECT_EQ(doc.EntLineN, 0);
    EXPECT_EQ(doc.Enthd.n1, 0);
    EXPECT_TRUE(doc.EntNo.empty());
}

TEST_F(EntityBuild, FailedCopyOfATextAddsNothing) {
    ASSERT_TRUE(doc.AddEntPre());
    const std::u16string text(5000, u'x');
    bool added = true;
    {
        FailAllocationsFrom limit(text.size() * sizeof(char16_t));
        added = Text(1, 1, 0, 0, 1, 1, 0, 0, text);
    }
    EXPECT_FALSE(added);
    EXPECT_EQ(doc.EntMojiN, 0);
    EXPECT_EQ(doc.Enthd.n1, 0);
}

TEST_F(EntityBuild, FailedPreReportsFalse) {
    bool reserved = true;
    {
        FailAllocationsFrom limit(1000 * sizeof(TEntJwwNo));
        reserved = doc.AddEntPre();
    }
    EXPECT_FALSE(reserved);
    EXPECT_EQ(doc.Enthd.n1, 0);
}

TEST_F(EntityBuild, FailedGrowthInADefinitionRestoresItsCounts) {
    ASSERT_TRUE(doc.AddBlkDef(0, 0, 0, 1, 1, 0, 0, 1, u"a"));
    bool added = true;
    {
        FailAllocationsFrom limit(500 * sizeof(TEntJwwNo));
        added = doc.AddBlkLine(0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 1, 1);
    }
    EXPECT_FALSE(added);
    EXPECT_EQ(doc.EntBlockDef[0].mLineN, 0);
    EXPECT_EQ(doc.EntBlockDef[0].N, 0);
}

TEST_F(EntityBuild, FailedNewDefinitionRestoresTheCounts) {
    ASSERT_TRUE(doc.AddBlkDef(0, 0, 0, 1, 1, 0, 0, 1, u"a"));
    bool added = true;
    {
        FailAllocationsFrom limit(sizeof(TEntJwwBlockDef));
        added = doc.AddBlkDef(0, 0, 0, 1, 1, 0, 0, 1, u"b");
    }
    EXPECT_FALSE(added);
    EXPECT_EQ(doc.EntBlockDefN, 1);
    EXPECT_EQ(doc.Enthd.n2, 1);
    EXPECT_EQ(doc.EntBlockDef.size(), 1u);
}

}  // namespace
}  // namespace tw
