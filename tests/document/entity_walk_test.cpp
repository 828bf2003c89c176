// The one walk over a drawing: the view visits records in drawing order and
// never past a count or an array; the expansion walk places the members of
// nested insertions and stops at cycles, missing definitions and its limits.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include <tintwright/document/BlockExpansion.h>
#include <tintwright/document/DrawingRules.h>
#include <tintwright/document/JwwUnit.h>

namespace tw {
namespace {

constexpr double kDeg = std::numbers::pi / 180;

// "kind@x,y" for each record, its first point placed by the walk.
struct Trace {
    std::vector<std::string> seen;
    template <class R>
    void operator()(const R& r, const Placement& at) {
        double x = 0, y = 0;
        at.xf.Apply(FirstX(r), FirstY(r), x, y);
        char text[96];
        std::snprintf(text, sizeof text, "%s@%.3f,%.3f", EntityKind<R>::name, x + 0.0, y + 0.0);
        seen.emplace_back(text);
    }
    static double FirstX(const TEntJwwSolid& r) { return r.start_x; }
    static double FirstY(const TEntJwwSolid& r) { return r.start_y; }
    template <class R>
    static double FirstX(const R& r) {
        return r.start_x;
    }
    template <class R>
    static double FirstY(const R& r) {
        return r.start_y;
    }
    static double FirstX(const TEntJwwSunpo& r) { return r.Sen.start_x; }
    static double FirstY(const TEntJwwSunpo& r) { return r.Sen.start_y; }
};

class Walk : public ::testing::Test {
  protected:
    void SetUp() override {
        doc.DataDefaultSet();
        doc.AddEntPre();
    }
    int32_t Def(const std::u16string& name) {
        EXPECT_TRUE(doc.AddBlkDef(0, 0, 0, 1, 1, 0, 0, 0, name));
        return doc.EntBlockDefN - 1;
    }
    TJwwData doc;
};

TEST_F(Walk, ViewVisitsInDrawingOrderWithTypedRecords) {
    doc.AddEntArc(0, 0, 0, 1, 1, 0, 0, 1, 2, 3, 1, 0, 360, 0);
    doc.AddEntLine(0, 0, 0, 1, 1, 0, 0, 4, 5, 6, 7);
    doc.AddEntTen(0, 0, 0, 1, 1, 0, 0, 8, 9, 0, 0);
    doc.AddEntLine(0, 0, 0, 1, 1, 0, 0, 10, 11, 0, 0);
    std::vector<std::string> kinds;
    ForEachEntity(EntityView::Of(doc),
                  [&]<class R>(const R&) { kinds.push_back(EntityKind<R>::name); });
    EXPECT_EQ(kinds, (std::vector<std::string>{"arc", "line", "point", "line"}));
    std::vector<double> lines;
    ForEachEntityOf<TEntJwwLine>(EntityView::Of(doc),
                                 [&](const TEntJwwLine& l) { lines.push_back(l.start_x); });
    EXPECT_EQ(lines, (std::vector<double>{4, 10}));
}

// A preview reading, or a damaged file, may claim more than its arrays hold:
// the view is cut to both, so no walk reads past an array.
TEST_F(Walk, CountsBeyondTheArraysAreCut) {
    doc.AddEntLine(0, 0, 0, 1, 1, 0, 0, 1, 1, 2, 2);
    doc.AddEntPost();
    doc.EntLineN = 5;
    doc.Enthd.n1 = 9;
    doc.EntNo.push_back({kEntLine, 3});  // past the array
    doc.EntNo.push_back({kEntText, 0});  // no such record
    doc.EntNo.push_back({42, 0});        // no such kind
    const EntityView view = EntityView::Of(doc);
    EXPECT_EQ(view.All<TEntJwwLine>().size(), 1u);
    EXPECT_EQ(view.order.size(), 4u);
    int visited = 0;
    ForEachEntity(view, [&](const auto&) { ++visited; });
    EXPECT_EQ(visited, 1);
}

TEST_F(Walk, NestedInsertionsComposeTheirTransforms) {
    const int32_t inner = Def(u"inner");
    doc.AddBlkLine(inner, 0, 0, 0, 1, 1, 0, 0, 1, 0, 2, 0);
    const int32_t outer = Def(u"outer");
    // The inner block at (10, 0), turned 90 degrees, scaled 2.
    doc.AddBlkBlock(outer, 0, 0, 0, 1, 1, 0, 0, doc.EntBlockDef[inner].nNumber, 10, 0, 2, 2, 90);
    doc.AddBlkTen(outer, 0, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0);
    // The outer block at (100, 50), scaled 3 in x only.
    doc.AddEntBlock(0, 0, 0, 1, 1, 0, 0, doc.EntBlockDef[outer].nNumber, 100, 50, 3, 1, 0);
    doc.AddEntLine(0, 0, 0, 1, 1, 0, 0, -1, -1, 0, 0);
    Trace trace;
    const ExpansionReport report = ForEachExpanded(doc, trace);
    // inner (1, 0) -> turned and scaled (0, 2) -> + (10, 0) = (10, 2) -> x3 + (100, 50).
    EXPECT_EQ(trace.seen, (std::vector<std::string>{"line@130.000,52.000", "point@103.000,51.000",
                                                    "line@-1.000,-1.000"}));
    EXPECT_TRUE(report.Complete());
}

TEST_F(Walk, OutermostInsertionAndDepthAreHanded) {
    const int32_t a = Def(u"a");
    doc.AddBlkLine(a, 0, 0, 0, 1, 1, 0, 0, 0, 0, 1, 1);
    doc.AddEntBlock(0, 3, 4, 1, 1, 0, 0, doc.EntBlockDef[a].nNumber, 0, 0, 1, 1, 0);
    const TEntJwwBlock* outermost = nullptr;
    int32_t depth = -1;
    ForEachExpanded(doc, [&](const auto&, const Placement& at) {
        outermost = at.outermost;
        depth = at.depth;
    });
    ASSERT_NE(outermost, nullptr);
    EXPECT_EQ(rules::LayerIndex(outermost->att), 3 * 16 + 4);
    EXPECT_EQ(depth, 1);
}

struct Hostile {
    const char* name;
    int64_t missing, cycles, cut;
    size_t members;
};

// Definitions that insert themselves, each other, nothing that exists, or
// too deeply: each insertion not expanded is counted, and nothing hangs.
TEST_F(Walk, CyclesMissingAndLimitsAreCountedNotFollowed) {
    const int32_t a = Def(u"a");
    const int32_t b = Def(u"b");
    const uint32_t na = doc.EntBlockDef[a].nNumber, nb = doc.EntBlockDef[b].nNumber;
    doc.AddBlkLine(a, 0, 0, 0, 1, 1, 0, 0, 0, 0, 1, 1);
    doc.AddBlkBlock(a, 0, 0, 0, 1, 1, 0, 0, nb, 0, 0, 1, 1, 0);  // a -> b
    doc.AddBlkBlock(b, 0, 0, 0, 1, 1, 0, 0, na, 0, 0, 1, 1, 0);  // b -> a: a cycle
    doc.AddBlkBlock(b, 0, 0, 0, 1, 1, 0, 0, nb, 0, 0, 1, 1, 0);  // b -> b: a cycle
    doc.AddEntBlock(0, 0, 0, 1, 1, 0, 0, na, 0, 0, 1, 1, 0);
    doc.EntBlock[0].nNumber = na;
    doc.AddEntBlock(0, 0, 0, 1, 1, 0, 0, na, 0, 0, 1, 1, 0);
    doc.EntBlock[1].nNumber = 999;  // no such definition
    size_t members = 0;
    ExpansionReport report =
        ForEachExpanded(doc, [&](const auto&, const Placement&) { ++members; });
    EXPECT_EQ(members, 1u);
    EXPECT_EQ(report.missing, 1);
    EXPECT_EQ(report.cycles, 2);
    EXPECT_EQ(report.cut, 0);

    ExpansionLimits shallow;
    shallow.maxDepth = 1;  // a, but not b inside it
    members = 0;
    report = ForEachExpanded(
        doc, EntityView::Of(doc), [&](const auto&, const Placement&) { ++members; }, shallow);
    EXPECT_EQ(members, 1u);
    EXPECT_EQ(report.cut, 1);
}

// A fan-out of 64 x 64 x 64 insertions would hand 262,144 members; the
// member limit ends the walk early and says so.
TEST_F(Walk, MemberLimitEndsAFanOut) {
    const int32_t leaf = Def(u"leaf");
    doc.AddBlkLine(leaf, 0, 0, 0, 1, 1, 0, 0, 0, 0, 1, 1);
    int32_t below = leaf;
    for (const char16_t* name : {u"mid", u"top"}) {
        const int32_t d = Def(name);
        for (int i = 0; i < 64; ++i)
            doc.AddBlkBlock(d, 0, 0, 0, 1, 1, 0, 0, doc.EntBlockDef[below].nNumber, i, 0, 1, 1, 0);
        below = d;
    }
    for (int i = 0; i < 64; ++i)
        doc.AddEntBlock(0, 0, 0, 1, 1, 0, 0, doc.EntBlockDef[below].nNumber, 0, i, 1, 1, 0);
    ExpansionLimits limits;
    limits.maxMembers = 1000;
    size_t members = 0;
    const ExpansionReport report = ForEachExpanded(
        doc, EntityView::Of(doc), [&](const auto&, const Placement&) { ++members; }, limits);
    EXPECT_EQ(members, 1000u);
    EXPECT_GT(report.cut, 0);
}

TEST(DrawingRules, TableEntries) {
    using namespace rules;
    EXPECT_EQ(PenEntryOf(1).table, PenTable::Basic);
    EXPECT_EQ(PenEntryOf(9).index, 9);
    EXPECT_EQ(PenEntryOf(10).table, PenTable::Own);
    EXPECT_EQ(PenEntryOf(101).index, 1);
    EXPECT_EQ(PenEntryOf(356).index, 256);
    for (int32_t c : {0, 11, 100, 357, -1})
        EXPECT_EQ(PenEntryOf(c).table, PenTable::None) << c;

    struct Case {
        int32_t style;
        LineTypeTable table;
        int32_t index;
    };
    for (const Case& c :
         {Case{1, LineTypeTable::Continuous, 0}, Case{2, LineTypeTable::Basic, 0},
          Case{9, LineTypeTable::Basic, 7}, Case{10, LineTypeTable::None, 0},
          Case{11, LineTypeTable::Random, 0}, Case{15, LineTypeTable::Random, 4},
          Case{16, LineTypeTable::DoubleDotted, 0}, Case{19, LineTypeTable::DoubleDotted, 3},
          Case{20, LineTypeTable::None, 0}, Case{31, LineTypeTable::Extended, 1},
          Case{62, LineTypeTable::Extended, 32}, Case{63, LineTypeTable::None, 0}}) {
        EXPECT_EQ(LineTypeEntryOf(c.style).table, c.table) << c.style;
        EXPECT_EQ(LineTypeEntryOf(c.style).index, c.index) << c.style;
    }
    EXPECT_EQ(LayerIndex(15, 15), 255);
    EXPECT_EQ(LayerIndex(2, 16), 32);  // a layer out of range counts as 0
}

TEST(DrawingRules, ColoursAndWidthsComeFromTheDrawingsTables) {
    TJwwData doc;
    doc.DataDefaultSet();
    doc.EntCol[3].aPenColor = 0x123456;
    doc.EntCol[3].aPrtPenColor = 0x654321;
    doc.EntCol[3].anPenWidth = 4;
    doc.EntColS[256].aPenColor = 0x0000FF;
    EXPECT_EQ(rules::PenColor(doc, 3, false), 0x123456u);
    EXPECT_EQ(rules::PenColor(doc, 3, true), 0x654321u);
    EXPECT_EQ(rules::PenColor(doc, 356, false), 0x0000FFu);
    EXPECT_EQ(rules::PenColor(doc, 10, false), std::nullopt);
    TEntJwwSolid own;
    own.att.nPenColor = 10;
    own.Color = 0xABCDEF;
    EXPECT_EQ(rules::SolidColor(doc, own, false), 0xABCDEFu);
    TEntJwwAttr att;
    att.nPenColor = 3;
    EXPECT_EQ(rules::PenWidth(doc, att, false), 4.0);
    att.nPenWidth = 250;  // its own width wins
    EXPECT_EQ(rules::PenWidth(doc, att, false), 2.5);
}

}  // namespace
}  // namespace tw
