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
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/RefTable.h"
#include "document/jwwtype.h"

namespace tw {

class TgraAttribute;

class TJwwData {
public:
    TJwwData();  // Create
    virtual ~TJwwData();
    TJwwData(const TJwwData&) = delete;
    TJwwData& operator=(const TJwwData&) = delete;

    TEntJwwHeader Enthd;
    std::vector<TEntJwwLayerGroup> EntLgrp;  // 16
    std::vector<TEntJwwLayer> EntLay;        // 256, group x 16 + layer
    std::vector<TEntJwwColorNo> EntCol;      // 10
    std::vector<TEntJwwLineTypeNo> EntLtp1;  // 8, line types 2 to 9
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
    int32_t EntBlockNum = 0;  // definitions in use, written as their count

    std::u16string BindImageFolder;  // ends in a path separator
    std::vector<TBindImageType> BindImage;
    int32_t BindImageN = 0;
    bool BindImageExp = false;  // reading extracts embedded images
    bool BindImageExr = false;  // reading lists them; writing embeds when either is set

    int32_t FileOutOpt = 0;  // 32 UTF-16 texts; 16, 8, 1 text treatments
    int32_t FontNameN = 0;
    std::vector<std::u16string> FontNames;
    bool MojiEncode = false;  // the file read held UTF-16 texts

    // Reference table and fallback numbers; the owner may share its own.
    std::shared_ptr<TRefTable> Ref = std::make_shared<TRefTable>();

    // Empty state and options.
    void DataInit();
    void DataFree();
    void DataDefaultSet();
    void SetFileOutOption(int32_t n);
    uint32_t ChangeBlockNo(uint32_t n) const;
    void MakeBlockTree();

    // Bound-image store.
    void BindImageInit();
    void BindImageDeleteFile();
    void BindImageDeleteGzFile();
    void BindImageDeleteNonGzFile();

    // Writing and reading.
    bool FileOut(const std::u16string& FName, int32_t Ver);
    bool FileCheck(const std::u16string& FName) const;
    bool FileHeaderIn(const std::u16string& FName);
    bool FileIn(const std::u16string& FName);
    bool FilePrevIn(const std::u16string& FName, int32_t ZMaxN);

    // Entity building.
    bool AddEntPre();
    bool AddEntPost();
    bool AddEntLine(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                    int32_t fl, double px1, double py1, double px2, double py2);
    // Remaining AddEnt and AddBlk operations are declared with their
    // implementation (document/EntityBuild.cpp, document/BlockBuild.cpp).

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
