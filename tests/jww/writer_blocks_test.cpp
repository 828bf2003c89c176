// The block-definition section: which definitions are written, their
// numbers, their members, and the numbering that runs on from the entities.
#include <gtest/gtest.h>

#include "jww/WriterSupport.h"

namespace tw {
namespace {

using test::Ascii;
using test::Bytes;
using test::Concat;
using test::Find;
using test::I32At;
using test::Le32;
using test::Slice;

TEntJwwBlockDef Definition(uint32_t number, const std::u16string& name) {
    TEntJwwBlockDef def;
    def.att = test::Attr(1, 1);
    def.nNumber = number;
    def.strName = name;
    return def;
}

void AddMember(TEntJwwBlockDef& def, int32_t type, int32_t index) {
    def.mNo.push_back({type, index});
    def.N = static_cast<int32_t>(def.mNo.size());
}

void AddMemberLine(TEntJwwBlockDef& def, const TEntJwwLine& line) {
    def.mLine.push_back(line);
    def.mLineN = static_cast<int32_t>(def.mLine.size());
    AddMember(def, kEntLine, def.mLineN - 1);
}

void AddMemberInsertion(TEntJwwBlockDef& def, uint32_t number) {
    TEntJwwBlock b;
    b.att = test::Attr(1, 1);
    b.dBairitsuX = b.dBairitsuY = 1.0;
    b.nNumber = number;
    def.mBlock.push_back(b);
    def.mBlockN = static_cast<int32_t>(def.mBlock.size());
    AddMember(def, kEntBlock, def.mBlockN - 1);
}

void AddInsertion(TJwwData& d, uint32_t number) {
    TEntJwwBlock b;
    b.att = test::Attr(1, 1);
    b.dBairitsuX = b.dBairitsuY = 1.0;
    b.nNumber = number;
    d.EntBlock.push_back(b);
    d.EntBlockN = static_cast<int32_t>(d.EntBlock.size());
    test::AddEntry(d, kEntBlock, d.EntBlockN - 1);
}

// Sets the definitions after the insertions, and the bookkeeping FileOut
// relies on.
void SetDefinitions(TJwwData& d, std::vector<TEntJwwBlockDef> defs) {
    d.EntBlockDef = std::move(defs);
    d.EntBlockDefN = d.Enthd.n2 = static_cast<int32_t>(d.EntBlockDef.size());
    d.MakeBlockTree();
}

struct Sections {
    ByteBuffer bytes;
    size_t blocksAt = 0;  // where the block-definition section begins
    int32_t listClass = 0, senClass = 0, objects = 0;
};

// The entity and block-definition sections of d, numbered as in a file.
Sections Write(TJwwData& d, int32_t version) {
    test::MemorySink sink;
    ArchiveWriter ar(sink, version, false);
    jwwout::EntityWriter entities(ar, d, *d.Ref);
    entities.WriteAll(EntityView::Of(d));
    ar.Flush();
    Sections s;
    s.blocksAt = sink.bytes.size();
    jwwout::WriteBlockSection(ar, d, entities);
    ar.Flush();
    s.bytes = sink.bytes;
    s.listClass = ar.classIndex(RecordClass::List);
    s.senClass = ar.classIndex(RecordClass::Sen);
    s.objects = ar.objectIndex();
    return s;
}

const ByteBuffer kListDef700 = Concat({Bytes({0xFF, 0xFF, 0xBC, 0x02, 9, 0}), Ascii("CDataList")});
constexpr size_t kBlockRecord = 16 + 59;  // "CDataBlock" definition and body

// One insertion of a definition that holds one line, at 7.00.
TEST(WriterBlocks, NumberingRunsOnFromTheEntitySection) {
    TJwwData d;
    TEntJwwBlockDef def = Definition(1, u"door^m");
    def.bRefferd = 0x01020304;
    def.dtime = 0x0A0B0C0D;
    AddMemberLine(def, test::Line(0, 0, 5, 5));
    AddInsertion(d, 1);
    SetDefinitions(d, {def});
    const Sections s = Write(d, 700);
    EXPECT_EQ(s.blocksAt, kBlockRecord);
    const ByteBuffer expectedHead = Concat({
        Bytes({1, 0}),
        kListDef700,
        Bytes({0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
        Le32(0),
        Le32(0x01020304),
        Le32(0x0A0B0C0D),
        Bytes({4}),
        Ascii("door"),
        Bytes({1, 0}),
        Bytes({0xFF, 0xFF, 0xBC, 0x02, 8, 0}),
        Ascii("CDataSen"),
    });
    EXPECT_EQ(Slice(s.bytes, s.blocksAt, expectedHead.size()), expectedHead);
    EXPECT_EQ(s.bytes.size(), s.blocksAt + expectedHead.size() + 47);
    EXPECT_EQ(s.listClass, 3);
    EXPECT_EQ(s.senClass, 5);
    EXPECT_EQ(s.objects, 7);
}

TEST(WriterBlocks, NoInsertionMeansNoDefinition) {
    TJwwData d;
    TEntJwwBlockDef def = Definition(1, u"unused");
    AddMemberLine(def, test::Line(0, 0, 1, 1));
    SetDefinitions(d, {def});
    const Sections s = Write(d, 700);
    EXPECT_EQ(s.bytes, Bytes({0, 0}));
    EXPECT_EQ(s.listClass, 0);
}

// Definitions at positions 0 and 2 are used: they are written as numbers 0
// and 1, and every insertion carries the new number.
TEST(WriterBlocks, UnusedDefinitionsAreLeftOutAndNumbersCloseUp) {
    TJwwData d;
    std::vector<TEntJwwBlockDef> defs = {Definition(10, u"a"), Definition(20, u"b"),
                                         Definition(30, u"c")};
    for (auto& def : defs)
        AddMemberLine(def, test::Line(0, 0, 1, 1));
    AddInsertion(d, 30);
    AddInsertion(d, 10);
    AddInsertion(d, 30);
    SetDefinitions(d, defs);
    const Sections s = Write(d, 700);
    auto insertionNumber = [&](int k) { return I32At(s.bytes, 16 + 55 + k * (59 + 2)); };
    EXPECT_EQ(insertionNumber(0), 1);
    EXPECT_EQ(insertionNumber(1), 0);
    EXPECT_EQ(insertionNumber(2), 1);
    EXPECT_EQ(Slice(s.bytes, s.blocksAt, 2), Bytes({2, 0}));
    const size_t first = Find(s.bytes, Concat({Le32(0), Le32(0), Le32(0), Bytes({1, 'a'})}));
    const size_t second = Find(s.bytes, Concat({Le32(1), Le32(0), Le32(0), Bytes({1, 'c'})}));
    EXPECT_NE(first, std::string::npos);
    EXPECT_NE(second, std::string::npos);
    EXPECT_LT(first, second);
    EXPECT_EQ(Find(s.bytes, Bytes({1, 'b'})), std::string::npos);
}

// A definition used only inside another one is written too, and the nested
// insertion carries its new number.
TEST(WriterBlocks, NestedDefinitionsAreWrittenWithTheirNewNumbers) {
    TJwwData d;
    TEntJwwBlockDef inner = Definition(2, u"inner");
    AddMemberLine(inner, test::Line(0, 0, 1, 1));
    TEntJwwBlockDef outer = Definition(1, u"outer");
    AddMemberInsertion(outer, 2);
    AddInsertion(d, 1);
    SetDefinitions(d, {Definition(3, u"spare"), outer, inner});
    const Sections s = Write(d, 700);
    EXPECT_EQ(Slice(s.bytes, s.blocksAt, 2), Bytes({2, 0}));
    const size_t outerAt =
        Find(s.bytes, Concat({Le32(0), Le32(0), Le32(0), Bytes({5}), Ascii("outer")}));
    ASSERT_NE(outerAt, std::string::npos);
    // member count 1, then the member insertion (tag of CDataBlock) and its body
    const size_t member = outerAt + 12 + 6;
    EXPECT_EQ(Slice(s.bytes, member, 4), Bytes({1, 0, 0x01, 0x80}));
    EXPECT_EQ(I32At(s.bytes, member + 4 + 55), 1);
    EXPECT_NE(Find(s.bytes, Concat({Le32(1), Le32(0), Le32(0), Bytes({5}), Ascii("inner")})),
              std::string::npos);
    EXPECT_EQ(Find(s.bytes, Ascii("spare")), std::string::npos);
}

TEST(WriterBlocks, OfTwoDefinitionsWithOneNumberOnlyTheFirstIsWritten) {
    TJwwData d;
    AddInsertion(d, 5);
    SetDefinitions(d, {Definition(5, u"first"), Definition(5, u"second")});
    const Sections s = Write(d, 700);
    EXPECT_EQ(Slice(s.bytes, s.blocksAt, 2), Bytes({1, 0}));
    EXPECT_NE(Find(s.bytes, Ascii("first")), std::string::npos);
    EXPECT_EQ(Find(s.bytes, Ascii("second")), std::string::npos);
}

// The member list is made exactly N entries long; entries that name nothing
// are neither counted nor written, and an empty list still takes its index.
TEST(WriterBlocks, MemberListsAreCutOrPaddedToN) {
    TJwwData d;
    TEntJwwBlockDef empty = Definition(1, u"e");
    TEntJwwBlockDef cut = Definition(2, u"c");
    AddMemberLine(cut, test::Line(0, 0, 1, 1));
    AddMemberLine(cut, test::Line(0, 0, 2, 2));
    cut.N = 1;
    TEntJwwBlockDef padded = Definition(3, u"p");
    AddMemberLine(padded, test::Line(0, 0, 3, 3));
    AddMember(padded, kEntLine, 1);  // index equal to the line count
    padded.N = 4;
    for (uint32_t n : {1u, 2u, 3u})
        AddInsertion(d, n);
    SetDefinitions(d, {empty, cut, padded});
    const Sections s = Write(d, 700);
    auto memberCount = [&](const std::string& name) {
        const size_t at = Find(s.bytes, Concat({Bytes({1}), Ascii(name)}));
        return Slice(s.bytes, at + 2, 2);
    };
    EXPECT_EQ(memberCount("e"), Bytes({0, 0}));
    EXPECT_EQ(memberCount("c"), Bytes({1, 0}));
    EXPECT_EQ(memberCount("p"), Bytes({1, 0}));
    EXPECT_EQ(d.EntBlockDef[1].mNo.size(), 1u);
    ASSERT_EQ(d.EntBlockDef[2].mNo.size(), 4u);
    EXPECT_EQ(d.EntBlockDef[2].mNo[3].EntType, 0);
    // The insertion class and three insertions take 1 to 4, "CDataList" 5,
    // the three lists and the "CDataSen" class and two member lines 6 to 11.
    EXPECT_EQ(s.listClass, 5);
    EXPECT_EQ(s.objects, 12);
}

TEST(WriterBlocks, SxfDimensionMemberBelow420GivesSevenRecords) {
    TJwwData d;
    d.Enthd.jwVer = 600;
    TEntJwwBlockDef def = Definition(1, u"dim");
    TEntJwwSunpo dim;
    dim.bSxfMode = 1;
    def.mSunpo = {dim};
    def.mSunpoN = 1;
    AddMember(def, kEntDim, 0);
    AddInsertion(d, 1);
    SetDefinitions(d, {def});
    for (int32_t version : {351, 420}) {
        const Sections s = Write(d, version);
        const size_t name = Find(s.bytes, Concat({Bytes({3}), Ascii("dim")}));
        ASSERT_NE(name, std::string::npos);
        EXPECT_EQ(Slice(s.bytes, name + 4, 2), version < 420 ? Bytes({7, 0}) : Bytes({1, 0}));
    }
}

TEST(WriterBlocks, DefinitionHeadIs25BytesBelow351) {
    TJwwData d;
    AddInsertion(d, 1);
    SetDefinitions(d, {Definition(1, u"x")});
    const Sections s = Write(d, 300);
    const size_t list = s.blocksAt + 2 + 6 + 9;
    EXPECT_EQ(Slice(s.bytes, list + 13, 4), Le32(0));
    EXPECT_EQ(Slice(s.bytes, list + 25, 4), Bytes({1, 'x', 0, 0}));
}

// The count is that of the definitions written, even when EntBlockNum was
// not recomputed after a change.
TEST(WriterBlocks, CountMatchesTheRecordsWritten) {
    TJwwData d;
    AddInsertion(d, 1);
    SetDefinitions(d, {Definition(1, u"x"), Definition(2, u"y")});
    d.EntBlockNum = 5;
    const Sections s = Write(d, 700);
    EXPECT_EQ(Slice(s.bytes, s.blocksAt, 2), Bytes({1, 0}));
}

TEST(WriterBlocks, ATimeThatWouldReadAsALongerFieldIsRefused) {
    TJwwData d;
    AddInsertion(d, 1);
    TEntJwwBlockDef def = Definition(1, u"x");
    def.dtime = 0x80000001u;
    SetDefinitions(d, {def});
    EXPECT_THROW(Write(d, 700), WriteError);
}

}  // namespace
}  // namespace tw
