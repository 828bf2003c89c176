// Block-definition building: names and markers, numbers, new definitions,
// members made as the drawing's entities are, growth in steps of 500 and
// trimming, nested and self-inserting definitions.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <tuple>

#include <tintwright/document/JwwUnit.h>
#include "support/RecordFields.h"

namespace tw {
namespace {

class BlockBuild : public testing::Test {
  protected:
    bool Def(const std::u16string& name, int32_t bf = 0) {
        return doc.AddBlkDef(0, 0, 0, 1, 1, 0, 0, bf, name);
    }
    bool MemberLine(int32_t bdn) { return doc.AddBlkLine(bdn, 0, 0, 0, 1, 1, 0, 0, 0, 0, 1, 1); }
    const TEntJwwBlockDef& Last() const { return doc.EntBlockDef[doc.EntBlockDefN - 1]; }

    TJwwData doc;
};

// ---- Names ----

TEST_F(BlockBuild, NamesGetAMarkerAndStayUnique) {
    ASSERT_TRUE(Def(u"door"));
    EXPECT_EQ(Last().strName, u"door@@SfigorgFlag@@4");
    ASSERT_TRUE(Def(u"door"));
    EXPECT_EQ(Last().strName, u"door~1@@SfigorgFlag@@4");
    ASSERT_TRUE(Def(u"door", 2));
    EXPECT_EQ(Last().strName, u"door~2@@SfigorgFlag@@2");
    EXPECT_EQ(doc.GetBlkNo(u"door"), 0);
    EXPECT_EQ(doc.GetBlkNo(u"door@@SfigorgFlag@@2"), 0);
    EXPECT_EQ(doc.GetBlkNo(u"door~1"), 1);
    EXPECT_EQ(doc.GetBlkNo(u"Door"), -1);  // bare names compare case and all
    EXPECT_EQ(doc.GetBlkNo(u"window"), -1);
}

TEST_F(BlockBuild, MarkerFlagIsOneToFour) {
    struct Case {
        int32_t bf;
        const char16_t* name;
    };
    const Case cases[] = {{1, u"a@@SfigorgFlag@@1"},
                          {4, u"b@@SfigorgFlag@@4"},
                          {0, u"c@@SfigorgFlag@@4"},
                          {5, u"d@@SfigorgFlag@@4"},
                          {-1, u"e@@SfigorgFlag@@4"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "bf " << c.bf);
        ASSERT_TRUE(Def(std::u16string(1, c.name[0]), c.bf));
        EXPECT_EQ(Last().strName, c.name);
    }
}

TEST_F(BlockBuild, AMarkerInAnyCaseIsKept) {
    ASSERT_TRUE(Def(u"win@@sfigX"));
    EXPECT_EQ(Last().strName, u"win@@sfigX");
    ASSERT_TRUE(Def(u"win@@SfIg"));
    EXPECT_EQ(Last().strName, u"win~1@@SfIg");
    EXPECT_EQ(doc.GetBlkNo(u"win"), 0);
}

TEST_F(BlockBuild, MarkerPositionIsThatOfTheNameItself) {
    // Upper-casing would lengthen "ß"; the bare name must still end before
    // the marker.
    ASSERT_TRUE(Def(u"straße@@sfig1"));
    EXPECT_EQ(doc.GetBlkNo(u"straße"), 0);
    EXPECT_EQ(doc.GetBlkName(u"straße@@SFIG2"), u"straße~1@@SFIG2");
}

TEST_F(BlockBuild, GetBlkNameSkipsTakenNumbers) {
    EXPECT_EQ(doc.GetBlkName(u"door"), u"door");  // free names pass unchanged
    ASSERT_TRUE(Def(u"door"));
    ASSERT_TRUE(Def(u"door~1@@sfigZ"));
    ASSERT_TRUE(Def(u"door~3"));
    EXPECT_EQ(doc.GetBlkName(u"door"), u"door~2");
    EXPECT_EQ(doc.GetBlkName(u"door@@SFIGm"), u"door~2@@SFIGm");
    EXPECT_EQ(doc.GetBlkName(u"door~3"), u"door~3~1");
}

// ---- Numbers and new definitions ----

TEST_F(BlockBuild, NumbersFollowTheLargest) {
    ASSERT_TRUE(Def(u"a"));
    EXPECT_EQ(Last().nNumber, 0u);
    ASSERT_TRUE(Def(u"b"));
    EXPECT_EQ(Last().nNumber, 1u);
    doc.EntBlockDef[1].nNumber = 5;
    doc.EntBlockDef[0].nNumber = 1;
    ASSERT_TRUE(Def(u"c"));
    EXPECT_EQ(Last().nNumber, 6u);
    // Compared as unsigned numbers.
    doc.EntBlockDef[0].nNumber = 0x80000000u;
    ASSERT_TRUE(Def(u"d"));
    EXPECT_EQ(Last().nNumber, 0x80000001u);
}

TEST_F(BlockBuild, NumbersDoNotWrapOntoUsedOnes) {
    ASSERT_TRUE(Def(u"a"));
    ASSERT_TRUE(Def(u"b"));
    ASSERT_TRUE(Def(u"c"));
    doc.EntBlockDef[2].nNumber = std::numeric_limits<uint32_t>::max();
    ASSERT_TRUE(Def(u"d"));
    EXPECT_EQ(Last().nNumber, 2u);  // the lowest free number, not 0
}

TEST_F(BlockBuild, NewDefinitionValues) {
    doc.EntBlockDef.resize(3);  // spare entries beyond the count are dropped
    ASSERT_TRUE(doc.AddBlkDef(7, 16, -1, 0, 20, 30, 1 | 2 | 4 | 8 | 16, 1, u"a"));
    ASSERT_EQ(doc.EntBlockDefN, 1);
    EXPECT_EQ(doc.Enthd.n2, 1);
    EXPECT_EQ(doc.EntBlockDef.size(), 1u);
    const TEntJwwBlockDef& def = Last();
    EXPECT_EQ(def.att.lGroup, 7u);
    EXPECT_EQ(def.att.nGLayer, 0);
    EXPECT_EQ(def.att.nLayer, 0);
    EXPECT_EQ(def.att.nPenColor, 1);
    EXPECT_EQ(def.att.nPenStyle, 1);
    EXPECT_EQ(def.att.nPenWidth, 30);
    EXPECT_EQ(def.att.sFlg, 0x20 | 0x2000 | 0x800 | 0x1000);
    EXPECT_EQ(def.bRefferd, 0u);
    EXPECT_EQ(def.dtime, 0u);
    EXPECT_EQ(def.N, 0);
    EXPECT_TRUE(def.mNo.empty());
    EXPECT_EQ(
        def.mLineN + def.mEnkoN + def.mTenN + def.mMojiN + def.mSunpoN + def.mSolidN + def.mBlockN,
        0);
    EXPECT_FALSE(def.ref_flag);
    EXPECT_EQ(def.ref_no, -1);
}

TEST_F(BlockBuild, GetBlkNumberOnlyForIndices) {
    ASSERT_TRUE(Def(u"a"));
    ASSERT_TRUE(Def(u"b"));
    doc.EntBlockDef[1].nNumber = 9;
    EXPECT_EQ(doc.GetBlkNumber(1), 9);
    EXPECT_EQ(doc.GetBlkNumber(0), 0);
    EXPECT_EQ(doc.GetBlkNumber(2), -1);
    EXPECT_EQ(doc.GetBlkNumber(-1), -1);
}

// ---- Members ----

TEST_F(BlockBuild, MembersGoIntoTheDefinitionOnly) {
    ASSERT_TRUE(Def(u"a"));
    ASSERT_TRUE(MemberLine(0));
    EXPECT_EQ(Last().mLineN, 1);
    EXPECT_EQ(Last().N, 1);
    EXPECT_EQ(Last().mNo[0].EntType, kEntLine);
    EXPECT_EQ(Last().mNo[0].EntNo, 0);
    EXPECT_EQ(doc.EntLineN, 0);
    EXPECT_EQ(doc.Enthd.n1, 0);
    EXPECT_TRUE(doc.EntNo.empty());
    EXPECT_FALSE(MemberLine(1));
    EXPECT_FALSE(MemberLine(-1));
    EXPECT_EQ(Last().N, 1);
}

TEST_F(BlockBuild, NestedInsertionNeedsADefinition) {
    ASSERT_TRUE(Def(u"a"));
    EXPECT_FALSE(doc.AddBlkBlock(0, 0, 0, 0, 1, 1, 0, 0, 1, 0, 0, 1, 1, 0));
    EXPECT_FALSE(doc.AddBlkBlock(1, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 1, 1, 0));
    EXPECT_EQ(Last().mBlockN, 0);
    EXPECT_EQ(Last().N, 0);
}

TEST_F(BlockBuild, MembersGrowInStepsOf500AndPostTrims) {
    ASSERT_TRUE(Def(u"a"));
    for (int i = 0; i < 500; ++i)
        ASSERT_TRUE(MemberLine(0));
    EXPECT_EQ(Last().mLine.size(), 500u);
    ASSERT_TRUE(MemberLine(0));
    EXPECT_EQ(Last().mLine.size(), 1000u);
    EXPECT_EQ(Last().mNo.size(), 1000u);
    doc.AddBlkDefPost(0);
    EXPECT_EQ(Last().mLine.size(), 501u);
    EXPECT_EQ(Last().mNo.size(), 501u);
    EXPECT_EQ(Last().mLineN, 501);
    doc.AddBlkDefPost(1);        // not a definition: nothing happens
    ASSERT_TRUE(MemberLine(0));  // room again after trimming
    EXPECT_EQ(Last().mLine.size(), 1000u);
}

// Each AddBlk form makes exactly the record of its AddEnt form.
class SameAsEntity : public BlockBuild {
  protected:
    SameAsEntity() {
        doc.EntMoj.resize(10);
        doc.EntMoj[2] = {5.0, 6.0, 0.75, 7};
        Def(u"target");
    }

    template <class Args, class Ent, class Blk>
    void Expect(const char* form, const Args& args, Ent ent, Blk blk) {
        SCOPED_TRACE(form);
        ASSERT_TRUE(std::apply([&](auto... a) { return ent(doc, a...); }, args));
        ASSERT_TRUE(std::apply([&](auto... a) { return blk(doc, a...); }, args));
        TEntJwwBlockDef& def = doc.EntBlockDef[0];
        const TEntJwwNo entity = doc.EntNo[doc.Enthd.n1 - 1];
        const TEntJwwNo member = def.mNo[def.N - 1];
        EXPECT_EQ(member.EntType, entity.EntType);
        EXPECT_EQ(test::FieldsAt(EntityView::Of(def), member),
                  test::FieldsAt(EntityView::Of(doc), entity));
    }
};

TEST_F(SameAsEntity, EveryForm) {
    const std::u16string f = u"f", s = u"a日b";
    Expect(
        "line", std::tuple{1, 2, 3, 4, 5, 6, 7, 1.0, 2.0, 3.0, 4.0},
        [](TJwwData& d, auto... a) { return d.AddEntLine(a...); },
        [](TJwwData& d, auto... a) { return d.AddBlkLine(0, a...); });
    Expect(
        "arc", std::tuple{1, 2, 3, 4, 5, 6, 2, 1.0, 2.0, 3.0, 0.5, 10.0, 20.0, 30.0},
        [](TJwwData& d, auto... a) { return d.AddEntArc(a...); },
        [](TJwwData& d, auto... a) { return d.AddBlkArc(0, a...); });
    Expect(
        "point", std::tuple{1, 2, 3, 4, -3, 6, 1, 1.0, 2.0, 45.0, 2.0},
        [](TJwwData& d, auto... a) { return d.AddEntTen(a...); },
        [](TJwwData& d, auto... a) { return d.AddBlkTen(0, a...); });
    const auto text = [&](auto... head) {
        return std::tuple_cat(std::tuple{head...}, std::tuple{1.5, 2.0, 0.5, 30.0, f, s});
    };
    Expect(
        "text, end points", text(1, 2, 3, 4, 5, 6, 4 | 2, 10003, 1.0, 2.0, 3.0, 4.0),
        [](TJwwData& d, auto... a) { return d.AddEntMoji(a...); },
        [](TJwwData& d, auto... a) { return d.AddBlkMoji(0, a...); });
    Expect(
        "text, base point", text(1, 2, 3, 4, 8, 6, 4, 20011, 1.0, 2.0),
        [](TJwwData& d, auto... a) { return d.AddEntMoji(a...); },
        [](TJwwData& d, auto... a) { return d.AddBlkMoji(0, a...); });
    const std::tuple dim{1, 2, 3, 4, 5, 6, 7, 0.0, 0.0, 10.0, 0.0, 3, 6, 2, 8, 10003};
    const std::tuple dimText{1.5, 2.0, 0.5, 0.0, f, s};
    const std::tuple lines{1, 2, 3, 4, 5, 0.0,  -1.0, 0.0,  -5.0,
                           1, 3, 4, 5, 6, 10.0, -1.0, 10.0, -5.0};
    const std::tuple gapLines{2.0, 3.0, 1, 2, 3, 4, 5, 1, 3, 4, 5, 6};
    const std::tuple points{1,  2, 3, 4,   8,    2.0, 2, 3, 4, 5, 1,  0.0,  1,    5,
                            -2, 6, 4, 0.0, -6.0, 3.0, 1, 6, 9, 7, 16, 10.0, -6.0, 0.0};
    const std::tuple ends{4.0, 1.0, 6.0, 1.0};
    const std::tuple base{5.0, 1.0};
    const auto ent = [](TJwwData& d, auto... a) { return d.AddEntSunpo(a...); };
    const auto blk = [](TJwwData& d, auto... a) { return d.AddBlkSunpo(0, a...); };
    Expect("dimension 1", std::tuple_cat(dim, ends, dimText), ent, blk);
    Expect("dimension 2", std::tuple_cat(dim, base, dimText), ent, blk);
    Expect("dimension 3", std::tuple_cat(dim, ends, dimText, lines, points), ent, blk);
    Expect("dimension 4", std::tuple_cat(dim, base, dimText, lines, points), ent, blk);
    Expect("dimension 5", std::tuple_cat(dim, base, dimText, gapLines, points), ent, blk);
    const auto solid = [](TJwwData& d, auto... a) { return d.AddEntSolid(a...); };
    const auto blkSolid = [](TJwwData& d, auto... a) { return d.AddBlkSolid(0, a...); };
    Expect("solid 4",
           std::tuple{1, 2, 3, 10, 5, 6, 7, 0x123456, 1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0},
           solid, blkSolid);
    Expect("solid 2", std::tuple{1, 2, 3, 4, 5, 6, 7, 0, 1.0, 2.0, 3.0, 4.0}, solid, blkSolid);
    Expect("solid 3", std::tuple{1, 2, 3, 4, 5, 6, 7, 0, 1.0, 2.0, 3.0, 4.0, 5.0, 6.0}, solid,
           blkSolid);
    const auto solidA = [](TJwwData& d, auto... a) { return d.AddEntSolidA(a...); };
    const auto blkSolidA = [](TJwwData& d, auto... a) { return d.AddBlkSolidA(0, a...); };
    Expect("solid A full", std::tuple{1, 2, 3, 10, 6, 7, 0xFF, 1.0, 2.0, 3.0, 0.5, 30.0}, solidA,
           blkSolidA);
    Expect("solid A sector",
           std::tuple{1, 2, 3, 10, 6, 7, 0xFF, 1.0, 2.0, 3.0, 0.5, 30.0, 10.0, 20.0}, solidA,
           blkSolidA);
    Expect(
        "solid C", std::tuple{1, 2, 3, 4, 2, 6, 7, 0, 1.0, 2.0, 3.0, 0.5, 30.0, 10.0, 20.0},
        [](TJwwData& d, auto... a) { return d.AddEntSolidC(a...); },
        [](TJwwData& d, auto... a) { return d.AddBlkSolidC(0, a...); });
    Expect(
        "solid D", std::tuple{1, 2, 3, 4, 2, 6, 7, 0, 1.0, 2.0, 3.0, 1.5, 0.5, 30.0, 10.0, 20.0},
        [](TJwwData& d, auto... a) { return d.AddEntSolidD(a...); },
        [](TJwwData& d, auto... a) { return d.AddBlkSolidD(0, a...); });
    Expect(
        "insertion", std::tuple{1, 2, 3, 4, 5, 6, 16 | 1, 0, 1.0, 2.0, 0.0, 3.0, 45.0},
        [](TJwwData& d, auto... a) { return d.AddEntBlock(a...); },
        [](TJwwData& d, auto... a) { return d.AddBlkBlock(0, a...); });
    EXPECT_EQ(doc.EntBlockDef[0].N, doc.Enthd.n1);
}

// ---- Nesting ----

TEST_F(BlockBuild, SelfInsertingDefinitionKeepsTheTreeFinite) {
    ASSERT_TRUE(Def(u"loop"));
    ASSERT_TRUE(doc.AddBlkBlock(0, 0, 0, 0, 1, 1, 0, 0, 0, 1, 0, 1, 1, 0));
    EXPECT_EQ(Last().mBlock[0].nNumber, 0u);
    ASSERT_TRUE(doc.AddEntBlock(0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 1, 1, 0));
    ASSERT_TRUE(doc.AddEntPost());
    EXPECT_GE(doc.EntBlockTreeN, 1);
    EXPECT_LT(doc.EntBlockTreeN, 100);
    EXPECT_EQ(doc.EntBlockNum, 1);
    EXPECT_TRUE(Last().ref_flag);
}

TEST_F(BlockBuild, NestedDefinitionIsMarkedInUse) {
    ASSERT_TRUE(Def(u"inner"));
    ASSERT_TRUE(MemberLine(0));
    ASSERT_TRUE(Def(u"outer"));
    ASSERT_TRUE(doc.AddBlkBlock(1, 0, 0, 0, 1, 1, 0, 0, 0, 2, 0, 1, 1, 0));
    ASSERT_TRUE(Def(u"unused"));
    ASSERT_TRUE(doc.AddEntBlock(0, 0, 0, 1, 1, 0, 0, 1, 10, 0, 1, 1, 0));
    ASSERT_TRUE(doc.AddEntPost());
    ASSERT_EQ(doc.EntBlockTreeN, 2);
    EXPECT_EQ(doc.EntBlockTree[1].level, 1);
    EXPECT_EQ(doc.EntBlockTree[1].x, 12);
    EXPECT_TRUE(doc.EntBlockDef[0].ref_flag);
    EXPECT_TRUE(doc.EntBlockDef[1].ref_flag);
    EXPECT_FALSE(doc.EntBlockDef[2].ref_flag);
    EXPECT_EQ(doc.EntBlockNum, 2);
}

}  // namespace
}  // namespace tw
