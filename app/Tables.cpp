// The settings tables of the test drawing. Each method sets every field of
// every entry of its tables, so nothing of the defaults survives in them.
#include <array>

#include <tintwright/util/Func_2.h>
#include "app/Unit1.h"

namespace tw {

namespace {

constexpr int32_t kWhite = 0xFFFFFF;
constexpr int32_t kBlack = 0;

struct PenRow {
    int32_t r, g, b;
    int32_t width;
    int32_t pr, pg, pb;
    int32_t prtWidth;
    double prtTenHankei;
};

constexpr std::array<PenRow, 10> kPens{{{255, 255, 255, 1, 255, 255, 255, 1, 1.0},
                                        {0, 192, 192, 1, 0, 255, 255, 8, 0.2},
                                        {0, 0, 0, 1, 0, 0, 0, 17, 0.3},
                                        {0, 192, 0, 1, 0, 255, 0, 25, 0.4},
                                        {192, 192, 0, 1, 255, 255, 0, 34, 0.5},
                                        {192, 0, 192, 1, 255, 0, 255, 42, 0.5},
                                        {0, 0, 255, 2, 0, 0, 255, 51, 0.5},
                                        {0, 128, 128, 3, 0, 128, 128, 59, 0.5},
                                        {255, 0, 128, 5, 255, 0, 0, 68, 0.5},
                                        {192, 192, 192, 1, 128, 128, 128, 1, 1.0}}};

constexpr std::array<TEntJwwLineTypeNo, 8> kLineTypes{{
    {static_cast<int32_t>(0x99999999), 4, 1, 10},
    {static_cast<int32_t>(0xC3C3C3C3), 8, 1, 10},
    {static_cast<int32_t>(0xE7E7E7E7), 8, 1, 10},
    {static_cast<int32_t>(0xF99FF99F), 16, 1, 10},
    {static_cast<int32_t>(0xFFF99FFF), 32, 1, 10},
    {static_cast<int32_t>(0xF24FF24F), 16, 1, 10},
    {static_cast<int32_t>(0xFFF24FFF), 32, 1, 10},
    {0x22222222, 4, 1, 10},
}};

constexpr int32_t kRandomLineType = static_cast<int32_t>(0xCCB2B32A);
constexpr std::array<TEntJwwRandomLineNo, 5> kRandomLines{{
    {kRandomLineType, 1, 3, 1, 5},
    {kRandomLineType, 1, 4, 1, 10},
    {kRandomLineType, 2, 5, 2, 15},
    {kRandomLineType, 2, 6, 2, 20},
    {kRandomLineType, 2, 7, 2, 25},
}};

constexpr std::array<TEntJwwLineTypeNo, 4> kDoubleLineTypes{{
    {static_cast<int32_t>(0xFFF99FFF), 32, 2, 20},
    {static_cast<int32_t>(0xFFF24FFF), 32, 2, 20},
    {static_cast<int32_t>(0xFFFE7FFF), 32, 2, 20},
    {static_cast<int32_t>(0xFFFE7FFF), 32, 4, 40},
}};

struct MojiRow {
    double size;
    double spacing;
    int32_t pen;
};

constexpr std::array<MojiRow, 10> kMojis{{{2.0, 0.0, 1},
                                          {2.5, 0.0, 1},
                                          {3.0, 0.5, 2},
                                          {4.0, 0.5, 2},
                                          {5.0, 0.5, 3},
                                          {6.0, 1.0, 3},
                                          {7.0, 1.0, 4},
                                          {8.0, 1.0, 4},
                                          {9.0, 1.0, 5},
                                          {10.0, 1.0, 5}}};

constexpr int32_t kExtendedWidth = 18;
constexpr double kExtendedTenHankei = 0.18;

}  // namespace

void TForm1::InitLayer(TJwwData& JW) const {
    for (int32_t g = 0; g < 16; ++g) {
        TEntJwwLayerGroup& group = JW.EntLgrp[g];
        group.anGLay = g == 0 ? 3 : 2;
        group.anWriteLay = 0;
        group.adScale = 1.0;
        group.anGLayProtect = 0;
        group.aStrGLayName.clear();
        for (int32_t l = 0; l < 16; ++l) {
            TEntJwwLayer& layer = JW.EntLay[16 * g + l];
            layer.aanLay = l == 0 ? 3 : 2;
            layer.aanLayProtect = 0;
            layer.aStrLayName.clear();
        }
    }
}

void TForm1::InitColor(TJwwData& JW) const {
    for (size_t i = 0; i < kPens.size(); ++i) {
        const PenRow& row = kPens[i];
        TEntJwwColorNo& pen = JW.EntCol[i];
        pen.aPenColor = PackRGB(row.r, row.g, row.b);
        pen.anPenWidth = row.width;
        pen.aPrtPenColor = PackRGB(row.pr, row.pg, row.pb);
        pen.anPrtPenWidth = row.prtWidth;
        pen.adPrtTenHankei = row.prtTenHankei;
    }

    // Entries 0 and 1 both take palette entry 0, so that line k of the grid
    // (pen 101 + k) shows palette entry k. On the white background of mode 0
    // a white line would vanish, so white is drawn black.
    for (int32_t i = 0; i <= 256; ++i) {
        const int32_t c = DXFColorMap[i >= 1 ? i - 1 : 0];
        const int32_t v = c == kWhite ? kBlack : c;
        TEntJwwColorExNo& colour = JW.EntColS[i];
        colour.aPenColor = v;
        colour.aPrtPenColor = v;
        colour.astrUDColorName = u"COLOR_" + IntToText(i);
        colour.anPenWidth = kExtendedWidth;
        colour.anPrtPenWidth = kExtendedWidth;
        colour.adPrtTenHankei = kExtendedTenHankei;
    }
}

void TForm1::InitLtype(TJwwData& JW) const {
    for (size_t i = 0; i < kLineTypes.size(); ++i)
        JW.EntLtp1[i] = kLineTypes[i];
    for (size_t i = 0; i < kRandomLines.size(); ++i)
        JW.EntLtp2[i] = kRandomLines[i];
    for (size_t i = 0; i < kDoubleLineTypes.size(); ++i)
        JW.EntLtp3[i] = kDoubleLineTypes[i];
}

void TForm1::InitMojis(TJwwData& JW) const {
    for (size_t i = 0; i < kMojis.size(); ++i) {
        TEntJwwMojiType& style = JW.EntMoj[i];
        style.adMojiX = kMojis[i].size;
        style.adMojiY = kMojis[i].size;
        style.adMojiD = kMojis[i].spacing;
        style.anMojiCol = kMojis[i].pen;
    }
}

void TForm1::InitElses(TJwwData& JW) const {
    JW.Enthd.lnSunpou1 = 2001112;
    JW.Enthd.lnSunpou2 = 5;
    JW.Enthd.lnSunpou3 = 50150030;
    JW.Enthd.lnSunpou4 = 10000000;
    JW.Enthd.lnSunpou5 = 4100;
}

}  // namespace tw
