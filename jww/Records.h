// The one description of every record of a JWW file, in stream order, with
// its widths and version guards. The writer and the reader both walk these
// functions with their own archive type, so a layout is stated only once.
// What is not symmetric stays outside: the writer filters and clamps a copy
// before describing it; the reader fills defaults and derived values after.
//
// An archive type Ar offers:
//   int32_t version() const          the output version or the file's version
//   void u8(uint8_t&), u16(uint16_t&), u32(uint32_t&), i32(int32_t&), f64(double&)
//   void text(std::u16string&)       a table or entity text (the reader
//                                    removes control characters)
//   void memo(std::u16string&)       a text kept as it is (the memo)
// and, only if it prints names (see NamingArchive), name, open and close.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include <tintwright/document/DrawingRules.h>
#include <tintwright/document/JwwUnit.h>
#include <tintwright/document/jwwtype.h>
#include <tintwright/jww/Versions.h>

namespace tw::rec {

// Archives that print what they walk (the dumper of `dump --json`) also take
// the field names: name(n) before a value, open(n) and close() around a
// record inside a record. The reader and the writer need neither.
template <class Ar>
concept NamingArchive = requires(Ar& ar) {
    ar.name("");
    ar.open("");
    ar.close();
};

template <class Ar>
void Name(Ar& ar, std::string_view name) {
    if constexpr (NamingArchive<Ar>) ar.name(name);
}

// One field of the record r being described, with its name; the elements of
// an array field ("a[i]") each go under the array's name, in order.
#define TW_FIELD(kind, field) (::tw::rec::Name(ar, ::tw::rec::ArrayName(#field)), ar.kind(r.field))

// The name of a field without its index: "a" for "a[i]". A constant
// expression over the literal, so naming costs the other archives nothing.
constexpr std::string_view ArrayName(std::string_view field) {
    return field.substr(0, field.find('['));
}

template <class Ar>
void describe(Ar& ar, TEntJwwAttr& r);
template <class Ar>
void describe(Ar& ar, TEntJwwLine& r);
template <class Ar>
void describe(Ar& ar, TEntJwwTen& r);
template <class Ar>
void describe(Ar& ar, TEntJwwMoji& r);

// A record inside the record r, under its field name.
template <class Ar, class R>
void Nested(Ar& ar, const char* name, R& part) {
    if constexpr (NamingArchive<Ar>) ar.open(name);
    describe(ar, part);
    if constexpr (NamingArchive<Ar>) ar.close();
}

#define TW_RECORD(field) ::tw::rec::Nested(ar, #field, r.field)

template <class Ar>
void describe(Ar& ar, TEntJwwAttr& r) {
    TW_FIELD(u32, lGroup);
    TW_FIELD(u8, nPenStyle);
    TW_FIELD(u16, nPenColor);
    if (ar.version() >= ver::kPenWidth) TW_FIELD(u16, nPenWidth);
    TW_FIELD(u16, nLayer);
    TW_FIELD(u16, nGLayer);
    TW_FIELD(u16, sFlg);
}

template <class Ar>
void describe(Ar& ar, TEntJwwLine& r) {
    TW_RECORD(att);
    TW_FIELD(f64, start_x);
    TW_FIELD(f64, start_y);
    TW_FIELD(f64, end_x);
    TW_FIELD(f64, end_y);
}

template <class Ar>
void describe(Ar& ar, TEntJwwEnko& r) {
    TW_RECORD(att);
    TW_FIELD(f64, start_x);
    TW_FIELD(f64, start_y);
    TW_FIELD(f64, dHankei);
    TW_FIELD(f64, radKaishiKaku);
    TW_FIELD(f64, radEnkoKaku);
    TW_FIELD(f64, radKatamukiKaku);
    TW_FIELD(f64, dHenpeiRitsu);
    TW_FIELD(u32, bZenEnFlg);
}

template <class Ar>
void describeFixed(Ar& ar, TEntJwwTen& r) {
    TW_RECORD(att);
    TW_FIELD(f64, start_x);
    TW_FIELD(f64, start_y);
    TW_FIELD(u32, bKariten);
}

template <class Ar>
void describeMarker(Ar& ar, TEntJwwTen& r) {
    TW_FIELD(u32, nCode);
    TW_FIELD(f64, radKaitenKaku);
    TW_FIELD(f64, dBairitsu);
}

template <class Ar>
void describe(Ar& ar, TEntJwwTen& r) {
    describeFixed(ar, r);
    // A marker point carries three more fields.
    if (rules::IsMarkerPoint(r)) describeMarker(ar, r);
}

template <class Ar>
void describeFixed(Ar& ar, TEntJwwMoji& r) {
    TW_RECORD(att);
    TW_FIELD(f64, start_x);
    TW_FIELD(f64, start_y);
    TW_FIELD(f64, end_x);
    TW_FIELD(f64, end_y);
    TW_FIELD(u32, nMojiShu);
    TW_FIELD(f64, dSizeX);
    TW_FIELD(f64, dSizeY);
    TW_FIELD(f64, dKankaku);
    TW_FIELD(f64, degKakudo);
}

template <class Ar>
void describe(Ar& ar, TEntJwwMoji& r) {
    describeFixed(ar, r);
    TW_FIELD(text, strFontName);
    TW_FIELD(text, str);
}

template <class Ar>
void describe(Ar& ar, TEntJwwSunpo& r) {
    TW_RECORD(att);
    TW_RECORD(Sen);
    TW_RECORD(Moji);
    if (ar.version() < ver::kLongDimension) return;
    TW_FIELD(u16, bSxfMode);
    TW_RECORD(Ho1);
    TW_RECORD(Ho2);
    TW_RECORD(Te1);
    TW_RECORD(Te2);
    TW_RECORD(Kt1);
    TW_RECORD(Kt2);
}

// Pen colour 10 is a solid's own colour, carried in Color.
constexpr uint16_t kSolidOwnColor = 10;

template <class Ar>
void describe(Ar& ar, TEntJwwSolid& r) {
    TW_RECORD(att);
    TW_FIELD(f64, start_x);
    TW_FIELD(f64, start_y);
    TW_FIELD(f64, end_x);
    TW_FIELD(f64, end_y);
    TW_FIELD(f64, DPoint2_x);
    TW_FIELD(f64, DPoint2_y);
    TW_FIELD(f64, DPoint3_x);
    TW_FIELD(f64, DPoint3_y);
    if (r.att.nPenColor == kSolidOwnColor) TW_FIELD(u32, Color);
}

template <class Ar>
void describe(Ar& ar, TEntJwwBlock& r) {
    TW_RECORD(att);
    TW_FIELD(f64, DPKijunTen_x);
    TW_FIELD(f64, DPKijunTen_y);
    TW_FIELD(f64, dBairitsuX);
    TW_FIELD(f64, dBairitsuY);
    TW_FIELD(f64, radKaitenKaku);
    TW_FIELD(u32, nNumber);
}

// Head of a block definition up to dtime; the name follows.
template <class Ar>
void describeHead(Ar& ar, TEntJwwBlockDef& r) {
    TW_RECORD(att);
    TW_FIELD(u32, nNumber);
    TW_FIELD(u32, bRefferd);
    TW_FIELD(u32, dtime);
}

#undef TW_RECORD

// The header section from the memo to the last text-base offset (items 3 to
// 38): the header record and the nine tables it carries.
struct HeaderRefs {
    TEntJwwHeader& Enthd;
    std::vector<TEntJwwLayerGroup>& EntLgrp;
    std::vector<TEntJwwLayer>& EntLay;
    std::vector<TEntJwwColorNo>& EntCol;
    std::vector<TEntJwwLineTypeNo>& EntLtp1;
    std::vector<TEntJwwRandomLineNo>& EntLtp2;
    std::vector<TEntJwwLineTypeNo>& EntLtp3;
    std::vector<TEntJwwColorExNo>& EntColS;
    std::vector<TEntJwwLineTypeExNo>& EntLtpS;
    std::vector<TEntJwwMojiType>& EntMoj;

    static HeaderRefs Of(TJwwData& d) {
        return {d.Enthd,   d.EntLgrp, d.EntLay,  d.EntCol,  d.EntLtp1,
                d.EntLtp2, d.EntLtp3, d.EntColS, d.EntLtpS, d.EntMoj};
    }
};

using tw::tables::kDoubleLineTypes;
using tw::tables::kExtColors;
using tw::tables::kExtLineTypes;
using tw::tables::kLayerGroups;
using tw::tables::kLayersPerGroup;
using tw::tables::kLineTypes;
using tw::tables::kPens;
using tw::tables::kRandomLines;
using tw::tables::kTextStyles;

template <class Ar>
void describeHeader(Ar& ar, HeaderRefs t) {
    TEntJwwHeader& r = t.Enthd;  // the fields named below are its own
    const int32_t v = ar.version();
    TW_FIELD(memo, strMemo);  // 3
    TW_FIELD(i32, nZumen);    // 4
    TW_FIELD(i32, nWriteGLay);
    for (int g = 0; g < kLayerGroups; ++g) {  // 5
        TEntJwwLayerGroup& grp = t.EntLgrp[g];
        ar.i32(grp.anGLay);
        ar.i32(grp.anWriteLay);
        ar.f64(grp.adScale);
        ar.i32(grp.anGLayProtect);
        for (int l = 0; l < kLayersPerGroup; ++l) {
            TEntJwwLayer& lay = t.EntLay[g * kLayersPerGroup + l];
            ar.i32(lay.aanLay);
            ar.i32(lay.aanLayProtect);
        }
    }
    for (uint8_t& b : r.reservedAfterLayers)  // 6
        ar.u8(b);
    TW_FIELD(i32, lnSunpou1);  // 7
    TW_FIELD(i32, lnSunpou2);
    TW_FIELD(i32, lnSunpou3);
    TW_FIELD(i32, lnSunpou4);
    TW_FIELD(i32, lnSunpou5);
    for (uint8_t& b : r.reservedAfterDimensions)  // 8
        ar.u8(b);
    TW_FIELD(i32, nMaxDrawWid);    // 9
    TW_FIELD(f64, DPPrtGenten_x);  // 10
    TW_FIELD(f64, DPPrtGenten_y);
    TW_FIELD(f64, dPrtBairitsu);
    TW_FIELD(i32, nPrtSet);  // 11
    TW_FIELD(i32, nMemoriMode);
    TW_FIELD(f64, dMemoriHyoujiMin);  // 12
    TW_FIELD(f64, dMemoriX);
    TW_FIELD(f64, dMemoriY);
    TW_FIELD(f64, DpMemoriKjTen_x);
    TW_FIELD(f64, DpMemoriKjTen_y);
    for (int i = 0; i < kLayerGroups * kLayersPerGroup; ++i)
        ar.text(t.EntLay[i].aStrLayName);  // 13
    for (int g = 0; g < kLayerGroups; ++g)
        ar.text(t.EntLgrp[g].aStrGLayName);  // 14
    TW_FIELD(f64, dKageLevel);               // 15
    TW_FIELD(f64, dKageIdo);
    TW_FIELD(i32, nKage9_15JiFlg);
    TW_FIELD(f64, dKabeKageLevel);
    if (v >= ver::kSkyMap) {  // 16
        TW_FIELD(f64, dTenkuuZuLevel);
        TW_FIELD(f64, dTenkuuZuEnkoR);
    }
    TW_FIELD(i32, nMMTani3D);  // 17
    TW_FIELD(f64, dBairitsu);  // 18
    TW_FIELD(f64, DPGenten_x);
    TW_FIELD(f64, DPGenten_y);
    TW_FIELD(f64, dHanniBairitsu);
    TW_FIELD(f64, DPHanniGenten_x);
    TW_FIELD(f64, DPHanniGenten_y);
    if (v > ver::kOldZoomJumpsUpTo) {
        for (int i = 0; i < 8; ++i) {  // 19a
            TW_FIELD(f64, dZoomJumpBairitsu[i]);
            TW_FIELD(f64, DPZoomJumpGenten_x[i]);
            TW_FIELD(f64, DPZoomJumpGenten_y[i]);
            TW_FIELD(i32, nZoomJumpGLay[i]);
        }
        TW_FIELD(f64, dDm11);  // 19b
        TW_FIELD(f64, dDm12);
        TW_FIELD(f64, dDm13);
        TW_FIELD(i32, lnDm1);
        TW_FIELD(f64, dDm21);
        TW_FIELD(f64, dDm22);
        TW_FIELD(f64, dMojiBG);
        TW_FIELD(i32, nMojiBG);
    } else {
        for (int i = 0; i < 4; ++i) {  // 19c
            TW_FIELD(f64, dZoomJumpBairitsu[i]);
            TW_FIELD(f64, DPZoomJumpGenten_x[i]);
            TW_FIELD(f64, DPZoomJumpGenten_y[i]);
        }
    }
    for (size_t i = 0; i < r.adFukusenSuuchi.size(); ++i)
        TW_FIELD(f64, adFukusenSuuchi[i]);  // 20
    TW_FIELD(f64, dRyougawaFukusenTomeDe);
    for (int i = 0; i < kPens; ++i) {  // 21
        ar.i32(t.EntCol[i].aPenColor);
        ar.i32(t.EntCol[i].anPenWidth);
    }
    for (int i = 0; i < kPens; ++i) {  // 22
        ar.i32(t.EntCol[i].aPrtPenColor);
        ar.i32(t.EntCol[i].anPrtPenWidth);
        ar.f64(t.EntCol[i].adPrtTenHankei);
    }
    for (int i = 0; i < kLineTypes; ++i) {  // 23
        TEntJwwLineTypeNo& lt = t.EntLtp1[i];
        ar.i32(lt.alLType);
        ar.i32(lt.anTokushuSenUintDot);
        ar.i32(lt.anTokushuSenPich);
        ar.i32(lt.anPrtTokushuSenPich);
    }
    for (int i = 0; i < kRandomLines; ++i) {  // 24
        TEntJwwRandomLineNo& rl = t.EntLtp2[i];
        ar.i32(rl.alLType);
        ar.i32(rl.anRandSenWide);
        ar.i32(rl.anTokushuSenPich);
        ar.i32(rl.anPrtRandSenWide);
        ar.i32(rl.anPrtTokushuSenPich);
    }
    for (int i = 0; i < kDoubleLineTypes; ++i) {  // 25
        TEntJwwLineTypeNo& lt = t.EntLtp3[i];
        ar.i32(lt.alLType);
        ar.i32(lt.anTokushuSenUintDot);
        ar.i32(lt.anTokushuSenPich);
        ar.i32(lt.anPrtTokushuSenPich);
    }
    TW_FIELD(i32, nDrawGamenTen);  // 26
    TW_FIELD(i32, nDrawPrtTen);
    TW_FIELD(i32, nBitMapFirstDraw);
    TW_FIELD(i32, nGyakuDraw);
    TW_FIELD(i32, nGyakuSearch);
    TW_FIELD(i32, nColorPrint);
    TW_FIELD(i32, nLayJunPrint);
    TW_FIELD(i32, nColJunPrint);
    TW_FIELD(i32, nPrtRenzoku);
    TW_FIELD(i32, nPrtKyoutsuuGray);
    TW_FIELD(i32, nPrtDispOnlyNonDraw);  // 27: the writer folds nPrtDpi in, the reader splits it
    if (v >= ver::kEyeSettings) {        // 28
        TW_FIELD(i32, lnDrawTime);
        TW_FIELD(i32, nEyeInit);
        TW_FIELD(i32, dEye_H_Ichi_1);
        TW_FIELD(i32, dEye_H_Ichi_2);
        TW_FIELD(i32, dEye_H_Ichi_3);
        TW_FIELD(f64, dEye_Z_Ichi_1);
        TW_FIELD(f64, dEye_Y_Ichi_1);
        TW_FIELD(f64, dEye_Z_Ichi_2);
        TW_FIELD(f64, dEye_Y_Ichi_2);
        TW_FIELD(f64, dEye_V_Ichi_3);
    }
    if (v >= ver::kPresetSizes) {  // 29
        TW_FIELD(f64, dSenNagasaSnpou);
        TW_FIELD(f64, dBoxSunpouX);
        TW_FIELD(f64, dBoxSunpouY);
        TW_FIELD(f64, dEnHankeiSnpou);
    }
    if (v >= ver::kSolidColor) {  // 30
        TW_FIELD(i32, nSolidNinniColor);
        TW_FIELD(i32, SolidColor);
    }
    if (v >= ver::kExtendedTables) {
        for (int i = 0; i < kExtColors; ++i) {  // 31
            ar.i32(t.EntColS[i].aPenColor);
            ar.i32(t.EntColS[i].anPenWidth);
        }
        for (int i = 0; i < kExtColors; ++i) {  // 32
            TEntJwwColorExNo& c = t.EntColS[i];
            ar.text(c.astrUDColorName);
            ar.i32(c.aPrtPenColor);
            ar.i32(c.anPrtPenWidth);
            ar.f64(c.adPrtTenHankei);
        }
        for (int i = 0; i < kExtLineTypes; ++i) {  // 33
            TEntJwwLineTypeExNo& lt = t.EntLtpS[i];
            ar.i32(lt.alLType);
            ar.i32(lt.anTokushuSenUintDot);
            ar.i32(lt.anTokushuSenPich);
            ar.i32(lt.anPrtTokushuSenPich);
        }
        for (int i = 0; i < kExtLineTypes; ++i) {  // 34
            TEntJwwLineTypeExNo& lt = t.EntLtpS[i];
            ar.text(lt.astrUDLTypeName);
            ar.i32(lt.anUDLTypeSegment);
            for (double& p : lt.aadUDLTypePitch)
                ar.f64(p);
        }
    }
    for (int i = 0; i < kTextStyles; ++i) {  // 35
        ar.f64(t.EntMoj[i].adMojiX);
        ar.f64(t.EntMoj[i].adMojiY);
        ar.f64(t.EntMoj[i].adMojiD);
        ar.i32(t.EntMoj[i].anMojiCol);
    }
    TW_FIELD(f64, dMojiSizeX);  // 36
    TW_FIELD(f64, dMojiSizeY);
    TW_FIELD(f64, dMojiKankaku);  // 37
    TW_FIELD(i32, nMojiColor);
    TW_FIELD(i32, nMojiShu);
    TW_FIELD(f64, dMojiSeiriGyouKan);
    TW_FIELD(f64, dMojiSeiriSuu);
    TW_FIELD(i32, nMojiKijunZureOn);
    TW_FIELD(f64, adMojiKijunZureX0);  // 38
    TW_FIELD(f64, adMojiKijunZureX1);
    TW_FIELD(f64, adMojiKijunZureX2);
    TW_FIELD(f64, adMojiKijunZureY0);
    TW_FIELD(f64, adMojiKijunZureY1);
    TW_FIELD(f64, adMojiKijunZureY2);
}

#undef TW_FIELD

}  // namespace tw::rec
