// Drawing extents: each kind contributes the box of what it draws, placed
// where nested insertions put it; an empty drawing has none.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

#include <tintwright/document/Extents.h>
#include <tintwright/document/JwwUnit.h>

namespace tw {
namespace {

struct Case {
    const char* name;
    std::function<void(TJwwData&)> build;
    geom::Box expected;
};

void ExpectBox(const std::optional<geom::Box>& got, const geom::Box& want) {
    ASSERT_TRUE(got.has_value());
    EXPECT_NEAR(got->minX, want.minX, 1e-9);
    EXPECT_NEAR(got->minY, want.minY, 1e-9);
    EXPECT_NEAR(got->maxX, want.maxX, 1e-9);
    EXPECT_NEAR(got->maxY, want.maxY, 1e-9);
}

int32_t Def(TJwwData& d, const std::u16string& name) {
    d.AddBlkDef(0, 0, 0, 1, 1, 0, 0, 0, name);
    return d.EntBlockDefN - 1;
}

const double kR2 = std::sqrt(2.0);

const Case kCases[] = {
    {"line", [](TJwwData& d) { d.AddEntLine(0, 0, 0, 1, 1, 0, 0, 3, -1, -2, 4); }, {-2, -1, 3, 4}},
    // A quarter arc from 0 to 90 degrees: its ends, no other extreme.
    {"quarter arc",
     [](TJwwData& d) { d.AddEntArc(0, 0, 0, 1, 1, 0, 0, 0, 0, 2, 1, 0, 90, 0); },
     {0, 0, 2, 2}},
    // An ellipse of half axes 4 and 2 turned 90 degrees: 4 up and down.
    {"tilted ellipse",
     [](TJwwData& d) { d.AddEntArc(0, 0, 0, 1, 1, 0, 0, 10, 10, 4, 0.5, 0, 360, 90); },
     {8, 6, 12, 14}},
    // A text 2 high whose base line runs 10 at 90 degrees: the box stands
    // to the left of the base line.
    {"text at an angle",
     [](TJwwData& d) {
         d.AddEntMoji(0, 0, 0, 1, 1, 0, 0, 1, 0, 0, 0, 10, 2, 2, 0, 90, u"MS Gothic", u"abcde");
         d.EntMoji[0].degKakudo = 90;
     },
     {-2, 0, 0, 10}},
    {"dimension with its parts",
     [](TJwwData& d) {
         TEntJwwSunpo s;
         s.Sen.end_x = 10;
         s.Moji.start_x = 2;
         s.Moji.end_x = 6;
         s.Moji.start_y = s.Moji.end_y = 1;
         s.Moji.dSizeY = 3;
         s.bSxfMode = 1;
         s.Ho1.start_y = -5;
         s.Kt2.start_x = 12;
         d.EntSunpo.at(0) = s;  // AddEntPre made room
         d.EntSunpoN = 1;
         d.EntNo.insert(d.EntNo.begin() + d.Enthd.n1++, {kEntDim, 0});
     },
     {0, -5, 12, 4}},
    // A sector of radius 2 from 0 to 90 degrees: its centre and the arc.
    {"curved solid sector",
     [](TJwwData& d) { d.AddEntSolidA(0, 0, 0, 1, 0, 0, 0, 5, 5, 2, 1, 0, 0, 90); },
     {5, 5, 7, 7}},
    {"band between two radii",
     [](TJwwData& d) { d.AddEntSolidD(0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 3, 1, 1, 0, 180, 180); },
     {-3, -3, 3, 0}},
    {"image",
     [](TJwwData& d) {
         d.AddEntMoji(0, 0, 0, 1, 1, 0, 0, 1, 1, 1, 5, 5, 0, 0, u"MS Gothic",
                      u"^@BM%temp%plan.bmp,40,30");
     },
     {1, 1, 41, 31}},
    // A line from (0,0) to (1,0) in b, inserted in a at (5,0) turned 90
    // degrees scaled 2; a inserted at (100,100) scaled 3 turned 180.
    {"nested scaled rotated insertion",
     [](TJwwData& d) {
         const int32_t b = Def(d, u"b");
         d.AddBlkLine(b, 0, 0, 0, 1, 1, 0, 0, 0, 0, 1, 0);
         const int32_t a = Def(d, u"a");
         d.AddBlkBlock(a, 0, 0, 0, 1, 1, 0, 0, d.EntBlockDef[b].nNumber, 5, 0, 2, 2, 90);
         d.AddEntBlock(0, 0, 0, 1, 1, 0, 0, d.EntBlockDef[a].nNumber, 100, 100, 3, 3, 180);
     },
     // b's line: (0,0)-(1,0) -> a: (5,0)-(5,2) -> drawing: (85,100)-(85,94).
     {85, 94, 85, 100}},
    {"arc turned 45 degrees inside an insertion",
     [](TJwwData& d) {
         const int32_t a = Def(d, u"a");
         d.AddBlkArc(a, 0, 0, 0, 1, 1, 0, 0, 0, 0, 1, 1, 0, 360, 0);
         d.AddEntBlock(0, 0, 0, 1, 1, 0, 0, d.EntBlockDef[a].nNumber, 0, 0, 2, 1, 45);
     },
     // The unit circle scaled (2, 1) then turned 45 degrees: half-width
     // sqrt(4 cos^2 + sin^2) = sqrt(2.5).
     {-std::sqrt(2.5), -std::sqrt(2.5), std::sqrt(2.5), std::sqrt(2.5)}},
};

class Extents : public ::testing::TestWithParam<Case> {};

TEST_P(Extents, EachKind) {
    TJwwData doc;
    doc.DataDefaultSet();
    doc.AddEntPre();
    GetParam().build(doc);
    ExpectBox(GetMinMaxZahyo(doc), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Kinds, Extents, ::testing::ValuesIn(kCases), [](const auto& info) {
    std::string name = info.param.name;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
});

TEST(ExtentsOf, AnEmptyDrawingHasNone) {
    TJwwData doc;
    doc.DataDefaultSet();
    EXPECT_FALSE(GetMinMaxZahyo(doc).has_value());
}

TEST(ExtentsOf, AScalePerEntityMultipliesItsCoordinates) {
    TJwwData doc;
    doc.DataDefaultSet();
    doc.AddEntPre();
    doc.AddEntLine(0, 1, 0, 1, 1, 0, 0, 0, 0, 50, 10);
    doc.AddEntLine(0, 2, 0, 1, 1, 0, 0, -1, -1, 0, 0);
    const EntityScale byGroup = [](const TEntJwwAttr& att, const Placement&) {
        return att.nGLayer == 1 ? 100.0 : 1.0;
    };
    ExpectBox(GetMinMaxZahyo(doc, byGroup), {-1, -1, 5000, 1000});
}

// Jw_cad's setting texts at (0, -1000), in its auxiliary pen or in pen 2,
// are drawn nowhere: no extents hold them.
TEST(ExtentsOf, SettingTextsAreLeftOut) {
    TJwwData doc;
    doc.DataDefaultSet();
    doc.AddEntPre();
    doc.AddEntLine(0, 0, 0, 2, 1, 0, 0, 0, 0, 10, 10);
    for (const int32_t pen : {9, 2}) {
        const int32_t style = pen == 9 ? 9 : 1;
        doc.AddEntMoji(0, 0, 0, pen, style, 0, 0, 0, 0, -1000, 0, -1000, 3, 3, 0.5, 0,
                       u"ＭＳ ゴシック", u"Printer_Orientation = 0");
    }
    doc.AddEntPost();
    ExpectBox(GetMinMaxZahyo(doc), {0, 0, 10, 10});
    for (const rules::Medium medium : {rules::Medium::Screen, rules::Medium::Print})
        ExpectBox(DrawnExtents(doc, rules::LayerStates::Of(doc), medium), {0, 0, 10, 10});
}

// A member shows by its insertion's layer, as the screen draws it: the
// extents of what is drawn hold a member on a hidden layer inserted on a
// shown one, not a member on a shown layer inserted on a hidden one; the
// whole drawing's extents hold both.
TEST(ExtentsOf, MembersShowByTheirInsertionsLayer) {
    constexpr int32_t kShown = 1, kHidden = 2;
    TJwwData doc;
    doc.DataDefaultSet();
    doc.EntLay[kHidden].aanLay = 0;
    const int32_t onHidden = Def(doc, u"on hidden");
    doc.AddBlkLine(onHidden, 0, 0, kHidden, 1, 1, 0, 0, 0, 0, 10, 10);
    const int32_t onShown = Def(doc, u"on shown");
    doc.AddBlkLine(onShown, 0, 0, kShown, 1, 1, 0, 0, 0, 0, 10, 10);
    doc.AddEntBlock(0, 0, kShown, 1, 1, 0, 0, doc.EntBlockDef[onHidden].nNumber, 0, 0, 1, 1, 0);
    doc.AddEntBlock(0, 0, kHidden, 1, 1, 0, 0, doc.EntBlockDef[onShown].nNumber, 100, 100, 1, 1, 0);
    ExpectBox(GetMinMaxZahyo(doc), {0, 0, 110, 110});
    for (const rules::Medium medium : {rules::Medium::Screen, rules::Medium::Print})
        ExpectBox(DrawnExtents(doc, rules::LayerStates::Of(doc), medium), {0, 0, 10, 10});
}

TEST(ExtentsOf, DamagedValuesAreLeftOut) {
    TJwwData doc;
    doc.DataDefaultSet();
    doc.AddEntPre();
    doc.AddEntLine(0, 0, 0, 1, 1, 0, 0, 0, 0, 1, 1);
    doc.AddEntLine(0, 0, 0, 1, 1, 0, 0, NAN, 0, 1e308 * 10, 1);
    const auto box = GetMinMaxZahyo(doc);
    ASSERT_TRUE(box);
    EXPECT_TRUE(std::isfinite(box->maxX));
}

}  // namespace
}  // namespace tw
