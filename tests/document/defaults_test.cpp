// TJwwData::DataDefaultSet: the header and tables of a new drawing.
#include <gtest/gtest.h>

#include <bit>

#include <tintwright/document/JwwUnit.h>

namespace tw {
namespace {

class Defaults : public testing::Test {
  protected:
    void SetUp() override {
        doc.DataFree();
        doc.DataDefaultSet();
    }
    TJwwData doc;
};

TEST_F(Defaults, TableLengths) {
    EXPECT_EQ(doc.EntLgrp.size(), 16u);
    EXPECT_EQ(doc.EntLay.size(), 256u);
    EXPECT_EQ(doc.EntCol.size(), 10u);
    EXPECT_EQ(doc.EntLtp1.size(), 8u);
    EXPECT_EQ(doc.EntLtp2.size(), 5u);
    EXPECT_EQ(doc.EntLtp3.size(), 4u);
    EXPECT_EQ(doc.EntMoj.size(), 10u);
    EXPECT_EQ(doc.EntColS.size(), 257u);
    EXPECT_EQ(doc.EntLtpS.size(), 33u);
}

TEST_F(Defaults, Header) {
    const TEntJwwHeader& h = doc.Enthd;
    EXPECT_EQ(h.jwID, u"JwwData.");
    EXPECT_EQ(h.jwVer, 600);
    EXPECT_EQ(h.n1, 0);
    EXPECT_EQ(h.n2, 0);
    EXPECT_EQ(h.lnSunpou1, 2001112);
    EXPECT_EQ(h.lnSunpou2, 5);
    EXPECT_EQ(h.lnSunpou3, 50150030);
    EXPECT_EQ(h.lnSunpou4, 10000000);
    EXPECT_EQ(h.lnSunpou5, 4100);
    EXPECT_EQ(h.nMaxDrawWid, -300);
    EXPECT_TRUE(h.bSenHaba100);
    EXPECT_EQ(h.nMaxDrawWidBak, 100);
    EXPECT_EQ(h.dMemoriHyoujiMin, 15.0);
    EXPECT_EQ(h.dMemoriX, 5.0);
    EXPECT_EQ(h.dKageLevel, 1.5);
    EXPECT_EQ(h.dKageIdo, 36.0);
    EXPECT_EQ(h.dTenkuuZuEnkoR, 100.0);
    for (double scale : h.dZoomJumpBairitsu)
        EXPECT_EQ(scale, 1.0);
    for (int32_t group : h.nZoomJumpGLay)
        EXPECT_EQ(group, -1);
    EXPECT_EQ(h.nMojiBG, 1);
    EXPECT_EQ(h.adFukusenSuuchi[0], 50.0);
    EXPECT_EQ(h.adFukusenSuuchi[9], 500.0);
    EXPECT_EQ(h.nColorPrint, 1);
    EXPECT_EQ(h.nPrtDpi, 1);
    EXPECT_EQ(h.dEye_H_Ichi_1, -4500);
    EXPECT_EQ(h.dEye_H_Ichi_3, -4500);
    EXPECT_EQ(h.dEye_Z_Ichi_1, 2000.0);
    EXPECT_EQ(h.dEye_Y_Ichi_2, 1000000.0);
    EXPECT_EQ(std::bit_cast<uint64_t>(h.dEye_V_Ichi_3), 0x4041A1D785686A66u);
    EXPECT_EQ(h.nSolidNinniColor, 10);
    EXPECT_EQ(h.SolidColor, 0xC0C0C0);
    EXPECT_EQ(h.dMojiSizeX, 3.0);
    EXPECT_EQ(h.dMojiKankaku, 0.5);
    EXPECT_EQ(h.nMojiColor, 2);
    EXPECT_EQ(h.nMojiShu, 3);
    EXPECT_EQ(h.adMojiKijunZureX0, -1.0);
    EXPECT_EQ(h.adMojiKijunZureY0, -1.0);
    EXPECT_EQ(h.adMojiKijunZureY2, 1.0);
}

TEST_F(Defaults, LayersShowLayerZeroOfEachGroupAndGroupZero) {
    for (size_t n = 0; n < doc.EntLay.size(); ++n) {
        EXPECT_EQ(doc.EntLay[n].aanLay, n % 16 == 0 ? 3 : 2) << n;
    }
    for (size_t g = 0; g < doc.EntLgrp.size(); ++g) {
        EXPECT_EQ(doc.EntLgrp[g].anGLay, g == 0 ? 3 : 2) << g;
        EXPECT_EQ(doc.EntLgrp[g].adScale, 1.0);
    }
}

TEST_F(Defaults, PensLineTypesAndTextStyles) {
    EXPECT_EQ(doc.EntCol[1].aPenColor, 0xC0C000);
    EXPECT_EQ(doc.EntCol[1].aPrtPenColor, 0xFFFF00);
    EXPECT_EQ(doc.EntCol[8].aPenColor, 0x8000FF);
    EXPECT_EQ(doc.EntCol[8].anPenWidth, 5);
    EXPECT_EQ(doc.EntCol[8].anPrtPenWidth, 68);
    EXPECT_EQ(doc.EntCol[9].aPrtPenColor, 0x808080);
    EXPECT_EQ(doc.EntCol[3].adPrtTenHankei, 0.4);

    EXPECT_EQ(static_cast<uint32_t>(doc.EntLtp1[0].alLType), 0x99999999u);
    EXPECT_EQ(doc.EntLtp1[4].anTokushuSenUintDot, 32);
    EXPECT_EQ(static_cast<uint32_t>(doc.EntLtp1[7].alLType), 0x22222222u);
    for (const auto& random : doc.EntLtp2) {
        EXPECT_EQ(static_cast<uint32_t>(random.alLType), 0xCCB2B32Au);
    }
    EXPECT_EQ(doc.EntLtp2[4].anPrtTokushuSenPich, 25);
    EXPECT_EQ(doc.EntLtp3[3].anTokushuSenPich, 4);
    EXPECT_EQ(doc.EntLtp3[3].anPrtTokushuSenPich, 40);

    EXPECT_EQ(doc.EntMoj[1].adMojiX, 2.5);
    EXPECT_EQ(doc.EntMoj[9].adMojiY, 10.0);
    EXPECT_EQ(doc.EntMoj[9].anMojiCol, 5);
}

TEST_F(Defaults, ExtendedColours) {
    EXPECT_EQ(doc.EntColS[0].astrUDColorName, u"Color_0");
    EXPECT_EQ(doc.EntColS[0].aPenColor, 0);
    EXPECT_EQ(doc.EntColS[0].aPrtPenColor, 0x000190);
    EXPECT_EQ(doc.EntColS[2].astrUDColorName, u"red");
    EXPECT_EQ(doc.EntColS[2].aPenColor, 0x0000FF);
    EXPECT_EQ(doc.EntColS[2].aPrtPenColor, 0x0000FF);
    EXPECT_EQ(doc.EntColS[14].aPenColor, 0xFF4080);
    EXPECT_EQ(doc.EntColS[16].astrUDColorName, u"darkgray");
    EXPECT_EQ(doc.EntColS[17].astrUDColorName, u"Color_17");
    EXPECT_EQ(doc.EntColS[200].astrUDColorName, u"Color_200");
    EXPECT_EQ(doc.EntColS[256].astrUDColorName, u"Color_256");
    EXPECT_EQ(doc.EntColS[256].aPrtPenColor, 0xC0C0C0);
    for (const auto& c : doc.EntColS) {
        EXPECT_EQ(c.anPenWidth, 18);
        EXPECT_EQ(c.anPrtPenWidth, 18);
        EXPECT_EQ(c.adPrtTenHankei, 0.18);
    }
}

TEST_F(Defaults, ExtendedLineTypes) {
    const TEntJwwLineTypeExNo& dashed = doc.EntLtpS[2];
    EXPECT_EQ(dashed.astrUDLTypeName, u"dashed");
    EXPECT_EQ(static_cast<uint32_t>(dashed.alLType), 0xFE3FFE3Fu);
    EXPECT_EQ(dashed.anUDLTypeSegment, 2);
    EXPECT_EQ(dashed.aadUDLTypePitch[0], 6.0);
    EXPECT_EQ(dashed.aadUDLTypePitch[1], 1.5);
    EXPECT_EQ(dashed.aadUDLTypePitch[2], 0.0);

    const TEntJwwLineTypeExNo& longest = doc.EntLtpS[15];
    EXPECT_EQ(longest.anUDLTypeSegment, 10);
    EXPECT_EQ(longest.aadUDLTypePitch[9], 1.5);
    EXPECT_EQ(longest.anPrtTokushuSenPich, 20);

    EXPECT_EQ(doc.EntLtpS[0].astrUDLTypeName, u"Ltype_0");
    EXPECT_EQ(doc.EntLtpS[0].anUDLTypeSegment, 0);
    EXPECT_EQ(doc.EntLtpS[16].astrUDLTypeName, u"undefined");
    const TEntJwwLineTypeExNo& numbered = doc.EntLtpS[17];
    EXPECT_EQ(numbered.astrUDLTypeName, u"LType_17");
    EXPECT_EQ(static_cast<uint32_t>(numbered.alLType), 0xC3C3C3C3u);
    EXPECT_EQ(numbered.anPrtTokushuSenPich, 48);
    EXPECT_EQ(numbered.anUDLTypeSegment, 2);
    EXPECT_EQ(numbered.aadUDLTypePitch[0], 6.0);
    EXPECT_EQ(numbered.aadUDLTypePitch[1], 6.0);
    EXPECT_EQ(doc.EntLtpS[32].astrUDLTypeName, u"LType_32");
    for (const auto& t : doc.EntLtpS)
        EXPECT_EQ(t.anTokushuSenPich, 1);
}

TEST(DefaultsOverContent, EntitiesAndOptionsStayAndTablesAreRefilled) {
    TJwwData doc;
    doc.SetFileOutOption(kOutUtf16);
    doc.EntLine.resize(2);
    doc.EntLineN = 2;
    doc.EntNo = {{kEntLine, 0}, {kEntLine, 1}};
    doc.Enthd.n1 = 2;
    doc.Enthd.n2 = 3;
    doc.EntLay.resize(256);
    doc.EntLay[5] = {7, 1, u"old"};
    doc.EntLtpS.resize(33);
    doc.EntLtpS[3].aadUDLTypePitch.fill(9.0);
    doc.DataDefaultSet();

    EXPECT_EQ(doc.EntLineN, 2);
    EXPECT_EQ(doc.EntNo.size(), 2u);
    EXPECT_EQ(doc.Enthd.n1, 2);
    EXPECT_EQ(doc.Enthd.n2, 3);
    EXPECT_EQ(doc.FileOutOpt, kOutUtf16);
    EXPECT_EQ(doc.EntLay[5].aanLay, 2);
    EXPECT_EQ(doc.EntLay[5].aanLayProtect, 0);
    EXPECT_TRUE(doc.EntLay[5].aStrLayName.empty());
    EXPECT_EQ(doc.EntLtpS[3].aadUDLTypePitch[2], 0.0);
}

}  // namespace
}  // namespace tw
