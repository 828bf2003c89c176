// Reading entity records and block definitions from files built record by
// record: the fields of each kind at each version, the values a version or
// style leaves out, class tags, and the bounds of FilePrevIn.
#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include <tintwright/document/BlockExpansion.h>
#include "jww/ReaderSupport.h"
#include "support/TempDir.h"

namespace tw::test {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

using Body = std::function<void(ArchiveWriter&)>;

ByteBuffer File(int32_t version, const Body& body, bool utf16 = false) {
    return Concat({BlankHeader(version, utf16), Written(version, utf16, body)});
}

TEntJwwAttr FullAttr(uint8_t style, uint16_t color) {
    TEntJwwAttr a;
    a.lGroup = 7;
    a.nPenStyle = style;
    a.nPenColor = color;
    a.nPenWidth = 250;
    a.nLayer = 4;
    a.nGLayer = 5;
    a.sFlg = 9;
    return a;
}

TEntJwwTen Point(uint8_t style, double x) {
    TEntJwwTen p;
    p.att = FullAttr(style, 2);
    p.start_x = x;
    p.start_y = -x;
    p.bKariten = 1;
    p.nCode = 12;
    p.radKaitenKaku = 0.5;
    p.dBairitsu = 2.5;
    return p;
}

TEntJwwMoji Text(double sizeX, double sizeY, double spacing) {
    TEntJwwMoji t;
    t.att = FullAttr(3, 5);
    t.start_x = 1;
    t.end_y = 4;
    t.nMojiShu = 10003;
    t.dSizeX = sizeX;
    t.dSizeY = sizeY;
    t.dKankaku = spacing;
    t.degKakudo = 90;
    t.strFontName = u"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF";  // ＭＳ ゴシック
    t.str = u"text";
    return t;
}

TEntJwwSunpo Dimension() {
    TEntJwwSunpo d;
    d.att = FullAttr(1, 3);
    d.Sen = Line(0, 0, 10, 0, FullAttr(1, 4));
    d.Moji = Text(2.5, 2.5, 0);
    d.bSxfMode = 1;
    d.Ho1 = Line(0, 0, 0, 5);
    d.Ho2 = Line(10, 0, 10, 5);
    d.Te1 = Point(100, 1);
    d.Te2 = Point(1, 2);
    d.Kt1 = Point(1, 3);
    d.Kt2 = Point(100, 4);
    return d;
}

// One record of each kind, in kind order, and an empty block section.
ByteBuffer EveryKindFile(int32_t version) {
    return File(version, [](ArchiveWriter& ar) {
        ar.WriteCount(9);
        PutRecord(ar, RecordClass::Sen, Line(1, 2, 3, 4, FullAttr(2, 103)));
        TEntJwwEnko arc;
        arc.att = FullAttr(1, 1);
        arc.start_x = 5;
        arc.dHankei = 6;
        arc.radEnkoKaku = 6.25;
        arc.dHenpeiRitsu = 1;
        arc.bZenEnFlg = 1;
        PutRecord(ar, RecordClass::Enko, arc);
        PutRecord(ar, RecordClass::Ten, Point(100, 7));
        PutRecord(ar, RecordClass::Ten, Point(1, 8));
        PutRecord(ar, RecordClass::Moji, Text(2, 3, 0.5));
        PutRecord(ar, RecordClass::Sunpou, Dimension());
        TEntJwwSolid own;
        own.att = FullAttr(1, 10);
        own.DPoint3_y = 9;
        own.Color = 0x00FF00;
        PutRecord(ar, RecordClass::Solid, own);
        TEntJwwSolid pen = own;
        pen.att.nPenColor = 5;  // no colour field follows
        PutRecord(ar, RecordClass::Solid, pen);
        TEntJwwBlock insert;
        insert.att = FullAttr(1, 1);
        insert.dBairitsuX = 2;
        insert.radKaitenKaku = 0.75;
        insert.nNumber = 3;
        PutRecord(ar, RecordClass::Block, insert);
        ar.WriteCount(0);
    });
}

TEST(ReaderEntities, EveryKindReadsItsFields) {
    for (int32_t version : {220, 300, 351, 420, 600}) {
        TJwwData d;
        const ByteBuffer file = EveryKindFile(version);
        const jwwin::ReadReport report = ReadBytes(d, file);
        ASSERT_TRUE(report.ok) << version << report.reason;
        EXPECT_EQ(report.stoppedAt, file.size());
        ASSERT_EQ(d.Enthd.n1, 9);
        const int32_t kinds[] = {1, 2, 3, 3, 4, 5, 6, 6, 7};
        const int32_t indexes[] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
        for (int i = 0; i < 9; ++i) {
            EXPECT_EQ(d.EntNo[i].EntType, kinds[i]);
            EXPECT_EQ(d.EntNo[i].EntNo, indexes[i]);
        }
        ASSERT_EQ(d.EntLineN, 1);
        const TEntJwwAttr& a = d.EntLine[0].att;
        EXPECT_EQ(a.lGroup, 7u);
        EXPECT_EQ(a.nPenStyle, 2);
        EXPECT_EQ(a.nPenColor, 103);
        EXPECT_EQ(a.nPenWidth, version >= 351 ? 250 : 0) << version;
        EXPECT_EQ(a.nLayer, 4);
        EXPECT_EQ(a.nGLayer, 5);
        EXPECT_EQ(a.sFlg, 9);
        EXPECT_EQ(d.EntLine[0].end_y, 4.0);
        ASSERT_EQ(d.EntEnkoN, 1);
        EXPECT_EQ(d.EntEnko[0].radEnkoKaku, 6.25);
        EXPECT_EQ(d.EntEnko[0].bZenEnFlg, 1u);
        ASSERT_EQ(d.EntTenN, 2);
        EXPECT_EQ(d.EntTen[0].nCode, 12u);  // a marker point carries its marker
        EXPECT_EQ(d.EntTen[0].dBairitsu, 2.5);
        EXPECT_EQ(d.EntTen[1].start_y, -8.0);
        EXPECT_EQ(d.EntTen[1].nCode, 0u);  // a plain point has none
        EXPECT_EQ(d.EntTen[1].radKaitenKaku, 0.0);
        EXPECT_EQ(d.EntTen[1].dBairitsu, 1.0);
        ASSERT_EQ(d.EntMojiN, 1);
        EXPECT_EQ(d.EntMoji[0].nMojiShu, 10003u);
        EXPECT_EQ(d.EntMoji[0].dSizeY, 3.0);
        EXPECT_EQ(d.EntMoji[0].degKakudo, 90.0);
        EXPECT_EQ(d.EntMoji[0].strFontName, u"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF");
        EXPECT_EQ(d.EntMoji[0].str, u"text");
        ASSERT_EQ(d.EntSunpoN, 1);
        EXPECT_EQ(d.EntSunpo[0].Sen.att.nPenColor, 4);
        EXPECT_EQ(d.EntSunpo[0].Moji.str, u"text");
        ASSERT_EQ(d.EntSolidN, 2);
        EXPECT_EQ(d.EntSolid[0].DPoint3_y, 9.0);
        EXPECT_EQ(d.EntSolid[0].Color, 0x00FF00u);
        EXPECT_EQ(d.EntSolid[1].Color, 0u);
        ASSERT_EQ(d.EntBlockN, 1);
        EXPECT_EQ(d.EntBlock[0].dBairitsuX, 2.0);
        EXPECT_EQ(d.EntBlock[0].nNumber, 3u);
        EXPECT_EQ(d.EntBlockDefN, 0);
        EXPECT_FALSE(d.MojiEncode);
    }
}

TEST(ReaderEntities, DimensionPartsFrom420AndTheirDefaultsBefore) {
    for (int32_t version : {351, 420}) {
        TJwwData d;
        ASSERT_TRUE(ReadBytes(d, EveryKindFile(version)).ok);
        const TEntJwwSunpo& s = d.EntSunpo[0];
        if (version >= 420) {
            EXPECT_EQ(s.bSxfMode, 1);
            EXPECT_EQ(s.Ho2.start_x, 10.0);
            EXPECT_EQ(s.Te1.nCode, 12u);
            EXPECT_EQ(s.Te1.dBairitsu, 2.5);
            // A part point that is no marker gets no scale, unlike a drawing point.
            EXPECT_EQ(s.Te2.start_x, 2.0);
            EXPECT_EQ(s.Te2.nCode, 0u);
            EXPECT_EQ(s.Te2.dBairitsu, 0.0);
            EXPECT_EQ(s.Kt2.radKaitenKaku, 0.5);
            continue;
        }
        EXPECT_EQ(s.bSxfMode, 0);
        for (const TEntJwwLine* part : {&s.Ho1, &s.Ho2}) {
            EXPECT_EQ(part->att.nPenColor, 3);
            EXPECT_EQ(part->att.nPenStyle, 1);
            EXPECT_EQ(part->att.lGroup, 7u);
            EXPECT_EQ(part->end_y, 0.0);
        }
        for (const TEntJwwTen* point : {&s.Te1, &s.Te2, &s.Kt1, &s.Kt2}) {
            EXPECT_EQ(point->att.nPenColor, 3);
            EXPECT_EQ(point->att.nPenStyle, 0);
            EXPECT_EQ(point->att.nGLayer, 5);
            EXPECT_EQ(point->start_x, 0.0);
            EXPECT_EQ(point->dBairitsu, 0.0);
        }
    }
}

TEST(ReaderEntities, TextSizesThatAreNotFiniteBecomeDefaults) {
    TJwwData d;
    TEntJwwSunpo dim = Dimension();
    dim.Moji = Text(-kInf, kNaN, kInf);
    ASSERT_TRUE(ReadBytes(d, File(600,
                                  [&](ArchiveWriter& ar) {
                                      ar.WriteCount(3);
                                      PutRecord(ar, RecordClass::Moji, Text(kNaN, kInf, kNaN));
                                      PutRecord(ar, RecordClass::Moji, Text(-2, 0, -0.5));
                                      PutRecord(ar, RecordClass::Sunpou, dim);
                                      ar.WriteCount(0);
                                  }))
                    .ok);
    for (const TEntJwwMoji* t : {&d.EntMoji[0], &d.EntSunpo[0].Moji}) {
        EXPECT_EQ(t->dSizeX, 3.0);
        EXPECT_EQ(t->dSizeY, 3.0);
        EXPECT_EQ(t->dKankaku, 0.0);
    }
    EXPECT_EQ(d.EntMoji[1].dSizeX, -2.0);  // finite values stay as read
    EXPECT_EQ(d.EntMoji[1].dSizeY, 0.0);
    EXPECT_EQ(d.EntMoji[1].dKankaku, -0.5);
}

TEST(ReaderEntities, TextsLoseControlCharactersAndUtf16SetsMojiEncode) {
    for (bool utf16 : {false, true}) {
        TJwwData d;
        TEntJwwMoji t = Text(1, 1, 0);
        t.str = u"a\tb\u56F3";
        ASSERT_TRUE(ReadBytes(d, File(
                                     700,
                                     [&](ArchiveWriter& ar) {
                                         ar.WriteCount(1);
                                         PutRecord(ar, RecordClass::Moji, t);
                                         ar.WriteCount(0);
                                     },
                                     utf16))
                        .ok);
        EXPECT_EQ(d.EntMoji[0].str, u"ab\u56F3");
        EXPECT_EQ(d.MojiEncode, utf16);
    }
}

// Writes a class tag word as it is, whether or not it names a class.
void RawWord(ArchiveWriter& ar, uint16_t w) {
    ar.u16(w);
}

TEST(ReaderEntities, TagsThatNameNoClassTakeNoObject) {
    TJwwData d;
    const ByteBuffer file = File(600, [](ArchiveWriter& ar) {
        ar.WriteCount(3);
        PutRecord(ar, RecordClass::Sen, Line(1, 0, 0, 0));  // class index 1
        RawWord(ar, 0x8000);                                // index 0: no class is defined there
        RawWord(ar, 0x8063);                                // index 99
        RawWord(ar, 0x1234);
        RawWord(ar, 0x8001);
        PutBody(ar, Line(2, 0, 0, 0));
        ar.CountObject();
        RawWord(ar, 0x7FFF);  // the long form of tag 1
        ar.u32(0x80000001u);
        PutBody(ar, Line(3, 0, 0, 0));
        ar.CountObject();
        ar.WriteCount(0);
    });
    const jwwin::ReadReport report = ReadBytes(d, file);
    ASSERT_TRUE(report.ok) << report.reason;
    EXPECT_EQ(report.stoppedAt, file.size());
    ASSERT_EQ(d.EntLineN, 3);
    EXPECT_EQ(d.EntLine[2].start_x, 3.0);
    EXPECT_EQ(d.EntNo[2].EntNo, 2);
}

TEST(ReaderEntities, UnknownClassNameEndsTheReadingAndKeepsWhatWasRead) {
    TJwwData d;
    const jwwin::ReadReport report =
        ReadBytes(d, File(600, [](ArchiveWriter& ar) {
                      ar.WriteCount(3);
                      PutRecord(ar, RecordClass::Sen, Line(1, 0, 0, 0));
                      ar.WriteClassDef("CDataList");
                      PutBody(ar, Line(2, 0, 0, 0));
                      ar.WriteCount(0);
                  }));
    EXPECT_FALSE(report.ok);
    EXPECT_EQ(report.reason, kFileIoError);
    EXPECT_EQ(d.EntLineN, 1);
    EXPECT_EQ(d.Enthd.n1, 3);
    EXPECT_EQ(d.EntNo[1].EntType, 0);
    EXPECT_TRUE(CountsFitArrays(d));
}

// A block definition head as a writer would put it, with a raw dtime.
void PutDefinitionHead(ArchiveWriter& ar, uint32_t number, uint32_t dtime) {
    ar.BeginRecord(RecordClass::List);
    TEntJwwBlockDef def;
    def.att = FullAttr(1, 1);
    def.nNumber = number;
    def.bRefferd = 1;
    def.dtime = dtime;
    rec::describeHead(ar, def);
}

TEST(ReaderEntities, BlockDefinitionsAndANegativeTime) {
    TJwwData d;
    const ByteBuffer file = File(700, [](ArchiveWriter& ar) {
        ar.WriteCount(1);
        TEntJwwBlock insert;
        insert.dBairitsuX = insert.dBairitsuY = 1;
        insert.nNumber = 1;
        PutRecord(ar, RecordClass::Block, insert);
        ar.WriteCount(2);
        PutDefinitionHead(ar, 0, 55);
        ar.WriteString(u"first");
        ar.WriteCount(1);
        ar.CountObject();
        PutRecord(ar, RecordClass::Ten, Point(1, 1));
        PutDefinitionHead(ar, 1, 0x80000000u);
        ar.u32(0xDEADBEEF);  // the longer time field: 8 bytes
        ar.u32(0xDEADBEEF);
        ar.WriteString(u"second");
        ar.WriteCount(2);
        ar.CountObject();
        PutRecord(ar, RecordClass::Sen, Line(5, 6, 7, 8));
        insert.nNumber = 0;
        PutRecord(ar, RecordClass::Block, insert);
        ar.i32(0);  // no images
    });
    d.BindImageExr = true;
    const jwwin::ReadReport report = ReadBytes(d, file);
    ASSERT_TRUE(report.ok) << report.reason;
    EXPECT_EQ(report.stoppedAt, file.size());
    ASSERT_EQ(d.EntBlockDefN, 2);
    EXPECT_EQ(d.Enthd.n2, 2);
    const TEntJwwBlockDef& first = d.EntBlockDef[0];
    EXPECT_EQ(first.strName, u"first");
    EXPECT_EQ(first.dtime, 55u);
    EXPECT_EQ(first.bRefferd, 1u);
    ASSERT_EQ(first.mTenN, 1);
    EXPECT_EQ(first.mTen[0].dBairitsu, 0.0);  // plain points in a block get no scale
    const TEntJwwBlockDef& second = d.EntBlockDef[1];
    EXPECT_EQ(second.dtime, 2u);  // its 1-based position
    EXPECT_EQ(second.strName, u"second");
    EXPECT_EQ(second.nNumber, 1u);
    ASSERT_EQ(second.N, 2);
    EXPECT_EQ(second.mNo[0].EntType, kEntLine);
    EXPECT_EQ(second.mNo[1].EntType, kEntBlock);
    EXPECT_EQ(second.mLine[0].end_y, 8.0);
    // The tree was built at the end: the insertion and the nested one.
    EXPECT_EQ(d.EntBlockTreeN, 2);
    EXPECT_EQ(d.EntBlockNum, 2);
}

// A count in its long form, whatever its value.
void LongCount(ArchiveWriter& ar, int32_t n) {
    ar.u16(0xFFFF);
    ar.i32(n);
}

TEST(ReaderEntities, NegativeCountsFail) {
    const Body bodies[] = {
        [](ArchiveWriter& ar) { LongCount(ar, -1); },
        [](ArchiveWriter& ar) {
            ar.WriteCount(0);
            LongCount(ar, -2);
        },
        [](ArchiveWriter& ar) {
            ar.WriteCount(0);
            ar.WriteCount(1);
            PutDefinitionHead(ar, 0, 0);
            ar.WriteString(u"b");
            LongCount(ar, -3);
        },
    };
    for (const Body& body : bodies) {
        TJwwData d;
        EXPECT_EQ(ReadBytes(d, File(600, body)).reason, kFileIoError);
        EXPECT_TRUE(CountsFitArrays(d));
    }
}

// 268 lines, as the colour chart has, written by FileOut.
std::u16string ChartLikeFile(const TempDir& dir, int32_t version) {
    TJwwData doc;
    doc.DataDefaultSet();
    for (int i = 0; i < 268; ++i)
        AddLine(doc, Line(i, 0, i, 10));
    const std::u16string file = (dir.path() / "lines.jww").u16string();
    EXPECT_TRUE(doc.FileOut(file, version));
    return file;
}

TEST(ReaderEntities, FilePrevInReadsAtMostZMaxNObjects) {
    TempDir dir;
    const std::u16string file = ChartLikeFile(dir, 700);
    TJwwData d;
    d.BindImageExp = true;
    d.BindImageFolder = dir.folder();

    ASSERT_TRUE(d.FilePrevIn(file, 0));
    EXPECT_EQ(d.Enthd.jwVer, 700);
    EXPECT_EQ(d.Enthd.n1, 268);
    EXPECT_EQ(d.EntLineN, 0);
    EXPECT_EQ(d.EntNo.size(), 268u);
    EXPECT_EQ(d.Ref->DrawingPath, u"");  // a preview does not record the drawing

    ASSERT_TRUE(d.FilePrevIn(file, 10));
    EXPECT_EQ(d.EntLineN, 10);
    EXPECT_EQ(d.EntLine[9].start_x, 9.0);
    EXPECT_EQ(d.Enthd.n1, 268);
    EXPECT_EQ(d.EntNo[9].EntType, kEntLine);
    for (size_t i = 10; i < 268; ++i)
        ASSERT_EQ(d.EntNo[i].EntType, 0) << i;
    EXPECT_TRUE(CountsFitArrays(d));

    ASSERT_TRUE(d.FilePrevIn(file, 100000));
    EXPECT_EQ(d.EntLineN, 268);

    ASSERT_TRUE(d.FileIn(file));
    EXPECT_EQ(d.EntLineN, 268);
    EXPECT_EQ(d.Ref->DrawingPath, file);
}

TEST(ReaderEntities, FilePrevInCountsTagsAcrossBlockMembers) {
    TJwwData d;
    const ByteBuffer file = File(600, [](ArchiveWriter& ar) {
        ar.WriteCount(1);
        PutRecord(ar, RecordClass::Block, TEntJwwBlock{});
        ar.WriteCount(1);
        PutDefinitionHead(ar, 0, 0);
        ar.WriteString(u"b");
        ar.WriteCount(3);
        ar.CountObject();
        for (int i = 0; i < 3; ++i)
            PutRecord(ar, RecordClass::Sen, Line(i, 0, 0, 0));
    });
    const struct {
        int32_t zMaxN;
        int32_t defs;
        int32_t members;
    } cases[] = {{1, 0, 0}, {2, 1, 1}, {3, 1, 2}, {4, 1, 3}, {-5, 0, 0}};
    for (const auto& c : cases) {
        ASSERT_TRUE(ReadBytes(d, file, {.maxObjects = c.zMaxN}).ok) << c.zMaxN;
        EXPECT_EQ(d.EntBlockN, c.zMaxN > 0 ? 1 : 0);
        ASSERT_EQ(d.EntBlockDefN, c.defs) << c.zMaxN;
        if (c.defs == 0) continue;
        EXPECT_EQ(d.EntBlockDef[0].N, 3);
        EXPECT_EQ(d.EntBlockDef[0].mLineN, c.members) << c.zMaxN;
        EXPECT_TRUE(CountsFitArrays(d));
    }
}

// A preview that stops inside the block section reports the file's count of
// definitions, as it does for entities and members, while the arrays hold
// only what it read: every walk, the dump and a save stay within the arrays.
TEST(ReaderEntities, FilePrevInKeepsTheStoredDefinitionCount) {
    const ByteBuffer file = File(600, [](ArchiveWriter& ar) {
        ar.WriteCount(1);
        PutRecord(ar, RecordClass::Block, TEntJwwBlock{});
        ar.WriteCount(2);
        for (uint32_t n : {0u, 1u}) {
            PutDefinitionHead(ar, n, 0);
            ar.WriteString(u"b");
            ar.WriteCount(3);
            ar.CountObject();
            for (int i = 0; i < 3; ++i)
                PutRecord(ar, RecordClass::Sen, Line(i, 0, 0, 0));
        }
    });
    TJwwData d;
    ASSERT_TRUE(ReadBytes(d, file, {.maxObjects = 3}).ok);
    EXPECT_EQ(d.EntBlockDefN, 2);
    EXPECT_EQ(d.Enthd.n2, 2);
    ASSERT_EQ(d.EntBlockDef.size(), 1u);
    EXPECT_EQ(d.EntBlockDef[0].N, 3);
    EXPECT_EQ(d.EntBlockDef[0].mLineN, 2);

    int definitions = 0, members = 0;
    ForEachDefinition(d, [&](const TEntJwwBlockDef& def) {
        ++definitions;
        ForEachEntity(EntityView::Of(def), [&](const auto&) { ++members; });
    });
    EXPECT_EQ(definitions, 1);
    EXPECT_EQ(members, 2);
    ForEachExpanded(d, [](const auto&, const Placement&) {});

    d.MakeBlockTree();
    TempDir dir;
    const std::u16string saved = (dir.path() / "preview.jww").u16string();
    ASSERT_TRUE(d.FileOut(saved, 600));
    TJwwData back;
    ASSERT_TRUE(back.FileIn(saved));
    EXPECT_EQ(back.EntBlockDefN, 1);
    EXPECT_EQ(back.EntBlockDef[0].N, 2);
}

}  // namespace
}  // namespace tw::test
