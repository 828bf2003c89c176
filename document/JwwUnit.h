// TJwwData: a JWW drawing in memory. A plain container with public fields;
// its operations are split by concern over several source files:
//   document/JwwUnit.cpp       create, empty, output option, block numbers
//   document/BlockTree.cpp     MakeBlockTree
//   document/Defaults.cpp      DataDefaultSet
//   document/BindImage.cpp     bound-image store
//   document/EntityBuild.cpp   AddEnt... operations
//   document/BlockBuild.cpp    block-definition building
//   document/WholeDrawing.cpp  paper size, fonts, move/scale, image files
//   jww/FileOut.cpp            the writer
//   jww/FileIn.cpp             the reader
//   dxf/ExportDxf.cpp          the DXF export
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <tintwright/document/EntityArgs.h>
#include <tintwright/document/RefTable.h>
#include <tintwright/document/SaveReport.h>
#include <tintwright/document/jwwtype.h>

namespace tw {

class TgraAttribute;

// Bits of FileOutOpt (SetFileOutOption): how the writer treats texts.
enum FileOutOption : int32_t {
    kOutImageFileName = 0x01,   // "^@BM" image texts keep only the file name of their path
    kOutDropTempMarker = 0x08,  // "^@BM%temp%" is written as "^@BM"
    kOutRefText = 0x10,         // texts pass through the reference table
    kOutUtf16 = 0x20,           // texts as UTF-16 (from version 7.00), else code page 932
};

// The number under which a block definition is written: its place among
// the definitions in use (ref_no), or its own number when it is not in use.
uint32_t WrittenBlockNumber(const TEntJwwBlockDef& def);

// A definition's name without the marker beginning "@@SFIG" (any case) that
// may follow it (document/BlockBuild.cpp).
std::u16string_view BareName(std::u16string_view name);

// What a drawing was read from: the format version and text code of its
// file. A new drawing, and one emptied by DataInit, was read from none
// (read false); the writer then fills the tables' blank names and
// placeholder line types with defaults, which it keeps as read otherwise.
struct TJwwSource {
    bool read = false;    // a file's header was read into the drawing
    int32_t version = 0;  // that file's format version, 220 to 700
    bool utf16 = false;   // its texts were UTF-16, else code page 932
};

class TJwwData {
  public:
    TJwwData();  // Create
    virtual ~TJwwData();
    TJwwData(const TJwwData&) = delete;
    TJwwData& operator=(const TJwwData&) = delete;

    TEntJwwHeader Enthd;
    std::vector<TEntJwwLayerGroup> EntLgrp;    // 16
    std::vector<TEntJwwLayer> EntLay;          // 256, group x 16 + layer
    std::vector<TEntJwwColorNo> EntCol;        // 10
    std::vector<TEntJwwLineTypeNo> EntLtp1;    // 8, line types 2 to 9
    std::vector<TEntJwwRandomLineNo> EntLtp2;  // 5, line types 11 to 15
    std::vector<TEntJwwLineTypeNo> EntLtp3;    // 4, line types 16 to 19
    std::vector<TEntJwwColorExNo> EntColS;     // 257, colour n is entry n - 100
    std::vector<TEntJwwLineTypeExNo> EntLtpS;  // 33, line type n is entry n - 30
    std::vector<TEntJwwMojiType> EntMoj;       // 10, style n is entry n - 1

    // Drawing order: the first Enthd.n1 entries. Every array below may be
    // longer than its count; only entries below the count belong to the
    // drawing.
    std::vector<TEntJwwNo> EntNo;
    std::vector<TEntJwwLine> EntLine;
    int32_t EntLineN = 0;
    std::vector<TEntJwwEnko> EntEnko;
    int32_t EntEnkoN = 0;
    std::vector<TEntJwwTen> EntTen;
    int32_t EntTenN = 0;
    std::vector<TEntJwwMoji> EntMoji;
    int32_t EntMojiN = 0;
    std::vector<TEntJwwSunpo> EntSunpo;
    int32_t EntSunpoN = 0;
    std::vector<TEntJwwSolid> EntSolid;
    int32_t EntSolidN = 0;
    std::vector<TEntJwwBlock> EntBlock;
    int32_t EntBlockN = 0;
    std::vector<TEntJwwBlockDef> EntBlockDef;
    int32_t EntBlockDefN = 0;
    std::vector<TEntJwwBlockTree> EntBlockTree;
    int32_t EntBlockTreeN = 0;
    int32_t EntBlockTreeCut = 0;  // nodes the tree's memory budget left incomplete
    int32_t EntBlockNum = 0;      // definitions in use, written as their count

    std::u16string BindImageFolder;  // ends in a path separator
    std::vector<TBindImageType> BindImage;
    int32_t BindImageN = 0;
    bool BindImageExp = false;  // reading extracts embedded images
    bool BindImageExr = false;  // reading lists them; writing embeds when either is set

    int32_t FileOutOpt = 0;    // FileOutOption bits
    std::string FileOutError;  // the system's reason when the last FileOut failed
    int32_t FontNameN = 0;
    std::vector<std::u16string> FontNames;
    bool MojiEncode = false;  // the file read held UTF-16 texts
    TJwwSource Source;        // set by the reader, emptied by DataInit

    // Reference table and fallback numbers; the owner may share its own.
    std::shared_ptr<TRefTable> Ref = std::make_shared<TRefTable>();

    // Empty state and options. DataInit empties every array and keeps its
    // storage for the next reading or building; DataFree also releases it.
    void DataInit();
    void DataFree();
    void DataDefaultSet();
    // Gives the nine tables the format's lengths, keeping their entries.
    void SetTableLengths();
    void SetFileOutOption(int32_t n);
    uint32_t ChangeBlockNo(uint32_t n) const;
    void MakeBlockTree();

    // Bound-image store.
    void BindImageInit();
    void BindImageDeleteFile();
    void BindImageDeleteGzFile();
    void BindImageDeleteNonGzFile();
    // The path of an image file in BindImageFolder; empty when the folder is
    // not set or the name is not a plain file name (IsPlainFileName), so that
    // a name read from a file never reaches outside the folder.
    std::u16string BindImagePathOf(const std::u16string& name) const;

    // Writing and reading.
    bool FileOut(const std::u16string& FName, int32_t Ver);
    // FileOut that also counts into report (emptied first) what the file
    // could not hold or the writer replaced. strict: a save that loses
    // anything leaves FName as it was and fails, FileOutError naming the
    // losses; report then tells them all.
    bool FileOut(const std::u16string& FName, int32_t Ver, SaveReport& report, bool strict = false);
    // A DXF file of version 1009 (R12), 1015 (2000) or 1021 (2007) at real
    // size, written as FileOut writes (dxf/ExportDxf.cpp; dxf/DxfExport.h
    // has the options and the report with reasons and warnings).
    bool FileOutDXF(const std::u16string& FName, int32_t version);
    bool FileCheck(const std::u16string& FName) const;
    bool FileHeaderIn(const std::u16string& FName);
    bool FileIn(const std::u16string& FName);
    bool FilePrevIn(const std::u16string& FName, int32_t ZMaxN);

    // Entity building.
    bool AddEntPre();
    bool AddEntPost();
    // The building operations with named arguments (document/EntityArgs.h),
    // one per form; the positional AddEnt... operations below call them.
    bool AddEnt(const LineArgs& args);
    bool AddEnt(const ArcArgs& args);
    bool AddEnt(const PointArgs& args);
    bool AddEnt(const TextBetweenArgs& args);
    bool AddEnt(const TextAtArgs& args);
    bool AddEnt(const DimensionBetweenArgs& args);
    bool AddEnt(const DimensionAtArgs& args);
    bool AddEnt(const SxfDimensionBetweenArgs& args);
    bool AddEnt(const SxfDimensionAtArgs& args);
    bool AddEnt(const SxfDimensionByGapsArgs& args);
    bool AddEnt(const SolidArgs& args);
    bool AddEnt(const CurvedSolidAArgs& args);
    bool AddEnt(const CurvedSolidCArgs& args);
    bool AddEnt(const CurvedSolidDArgs& args);
    bool AddEnt(const BlockArgs& args);
    bool AddEntLine(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                    int32_t fl, double px1, double py1, double px2, double py2) {
        return AddEnt(LineArgs{{cn, lg, ly, co, tp, wd, fl}, {px1, py1}, {px2, py2}});
    }
    // Angles in degrees (stored in radians, except text directions). An
    // addition returns false when memory for the arrays fails (the counts
    // stay as they were) or, for an insertion, when bn is not a definition.
    bool AddEntArc(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                   int32_t fl, double px, double py, double pr, double ph, double psa, double pda,
                   double pka) {
        return AddEnt(ArcArgs{{cn, lg, ly, co, tp, wd, fl}, {px, py}, pr, ph, psa, pda, pka});
    }
    // tp is the marker code; fl bit 8 makes a temporary point.
    bool AddEntTen(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                   int32_t fl, double px, double py, double pa, double pb) {
        return AddEnt(PointArgs{{cn, lg, ly, co, tp, wd, fl}, {px, py}, pa, pb});
    }
    // Text between two end points; tp is the base-point number 1 to 9.
    bool AddEntMoji(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                    int32_t fl, int32_t ms, double px1, double py1, double px2, double py2,
                    double pw, double ph, double pd, double pa, const std::u16string& pf,
                    const std::u16string& ps) {
        return AddEnt(TextBetweenArgs{
            {cn, lg, ly, co, tp, wd, fl}, {ms, pw, ph, pd, pa, pf, ps}, {{px1, py1}, {px2, py2}}});
    }
    // Text placed by its base point tp (1 to 9) at (px, py).
    bool AddEntMoji(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                    int32_t fl, int32_t ms, double px, double py, double pw, double ph, double pd,
                    double pa, const std::u16string& pf, const std::u16string& ps) {
        return AddEnt(
            TextAtArgs{{cn, lg, ly, co, tp, wd, fl}, {ms, pw, ph, pd, pa, pf, ps}, {px, py}});
    }
    // Dimension with its text between two end points.
    bool AddEntSunpo(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                     int32_t fl, double px1, double py1, double px2, double py2, int32_t co2,
                     int32_t tp2, int32_t wd2, int32_t fl2, int32_t ms, double px3, double py3,
                     double px4, double py4, double pw, double ph, double pd, double pa,
                     const std::u16string& pf, const std::u16string& ps) {
        return AddEnt(DimensionBetweenArgs{{{cn, lg, ly, co, tp, wd, fl},
                                            {px1, py1},
                                            {px2, py2},
                                            co2,
                                            tp2,
                                            wd2,
                                            fl2,
                                            {ms, pw, ph, pd, pa, pf, ps}},
                                           {{px3, py3}, {px4, py4}}});
    }
    // Dimension with its text placed by base point tp2 at (px, py).
    bool AddEntSunpo(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                     int32_t fl, double px1, double py1, double px2, double py2, int32_t co2,
                     int32_t tp2, int32_t wd2, int32_t fl2, int32_t ms, double px, double py,
                     double pw, double ph, double pd, double pa, const std::u16string& pf,
                     const std::u16string& ps) {
        return AddEnt(DimensionAtArgs{{{cn, lg, ly, co, tp, wd, fl},
                                       {px1, py1},
                                       {px2, py2},
                                       co2,
                                       tp2,
                                       wd2,
                                       fl2,
                                       {ms, pw, ph, pd, pa, pf, ps}},
                                      {px, py}});
    }
    // SXF dimensions: auxiliary lines Ho1, Ho2, arrowheads Te1, Te2 and
    // measured points Kt1, Kt2, each used when its switch ex3 ... ex8 is set.
    bool AddEntSunpo(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                     int32_t fl, double px1, double py1, double px2, double py2, int32_t co2,
                     int32_t tp2, int32_t wd2, int32_t fl2, int32_t ms, double px3, double py3,
                     double px4, double py4, double pw, double ph, double pd, double pa,
                     const std::u16string& pf, const std::u16string& ps, int32_t ex3, int32_t co3,
                     int32_t tp3, int32_t wd3, int32_t fl3, double px5, double py5, double px6,
                     double py6, int32_t ex4, int32_t co4, int32_t tp4, int32_t wd4, int32_t fl4,
                     double px7, double py7, double px8, double py8, int32_t ex5, int32_t co5,
                     int32_t tp5, int32_t wd5, int32_t fl5, double pb5, int32_t ex6, int32_t co6,
                     int32_t tp6, int32_t wd6, int32_t fl6, double pb6, int32_t ex7, int32_t co7,
                     int32_t tp7, int32_t wd7, int32_t fl7, double px9, double py9, double pb7,
                     int32_t ex8, int32_t co8, int32_t tp8, int32_t wd8, int32_t fl8, double px10,
                     double py10, double pb8) {
        return AddEnt(SxfDimensionBetweenArgs{{{cn, lg, ly, co, tp, wd, fl},
                                               {px1, py1},
                                               {px2, py2},
                                               co2,
                                               tp2,
                                               wd2,
                                               fl2,
                                               {ms, pw, ph, pd, pa, pf, ps}},
                                              {{px3, py3}, {px4, py4}},
                                              {{ex3, co3, tp3, wd3, fl3, {px5, py5}, {px6, py6}},
                                               {ex4, co4, tp4, wd4, fl4, {px7, py7}, {px8, py8}},
                                               {ex5, co5, tp5, wd5, fl5, {}, pb5},
                                               {ex6, co6, tp6, wd6, fl6, {}, pb6},
                                               {ex7, co7, tp7, wd7, fl7, {px9, py9}, pb7},
                                               {ex8, co8, tp8, wd8, fl8, {px10, py10}, pb8}}});
    }
    bool AddEntSunpo(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                     int32_t fl, double px1, double py1, double px2, double py2, int32_t co2,
                     int32_t tp2, int32_t wd2, int32_t fl2, int32_t ms, double px, double py,
                     double pw, double ph, double pd, double pa, const std::u16string& pf,
                     const std::u16string& ps, int32_t ex3, int32_t co3, int32_t tp3, int32_t wd3,
                     int32_t fl3, double px5, double py5, double px6, double py6, int32_t ex4,
                     int32_t co4, int32_t tp4, int32_t wd4, int32_t fl4, double px7, double py7,
                     double px8, double py8, int32_t ex5, int32_t co5, int32_t tp5, int32_t wd5,
                     int32_t fl5, double pb5, int32_t ex6, int32_t co6, int32_t tp6, int32_t wd6,
                     int32_t fl6, double pb6, int32_t ex7, int32_t co7, int32_t tp7, int32_t wd7,
                     int32_t fl7, double px9, double py9, double pb7, int32_t ex8, int32_t co8,
                     int32_t tp8, int32_t wd8, int32_t fl8, double px10, double py10, double pb8) {
        return AddEnt(SxfDimensionAtArgs{{{cn, lg, ly, co, tp, wd, fl},
                                          {px1, py1},
                                          {px2, py2},
                                          co2,
                                          tp2,
                                          wd2,
                                          fl2,
                                          {ms, pw, ph, pd, pa, pf, ps}},
                                         {px, py},
                                         {{ex3, co3, tp3, wd3, fl3, {px5, py5}, {px6, py6}},
                                          {ex4, co4, tp4, wd4, fl4, {px7, py7}, {px8, py8}},
                                          {ex5, co5, tp5, wd5, fl5, {}, pb5},
                                          {ex6, co6, tp6, wd6, fl6, {}, pb6},
                                          {ex7, co7, tp7, wd7, fl7, {px9, py9}, pb7},
                                          {ex8, co8, tp8, wd8, fl8, {px10, py10}, pb8}}});
    }
    // Auxiliary lines from d1 off the measured points to d2 beyond the
    // dimension line.
    bool AddEntSunpo(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                     int32_t fl, double px1, double py1, double px2, double py2, int32_t co2,
                     int32_t tp2, int32_t wd2, int32_t fl2, int32_t ms, double px, double py,
                     double pw, double ph, double pd, double pa, const std::u16string& pf,
                     const std::u16string& ps, double d1, double d2, int32_t ex3, int32_t co3,
                     int32_t tp3, int32_t wd3, int32_t fl3, int32_t ex4, int32_t co4, int32_t tp4,
                     int32_t wd4, int32_t fl4, int32_t ex5, int32_t co5, int32_t tp5, int32_t wd5,
                     int32_t fl5, double pb5, int32_t ex6, int32_t co6, int32_t tp6, int32_t wd6,
                     int32_t fl6, double pb6, int32_t ex7, int32_t co7, int32_t tp7, int32_t wd7,
                     int32_t fl7, double px9, double py9, double pb7, int32_t ex8, int32_t co8,
                     int32_t tp8, int32_t wd8, int32_t fl8, double px10, double py10, double pb8) {
        return AddEnt(SxfDimensionByGapsArgs{{{cn, lg, ly, co, tp, wd, fl},
                                              {px1, py1},
                                              {px2, py2},
                                              co2,
                                              tp2,
                                              wd2,
                                              fl2,
                                              {ms, pw, ph, pd, pa, pf, ps}},
                                             {px, py},
                                             d1,
                                             d2,
                                             {{ex3, co3, tp3, wd3, fl3, {}, {}},
                                              {ex4, co4, tp4, wd4, fl4, {}, {}},
                                              {ex5, co5, tp5, wd5, fl5, {}, pb5},
                                              {ex6, co6, tp6, wd6, fl6, {}, pb6},
                                              {ex7, co7, tp7, wd7, fl7, {px9, py9}, pb7},
                                              {ex8, co8, tp8, wd8, fl8, {px10, py10}, pb8}}});
    }
    // Solids: fc is the own colour, used with pen colour 10; with tp above
    // 100 the eight values are those of a curved solid (centre, radius,
    // flattening, tilt, start and swept angle, and one value of its kind).
    bool AddEntSolid(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                     int32_t fl, int32_t fc, double px1, double py1, double px2, double py2,
                     double px3, double py3, double px4, double py4) {
        return AddEnt(SolidArgs{
            {cn, lg, ly, co, tp, wd, fl}, fc, {px1, py1}, {px2, py2}, {px3, py3}, {px4, py4}});
    }
    bool AddEntSolid(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                     int32_t fl, int32_t fc, double px1, double py1, double px2, double py2) {
        return AddEnt(SolidArgs{
            {cn, lg, ly, co, tp, wd, fl}, fc, {px1, py1}, {px2, py2}, {px2, py2}, {px2, py2}});
    }
    bool AddEntSolid(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                     int32_t fl, int32_t fc, double px1, double py1, double px2, double py2,
                     double px3, double py3) {
        return AddEnt(SolidArgs{
            {cn, lg, ly, co, tp, wd, fl}, fc, {px1, py1}, {px2, py2}, {px3, py3}, {px1, py1}});
    }
    // Curved solids of kinds 111 (A: full or sector), 101 (C, its last
    // value chosen by tp) and 105 or 106 (D, with a second radius pri).
    bool AddEntSolidA(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t wd, int32_t fl,
                      int32_t fc, double px, double py, double pr, double ph, double pka) {
        return AddEnt(
            CurvedSolidAArgs{{cn, lg, ly, co, 0, wd, fl}, fc, {{px, py}, pr, ph, pka, 0, 0}, true});
    }
    bool AddEntSolidA(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t wd, int32_t fl,
                      int32_t fc, double px, double py, double pr, double ph, double pka,
                      double psa, double pda) {
        return AddEnt(CurvedSolidAArgs{
            {cn, lg, ly, co, 0, wd, fl}, fc, {{px, py}, pr, ph, pka, psa, pda}, false});
    }
    bool AddEntSolidC(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                      int32_t fl, int32_t fc, double px, double py, double pr, double ph,
                      double pka, double psa, double pda) {
        return AddEnt(
            CurvedSolidCArgs{{cn, lg, ly, co, tp, wd, fl}, fc, {{px, py}, pr, ph, pka, psa, pda}});
    }
    bool AddEntSolidD(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                      int32_t fl, int32_t fc, double px, double py, double pr, double pri,
                      double ph, double pka, double psa, double pda) {
        return AddEnt(CurvedSolidDArgs{
            {cn, lg, ly, co, tp, wd, fl}, fc, {{px, py}, pr, ph, pka, psa, pda}, pri});
    }
    // Insertion of the definition numbered bn (0 <= bn < EntBlockDefN).
    bool AddEntBlock(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                     int32_t fl, int32_t bn, double px, double py, double pbx, double pby,
                     double pa) {
        return AddEnt(BlockArgs{{cn, lg, ly, co, tp, wd, fl}, bn, {px, py}, pbx, pby, pa});
    }

    // Block-definition building. Names may carry a marker beginning
    // "@@SFIG" (any case) after the bare name; lookups compare bare names.
    int32_t GetBlkNo(const std::u16string& ps) const;
    int32_t GetBlkNumber(int32_t bdn) const;
    std::u16string GetBlkName(const std::u16string& ps) const;
    bool AddBlkDef(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                   int32_t fl, int32_t bf, const std::u16string& ps);
    void AddBlkDefPost(int32_t bdn);
    // Members of definition bdn, made as AddEnt makes the drawing's entities.
    bool AddBlk(int32_t bdn, const LineArgs& args);
    bool AddBlk(int32_t bdn, const ArcArgs& args);
    bool AddBlk(int32_t bdn, const PointArgs& args);
    bool AddBlk(int32_t bdn, const TextBetweenArgs& args);
    bool AddBlk(int32_t bdn, const TextAtArgs& args);
    bool AddBlk(int32_t bdn, const DimensionBetweenArgs& args);
    bool AddBlk(int32_t bdn, const DimensionAtArgs& args);
    bool AddBlk(int32_t bdn, const SxfDimensionBetweenArgs& args);
    bool AddBlk(int32_t bdn, const SxfDimensionAtArgs& args);
    bool AddBlk(int32_t bdn, const SxfDimensionByGapsArgs& args);
    bool AddBlk(int32_t bdn, const SolidArgs& args);
    bool AddBlk(int32_t bdn, const CurvedSolidAArgs& args);
    bool AddBlk(int32_t bdn, const CurvedSolidCArgs& args);
    bool AddBlk(int32_t bdn, const CurvedSolidDArgs& args);
    bool AddBlk(int32_t bdn, const BlockArgs& args);
    // Members of definition bdn, with the arguments of the AddEnt operation
    // of the same name; false without change unless bdn is a definition.
    bool AddBlkLine(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                    int32_t wd, int32_t fl, double px1, double py1, double px2, double py2) {
        return AddBlk(bdn, LineArgs{{cn, lg, ly, co, tp, wd, fl}, {px1, py1}, {px2, py2}});
    }
    bool AddBlkArc(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                   int32_t wd, int32_t fl, double px, double py, double pr, double ph, double psa,
                   double pda, double pka) {
        return AddBlk(bdn, ArcArgs{{cn, lg, ly, co, tp, wd, fl}, {px, py}, pr, ph, psa, pda, pka});
    }
    bool AddBlkTen(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                   int32_t wd, int32_t fl, double px, double py, double pa, double pb) {
        return AddBlk(bdn, PointArgs{{cn, lg, ly, co, tp, wd, fl}, {px, py}, pa, pb});
    }
    bool AddBlkMoji(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                    int32_t wd, int32_t fl, int32_t ms, double px1, double py1, double px2,
                    double py2, double pw, double ph, double pd, double pa,
                    const std::u16string& pf, const std::u16string& ps) {
        return AddBlk(bdn, TextBetweenArgs{{cn, lg, ly, co, tp, wd, fl},
                                           {ms, pw, ph, pd, pa, pf, ps},
                                           {{px1, py1}, {px2, py2}}});
    }
    bool AddBlkMoji(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                    int32_t wd, int32_t fl, int32_t ms, double px, double py, double pw, double ph,
                    double pd, double pa, const std::u16string& pf, const std::u16string& ps) {
        return AddBlk(
            bdn, TextAtArgs{{cn, lg, ly, co, tp, wd, fl}, {ms, pw, ph, pd, pa, pf, ps}, {px, py}});
    }
    bool AddBlkSunpo(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                     int32_t wd, int32_t fl, double px1, double py1, double px2, double py2,
                     int32_t co2, int32_t tp2, int32_t wd2, int32_t fl2, int32_t ms, double px3,
                     double py3, double px4, double py4, double pw, double ph, double pd, double pa,
                     const std::u16string& pf, const std::u16string& ps) {
        return AddBlk(bdn, DimensionBetweenArgs{{{cn, lg, ly, co, tp, wd, fl},
                                                 {px1, py1},
                                                 {px2, py2},
                                                 co2,
                                                 tp2,
                                                 wd2,
                                                 fl2,
                                                 {ms, pw, ph, pd, pa, pf, ps}},
                                                {{px3, py3}, {px4, py4}}});
    }
    bool AddBlkSunpo(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                     int32_t wd, int32_t fl, double px1, double py1, double px2, double py2,
                     int32_t co2, int32_t tp2, int32_t wd2, int32_t fl2, int32_t ms, double px,
                     double py, double pw, double ph, double pd, double pa,
                     const std::u16string& pf, const std::u16string& ps) {
        return AddBlk(bdn, DimensionAtArgs{{{cn, lg, ly, co, tp, wd, fl},
                                            {px1, py1},
                                            {px2, py2},
                                            co2,
                                            tp2,
                                            wd2,
                                            fl2,
                                            {ms, pw, ph, pd, pa, pf, ps}},
                                           {px, py}});
    }
    bool AddBlkSunpo(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                     int32_t wd, int32_t fl, double px1, double py1, double px2, double py2,
                     int32_t co2, int32_t tp2, int32_t wd2, int32_t fl2, int32_t ms, double px3,
                     double py3, double px4, double py4, double pw, double ph, double pd, double pa,
                     const std::u16string& pf, const std::u16string& ps, int32_t ex3, int32_t co3,
                     int32_t tp3, int32_t wd3, int32_t fl3, double px5, double py5, double px6,
                     double py6, int32_t ex4, int32_t co4, int32_t tp4, int32_t wd4, int32_t fl4,
                     double px7, double py7, double px8, double py8, int32_t ex5, int32_t co5,
                     int32_t tp5, int32_t wd5, int32_t fl5, double pb5, int32_t ex6, int32_t co6,
                     int32_t tp6, int32_t wd6, int32_t fl6, double pb6, int32_t ex7, int32_t co7,
                     int32_t tp7, int32_t wd7, int32_t fl7, double px9, double py9, double pb7,
                     int32_t ex8, int32_t co8, int32_t tp8, int32_t wd8, int32_t fl8, double px10,
                     double py10, double pb8) {
        return AddBlk(bdn,
                      SxfDimensionBetweenArgs{{{cn, lg, ly, co, tp, wd, fl},
                                               {px1, py1},
                                               {px2, py2},
                                               co2,
                                               tp2,
                                               wd2,
                                               fl2,
                                               {ms, pw, ph, pd, pa, pf, ps}},
                                              {{px3, py3}, {px4, py4}},
                                              {{ex3, co3, tp3, wd3, fl3, {px5, py5}, {px6, py6}},
                                               {ex4, co4, tp4, wd4, fl4, {px7, py7}, {px8, py8}},
                                               {ex5, co5, tp5, wd5, fl5, {}, pb5},
                                               {ex6, co6, tp6, wd6, fl6, {}, pb6},
                                               {ex7, co7, tp7, wd7, fl7, {px9, py9}, pb7},
                                               {ex8, co8, tp8, wd8, fl8, {px10, py10}, pb8}}});
    }
    bool AddBlkSunpo(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                     int32_t wd, int32_t fl, double px1, double py1, double px2, double py2,
                     int32_t co2, int32_t tp2, int32_t wd2, int32_t fl2, int32_t ms, double px,
                     double py, double pw, double ph, double pd, double pa,
                     const std::u16string& pf, const std::u16string& ps, int32_t ex3, int32_t co3,
                     int32_t tp3, int32_t wd3, int32_t fl3, double px5, double py5, double px6,
                     double py6, int32_t ex4, int32_t co4, int32_t tp4, int32_t wd4, int32_t fl4,
                     double px7, double py7, double px8, double py8, int32_t ex5, int32_t co5,
                     int32_t tp5, int32_t wd5, int32_t fl5, double pb5, int32_t ex6, int32_t co6,
                     int32_t tp6, int32_t wd6, int32_t fl6, double pb6, int32_t ex7, int32_t co7,
                     int32_t tp7, int32_t wd7, int32_t fl7, double px9, double py9, double pb7,
                     int32_t ex8, int32_t co8, int32_t tp8, int32_t wd8, int32_t fl8, double px10,
                     double py10, double pb8) {
        return AddBlk(bdn, SxfDimensionAtArgs{{{cn, lg, ly, co, tp, wd, fl},
                                               {px1, py1},
                                               {px2, py2},
                                               co2,
                                               tp2,
                                               wd2,
                                               fl2,
                                               {ms, pw, ph, pd, pa, pf, ps}},
                                              {px, py},
                                              {{ex3, co3, tp3, wd3, fl3, {px5, py5}, {px6, py6}},
                                               {ex4, co4, tp4, wd4, fl4, {px7, py7}, {px8, py8}},
                                               {ex5, co5, tp5, wd5, fl5, {}, pb5},
                                               {ex6, co6, tp6, wd6, fl6, {}, pb6},
                                               {ex7, co7, tp7, wd7, fl7, {px9, py9}, pb7},
                                               {ex8, co8, tp8, wd8, fl8, {px10, py10}, pb8}}});
    }
    bool AddBlkSunpo(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                     int32_t wd, int32_t fl, double px1, double py1, double px2, double py2,
                     int32_t co2, int32_t tp2, int32_t wd2, int32_t fl2, int32_t ms, double px,
                     double py, double pw, double ph, double pd, double pa,
                     const std::u16string& pf, const std::u16string& ps, double d1, double d2,
                     int32_t ex3, int32_t co3, int32_t tp3, int32_t wd3, int32_t fl3, int32_t ex4,
                     int32_t co4, int32_t tp4, int32_t wd4, int32_t fl4, int32_t ex5, int32_t co5,
                     int32_t tp5, int32_t wd5, int32_t fl5, double pb5, int32_t ex6, int32_t co6,
                     int32_t tp6, int32_t wd6, int32_t fl6, double pb6, int32_t ex7, int32_t co7,
                     int32_t tp7, int32_t wd7, int32_t fl7, double px9, double py9, double pb7,
                     int32_t ex8, int32_t co8, int32_t tp8, int32_t wd8, int32_t fl8, double px10,
                     double py10, double pb8) {
        return AddBlk(bdn, SxfDimensionByGapsArgs{{{cn, lg, ly, co, tp, wd, fl},
                                                   {px1, py1},
                                                   {px2, py2},
                                                   co2,
                                                   tp2,
                                                   wd2,
                                                   fl2,
                                                   {ms, pw, ph, pd, pa, pf, ps}},
                                                  {px, py},
                                                  d1,
                                                  d2,
                                                  {{ex3, co3, tp3, wd3, fl3, {}, {}},
                                                   {ex4, co4, tp4, wd4, fl4, {}, {}},
                                                   {ex5, co5, tp5, wd5, fl5, {}, pb5},
                                                   {ex6, co6, tp6, wd6, fl6, {}, pb6},
                                                   {ex7, co7, tp7, wd7, fl7, {px9, py9}, pb7},
                                                   {ex8, co8, tp8, wd8, fl8, {px10, py10}, pb8}}});
    }
    bool AddBlkSolid(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                     int32_t wd, int32_t fl, int32_t fc, double px1, double py1, double px2,
                     double py2, double px3, double py3, double px4, double py4) {
        return AddBlk(
            bdn,
            SolidArgs{
                {cn, lg, ly, co, tp, wd, fl}, fc, {px1, py1}, {px2, py2}, {px3, py3}, {px4, py4}});
    }
    bool AddBlkSolid(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                     int32_t wd, int32_t fl, int32_t fc, double px1, double py1, double px2,
                     double py2) {
        return AddBlk(
            bdn,
            SolidArgs{
                {cn, lg, ly, co, tp, wd, fl}, fc, {px1, py1}, {px2, py2}, {px2, py2}, {px2, py2}});
    }
    bool AddBlkSolid(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                     int32_t wd, int32_t fl, int32_t fc, double px1, double py1, double px2,
                     double py2, double px3, double py3) {
        return AddBlk(
            bdn,
            SolidArgs{
                {cn, lg, ly, co, tp, wd, fl}, fc, {px1, py1}, {px2, py2}, {px3, py3}, {px1, py1}});
    }
    bool AddBlkSolidA(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t wd,
                      int32_t fl, int32_t fc, double px, double py, double pr, double ph,
                      double pka) {
        return AddBlk(
            bdn,
            CurvedSolidAArgs{{cn, lg, ly, co, 0, wd, fl}, fc, {{px, py}, pr, ph, pka, 0, 0}, true});
    }
    bool AddBlkSolidA(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t wd,
                      int32_t fl, int32_t fc, double px, double py, double pr, double ph,
                      double pka, double psa, double pda) {
        return AddBlk(
            bdn, CurvedSolidAArgs{
                     {cn, lg, ly, co, 0, wd, fl}, fc, {{px, py}, pr, ph, pka, psa, pda}, false});
    }
    bool AddBlkSolidC(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                      int32_t wd, int32_t fl, int32_t fc, double px, double py, double pr,
                      double ph, double pka, double psa, double pda) {
        return AddBlk(
            bdn,
            CurvedSolidCArgs{{cn, lg, ly, co, tp, wd, fl}, fc, {{px, py}, pr, ph, pka, psa, pda}});
    }
    bool AddBlkSolidD(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                      int32_t wd, int32_t fl, int32_t fc, double px, double py, double pr,
                      double pri, double ph, double pka, double psa, double pda) {
        return AddBlk(
            bdn, CurvedSolidDArgs{
                     {cn, lg, ly, co, tp, wd, fl}, fc, {{px, py}, pr, ph, pka, psa, pda}, pri});
    }
    bool AddBlkBlock(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                     int32_t wd, int32_t fl, int32_t bn, double px, double py, double pbx,
                     double pby, double pa) {
        return AddBlk(bdn, BlockArgs{{cn, lg, ly, co, tp, wd, fl}, bn, {px, py}, pbx, pby, pa});
    }

    // Whole-drawing operations.
    void GetPaperSize(double& px, double& py) const;
    void GetFontNames();
    int32_t GetFontNamesIndex(const std::u16string& s) const;
    void MoveEntALL(double dx, double dy);
    void ScaleEntALL(double cx, double cy, double sc);
    void BindImageExplode();
    void BindImagePack();
    void BindImageCopy(const std::u16string& dst);
    void SetGAttLayer(TgraAttribute& GraAtt) const;
};

}  // namespace tw
