// Plain records of a JWW drawing. Field names, types and widths follow the
// object records of the file; the serialisation is explicit (jww/Records.h),
// so these are ordinary structs and carry no packing requirements.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tw {

// Fixed table lengths of the format.
namespace tables {
constexpr int kLayerGroups = 16;
constexpr int kLayersPerGroup = 16;
constexpr int kPens = 10;
constexpr int kLineTypes = 8;
constexpr int kRandomLines = 5;
constexpr int kDoubleLineTypes = 4;
constexpr int kExtColors = 257;
constexpr int kExtLineTypes = 33;
constexpr int kTextStyles = 10;
}  // namespace tables

// Entity kinds of TEntJwwNo::EntType.
enum : int32_t {
    kEntLine = 1,
    kEntArc = 2,
    kEntPoint = 3,
    kEntText = 4,
    kEntDim = 5,
    kEntSolid = 6,
    kEntBlock = 7,
};

// One entry of an order list: an entity by kind and zero-based index.
struct TEntJwwNo {
    int32_t EntType = 0;
    int32_t EntNo = 0;
};

// Leads every entity record: 15 bytes on disk (13 below version 3.51,
// which has no nPenWidth).
struct TEntJwwAttr {
    uint32_t lGroup = 0;
    uint8_t nPenStyle = 0;
    uint16_t nPenColor = 0;
    uint16_t nPenWidth = 0;  // width x 100; 0 = the pen colour's width
    uint16_t nLayer = 0;
    uint16_t nGLayer = 0;
    uint16_t sFlg = 0;
};

struct TEntJwwLine {  // 47 bytes on disk
    TEntJwwAttr att;
    double start_x = 0, start_y = 0, end_x = 0, end_y = 0;
};

struct TEntJwwEnko {  // arc, circle, elliptic arc or ellipse; 75 bytes
    TEntJwwAttr att;
    double start_x = 0, start_y = 0;  // centre
    double dHankei = 0;
    double radKaishiKaku = 0;
    double radEnkoKaku = 0;
    double radKatamukiKaku = 0;
    double dHenpeiRitsu = 0;
    uint32_t bZenEnFlg = 0;
};

struct TEntJwwTen {   // point; 35 bytes, 55 with the marker fields
    TEntJwwAttr att;  // nPenStyle 1, or 100 for a marker point
    double start_x = 0, start_y = 0;
    uint32_t bKariten = 0;
    uint32_t nCode = 0;
    double radKaitenKaku = 0;
    double dBairitsu = 0;
};

struct TEntJwwMoji {  // text; 83 fixed bytes, then font name and text
    TEntJwwAttr att;
    double start_x = 0, start_y = 0, end_x = 0, end_y = 0;
    uint32_t nMojiShu = 0;
    double dSizeX = 0, dSizeY = 0;
    double dKankaku = 0;
    double degKakudo = 0;
    std::u16string strFontName;
    std::u16string str;
};

struct TEntJwwSunpo {  // dimension
    TEntJwwAttr att;
    TEntJwwLine Sen;
    TEntJwwMoji Moji;
    uint16_t bSxfMode = 0;  // nonzero: the six parts below are used
    TEntJwwLine Ho1, Ho2;
    TEntJwwTen Te1, Te2;
    TEntJwwTen Kt1, Kt2;
};

struct TEntJwwSolid {  // 79 bytes, 83 with Color
    TEntJwwAttr att;   // nPenColor 10: the solid's own Color
    double start_x = 0, start_y = 0;
    double end_x = 0, end_y = 0;
    double DPoint2_x = 0, DPoint2_y = 0;
    double DPoint3_x = 0, DPoint3_y = 0;
    uint32_t Color = 0;
};

struct TEntJwwBlock {  // block insertion; 59 bytes
    TEntJwwAttr att;
    double DPKijunTen_x = 0, DPKijunTen_y = 0;
    double dBairitsuX = 0, dBairitsuY = 0;
    double radKaitenKaku = 0;
    uint32_t nNumber = 0;
};

struct TEntJwwBlockDef {  // head: 27 bytes on disk up to dtime
    TEntJwwAttr att;
    uint32_t nNumber = 0;
    uint32_t bRefferd = 0;
    uint32_t dtime = 0;
    std::u16string strName;
    int32_t N = 0;
    std::vector<TEntJwwNo> mNo;
    int32_t mLineN = 0, mEnkoN = 0, mTenN = 0, mMojiN = 0, mSunpoN = 0, mSolidN = 0, mBlockN = 0;
    std::vector<TEntJwwLine> mLine;
    std::vector<TEntJwwEnko> mEnko;
    std::vector<TEntJwwTen> mTen;
    std::vector<TEntJwwMoji> mMoji;
    std::vector<TEntJwwSunpo> mSunpo;
    std::vector<TEntJwwSolid> mSolid;
    std::vector<TEntJwwBlock> mBlock;
    bool ref_flag = false;  // computed by MakeBlockTree
    int32_t ref_no = -1;    // computed by MakeBlockTree
};

// One node of the computed tree of block insertions.
struct TEntJwwBlockTree {
    TEntJwwAttr att;
    int32_t level = 0;
    int32_t parent = -1;
    uint32_t no = 0;
    int32_t defno = -1;
    std::u16string name;
    double x = 0, y = 0;
    double r1 = 0, r2 = 0, r3 = 0, r4 = 0;  // [r1 r2; r3 r4]
};

struct TEntJwwLayerGroup {
    int32_t anGLay = 0;
    int32_t anWriteLay = 0;
    double adScale = 0;
    int32_t anGLayProtect = 0;
    std::u16string aStrGLayName;
};

struct TEntJwwLayer {
    int32_t aanLay = 0;
    int32_t aanLayProtect = 0;
    std::u16string aStrLayName;
};

struct TEntJwwColorNo {
    int32_t aPenColor = 0;
    int32_t anPenWidth = 0;
    int32_t aPrtPenColor = 0;
    int32_t anPrtPenWidth = 0;
    double adPrtTenHankei = 0;
};

struct TEntJwwLineTypeNo {
    int32_t alLType = 0;
    int32_t anTokushuSenUintDot = 0;
    int32_t anTokushuSenPich = 0;
    int32_t anPrtTokushuSenPich = 0;
};

struct TEntJwwRandomLineNo {
    int32_t alLType = 0;
    int32_t anRandSenWide = 0;
    int32_t anTokushuSenPich = 0;
    int32_t anPrtRandSenWide = 0;
    int32_t anPrtTokushuSenPich = 0;
};

struct TEntJwwColorExNo {
    int32_t aPenColor = 0;
    int32_t anPenWidth = 0;
    std::u16string astrUDColorName;
    int32_t aPrtPenColor = 0;
    int32_t anPrtPenWidth = 0;
    double adPrtTenHankei = 0;
};

struct TEntJwwLineTypeExNo {
    int32_t alLType = 0;
    int32_t anTokushuSenUintDot = 0;
    int32_t anTokushuSenPich = 0;
    int32_t anPrtTokushuSenPich = 0;
    std::u16string astrUDLTypeName;
    int32_t anUDLTypeSegment = 0;
    // Pitches 1 to 10 of the file are entries 0 to 9.
    std::array<double, 10> aadUDLTypePitch{};
};

struct TEntJwwMojiType {
    double adMojiX = 0;
    double adMojiY = 0;
    double adMojiD = 0;
    int32_t anMojiCol = 0;
};

// 56 blanks: what a new drawing stores in the reserved bytes after its
// layer table.
constexpr std::array<uint8_t, 56> BlankReserve() {
    std::array<uint8_t, 56> bytes{};
    bytes.fill(0x20);
    return bytes;
}

// The drawing's settings, in file order. The stored views 1 to 8 are
// entries 0 to 7 of their arrays.
struct TEntJwwHeader {
    std::u16string jwID;
    int32_t jwVer = 0;
    std::u16string strMemo;
    int32_t nZumen = 0;
    int32_t nWriteGLay = 0;
    // The bytes the format reserves after the layer table and after the
    // dimension settings: blanks and zeros in a new drawing, kept as a file
    // gives them (Jw_cad leaves values there), so a drawing saves as read.
    std::array<uint8_t, 56> reservedAfterLayers = BlankReserve();
    int32_t lnSunpou1 = 0, lnSunpou2 = 0, lnSunpou3 = 0, lnSunpou4 = 0, lnSunpou5 = 0;
    std::array<uint8_t, 4> reservedAfterDimensions{};
    int32_t nMaxDrawWid = 0;
    bool bSenHaba100 = false;
    int32_t nMaxDrawWidBak = 0;
    double DPPrtGenten_x = 0, DPPrtGenten_y = 0;
    double dPrtBairitsu = 0;
    int32_t nPrtSet = 0;
    int32_t nMemoriMode = 0;
    double dMemoriHyoujiMin = 0;
    double dMemoriX = 0, dMemoriY = 0;
    double DpMemoriKjTen_x = 0, DpMemoriKjTen_y = 0;
    double dKageLevel = 0;
    double dKageIdo = 0;
    int32_t nKage9_15JiFlg = 0;
    double dKabeKageLevel = 0;
    double dTenkuuZuLevel = 0;
    double dTenkuuZuEnkoR = 0;
    int32_t nMMTani3D = 0;
    double dBairitsu = 0;
    double DPGenten_x = 0, DPGenten_y = 0;
    double dHanniBairitsu = 0;
    double DPHanniGenten_x = 0, DPHanniGenten_y = 0;
    std::array<double, 8> dZoomJumpBairitsu{};
    std::array<double, 8> DPZoomJumpGenten_x{};
    std::array<double, 8> DPZoomJumpGenten_y{};
    std::array<int32_t, 8> nZoomJumpGLay{};
    double dDm11 = 0, dDm12 = 0, dDm13 = 0;
    int32_t lnDm1 = 0;
    double dDm21 = 0, dDm22 = 0;
    double dMojiBG = 0;
    int32_t nMojiBG = 0;
    std::array<double, 10> adFukusenSuuchi{};
    double dRyougawaFukusenTomeDe = 0;
    int32_t nDrawGamenTen = 0;
    int32_t nDrawPrtTen = 0;
    int32_t nBitMapFirstDraw = 0;
    int32_t nGyakuDraw = 0;
    int32_t nGyakuSearch = 0;
    int32_t nColorPrint = 0;
    int32_t nLayJunPrint = 0;
    int32_t nColJunPrint = 0;
    int32_t nPrtRenzoku = 0;
    int32_t nPrtKyoutsuuGray = 0;
    int32_t nPrtDispOnlyNonDraw = 0;
    int32_t nPrtDpi = 0;
    int32_t lnDrawTime = 0;
    int32_t nEyeInit = 0;
    int32_t dEye_H_Ichi_1 = 0, dEye_H_Ichi_2 = 0, dEye_H_Ichi_3 = 0;  // integers on disk
    double dEye_Z_Ichi_1 = 0, dEye_Y_Ichi_1 = 0;
    double dEye_Z_Ichi_2 = 0, dEye_Y_Ichi_2 = 0;
    double dEye_V_Ichi_3 = 0;
    double dSenNagasaSnpou = 0;
    double dBoxSunpouX = 0, dBoxSunpouY = 0;
    double dEnHankeiSnpou = 0;
    int32_t nSolidNinniColor = 0;
    int32_t SolidColor = 0;
    double dMojiSizeX = 0, dMojiSizeY = 0;
    double dMojiKankaku = 0;
    int32_t nMojiColor = 0;
    int32_t nMojiShu = 0;
    double dMojiSeiriGyouKan = 0;
    double dMojiSeiriSuu = 0;
    int32_t nMojiKijunZureOn = 0;
    double adMojiKijunZureX0 = 0, adMojiKijunZureX1 = 0, adMojiKijunZureX2 = 0;
    double adMojiKijunZureY0 = 0, adMojiKijunZureY1 = 0, adMojiKijunZureY2 = 0;
    int32_t n1 = 0;  // entries of the order list EntNo
    int32_t n2 = 0;  // block definitions
};

// A pair of the reference table: key s1 and its replacement s2.
struct TStr2List {
    std::u16string s1;
    std::u16string s2;
};

// One image file bound to the drawing.
struct TBindImageType {
    std::u16string Fname;  // plain file name inside BindImageFolder
    int32_t Fsize = 0;
    bool exf = false;  // set by the writer for the images it embeds
    // The file's bytes as the drawing embeds them, when a reading kept them
    // in memory (BindImageExr without BindImageExp); empty when the file is
    // in BindImageFolder. Outputs and the writer take these first.
    std::string Stored{};
};

}  // namespace tw
