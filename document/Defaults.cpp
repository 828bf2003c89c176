// TJwwData::DataDefaultSet: the header and the nine tables of a new drawing.
#include <algorithm>
#include <bit>
#include <iterator>
#include <vector>

#include "document/JwwUnit.h"
#include "util/BitCast.h"
#include "util/Func_2.h"

namespace tw {

namespace {

// Line type bit patterns are written as 32-bit integers.
constexpr int32_t Bits(uint32_t pattern) {
    return static_cast<int32_t>(pattern);
}

void SetHeaderDefaults(TEntJwwHeader& h) {
    h.jwID = u"JwwData.";
    h.jwVer = 600;
    h.strMemo.clear();
    h.nZumen = 0;
    h.nWriteGLay = 0;
    h.lnSunpou1 = 2001112;
    h.lnSunpou2 = 5;
    h.lnSunpou3 = 50150030;
    h.lnSunpou4 = 10000000;
    h.lnSunpou5 = 4100;
    h.nMaxDrawWid = -300;
    h.bSenHaba100 = true;
    h.nMaxDrawWidBak = 100;
    h.DPPrtGenten_x = h.DPPrtGenten_y = 0.0;
    h.dPrtBairitsu = 1.0;
    h.nPrtSet = 0;
    h.nMemoriMode = 0;
    h.dMemoriHyoujiMin = 15.0;
    h.dMemoriX = h.dMemoriY = 5.0;
    h.DpMemoriKjTen_x = h.DpMemoriKjTen_y = 0.0;
    h.dKageLevel = 1.5;
    h.dKageIdo = 36.0;
    h.nKage9_15JiFlg = 0;
    h.dKabeKageLevel = 0.0;
    h.dTenkuuZuLevel = 0.0;
    h.dTenkuuZuEnkoR = 100.0;
    h.nMMTani3D = 0;
    h.dBairitsu = 1.0;
    h.DPGenten_x = h.DPGenten_y = 0.0;
    h.dHanniBairitsu = 1.0;
    h.DPHanniGenten_x = h.DPHanniGenten_y = 0.0;
    h.dZoomJumpBairitsu.fill(1.0);
    h.DPZoomJumpGenten_x.fill(0.0);
    h.DPZoomJumpGenten_y.fill(0.0);
    h.nZoomJumpGLay.fill(-1);
    h.dDm11 = h.dDm12 = h.dDm13 = 0.0;
    h.lnDm1 = 0;
    h.dDm21 = h.dDm22 = 0.0;
    h.dMojiBG = 0.0;
    h.nMojiBG = 1;
    for (size_t i = 0; i < h.adFukusenSuuchi.size(); ++i) {
        h.adFukusenSuuchi[i] = 50.0 * static_cast<double>(i + 1);
    }
    h.dRyougawaFukusenTomeDe = 0.0;
    h.nDrawGamenTen = h.nDrawPrtTen = h.nBitMapFirstDraw = h.nGyakuDraw = h.nGyakuSearch = 0;
    h.nColorPrint = h.nLayJunPrint = h.nColJunPrint = 1;
    h.nPrtRenzoku = h.nPrtKyoutsuuGray = h.nPrtDispOnlyNonDraw = 0;
    h.nPrtDpi = 1;
    h.lnDrawTime = 0;
    h.nEyeInit = 0;
    h.dEye_H_Ichi_1 = h.dEye_H_Ichi_2 = h.dEye_H_Ichi_3 = -4500;
    h.dEye_Z_Ichi_1 = 2000.0;
    h.dEye_Y_Ichi_1 = h.dEye_Z_Ichi_2 = h.dEye_Y_Ichi_2 = 1000000.0;
    // The exact value Jw_cad writes (the isometric view angle, 35.26...).
    h.dEye_V_Ichi_3 = BitCast<double>(uint64_t{0x4041A1D785686A66});
    h.dSenNagasaSnpou = h.dBoxSunpouX = h.dBoxSunpouY = h.dEnHankeiSnpou = 0.0;
    h.nSolidNinniColor = 10;
    h.SolidColor = PackRGB(192, 192, 192);
    h.dMojiSizeX = h.dMojiSizeY = 3.0;
    h.dMojiKankaku = 0.5;
    h.nMojiColor = 2;
    h.nMojiShu = 3;
    h.dMojiSeiriGyouKan = h.dMojiSeiriSuu = 0.0;
    h.nMojiKijunZureOn = 0;
    h.adMojiKijunZureX0 = -1.0;
    h.adMojiKijunZureX1 = 0.0;
    h.adMojiKijunZureX2 = 0.0;
    h.adMojiKijunZureY0 = -1.0;
    h.adMojiKijunZureY1 = 0.0;
    h.adMojiKijunZureY2 = 1.0;
}

void SetLayerDefaults(std::vector<TEntJwwLayerGroup>& groups, std::vector<TEntJwwLayer>& layers) {
    for (size_t g = 0; g < groups.size(); ++g) {
        groups[g] = {.anGLay = g == 0 ? 3 : 2,
                     .anWriteLay = 0,
                     .adScale = 1.0,
                     .anGLayProtect = 0,
                     .aStrGLayName = {}};
    }
    for (size_t n = 0; n < layers.size(); ++n) {
        layers[n] = {.aanLay = n % 16 == 0 ? 3 : 2, .aanLayProtect = 0, .aStrLayName = {}};
    }
}

void SetPenDefaults(std::vector<TEntJwwColorNo>& pens) {
    struct Pen {
        int32_t screen[3];
        int32_t width;
        int32_t print[3];
        int32_t printWidth;
        double radius;
    };
    static constexpr Pen kPens[] = {
        {{255, 255, 255}, 1, {255, 255, 255}, 1, 0.1},
        {{0, 192, 192}, 1, {0, 255, 255}, 8, 0.2},
        {{0, 0, 0}, 1, {0, 0, 0}, 17, 0.3},
        {{0, 192, 0}, 1, {0, 255, 0}, 25, 0.4},
        {{192, 192, 0}, 1, {255, 255, 0}, 34, 0.5},
        {{192, 0, 192}, 1, {255, 0, 255}, 42, 0.5},
        {{0, 0, 255}, 2, {0, 0, 255}, 51, 0.5},
        {{0, 128, 128}, 3, {0, 128, 128}, 59, 0.5},
        {{255, 0, 128}, 5, {255, 0, 0}, 68, 0.5},
        {{192, 192, 192}, 1, {128, 128, 128}, 1, 0.1},
    };
    for (size_t i = 0; i < std::size(kPens); ++i) {
        const Pen& p = kPens[i];
        pens[i] = {.aPenColor = PackRGB(p.screen[0], p.screen[1], p.screen[2]),
                   .anPenWidth = p.width,
                   .aPrtPenColor = PackRGB(p.print[0], p.print[1], p.print[2]),
                   .anPrtPenWidth = p.printWidth,
                   .adPrtTenHankei = p.radius};
    }
}

void SetLineTypeDefaults(std::vector<TEntJwwLineTypeNo>& basic,
                         std::vector<TEntJwwRandomLineNo>& random,
                         std::vector<TEntJwwLineTypeNo>& further) {
    static constexpr TEntJwwLineTypeNo kBasic[] = {
        {Bits(0x99999999), 4, 1, 10},  {Bits(0xC3C3C3C3), 8, 1, 10},  {Bits(0xE7E7E7E7), 8, 1, 10},
        {Bits(0xF99FF99F), 16, 1, 10}, {Bits(0xFFF99FFF), 32, 1, 10}, {Bits(0xF24FF24F), 16, 1, 10},
        {Bits(0xFFF24FFF), 32, 1, 10}, {Bits(0x22222222), 4, 1, 10},
    };
    static constexpr TEntJwwRandomLineNo kRandom[] = {
        {Bits(0xCCB2B32A), 1, 3, 1, 5},  {Bits(0xCCB2B32A), 1, 4, 1, 10},
        {Bits(0xCCB2B32A), 2, 5, 2, 15}, {Bits(0xCCB2B32A), 2, 6, 2, 20},
        {Bits(0xCCB2B32A), 2, 7, 2, 25},
    };
    static constexpr TEntJwwLineTypeNo kFurther[] = {
        {Bits(0xFFF99FFF), 32, 2, 20},
        {Bits(0xFFF24FFF), 32, 2, 20},
        {Bits(0xFFFE7FFF), 32, 2, 20},
        {Bits(0xFFFE7FFF), 32, 4, 40},
    };
    std::copy(std::begin(kBasic), std::end(kBasic), basic.begin());
    std::copy(std::begin(kRandom), std::end(kRandom), random.begin());
    std::copy(std::begin(kFurther), std::end(kFurther), further.begin());
}

void SetTextStyleDefaults(std::vector<TEntJwwMojiType>& styles) {
    static constexpr TEntJwwMojiType kStyles[] = {
        {2.0, 2.0, 0.0, 1}, {2.5, 2.5, 0.0, 1},   {3.0, 3.0, 0.5, 2}, {4.0, 4.0, 0.5, 2},
        {5.0, 5.0, 0.5, 3}, {6.0, 6.0, 1.0, 3},   {7.0, 7.0, 1.0, 4}, {8.0, 8.0, 1.0, 4},
        {9.0, 9.0, 1.0, 5}, {10.0, 10.0, 1.0, 5},
    };
    std::copy(std::begin(kStyles), std::end(kStyles), styles.begin());
}

void SetExtendedColourDefaults(std::vector<TEntJwwColorExNo>& colours) {
    struct Named {
        const char16_t* name;
        int32_t rgb[3];
    };
    static constexpr Named kNamed[] = {
        {u"Color_0", {0, 0, 0}},
        {u"black", {0, 0, 0}},
        {u"red", {255, 0, 0}},
        {u"green", {0, 255, 0}},
        {u"blue", {0, 0, 255}},
        {u"yellow", {255, 255, 0}},
        {u"magenta", {255, 0, 255}},
        {u"cyan", {0, 255, 255}},
        {u"white", {255, 255, 255}},
        {u"deeppink", {192, 0, 128}},
        {u"brown", {192, 128, 64}},
        {u"orange", {255, 128, 0}},
        {u"lightgreen", {128, 192, 128}},
        {u"lightblue", {0, 128, 255}},
        {u"lavender", {128, 64, 255}},
        {u"lightgray", {192, 192, 192}},
        {u"darkgray", {128, 128, 128}},
    };
    const int32_t gray = PackRGB(192, 192, 192);
    for (size_t i = 0; i < colours.size(); ++i) {
        TEntJwwColorExNo& c = colours[i];
        if (i < std::size(kNamed)) {
            c.astrUDColorName = kNamed[i].name;
            c.aPenColor = PackRGB(kNamed[i].rgb[0], kNamed[i].rgb[1], kNamed[i].rgb[2]);
        } else {
            c.astrUDColorName = u"Color_" + IntToText(static_cast<int32_t>(i));
            c.aPenColor = gray;
        }
        c.aPrtPenColor = c.aPenColor;
        c.anPenWidth = 18;
        c.anPrtPenWidth = 18;
        c.adPrtTenHankei = 0.18;
    }
    // Entry 0 prints in a colour of its own although it shows black.
    colours[0].aPrtPenColor = PackRGB(144, 1, 0);
}

void SetExtendedLineTypeDefaults(std::vector<TEntJwwLineTypeExNo>& types) {
    struct Named {
        const char16_t* name;
        uint32_t pattern;
        int32_t unitDot;
        int32_t printPitch;
        std::vector<double> pitches;
    };
    const Named named[] = {
        {u"Ltype_0", 0xFFFFFFFF, 32, 10, {}},
        {u"continuous", 0xFFFFFFFF, 32, 10, {}},
        {u"dashed", 0xFE3FFE3F, 16, 15, {6, 1.5}},
        {u"dashed spaced", 0xF00FF00F, 16, 24, {6, 6}},
        {u"long dashed dotted", 0xFFFBBFFF, 32, 15, {12, 1.5, 0.25, 1.5}},
        {u"long dashed double-dotted", 0xFFEEEFFF, 32, 17, {12, 1.5, 0.25, 1.5, 0.25, 1.5}},
        {u"long dashed triplicate-dotted",
         0xFFBBBBFF,
         32,
         19,
         {12, 1.5, 0.25, 1.5, 0.25, 1.5, 0.25, 1.5}},
        {u"dotted", 0x10101010, 8, 7, {0.25, 1.5}},
        {u"chain", 0xFFFDBFFF, 32, 19, {12, 1.5, 3.5, 1.5}},
        {u"chain double dash", 0xFFF6DFFF, 32, 24, {12, 1.5, 3.5, 1.5, 3.5, 1.5}},
        {u"dashed dotted", 0xFFE083FF, 32, 9, {6, 1.5, 0.25, 1.5}},
        {u"double-dashed dotted", 0xFC7FF11F, 32, 17, {6, 1.5, 6, 1.5, 0.25, 1.5}},
        {u"dashed double-dotted", 0xFF8421FF, 32, 11, {6, 1.5, 0.25, 1.5, 0.25, 1.5}},
        {u"double-dashed double-dotted",
         0xF8FF888F,
         32,
         19,
         {6, 1.5, 6, 1.5, 0.25, 1.5, 0.25, 1.5}},
        {u"dashed triplicate-dotted",
         0xFE10843F,
         32,
         13,
         {6, 1.5, 0.25, 1.5, 0.25, 1.5, 0.25, 1.5}},
        {u"double-dashed triplicate-dotted",
         0xF9FF249F,
         32,
         20,
         {6, 1.5, 6, 1.5, 0.25, 1.5, 0.25, 1.5, 0.25, 1.5}},
        {u"undefined", 0xFFFFFFFF, 32, 10, {}},
    };
    // Entries past the named ones are numbered two-segment dashes.
    const Named numbered{nullptr, 0xC3C3C3C3, 8, 48, {6, 6}};
    for (size_t i = 0; i < types.size(); ++i) {
        const Named& n = i < std::size(named) ? named[i] : numbered;
        TEntJwwLineTypeExNo& t = types[i];
        t.astrUDLTypeName =
            n.name ? std::u16string(n.name) : u"LType_" + IntToText(static_cast<int32_t>(i));
        t.alLType = Bits(n.pattern);
        t.anTokushuSenUintDot = n.unitDot;
        t.anTokushuSenPich = 1;
        t.anPrtTokushuSenPich = n.printPitch;
        t.anUDLTypeSegment = static_cast<int32_t>(n.pitches.size());
        t.aadUDLTypePitch.fill(0.0);
        std::copy(n.pitches.begin(), n.pitches.end(), t.aadUDLTypePitch.begin());
    }
}

}  // namespace

void TJwwData::DataDefaultSet() {
    SetHeaderDefaults(Enthd);

    SetTableLengths();

    SetLayerDefaults(EntLgrp, EntLay);
    SetPenDefaults(EntCol);
    SetLineTypeDefaults(EntLtp1, EntLtp2, EntLtp3);
    SetTextStyleDefaults(EntMoj);
    SetExtendedColourDefaults(EntColS);
    SetExtendedLineTypeDefaults(EntLtpS);
}

}  // namespace tw
