// TJwwData: the empty state, DataFree and the output option.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <tintwright/document/JwwUnit.h>
#include "support/TempDir.h"

namespace tw {
namespace {

void ExpectEmpty(const TJwwData& doc) {
    EXPECT_EQ(doc.FileOutOpt, 0);
    EXPECT_TRUE(doc.EntLgrp.empty());
    EXPECT_TRUE(doc.EntLay.empty());
    EXPECT_TRUE(doc.EntColS.empty());
    EXPECT_TRUE(doc.EntLtpS.empty());
    EXPECT_TRUE(doc.EntNo.empty());
    EXPECT_TRUE(doc.EntLine.empty());
    EXPECT_TRUE(doc.EntBlockDef.empty());
    EXPECT_TRUE(doc.EntBlockTree.empty());
    for (int32_t count :
         {doc.EntLineN, doc.EntEnkoN, doc.EntTenN, doc.EntMojiN, doc.EntSunpoN, doc.EntSolidN,
          doc.EntBlockN, doc.EntBlockDefN, doc.EntBlockTreeN, doc.EntBlockNum, doc.BindImageN,
          doc.FontNameN, doc.Enthd.n1, doc.Enthd.n2}) {
        EXPECT_EQ(count, 0);
    }
    EXPECT_TRUE(doc.BindImage.empty());
    EXPECT_TRUE(doc.FontNames.empty());
    EXPECT_FALSE(doc.MojiEncode);

    const TEntJwwHeader& h = doc.Enthd;
    EXPECT_TRUE(h.jwID.empty());
    EXPECT_TRUE(h.strMemo.empty());
    EXPECT_EQ(h.jwVer, 0);
    EXPECT_FALSE(h.bSenHaba100);
    for (double one : {h.dPrtBairitsu, h.dMemoriHyoujiMin, h.dMemoriX, h.dMemoriY, h.dBairitsu,
                       h.dHanniBairitsu}) {
        EXPECT_EQ(one, 1.0);
    }
    for (double one : h.dZoomJumpBairitsu)
        EXPECT_EQ(one, 1.0);
    for (int32_t none : h.nZoomJumpGLay)
        EXPECT_EQ(none, -1);
    EXPECT_EQ(h.dKageLevel, 0.0);
    EXPECT_EQ(h.lnSunpou1, 0);
    EXPECT_EQ(h.dEye_V_Ichi_3, 0.0);
}

TEST(Document, CreateGivesTheEmptyDocument) {
    TJwwData doc;
    ExpectEmpty(doc);
    EXPECT_TRUE(doc.BindImageFolder.empty());
    EXPECT_FALSE(doc.BindImageExp);
    EXPECT_FALSE(doc.BindImageExr);
}

TEST(Document, DataFreeEmptiesEverythingButTheImageFolderAndFlags) {
    TempDir temp;
    std::ofstream(temp.path() / "a.bmp") << "image";

    TJwwData doc;
    doc.DataDefaultSet();
    doc.SetFileOutOption(kOutUtf16);
    doc.Enthd.strMemo = u"memo";
    doc.Enthd.n1 = 1;
    doc.EntNo = {{kEntLine, 0}};
    doc.EntLine.resize(3);
    doc.EntLineN = 1;
    TEntJwwBlockDef def;
    def.nNumber = 1;
    def.mLine.resize(2);
    def.mLineN = 2;
    doc.EntBlockDef = {def};
    doc.EntBlockDefN = 1;
    doc.Enthd.n2 = 1;
    doc.EntBlock.resize(1);
    doc.EntBlock[0].nNumber = 1;
    doc.EntBlockN = 1;
    doc.MakeBlockTree();
    doc.FontNames = {u"MS Gothic"};
    doc.FontNameN = 1;
    doc.MojiEncode = true;
    doc.BindImageFolder = temp.folder();
    doc.BindImageExp = true;
    doc.BindImageExr = true;
    doc.BindImage = {{u"a.bmp", 5, true}};
    doc.BindImageN = 1;

    doc.DataFree();

    ExpectEmpty(doc);
    EXPECT_EQ(doc.BindImageFolder, temp.folder());
    EXPECT_TRUE(doc.BindImageExp);
    EXPECT_TRUE(doc.BindImageExr);
    EXPECT_TRUE(std::filesystem::exists(temp.path() / "a.bmp"));
}

TEST(Document, SetFileOutOptionAcceptsZeroToSixtyThree) {
    const struct {
        int32_t option, stored;
    } cases[] = {{0, 0},  {1, 1},  {32, 32},       {63, 63},
                 {64, 0}, {-1, 0}, {INT32_MIN, 0}, {INT32_MAX, 0}};
    TJwwData doc;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.option);
        doc.FileOutOpt = 5;
        doc.SetFileOutOption(c.option);
        EXPECT_EQ(doc.FileOutOpt, c.stored);
    }
}

}  // namespace
}  // namespace tw
