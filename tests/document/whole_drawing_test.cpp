// Paper sizes, font names, moving and scaling the whole drawing, and the
// layer settings handed to an attribute set.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include <tintwright/attributes/UnitGraAtt.h>
#include <tintwright/document/JwwUnit.h>

namespace tw {
namespace {

TEST(WholeDrawingPaper, SizeByPaperCode) {
    struct Paper {
        int32_t code;
        double width, height;
    };
    const Paper papers[] = {
        {0, 1189, 841},    {1, 841, 594},      {2, 594, 420},       {3, 420, 297},
        {4, 297, 210},     {5, 1189, 841},     {6, 1189, 841},      {7, 1189, 841},
        {8, 1682, 1189},   {9, 2378, 1682},    {10, 3364, 2378},    {11, 4756, 3364},
        {12, 10000, 7073}, {13, 50000, 35366}, {14, 100000, 70732}, {15, 1189, 841},
        {-1, 1189, 841},
    };
    TJwwData doc;
    for (const Paper& p : papers) {
        doc.Enthd.nZumen = p.code;
        double px = 0, py = 0;
        doc.GetPaperSize(px, py);
        EXPECT_EQ(px, p.width) << p.code;
        EXPECT_EQ(py, p.height) << p.code;
    }
}

TEntJwwMoji TextInFont(const std::u16string& font) {
    TEntJwwMoji text;
    text.strFontName = font;
    return text;
}

TEntJwwSunpo DimInFont(const std::u16string& font) {
    TEntJwwSunpo dim;
    dim.Moji.strFontName = font;
    return dim;
}

TEST(WholeDrawingFonts, VerticalAndUprightUseOfOneFontGiveTheFirstMet) {
    const std::vector<std::vector<std::u16string>> orders = {
        {u"MS Gothic", u"@MS Gothic", u"MS Gothic"},
        {u"@MS Gothic", u"MS Gothic", u"@MS Gothic"},
    };
    for (const auto& fonts : orders) {
        TJwwData doc;
        for (const auto& f : fonts)
            doc.EntMoji.push_back(TextInFont(f));
        doc.EntMojiN = static_cast<int32_t>(doc.EntMoji.size());
        doc.GetFontNames();
        ASSERT_EQ(doc.FontNameN, 1);
        EXPECT_EQ(doc.FontNames, std::vector<std::u16string>{fonts[0]});
        EXPECT_EQ(doc.GetFontNamesIndex(u"MS Gothic"), 0);
        EXPECT_EQ(doc.GetFontNamesIndex(u"@MS Gothic"), 0);
    }
}

TEST(WholeDrawingFonts, AtMostThreeMarksAreDropped) {
    TJwwData doc;
    doc.EntMoji = {TextInFont(u"Mincho")};
    doc.EntMojiN = 1;
    doc.GetFontNames();
    EXPECT_EQ(doc.GetFontNamesIndex(u"@@@Mincho"), 0);
    EXPECT_EQ(doc.GetFontNamesIndex(u"@@@@Mincho"), -1);
    EXPECT_EQ(doc.GetFontNamesIndex(u"mincho"), -1);
    EXPECT_EQ(doc.GetFontNamesIndex(u""), -1);
}

TEST(WholeDrawingFonts, TextsThenDimensionsThenBlockMembersInOrderOfFirstUse) {
    TJwwData doc;
    doc.EntMoji = {TextInFont(u"A"), TextInFont(u""), TextInFont(u"A"), TextInFont(u"Beyond")};
    doc.EntMojiN = 3;  // the last text is not part of the drawing
    doc.EntSunpo = {DimInFont(u"B"), DimInFont(u"@A")};
    doc.EntSunpoN = 2;
    TEntJwwBlockDef def;
    def.mMoji = {TextInFont(u"C")};
    def.mMojiN = 1;
    def.mSunpo = {DimInFont(u"D"), DimInFont(u"E")};
    def.mSunpoN = 1;
    doc.EntBlockDef = {def, def};
    doc.EntBlockDef[1].mMoji = {TextInFont(u"F")};
    doc.EntBlockDefN = 2;
    doc.FontNames = {u"stale"};
    doc.FontNameN = 1;

    doc.GetFontNames();
    EXPECT_EQ(doc.FontNames, (std::vector<std::u16string>{u"A", u"", u"B", u"C", u"D", u"F"}));
    EXPECT_EQ(doc.FontNameN, 6);
}

TEST(WholeDrawingFonts, ManyFontsGrowTheList) {
    TJwwData doc;
    for (int i = 0; i < 250; ++i) {
        doc.EntMoji.push_back(
            TextInFont(u"F" + std::u16string(1, static_cast<char16_t>(0x4E00 + i))));
    }
    doc.EntMojiN = 250;
    doc.GetFontNames();
    ASSERT_EQ(doc.FontNameN, 250);
    EXPECT_EQ(doc.FontNames.size(), 250u);
    EXPECT_EQ(doc.GetFontNamesIndex(doc.EntMoji[249].strFontName), 249);
}

// A drawing with every entity kind, and one of each beyond its count.
class WholeDrawingGeometry : public ::testing::Test {
  protected:
    void SetUp() override {
        TEntJwwLine line;
        line.start_x = 1, line.start_y = 2, line.end_x = 3, line.end_y = 4;
        doc.EntLine = {line, line};
        doc.EntLineN = 1;

        TEntJwwEnko arc;
        arc.start_x = 5, arc.start_y = 6, arc.dHankei = 7;
        arc.radKaishiKaku = 0.5, arc.radEnkoKaku = 1.5, arc.dHenpeiRitsu = 0.8;
        doc.EntEnko = {arc};
        doc.EntEnkoN = 1;

        TEntJwwTen point;
        point.start_x = 8, point.start_y = 9, point.dBairitsu = 1.5, point.radKaitenKaku = 0.25;
        doc.EntTen = {point};
        doc.EntTenN = 1;

        TEntJwwMoji text;
        text.start_x = 10, text.start_y = 11, text.end_x = 12, text.end_y = 13;
        text.dSizeX = 2.5, text.dSizeY = 3.5, text.dKankaku = 0.5, text.degKakudo = 30;
        doc.EntMoji = {text};
        doc.EntMojiN = 1;

        TEntJwwSunpo dim;
        dim.Sen = line;
        dim.Moji = text;
        dim.Ho1 = line;
        dim.Ho2 = line;
        dim.Te1 = dim.Te2 = dim.Kt1 = dim.Kt2 = point;
        doc.EntSunpo = {dim, dim};
        doc.EntSunpo[1].bSxfMode = 1;
        doc.EntSunpoN = 2;

        TEntJwwSolid plain;
        plain.start_x = 1, plain.start_y = 2, plain.end_x = 3, plain.end_y = 4;
        plain.DPoint2_x = 5, plain.DPoint2_y = 6, plain.DPoint3_x = 7, plain.DPoint3_y = 8;
        plain.att.nPenStyle = 100;
        TEntJwwSolid curved = plain;
        curved.att.nPenStyle = 101;
        doc.EntSolid = {plain, curved};
        doc.EntSolidN = 2;

        TEntJwwBlock block;
        block.DPKijunTen_x = 14, block.DPKijunTen_y = 15;
        block.dBairitsuX = 2, block.dBairitsuY = 3, block.radKaitenKaku = 0.75;
        doc.EntBlock = {block};
        doc.EntBlockN = 1;

        TEntJwwBlockDef def;
        def.mLine = {line};
        def.mLineN = 1;
        doc.EntBlockDef = {def};
        doc.EntBlockDefN = 1;
    }

    TJwwData doc;
};

#define EXPECT_POINT(x, y, ex, ey) \
    do {                           \
        EXPECT_EQ(x, ex);          \
        EXPECT_EQ(y, ey);          \
    } while (false)

TEST_F(WholeDrawingGeometry, MoveShiftsEveryPointOfTheDrawingsOwnEntities) {
    doc.MoveEntALL(10, -5);

    EXPECT_POINT(doc.EntLine[0].start_x, doc.EntLine[0].start_y, 11, -3);
    EXPECT_POINT(doc.EntLine[0].end_x, doc.EntLine[0].end_y, 13, -1);
    EXPECT_POINT(doc.EntLine[1].start_x, doc.EntLine[1].start_y, 1, 2);  // beyond the count
    EXPECT_POINT(doc.EntEnko[0].start_x, doc.EntEnko[0].start_y, 15, 1);
    EXPECT_EQ(doc.EntEnko[0].dHankei, 7);
    EXPECT_POINT(doc.EntTen[0].start_x, doc.EntTen[0].start_y, 18, 4);
    EXPECT_EQ(doc.EntTen[0].dBairitsu, 1.5);
    EXPECT_POINT(doc.EntMoji[0].start_x, doc.EntMoji[0].start_y, 20, 6);
    EXPECT_POINT(doc.EntMoji[0].end_x, doc.EntMoji[0].end_y, 22, 8);

    for (const TEntJwwSunpo& dim : doc.EntSunpo) {
        EXPECT_POINT(dim.Sen.start_x, dim.Sen.start_y, 11, -3);
        EXPECT_POINT(dim.Sen.end_x, dim.Sen.end_y, 13, -1);
        EXPECT_POINT(dim.Moji.start_x, dim.Moji.start_y, 20, 6);
        EXPECT_POINT(dim.Moji.end_x, dim.Moji.end_y, 22, 8);
    }
    const TEntJwwSunpo& plainDim = doc.EntSunpo[0];
    EXPECT_POINT(plainDim.Ho1.start_x, plainDim.Ho1.start_y, 1, 2);
    EXPECT_POINT(plainDim.Kt2.start_x, plainDim.Kt2.start_y, 8, 9);
    const TEntJwwSunpo& sxf = doc.EntSunpo[1];
    for (const TEntJwwLine* part : {&sxf.Ho1, &sxf.Ho2}) {
        EXPECT_POINT(part->start_x, part->start_y, 11, -3);
        EXPECT_POINT(part->end_x, part->end_y, 13, -1);
    }
    for (const TEntJwwTen* part : {&sxf.Te1, &sxf.Te2, &sxf.Kt1, &sxf.Kt2}) {
        EXPECT_POINT(part->start_x, part->start_y, 18, 4);
    }

    const TEntJwwSolid& plain = doc.EntSolid[0];
    EXPECT_POINT(plain.start_x, plain.start_y, 11, -3);
    EXPECT_POINT(plain.end_x, plain.end_y, 13, -1);
    EXPECT_POINT(plain.DPoint2_x, plain.DPoint2_y, 15, 1);
    EXPECT_POINT(plain.DPoint3_x, plain.DPoint3_y, 17, 3);
    const TEntJwwSolid& curved = doc.EntSolid[1];
    EXPECT_POINT(curved.start_x, curved.start_y, 11, -3);  // the centre
    EXPECT_POINT(curved.end_x, curved.end_y, 3, 4);        // radius, flattening
    EXPECT_POINT(curved.DPoint2_x, curved.DPoint2_y, 5, 6);
    EXPECT_POINT(curved.DPoint3_x, curved.DPoint3_y, 7, 8);

    EXPECT_POINT(doc.EntBlock[0].DPKijunTen_x, doc.EntBlock[0].DPKijunTen_y, 24, 10);
    EXPECT_EQ(doc.EntBlock[0].dBairitsuX, 2);
    EXPECT_POINT(doc.EntBlockDef[0].mLine[0].start_x, doc.EntBlockDef[0].mLine[0].start_y, 1, 2);
}

// A centre whose coordinates differ shows each axis uses its own.
TEST_F(WholeDrawingGeometry, ScaleAboutACentreOffTheDiagonal) {
    doc.ScaleEntALL(2, -3, 2);  // x becomes 2x - 2, y becomes 2y + 3

    EXPECT_POINT(doc.EntLine[0].start_x, doc.EntLine[0].start_y, 0, 7);
    EXPECT_POINT(doc.EntLine[0].end_x, doc.EntLine[0].end_y, 4, 11);
    EXPECT_POINT(doc.EntEnko[0].start_x, doc.EntEnko[0].start_y, 8, 15);
    EXPECT_EQ(doc.EntEnko[0].dHankei, 14);
}

TEST_F(WholeDrawingGeometry, ScaleMovesPointsAboutTheCentreAndScalesSizes) {
    doc.ScaleEntALL(1, 1, 2);  // p becomes 2p - 1

    EXPECT_POINT(doc.EntLine[0].start_x, doc.EntLine[0].start_y, 1, 3);
    EXPECT_POINT(doc.EntLine[0].end_x, doc.EntLine[0].end_y, 5, 7);
    EXPECT_POINT(doc.EntLine[1].end_x, doc.EntLine[1].end_y, 3, 4);  // beyond the count

    const TEntJwwEnko& arc = doc.EntEnko[0];
    EXPECT_POINT(arc.start_x, arc.start_y, 9, 11);
    EXPECT_EQ(arc.dHankei, 14);
    EXPECT_EQ(arc.radKaishiKaku, 0.5);
    EXPECT_EQ(arc.radEnkoKaku, 1.5);
    EXPECT_EQ(arc.dHenpeiRitsu, 0.8);

    EXPECT_POINT(doc.EntTen[0].start_x, doc.EntTen[0].start_y, 15, 17);
    EXPECT_EQ(doc.EntTen[0].dBairitsu, 3);
    EXPECT_EQ(doc.EntTen[0].radKaitenKaku, 0.25);

    const TEntJwwMoji& text = doc.EntMoji[0];
    EXPECT_POINT(text.start_x, text.start_y, 19, 21);
    EXPECT_POINT(text.end_x, text.end_y, 23, 25);
    EXPECT_EQ(text.dSizeX, 2.5);
    EXPECT_EQ(text.dSizeY, 3.5);
    EXPECT_EQ(text.dKankaku, 0.5);
    EXPECT_EQ(text.degKakudo, 30);

    const TEntJwwSunpo& plainDim = doc.EntSunpo[0];
    EXPECT_POINT(plainDim.Sen.end_x, plainDim.Sen.end_y, 5, 7);
    EXPECT_POINT(plainDim.Moji.start_x, plainDim.Moji.start_y, 19, 21);
    EXPECT_EQ(plainDim.Moji.dSizeY, 3.5);
    EXPECT_POINT(plainDim.Ho2.end_x, plainDim.Ho2.end_y, 3, 4);
    EXPECT_EQ(plainDim.Te1.dBairitsu, 1.5);
    const TEntJwwSunpo& sxf = doc.EntSunpo[1];
    EXPECT_POINT(sxf.Ho2.end_x, sxf.Ho2.end_y, 5, 7);
    for (const TEntJwwTen* part : {&sxf.Te1, &sxf.Te2, &sxf.Kt1, &sxf.Kt2}) {
        EXPECT_POINT(part->start_x, part->start_y, 15, 17);
        EXPECT_EQ(part->dBairitsu, 3);
    }

    const TEntJwwSolid& plain = doc.EntSolid[0];
    EXPECT_POINT(plain.DPoint3_x, plain.DPoint3_y, 13, 15);
    EXPECT_POINT(plain.end_x, plain.end_y, 5, 7);
    const TEntJwwSolid& curved = doc.EntSolid[1];
    EXPECT_POINT(curved.start_x, curved.start_y, 1, 3);
    EXPECT_EQ(curved.end_x, 6);  // the radius
    EXPECT_EQ(curved.end_y, 4);  // flattening
    EXPECT_POINT(curved.DPoint2_x, curved.DPoint2_y, 5, 6);

    const TEntJwwBlock& block = doc.EntBlock[0];
    EXPECT_POINT(block.DPKijunTen_x, block.DPKijunTen_y, 27, 29);
    EXPECT_EQ(block.dBairitsuX, 4);
    EXPECT_EQ(block.dBairitsuY, 6);
    EXPECT_EQ(block.radKaitenKaku, 0.75);
    EXPECT_POINT(doc.EntBlockDef[0].mLine[0].end_x, doc.EntBlockDef[0].mLine[0].end_y, 3, 4);
}

TEST_F(WholeDrawingGeometry, CountsBeyondTheArraysAreHonouredSafely) {
    doc.EntLineN = 1000;
    doc.EntSolidN = -3;
    doc.MoveEntALL(1, 1);
    EXPECT_EQ(doc.EntLine[1].start_x, 2);
    EXPECT_EQ(doc.EntSolid[0].start_x, 1);
}

class WholeDrawingLayers : public ::testing::Test {
  protected:
    void SetUp() override {
        doc.EntLgrp.resize(16);
        doc.EntLay.resize(256);
        for (auto& g : doc.EntLgrp) {
            g.anGLay = 2;
            g.adScale = 1;
        }
        for (auto& l : doc.EntLay)
            l.aanLay = 2;
    }
    TJwwData doc;
    TgraAttribute att;
};

TEST_F(WholeDrawingLayers, StatesFollowGroupAndLayerSettings) {
    struct Case {
        int32_t group, layer, state;
    };
    const Case cases[] = {{0, 0, 3}, {0, 1, 3}, {0, 2, 3}, {1, 0, 3}, {2, 0, 3},
                          {1, 1, 2}, {1, 2, 2}, {2, 1, 2}, {2, 2, 1}, {3, 3, 1}};
    for (const Case& c : cases) {
        doc.EntLgrp[5].anGLay = c.group;
        doc.EntLay[5 * 16 + 9].aanLay = c.layer;
        doc.SetGAttLayer(att);
        EXPECT_EQ(att.GetAttrLayerState(5 * 16 + 9), c.state) << c.group << " " << c.layer;
    }
}

TEST_F(WholeDrawingLayers, ScalesAndLabels) {
    doc.EntLgrp[2].adScale = 50;
    doc.EntLgrp[3].adScale = 0;
    doc.EntLgrp[4].adScale = -2;
    doc.EntLgrp[10].aStrGLayName = u"Walls";
    doc.EntLay[10 * 16 + 11].aStrLayName = u"Doors";
    att.SetAttrLayer(0, 2, 4.0, u"old", u"old");

    doc.SetGAttLayer(att);
    EXPECT_EQ(att.GetAttrLayerScale(2 * 16), 1.0 / 50);
    EXPECT_EQ(att.GetAttrLayerScale(3 * 16 + 15), 1.0);
    EXPECT_EQ(att.GetAttrLayerScale(4 * 16), 1.0);
    EXPECT_EQ(att.GetAttrLayerGName(10 * 16 + 11), u"[A] Walls");
    EXPECT_EQ(att.GetAttrLayerName(10 * 16 + 11), u"(B) Doors");
    EXPECT_EQ(att.GetAttrLayerGName(0), u"[0] ");
    EXPECT_EQ(att.GetAttrLayerState(0), 1);
    EXPECT_EQ(att.GetAttrLayerScale(0), 1.0);
}

TEST(WholeDrawingLayersEmpty, TablesNotSetUpLeaveTheDefaults) {
    TJwwData doc;
    doc.EntLgrp.clear();
    doc.EntLay.clear();
    TgraAttribute att;
    att.SetAttrLayer(7, 3, 2.0, u"x", u"y");
    doc.SetGAttLayer(att);
    EXPECT_EQ(att.GetAttrLayerState(7), 1);
    EXPECT_EQ(att.GetAttrLayerName(7), u"(7) ");
}

}  // namespace
}  // namespace tw
