// Reading the header section: magic and version checks, the values a
// version carries, the derived values, and headers that end too early.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "jww/ReaderSupport.h"
#include "support/TempDir.h"

namespace tw::test {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// A header followed by an empty entity section and block section.
ByteBuffer HeaderOnlyFile(TJwwData& doc, int32_t version, bool utf16 = false) {
    ByteBuffer tail = Written(version, utf16, [&](ArchiveWriter& ar) {
        ar.WriteCount(0);
        ar.WriteCount(0);
        if (version >= 700) ar.i32(0);
    });
    return Concat({HeaderBytes(doc, version, utf16), tail});
}

TEST(ReaderHeader, FileCheckAcceptsExactlyVersions220To700) {
    TempDir dir;
    const struct {
        int32_t version;
        bool accepted;
    } cases[] = {{219, false}, {220, true}, {420, true}, {700, true}, {701, false}, {-1, false}};
    for (const auto& c : cases) {
        const std::u16string file =
            SaveBytes(dir.path() / "v.jww", Concat({Ascii("JwwData."), Le32(c.version)}));
        TJwwData doc;
        EXPECT_EQ(doc.FileCheck(file), c.accepted) << c.version;

        TJwwData read;
        const jwwin::ReadReport report = ReadBytes(read, BlankHeader(c.version));
        if (!c.accepted) {
            EXPECT_EQ(report.reason, kVersionError) << c.version;
        }
        EXPECT_FALSE(report.ok);  // no entity count follows the header
    }
}

TEST(ReaderHeader, FileCheckRejectsOtherFiles) {
    TempDir dir;
    TJwwData doc;
    EXPECT_FALSE(doc.FileCheck((dir.path() / "missing.jww").u16string()));
    EXPECT_FALSE(doc.FileCheck(dir.path().u16string()));  // a folder
    EXPECT_FALSE(doc.FileCheck(SaveBytes(dir.path() / "short.jww", Ascii("JwwData.\x58"))));
    EXPECT_FALSE(
        doc.FileCheck(SaveBytes(dir.path() / "magic.jww", Concat({Ascii("JwwDat_."), Le32(600)}))));

    TJwwData read;
    EXPECT_EQ(ReadBytes(read, Concat({Ascii("jwwData."), Le32(600)})).reason, kHeaderError);
}

TEST(ReaderHeader, ValuesOfEachVersionReadBack) {
    for (int32_t version : {220, 223, 225, 230, 300, 351, 420, 600, 700}) {
        TJwwData doc;
        SizeTables(doc);
        doc.Enthd.strMemo = u"line one\r\nline two";
        doc.Enthd.nZumen = 3;
        doc.EntLay[37].aStrLayName = u"layer 5 of group 2";
        doc.Enthd.dTenkuuZuLevel = 12.5;
        doc.Enthd.dZoomJumpBairitsu = {1, 2, 3, 4, 5, 6, 7, 8};
        doc.Enthd.nZoomJumpGLay[0] = 9;
        doc.Enthd.dEye_H_Ichi_2 = -4500;
        doc.Enthd.dEnHankeiSnpou = 7.25;
        doc.Enthd.nSolidNinniColor = 10;
        doc.EntColS[17].astrUDColorName = u"user colour";
        doc.EntLtpS[20].aadUDLTypePitch[9] = 0.5;
        doc.Enthd.adMojiKijunZureY2 = 1.75;

        TJwwData read;
        read.BindImageExr = true;  // 7.00: read on to the image count
        const jwwin::ReadReport report = ReadBytes(read, HeaderOnlyFile(doc, version));
        ASSERT_TRUE(report.ok) << version << report.reason;
        const TEntJwwHeader& h = read.Enthd;
        EXPECT_EQ(h.jwID, u"JwwData.");
        EXPECT_EQ(h.jwVer, version);
        EXPECT_EQ(h.strMemo, u"line one\r\nline two");  // the memo keeps its line break
        EXPECT_EQ(h.nZumen, 3);
        EXPECT_EQ(read.EntLay.size(), 256u);
        EXPECT_EQ(read.EntColS.size(), 257u);
        EXPECT_EQ(read.EntLay[37].aStrLayName, u"layer 5 of group 2");
        EXPECT_EQ(h.dTenkuuZuLevel, version >= 300 ? 12.5 : 0.0) << version;
        EXPECT_EQ(h.dZoomJumpBairitsu[3], 4.0);
        // Up to 2.30 only four stored views: the others keep the empty document's values.
        EXPECT_EQ(h.dZoomJumpBairitsu[7], version > 230 ? 8.0 : 1.0) << version;
        EXPECT_EQ(h.nZoomJumpGLay[0], version > 230 ? 9 : -1) << version;
        EXPECT_EQ(h.dEye_H_Ichi_2, version >= 223 ? -4500 : 0) << version;
        EXPECT_EQ(h.dEnHankeiSnpou, version >= 225 ? 7.25 : 0.0) << version;
        EXPECT_EQ(h.nSolidNinniColor, version >= 230 ? 10 : 0) << version;
        EXPECT_EQ(read.EntColS[17].astrUDColorName, version >= 420 ? u"user colour" : u"");
        EXPECT_EQ(read.EntLtpS[20].aadUDLTypePitch[9], version >= 420 ? 0.5 : 0.0);
        EXPECT_EQ(h.adMojiKijunZureY2, 1.75);
        EXPECT_EQ(report.stoppedAt, HeaderOnlyFile(doc, version).size());
    }
}

TEST(ReaderHeader, MaxDrawWidthDerivesTheWidthSettings) {
    const struct {
        int32_t stored;
        bool senHaba100;
        int32_t bak;
    } cases[] = {
        {-450, true, -50},   {-250, true, 50},   {-101, true, -100},
        {-100, false, -100}, {-500, true, -100}, {-401, true, -1},
        {-300, true, 100},   {-201, true, 1},    {-350, true, -100},
        {-501, true, -100},  {7, false, 7},      {std::numeric_limits<int32_t>::min(), true, -100}};
    for (const auto& c : cases) {
        TJwwData doc;
        doc.Enthd.nMaxDrawWid = c.stored;
        TJwwData read;
        ASSERT_TRUE(ReadBytes(read, HeaderOnlyFile(doc, 600)).ok);
        EXPECT_EQ(read.Enthd.nMaxDrawWid, c.stored);
        EXPECT_EQ(read.Enthd.bSenHaba100, c.senHaba100) << c.stored;
        EXPECT_EQ(read.Enthd.nMaxDrawWidBak, c.bak) << c.stored;
    }
}

TEST(ReaderHeader, Item27SplitsIntoPrintResolutionAndFlag) {
    const struct {
        int32_t version;
        int32_t stored;
        int32_t dpi;
        int32_t flag;
    } cases[] = {{600, 7203, 720, 3}, {700, 11, 1, 1}, {420, 1, 0, 1}, {230, -7203, -720, -3}};
    for (const auto& c : cases) {
        TJwwData doc;
        doc.Enthd.nPrtDispOnlyNonDraw = c.stored;
        TJwwData read;
        ASSERT_TRUE(ReadBytes(read, HeaderOnlyFile(doc, c.version)).ok);
        EXPECT_EQ(read.Enthd.nPrtDpi, c.dpi) << c.stored;
        EXPECT_EQ(read.Enthd.nPrtDispOnlyNonDraw, c.flag) << c.stored;
    }
}

TEST(ReaderHeader, TextSizesThatAreNotFiniteBecomeDefaults) {
    TJwwData doc;
    SizeTables(doc);
    doc.EntMoj[0] = {kNaN, kInf, -kInf, 2};
    doc.EntMoj[1] = {2.5, -3.5, 0.25, 3};
    doc.Enthd.dMojiSizeX = -kInf;
    doc.Enthd.dMojiSizeY = kNaN;
    doc.Enthd.dMojiKankaku = kNaN;
    TJwwData read;
    ASSERT_TRUE(ReadBytes(read, HeaderOnlyFile(doc, 600)).ok);
    EXPECT_EQ(read.EntMoj[0].adMojiX, 3.0);
    EXPECT_EQ(read.EntMoj[0].adMojiY, 3.0);
    EXPECT_EQ(read.EntMoj[0].adMojiD, 0.0);
    EXPECT_EQ(read.EntMoj[0].anMojiCol, 2);
    EXPECT_EQ(read.EntMoj[1].adMojiX, 2.5);  // finite values stay as stored
    EXPECT_EQ(read.EntMoj[1].adMojiY, -3.5);
    EXPECT_EQ(read.EntMoj[1].adMojiD, 0.25);
    EXPECT_EQ(read.Enthd.dMojiSizeX, 3.0);
    EXPECT_EQ(read.Enthd.dMojiSizeY, 3.0);
    EXPECT_EQ(read.Enthd.dMojiKankaku, 0.0);
}

TEST(ReaderHeader, Utf16TextsSetMojiEncode) {
    for (bool utf16 : {false, true}) {
        TJwwData doc;
        SizeTables(doc);
        doc.EntLgrp[2].aStrGLayName = u"\u56F3\u9762";  // 図面
        TJwwData read;
        ASSERT_TRUE(ReadBytes(read, HeaderOnlyFile(doc, 420, utf16)).ok);
        EXPECT_EQ(read.MojiEncode, utf16);
        EXPECT_EQ(read.EntLgrp[2].aStrGLayName, u"\u56F3\u9762");
    }
}

TEST(ReaderHeader, TableNamesLoseControlCharactersAndTheMemoKeepsThem) {
    TJwwData doc;
    SizeTables(doc);
    doc.Enthd.strMemo = u"a\tb";
    doc.EntLay[0].aStrLayName = u"a\tb\x01";
    TJwwData read;
    ASSERT_TRUE(ReadBytes(read, HeaderOnlyFile(doc, 600)).ok);
    EXPECT_EQ(read.Enthd.strMemo, u"a\tb");
    EXPECT_EQ(read.EntLay[0].aStrLayName, u"ab");
}

TEST(ReaderHeader, CutHeaderFailsAndKeepsWhatWasRead) {
    TJwwData doc;
    doc.Enthd.strMemo = u"memo";
    doc.Enthd.nZumen = 4;
    doc.Enthd.adMojiKijunZureY2 = 2.0;
    const ByteBuffer header = HeaderBytes(doc, 600);
    const size_t afterZumen = 8 + 4 + 5 + 4;
    for (size_t cut = 0; cut < header.size(); cut += cut < 64 ? 1 : 97) {
        TJwwData read;
        const jwwin::ReadReport report = ReadBytes(read, Slice(header, 0, cut));
        ASSERT_FALSE(report.ok) << cut;
        ASSERT_FALSE(report.headerRead) << cut;
        if (cut >= afterZumen) {
            EXPECT_EQ(read.Enthd.strMemo, u"memo");
            EXPECT_EQ(read.Enthd.nZumen, 4);
        }
    }
    // The last value must be there in full.
    TJwwData read;
    EXPECT_EQ(ReadBytes(read, Slice(header, 0, header.size() - 1)).reason, kFileIoError);
    EXPECT_EQ(read.Enthd.adMojiKijunZureY2, 0.0);
}

TEST(ReaderHeader, FileHeaderInReadsTheHeaderAlone) {
    TempDir dir;
    TJwwData doc;
    doc.Enthd.strMemo = u"header";
    const std::u16string whole = SaveBytes(dir.path() / "a.jww", HeaderOnlyFile(doc, 700));
    const std::u16string cut =
        SaveBytes(dir.path() / "b.jww", Slice(HeaderBytes(doc, 700), 0, 1000));
    TJwwData read;
    read.EntLineN = 5;
    EXPECT_TRUE(read.FileHeaderIn(whole));
    EXPECT_EQ(read.Enthd.strMemo, u"header");
    EXPECT_EQ(read.EntLineN, 0);  // emptied first
    EXPECT_TRUE(read.Source.read);
    EXPECT_EQ(read.Source.version, 700);
    EXPECT_FALSE(read.FileHeaderIn(cut));
    EXPECT_EQ(read.Enthd.strMemo, u"header");
    EXPECT_FALSE(read.Source.read);  // a header cut short tells no source
    EXPECT_FALSE(read.FileHeaderIn((dir.path() / "none.jww").u16string()));
}

}  // namespace
}  // namespace tw::test
