// Entity records: the attribute record, the old-file mapping and checks,
// text preparation, optional fields, skipped entries and the separate parts
// of SXF-mode dimensions in old files.
#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "jww/WriterSupport.h"

namespace tw {
namespace {

using jwwout::FilterAttr;
using test::Ascii;
using test::Bytes;
using test::Concat;
using test::F64At;
using test::Find;
using test::I32At;
using test::Le32;
using test::Le64;
using test::Slice;

constexpr size_t kSenDef = 14;  // FF FF, schema, length, "CDataSen"

TEntJwwAttr Attr(int style) {
    return test::Attr(static_cast<uint8_t>(style), 1);
}

TEST(WriterEntities, AttributeRecordIs15BytesFrom351And13Below) {
    TJwwData d;
    TEntJwwAttr a;
    a.lGroup = 0;
    a.nPenStyle = 1;
    a.nPenColor = 5;
    a.nPenWidth = 0;
    a.nLayer = 2;
    a.nGLayer = 3;
    a.sFlg = 0;
    test::AddLine(d, test::Line(1, 2, 3, 4, a));
    const ByteBuffer wide = Bytes({0, 0, 0, 0, 1, 5, 0, 0, 0, 2, 0, 3, 0, 0, 0});
    const ByteBuffer narrow = Bytes({0, 0, 0, 0, 1, 5, 0, 2, 0, 3, 0, 0, 0});
    for (int32_t version : {351, 420, 600, 700}) {
        const ByteBuffer s = test::EntitySection(d, version);
        ASSERT_EQ(s.size(), kSenDef + 47) << version;
        EXPECT_EQ(Slice(s, kSenDef, 15), wide) << version;
        EXPECT_EQ(F64At(s, kSenDef + 15), 1.0);
    }
    for (int32_t version : {220, 230, 300}) {
        const ByteBuffer s = test::EntitySection(d, version);
        ASSERT_EQ(s.size(), kSenDef + 45) << version;
        EXPECT_EQ(Slice(s, kSenDef, 13), narrow) << version;
    }
}

// Extended line types 31 to 62 and colours 101 to 356 in files older than
// 4.20, for a line; from 4.20 they stay.
TEST(WriterEntities, OldFileMappingOfPenStylesAndColours) {
    const TRefTable ref;
    const uint8_t oldStyles[] = {1, 4, 3, 6, 8, 8, 2, 5, 7, 6, 6, 8, 8, 17, 17};
    for (int style = 31; style <= 62; ++style) {
        const uint8_t expected = style <= 45 ? oldStyles[style - 31] : 1;
        const TEntJwwAttr a = Attr(style);
        EXPECT_EQ(FilterAttr(a, kEntLine, 351, ref).nPenStyle, expected) << style;
        EXPECT_EQ(FilterAttr(a, kEntArc, 300, ref).nPenStyle, expected) << style;
        EXPECT_EQ(FilterAttr(a, kEntLine, 420, ref).nPenStyle, style) << style;
    }
    const uint16_t oldColors[] = {2, 8, 3, 6, 4, 5, 1, 2, 5, 8, 4, 3, 6, 5, 2, 2};
    for (int color = 101; color <= 356; ++color) {
        const uint16_t expected = color <= 116 ? oldColors[color - 101] : 1;
        const TEntJwwAttr a = test::Attr(1, color);
        for (int kind = kEntLine; kind <= kEntSolid; ++kind)
            EXPECT_EQ(FilterAttr(a, kind, 351, ref).nPenColor, expected)
                << color << " kind " << kind;
        EXPECT_EQ(FilterAttr(a, kEntLine, 420, ref).nPenColor, color);
        EXPECT_EQ(FilterAttr(a, kEntBlock, 351, ref).nPenColor, color) << "insertions keep theirs";
        EXPECT_EQ(FilterAttr(a, jwwout::kAttrBlockDef, 351, ref).nPenColor, color);
    }
    EXPECT_EQ(FilterAttr(Attr(35), kEntPoint, 351, ref).nPenStyle, 1) << "points: only 1 or 100";
}

// The values substituted for unusable numbers come from the reference table.
TEST(WriterEntities, FallbacksComeFromTheReferenceTable) {
    TRefTable ref;
    ref.FallbackPenStyle = 2;
    ref.FallbackPenColor = 3;
    EXPECT_EQ(FilterAttr(Attr(50), kEntLine, 351, ref).nPenStyle, 2);
    EXPECT_EQ(FilterAttr(Attr(20), kEntLine, 700, ref).nPenStyle, 2);
    EXPECT_EQ(FilterAttr(test::Attr(1, 200), kEntLine, 351, ref).nPenColor, 3);
    EXPECT_EQ(FilterAttr(test::Attr(1, 0), kEntText, 700, ref).nPenColor, 3);
}

// The writer's precomputed filter answers exactly as FilterAttr for every
// style and every colour, including those beyond its tables.
TEST(WriterEntities, PrecomputedFilterEqualsFilterAttr) {
    TRefTable ref;
    ref.FallbackPenStyle = 2;
    ref.FallbackPenColor = 3;
    for (int32_t version : {300, 351, 420, 700}) {
        const jwwout::AttrFilter filter(version, ref);
        for (int kind = kEntLine; kind <= jwwout::kAttrBlockDef; ++kind) {
            for (uint32_t value = 0; value <= 0xFFFF; ++value) {
                TEntJwwAttr a =
                    test::Attr(static_cast<uint8_t>(value), static_cast<uint16_t>(value));
                a.nLayer = a.nGLayer = static_cast<uint16_t>(value & 0x1F);
                a.nPenWidth = static_cast<uint16_t>(value);
                const TEntJwwAttr expected = FilterAttr(a, kind, version, ref);
                filter.Apply(a, kind);
                ASSERT_EQ(std::tie(a.nPenStyle, a.nPenColor, a.nLayer, a.nGLayer, a.nPenWidth),
                          std::tie(expected.nPenStyle, expected.nPenColor, expected.nLayer,
                                   expected.nGLayer, expected.nPenWidth))
                    << "version " << version << " kind " << kind << " value " << value;
            }
        }
    }
}

struct CheckCase {
    int kind;
    uint8_t style;
    uint16_t color;
    uint8_t writtenStyle;
    uint16_t writtenColor;
};

TEST(WriterEntities, StyleAndColourChecksByKind) {
    const TRefTable ref;
    const CheckCase cases[] = {
        {kEntLine, 0, 0, 1, 1},          {kEntLine, 10, 10, 1, 1},
        {kEntLine, 20, 100, 1, 1},       {kEntLine, 30, 357, 1, 1},
        {kEntLine, 63, 400, 1, 1},       {kEntLine, 9, 9, 9, 9},
        {kEntArc, 11, 101, 11, 101},     {kEntArc, 19, 356, 19, 356},
        {kEntArc, 62, 1, 62, 1},         {kEntPoint, 5, 2, 1, 2},
        {kEntPoint, 100, 2, 100, 2},     {kEntText, 0, 2, 1, 2},
        {kEntText, 10, 2, 1, 2},         {kEntText, 9, 2, 9, 2},
        {kEntDim, 77, 5, 77, 5},         {kEntDim, 1, 10, 1, 1},
        {kEntSolid, 200, 10, 200, 10},   {kEntSolid, 1, 11, 1, 1},
        {kEntBlock, 250, 999, 250, 999}, {jwwout::kAttrBlockDef, 0, 0, 0, 0},
    };
    for (const CheckCase& c : cases) {
        const TEntJwwAttr a = FilterAttr(test::Attr(c.style, c.color), c.kind, 700, ref);
        EXPECT_EQ(a.nPenStyle, c.writtenStyle) << "kind " << c.kind << " style " << int(c.style);
        EXPECT_EQ(a.nPenColor, c.writtenColor) << "kind " << c.kind << " colour " << c.color;
    }
}

TEST(WriterEntities, LayersAndWidthsOutOfRangeBecomeZero) {
    const TRefTable ref;
    TEntJwwAttr a = test::Attr(1, 1);
    a.nLayer = 16;
    a.nGLayer = 16;
    a.nPenWidth = 30001;
    a.lGroup = 0xDEADBEEF;
    a.sFlg = 0xBEEF;
    TEntJwwAttr w = FilterAttr(a, jwwout::kAttrBlockDef, 700, ref);
    EXPECT_EQ(w.nLayer, 0);
    EXPECT_EQ(w.nGLayer, 0);
    EXPECT_EQ(w.nPenWidth, 0);
    EXPECT_EQ(w.lGroup, 0xDEADBEEFu);
    EXPECT_EQ(w.sFlg, 0xBEEF);
    a.nLayer = 15;
    a.nGLayer = 15;
    a.nPenWidth = 30000;
    w = FilterAttr(a, kEntLine, 700, ref);
    EXPECT_EQ(w.nLayer, 15);
    EXPECT_EQ(w.nGLayer, 15);
    EXPECT_EQ(w.nPenWidth, 30000);
}

struct TextCase {
    int32_t options;
    std::u16string in;
    std::u16string out;
};

TEST(WriterEntities, TextPreparationByOutputOptions) {
    TRefTable ref;
    ref.RefSubstOn = 1;
    ref.RefTable = {{u"%%NAME", u"Taro"}};
    ref.RefCount = 1;
    const TextCase cases[] = {
        {0, u"", u""},
        {0, u"\t", u" "},
        {0, u"a^mb\\nc", u"abc"},
        {0, u"%%NAME", u"%%NAME"},
        {0, u"^@BM%temp%a.jpg,1", u"^@BM%temp%a.jpg,1"},
        {16, u"%%NAME", u"Taro"},
        {16, u"%%NAME\t", u"Taro"},
        {8, u"^@BM%temp%a.jpg,1", u"^@BMa.jpg,1"},
        {8, u"x^@BM%temp%a.jpg,1", u"x^@BM%temp%a.jpg,1"},
        {8, u"^@BM%temp", u"^@BM%temp"},
        {1, u"^@BMC:\\dir\\sub\\a.jpg,1,2", u"^@BMa.jpg,1,2"},
        {1, u"^@BM/tmp/a.jpg,3", u"^@BMa.jpg,3"},
        {1, u"^@BMC:\\dir\\a.jpg", u"^@BMC:\\dir\\a.jpg"},
        {1, u"^@BM%temp%a.jpg,1", u"^@BM%temp%a.jpg,1"},
        {9, u"^@BM%temp%dir\\a.jpg,1", u"^@BMa.jpg,1"},
        {32 | 4 | 2, u"^@BM%temp%a.jpg,1", u"^@BM%temp%a.jpg,1"},
    };
    auto prepared = [&](std::u16string t, int32_t options) {
        jwwout::PrepareText(t, options, ref);
        return t;
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(prepared(c.in, c.options), c.out) << c.options;
    ref.RefSubstOn = 0;
    EXPECT_EQ(prepared(u"%%NAME", 16), u"%%NAME");
}

TEntJwwMoji Text(const std::u16string& str, const std::u16string& font = u"MS Gothic") {
    TEntJwwMoji m;
    m.att = test::Attr(1, 1);
    m.nMojiShu = 10003;
    m.dSizeX = 0.0;
    m.dSizeY = -3.5;
    m.dKankaku = -1.0;
    m.degKakudo = 90.0;
    m.strFontName = font;
    m.str = str;
    return m;
}

void AddText(TJwwData& d, const TEntJwwMoji& m) {
    d.EntMoji.push_back(m);
    d.EntMojiN = static_cast<int32_t>(d.EntMoji.size());
    test::AddEntry(d, kEntText, d.EntMojiN - 1);
}

TEST(WriterEntities, TextRecordCarriesClampedSizesAndPreparedTexts) {
    TJwwData d;
    d.FileOutOpt = kOutDropTempMarker;
    AddText(d, Text(u"^@BM%temp%a.jpg,1", u"Font^m"));
    const ByteBuffer s = test::EntitySection(d, 700);
    const size_t body = 15;  // FF FF, schema, length, "CDataMoji"
    EXPECT_EQ(Slice(s, 0, 6), Bytes({0xFF, 0xFF, 0xBC, 0x02, 0x09, 0x00}));
    EXPECT_EQ(I32At(s, body + 15 + 32), 10003);
    EXPECT_EQ(F64At(s, body + 51), 1.0e-10);
    EXPECT_EQ(F64At(s, body + 59), 3.5);
    EXPECT_EQ(F64At(s, body + 67), -1.0);
    EXPECT_EQ(Slice(s, body + 83, s.size() - body - 83),
              Concat({Bytes({4}), Ascii("Font"), Bytes({11}), Ascii("^@BMa.jpg,1")}));
    EXPECT_EQ(d.EntMoji[0].str, u"^@BM%temp%a.jpg,1") << "the document keeps its text";
    EXPECT_EQ(d.EntMoji[0].dSizeX, 0.0);
}

TEST(WriterEntities, OptionalFieldsFollowTheStoredValues) {
    TJwwData d;
    TEntJwwTen plain;
    plain.att = test::Attr(5, 1);
    TEntJwwTen marker;
    marker.att = test::Attr(100, 1);
    marker.nCode = 7;
    d.EntTen = {plain, marker};
    d.EntTenN = 2;
    TEntJwwSolid own;
    own.att = test::Attr(1, 10);
    own.Color = 0x123456;
    TEntJwwSolid bad = own;
    bad.att.nPenColor = 11;
    d.EntSolid = {own, bad};
    d.EntSolidN = 2;
    test::AddEntry(d, kEntPoint, 0);
    test::AddEntry(d, kEntPoint, 1);
    test::AddEntry(d, kEntSolid, 0);
    test::AddEntry(d, kEntSolid, 1);
    const ByteBuffer s = test::EntitySection(d, 700);
    const size_t tenDef = 14, solidDef = 16, tag = 2;
    ASSERT_EQ(s.size(), tenDef + 35 + tag + 55 + solidDef + 83 + tag + 79);
    EXPECT_EQ(s[tenDef + 4], 1) << "style 5 is written as 1";
    EXPECT_EQ(I32At(s, tenDef + 35 + tag + 35), 7);
    const size_t solid = tenDef + 35 + tag + 55 + solidDef;
    EXPECT_EQ(I32At(s, solid + 79), 0x123456);
    EXPECT_EQ(s[solid + 83 + tag + 5], 1) << "colour 11 falls back to 1";
}

// Entries with an unknown kind or an index outside their array are neither
// written nor numbered: the arc's class takes the index it would take if they
// were absent.
TEST(WriterEntities, UnwritableEntriesAreSkippedAndNotCounted) {
    TJwwData d;
    test::AddLine(d, test::Line(0, 0, 1, 1));
    d.EntEnko.resize(2);  // only the first belongs to the drawing
    d.EntEnkoN = 1;
    for (TEntJwwNo e : {TEntJwwNo{kEntLine, 1}, TEntJwwNo{0, 0}, TEntJwwNo{8, 0}, TEntJwwNo{-1, 0},
                        TEntJwwNo{kEntLine, -1}, TEntJwwNo{kEntArc, 1}, TEntJwwNo{kEntArc, 0}})
        test::AddEntry(d, e.EntType, e.EntNo);
    EXPECT_EQ(jwwout::CountRecords(EntityView::Of(d), 700, 600), 2);
    test::MemorySink sink;
    ArchiveWriter ar(sink, 700, false);
    jwwout::EntityWriter(ar, d, *d.Ref).WriteAll(EntityView::Of(d));
    EXPECT_EQ(ar.classIndex(RecordClass::Enko), 3);
    EXPECT_EQ(ar.objectIndex(), 5);
}

TEST(WriterEntities, BlockInsertionsCarryTheWrittenBlockNumber) {
    TJwwData d;
    TEntJwwBlockDef used, unused;
    used.nNumber = 9;
    used.ref_flag = true;
    used.ref_no = 0;
    unused.nNumber = 7;
    d.EntBlockDef = {unused, used};
    d.EntBlockDefN = 2;
    for (uint32_t n : {9u, 7u, 5u}) {
        TEntJwwBlock b;
        b.att = test::Attr(200, 999);
        b.nNumber = n;
        d.EntBlock.push_back(b);
        test::AddEntry(d, kEntBlock, static_cast<int32_t>(d.EntBlock.size()) - 1);
    }
    d.EntBlockN = 3;
    const ByteBuffer s = test::EntitySection(d, 700);
    const size_t def = 16, tag = 2;
    ASSERT_EQ(s.size(), def + 3 * 59 + 2 * tag);
    EXPECT_EQ(s[def + 4], 200);
    EXPECT_EQ(I32At(s, def + 55), 0);
    EXPECT_EQ(I32At(s, def + 59 + tag + 55), 7) << "a definition not in use keeps its number";
    EXPECT_EQ(I32At(s, def + 2 * (59 + tag) + 55), 0) << "no such definition";
    EXPECT_EQ(d.EntBlock[0].nNumber, 9u);
}

TEntJwwSunpo SxfDimension() {
    TEntJwwSunpo dim;
    dim.att = test::Attr(1, 2);
    dim.Sen = test::Line(0, 0, 100, 0);
    dim.Moji = Text(u"%%NAME");
    dim.bSxfMode = 1;
    dim.Ho1 = test::Line(11, 0, 11, 5);
    dim.Ho2 = test::Line(12, 0, 12, 5);
    for (TEntJwwTen* p : {&dim.Te1, &dim.Te2, &dim.Kt1, &dim.Kt2})
        p->att = test::Attr(1, 3);
    dim.Te1.start_x = 21;
    dim.Te2.start_x = 22;
    dim.Kt1.start_x = 23;
    dim.Kt2.start_x = 24;
    dim.Kt2.att.nPenStyle = 100;
    return dim;
}

class WriterDimension : public ::testing::Test {
  protected:
    void SetUp() override {
        d.Enthd.jwVer = 600;
        d.EntSunpo = {SxfDimension()};
        d.EntSunpoN = 1;
        test::AddEntry(d, kEntDim, 0);
    }
    int32_t Records(int32_t version) {
        return jwwout::CountRecords(EntityView::Of(d), version, d.Enthd.jwVer);
    }
    TJwwData d;
};

constexpr size_t kSunpouDef = 17;
constexpr size_t kShortDimension = 15 + 47 + 83 + 7 + 10;  // font "MS Gothic", text "%%NAME"

// Below 4.20 the parts follow as two lines and four points; the base points
// are temporary points.
TEST_F(WriterDimension, SxfPartsAreSeparateRecordsBelow420) {
    EXPECT_EQ(Records(351), 7);
    test::MemorySink sink;
    ArchiveWriter ar(sink, 351, false);
    jwwout::EntityWriter(ar, d, *d.Ref).WriteAll(EntityView::Of(d));
    ar.Flush();
    EXPECT_EQ(ar.classIndex(RecordClass::Sunpou), 1);
    EXPECT_EQ(ar.classIndex(RecordClass::Sen), 3);
    EXPECT_EQ(ar.classIndex(RecordClass::Ten), 6);
    EXPECT_EQ(ar.objectIndex(), 11);
    const ByteBuffer& s = sink.bytes;
    const size_t ho1 = kSunpouDef + kShortDimension;
    EXPECT_EQ(Slice(s, ho1, 14),
              Concat({Bytes({0xFF, 0xFF, 0x5F, 0x01, 8, 0}), Ascii("CDataSen")}));
    EXPECT_EQ(F64At(s, ho1 + 14 + 15), 11.0);
    const size_t ho2 = ho1 + 14 + 47;
    EXPECT_EQ(Slice(s, ho2, 2), Bytes({0x03, 0x80}));
    const size_t te1 = ho2 + 2 + 47;
    EXPECT_EQ(Slice(s, te1, 14),
              Concat({Bytes({0xFF, 0xFF, 0x5F, 0x01, 8, 0}), Ascii("CDataTen")}));
    const size_t te2 = te1 + 14 + 35, kt1 = te2 + 2 + 35, kt2 = kt1 + 2 + 35;
    EXPECT_EQ(Slice(s, te2, 2), Bytes({0x06, 0x80}));
    EXPECT_EQ(I32At(s, te2 + 2 + 31), 0) << "end points keep bKariten";
    EXPECT_EQ(F64At(s, kt1 + 2 + 15), 23.0);
    EXPECT_EQ(I32At(s, kt1 + 2 + 31), 1);
    EXPECT_EQ(I32At(s, kt2 + 2 + 31), 1);
    EXPECT_EQ(s.size(), kt2 + 2 + 55) << "a marker point keeps its three fields";
    EXPECT_EQ(d.EntSunpo[0].Kt1.bKariten, 0u);
}

TEST_F(WriterDimension, OneRecordFrom420OrForOlderDocuments) {
    EXPECT_EQ(Records(420), 1);
    const size_t partsSize = 2 + 2 * 47 + 3 * 35 + 55;
    EXPECT_EQ(test::EntitySection(d, 420).size(), kSunpouDef + kShortDimension + partsSize);
    d.Enthd.jwVer = 351;
    EXPECT_EQ(Records(351), 1);
    EXPECT_EQ(test::EntitySection(d, 351).size(), kSunpouDef + kShortDimension);
    EXPECT_EQ(test::EntitySection(d, 300).size(), kSunpouDef + kShortDimension - 3 * 2);
    d.Enthd.jwVer = 600;
    d.EntSunpo[0].bSxfMode = 0;
    EXPECT_EQ(Records(300), 1);
}

// A dimension's text always passes through the reference table.
TEST_F(WriterDimension, TextGoesThroughTheReferenceTable) {
    d.Ref->RefSubstOn = 1;
    d.Ref->RefTable = {{u"%%NAME", u"Taro"}};
    d.Ref->RefCount = 1;
    const ByteBuffer s = test::EntitySection(d, 700);
    EXPECT_NE(Find(s, Concat({Bytes({4}), Ascii("Taro")})), std::string::npos);
}

TEST(WriterEntities, WritingChangesNothingInTheDocument) {
    TJwwData d;
    d.Enthd.jwVer = 600;
    d.FileOutOpt = kOutDropTempMarker | kOutImageFileName;
    test::AddLine(d, test::Line(0, 0, 1, 1, test::Attr(99, 999)));
    AddText(d, Text(u"^@BM%temp%C:\\a.jpg,1"));
    const ByteBuffer first = test::EntitySection(d, 351);
    EXPECT_EQ(test::EntitySection(d, 351), first);
    EXPECT_EQ(d.EntLine[0].att.nPenStyle, 99);
    EXPECT_EQ(d.EntLine[0].att.nPenColor, 999);
    EXPECT_EQ(d.EntMoji[0].str, u"^@BM%temp%C:\\a.jpg,1");
    EXPECT_EQ(d.EntMoji[0].dSizeY, -3.5);
}

}  // namespace
}  // namespace tw
