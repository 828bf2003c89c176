// TJwwData::MakeBlockTree and ChangeBlockNo: nesting, numbering and cycles.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include <tintwright/document/JwwUnit.h>

namespace tw {
namespace {

TEntJwwBlock Insertion(uint32_t number, double x = 0, double y = 0, double sx = 1, double sy = 1,
                       double angle = 0) {
    TEntJwwBlock b;
    b.nNumber = number;
    b.DPKijunTen_x = x;
    b.DPKijunTen_y = y;
    b.dBairitsuX = sx;
    b.dBairitsuY = sy;
    b.radKaitenKaku = angle;
    return b;
}

class BlockTree : public testing::Test {
  protected:
    // Adds a definition whose members insert the given definitions.
    TEntJwwBlockDef& Define(uint32_t number, std::vector<TEntJwwBlock> members = {}) {
        TEntJwwBlockDef def;
        def.nNumber = number;
        def.strName = u"B" + std::u16string(1, static_cast<char16_t>(u'0' + number % 10));
        def.mBlockN = static_cast<int32_t>(members.size());
        def.mBlock = std::move(members);
        doc.EntBlockDef.push_back(std::move(def));
        doc.EntBlockDefN = static_cast<int32_t>(doc.EntBlockDef.size());
        return doc.EntBlockDef.back();
    }
    void Insert(const TEntJwwBlock& insertion) {
        doc.EntBlock.push_back(insertion);
        doc.EntBlockN = static_cast<int32_t>(doc.EntBlock.size());
    }
    std::vector<uint32_t> TreeNumbers() const {
        std::vector<uint32_t> numbers;
        for (int32_t i = 0; i < doc.EntBlockTreeN; ++i)
            numbers.push_back(doc.EntBlockTree[i].no);
        return numbers;
    }

    TJwwData doc;
};

TEST_F(BlockTree, OnlyInsertedDefinitionsAreNumbered) {
    Define(7);
    Define(9);
    Insert(Insertion(9));
    doc.MakeBlockTree();

    EXPECT_FALSE(doc.EntBlockDef[0].ref_flag);
    EXPECT_EQ(doc.EntBlockDef[0].ref_no, -1);
    EXPECT_TRUE(doc.EntBlockDef[1].ref_flag);
    EXPECT_EQ(doc.EntBlockDef[1].ref_no, 0);
    EXPECT_EQ(doc.EntBlockNum, 1);
    EXPECT_EQ(doc.ChangeBlockNo(9), 0u);
    EXPECT_EQ(doc.ChangeBlockNo(7), 7u);
    EXPECT_EQ(doc.ChangeBlockNo(5), 0u);
}

TEST_F(BlockTree, TopLevelNodesCarryTheInsertion) {
    Define(3);
    TEntJwwBlock b = Insertion(3, 10, 20, 2, 3, std::numbers::pi / 2);
    b.att.nLayer = 4;
    Insert(b);
    Insert(Insertion(42, 1, 1));  // no such definition
    doc.MakeBlockTree();

    ASSERT_EQ(doc.EntBlockTreeN, 2);
    const TEntJwwBlockTree& n = doc.EntBlockTree[0];
    EXPECT_EQ(n.level, 0);
    EXPECT_EQ(n.parent, -1);
    EXPECT_EQ(n.no, 3u);
    EXPECT_EQ(n.defno, 0);
    EXPECT_EQ(n.name, u"B3");
    EXPECT_EQ(n.att.nLayer, 4);
    EXPECT_EQ(n.x, 10);
    EXPECT_EQ(n.y, 20);
    EXPECT_NEAR(n.r1, 0, 1e-12);
    EXPECT_NEAR(n.r2, -3, 1e-12);
    EXPECT_NEAR(n.r3, 2, 1e-12);
    EXPECT_NEAR(n.r4, 0, 1e-12);
    EXPECT_EQ(doc.EntBlockTree[1].defno, -1);
    EXPECT_TRUE(doc.EntBlockTree[1].name.empty());
    EXPECT_EQ(doc.EntBlockNum, 1);
}

TEST_F(BlockTree, NestedNodesArePlacedThroughTheParentMatrix) {
    // A, inserted at (100, 50) turned a quarter and scaled 2, holds an
    // insertion of B at (3, 1) with scale 1.
    TEntJwwBlockDef& a = Define(1, {Insertion(2, 3, 1)});
    a.att.nPenColor = 5;
    Define(2);
    TEntJwwBlock top = Insertion(1, 100, 50, 2, 2, std::numbers::pi / 2);
    top.att.nPenColor = 1;
    Insert(top);
    doc.MakeBlockTree();

    ASSERT_EQ(doc.EntBlockTreeN, 2);
    const TEntJwwBlockTree& n = doc.EntBlockTree[1];
    EXPECT_EQ(n.level, 1);
    EXPECT_EQ(n.parent, 0);
    EXPECT_EQ(n.no, 2u);
    EXPECT_EQ(n.defno, 1);
    EXPECT_EQ(n.att.nPenColor, 5);  // the definition's attributes
    // (3, 1) turned a quarter and doubled is (-2, 6).
    EXPECT_NEAR(n.x, 98, 1e-9);
    EXPECT_NEAR(n.y, 56, 1e-9);
    // The product of the two matrices: a quarter turn scaled by 2.
    EXPECT_NEAR(n.r1, 0, 1e-9);
    EXPECT_NEAR(n.r2, -2, 1e-9);
    EXPECT_NEAR(n.r3, 2, 1e-9);
    EXPECT_NEAR(n.r4, 0, 1e-9);
    EXPECT_EQ(doc.EntBlockNum, 2);
}

TEST_F(BlockTree, MatrixProductKeepsTheOrderOfParentAndChild) {
    // Parent scales x by 2 only; the member turns a quarter. Parent x child
    // is [0 -2; 1 0], child x parent would be [0 -1; 2 0].
    Define(1, {Insertion(2, 0, 0, 1, 1, std::numbers::pi / 2)});
    Define(2);
    Insert(Insertion(1, 0, 0, 2, 1));
    doc.MakeBlockTree();
    ASSERT_EQ(doc.EntBlockTreeN, 2);
    const TEntJwwBlockTree& n = doc.EntBlockTree[1];
    EXPECT_NEAR(n.r1, 0, 1e-12);
    EXPECT_NEAR(n.r2, -2, 1e-12);
    EXPECT_NEAR(n.r3, 1, 1e-12);
    EXPECT_NEAR(n.r4, 0, 1e-12);
}

TEST_F(BlockTree, BreadthFirstOrderAndNumberingInDefinitionOrder) {
    // Definitions in array order: 30 (unused), 20, 10. 10 holds 20 twice.
    Define(30);
    Define(20);
    Define(10, {Insertion(20, 1), Insertion(20, 2)});
    Insert(Insertion(10));
    Insert(Insertion(20));
    doc.MakeBlockTree();

    EXPECT_EQ(TreeNumbers(), (std::vector<uint32_t>{10, 20, 20, 20}));
    EXPECT_EQ(doc.EntBlockTree[2].parent, 0);
    EXPECT_EQ(doc.EntBlockTree[3].parent, 0);
    EXPECT_EQ(doc.EntBlockDef[1].ref_no, 0);
    EXPECT_EQ(doc.EntBlockDef[2].ref_no, 1);
    EXPECT_EQ(doc.ChangeBlockNo(10), 1u);
    EXPECT_EQ(doc.ChangeBlockNo(20), 0u);
    EXPECT_EQ(doc.ChangeBlockNo(30), 30u);
}

TEST_F(BlockTree, DuplicateNumbersResolveToTheFirstDefinition) {
    Define(4);
    Define(4);
    Insert(Insertion(4));
    doc.MakeBlockTree();
    EXPECT_EQ(doc.EntBlockTree[0].defno, 0);
    EXPECT_TRUE(doc.EntBlockDef[0].ref_flag);
    EXPECT_FALSE(doc.EntBlockDef[1].ref_flag);
}

TEST_F(BlockTree, SelfInsertionStaysFinite) {
    Define(1, {Insertion(1, 5)});
    Insert(Insertion(1));
    doc.MakeBlockTree();
    // The repeated insertion is a node but is not expanded again.
    EXPECT_EQ(TreeNumbers(), (std::vector<uint32_t>{1, 1}));
    EXPECT_EQ(doc.EntBlockNum, 1);
}

TEST_F(BlockTree, CycleThroughAnotherDefinitionStaysFinite) {
    Define(1, {Insertion(2)});
    Define(2, {Insertion(1)});
    Insert(Insertion(1));
    doc.MakeBlockTree();
    EXPECT_EQ(TreeNumbers(), (std::vector<uint32_t>{1, 2, 1}));
    EXPECT_EQ(doc.EntBlockTree[2].parent, 1);
    EXPECT_EQ(doc.EntBlockNum, 2);
}

TEST_F(BlockTree, DiamondExpandsBothBranches) {
    // A holds B and C; both hold D; D holds E. Nothing is cyclic.
    Define(1, {Insertion(2), Insertion(3)});
    Define(2, {Insertion(4)});
    Define(3, {Insertion(4)});
    Define(4, {Insertion(5)});
    Define(5);
    Insert(Insertion(1));
    doc.MakeBlockTree();
    EXPECT_EQ(TreeNumbers(), (std::vector<uint32_t>{1, 2, 3, 4, 4, 5, 5}));
    EXPECT_EQ(doc.EntBlockTree[5].parent, 3);
    EXPECT_EQ(doc.EntBlockTree[6].parent, 4);
    EXPECT_EQ(doc.EntBlockTree[6].level, 3);
    EXPECT_EQ(doc.EntBlockNum, 5);
}

TEST_F(BlockTree, CountsLimitWhatBelongsToTheDrawing) {
    Define(1, {Insertion(2), Insertion(3)});
    doc.EntBlockDef[0].mBlockN = 1;  // only the insertion of 2 belongs
    Define(2);
    Define(3);
    Insert(Insertion(1));
    doc.EntBlock.push_back(Insertion(3));  // beyond EntBlockN
    doc.MakeBlockTree();
    EXPECT_EQ(TreeNumbers(), (std::vector<uint32_t>{1, 2}));
    EXPECT_FALSE(doc.EntBlockDef[2].ref_flag);
    EXPECT_EQ(doc.ChangeBlockNo(3), 3u);
}

TEST_F(BlockTree, CountsBeyondTheArraysAreHarmless) {
    Define(1, {Insertion(1)});
    doc.EntBlockDef[0].mBlockN = 1000;
    doc.EntBlockDefN = 50;
    Insert(Insertion(1));
    doc.EntBlockN = 7;
    doc.MakeBlockTree();
    EXPECT_EQ(TreeNumbers(), (std::vector<uint32_t>{1, 1}));
    EXPECT_EQ(doc.ChangeBlockNo(1), 0u);
}

TEST_F(BlockTree, RebuildingResetsEarlierResults) {
    Define(1);
    Define(2);
    Insert(Insertion(1));
    doc.MakeBlockTree();
    EXPECT_EQ(doc.EntBlockDef[0].ref_no, 0);

    doc.EntBlock[0].nNumber = 2;
    doc.MakeBlockTree();
    EXPECT_FALSE(doc.EntBlockDef[0].ref_flag);
    EXPECT_EQ(doc.EntBlockDef[0].ref_no, -1);
    EXPECT_EQ(doc.EntBlockDef[1].ref_no, 0);

    doc.EntBlockN = 0;
    doc.MakeBlockTree();
    EXPECT_EQ(doc.EntBlockTreeN, 0);
    EXPECT_TRUE(doc.EntBlockTree.empty());
    EXPECT_EQ(doc.EntBlockNum, 0);
    EXPECT_FALSE(doc.EntBlockDef[1].ref_flag);
}

TEST_F(BlockTree, ExponentialNestingIsBoundedButEveryDefinitionIsMarked) {
    // Each of 40 definitions holds the next one twice: 2^40 insertions.
    constexpr uint32_t kDepth = 40;
    for (uint32_t i = 1; i <= kDepth; ++i) {
        if (i < kDepth) {
            Define(i, {Insertion(i + 1), Insertion(i + 1)});
        } else {
            Define(i);
        }
    }
    Insert(Insertion(1));
    doc.MakeBlockTree();
    EXPECT_GT(doc.EntBlockTreeN, 1000);
    EXPECT_LE(doc.EntBlockTreeN, 1 << 20);
    EXPECT_EQ(doc.EntBlockNum, static_cast<int32_t>(kDepth));
    EXPECT_EQ(doc.EntBlockDef[kDepth - 1].ref_no, static_cast<int32_t>(kDepth - 1));
}

// Hostile nesting: structures whose complete tree is huge or unending. The
// tree stays within its memory budget, counts what it leaves incomplete,
// and still marks every definition in use.
struct Nesting {
    const char* name;
    std::vector<std::vector<uint32_t>> inserts;  // definition i + 1 inserts these
    size_t lastNameLength;                       // of the last definition
    int32_t nodes;                               // the complete tree's, or -1 beyond budget
};

std::vector<uint32_t> Times(uint32_t number, size_t count) {
    return std::vector<uint32_t>(count, number);
}

std::vector<std::vector<uint32_t>> Chain(uint32_t length, bool closed) {
    std::vector<std::vector<uint32_t>> inserts(length);
    for (uint32_t i = 1; i < length; ++i)
        inserts[i - 1] = {i + 1};
    if (closed) inserts[length - 1] = {1};
    return inserts;
}

// Bytes the tree holds: its nodes and the names they copy.
size_t TreeBytes(const TJwwData& doc) {
    size_t bytes = doc.EntBlockTree.capacity() * sizeof(TEntJwwBlockTree);
    for (const TEntJwwBlockTree& node : doc.EntBlockTree)
        bytes += node.name.capacity() * sizeof(char16_t);
    return bytes;
}

TEST_F(BlockTree, HostileNestingStaysWithinItsBudget) {
    const Nesting cases[] = {
        {"tree bomb", {Times(2, 100), Times(3, 100), Times(4, 100), {}}, 20000, -1},
        {"fan-out 1024 x 1024", {Times(2, 1024), Times(3, 1024), {}}, 2, -1},
        {"chain of 200,000", Chain(200000, false), 2, 200000},
        {"cycle of 200,000", Chain(200000, true), 2, 200001},
        {"two-step cycles", {{2, 1}, {1, 2}}, 2, 5},
    };
    for (const Nesting& c : cases) {
        SCOPED_TRACE(c.name);
        doc.DataFree();
        for (uint32_t i = 1; i <= c.inserts.size(); ++i) {
            std::vector<TEntJwwBlock> members;
            for (uint32_t number : c.inserts[i - 1])
                members.push_back(Insertion(number));
            Define(i, std::move(members));
        }
        doc.EntBlockDef.back().strName = std::u16string(c.lastNameLength, u'n');
        Insert(Insertion(1));
        doc.MakeBlockTree();

        EXPECT_EQ(doc.EntBlockNum, static_cast<int32_t>(c.inserts.size()));
        EXPECT_LE(TreeBytes(doc), size_t{256} << 20);
        if (c.nodes >= 0) {
            EXPECT_EQ(doc.EntBlockTreeN, c.nodes);
            EXPECT_EQ(doc.EntBlockTreeCut, 0);
        } else {
            EXPECT_GT(doc.EntBlockTreeN, 100);
            EXPECT_GT(doc.EntBlockTreeCut, 0);
        }
        // Whatever was left out, every node's parent is an earlier node one
        // level up, as breadth-first order has it.
        for (int32_t k = 1; k < doc.EntBlockTreeN; ++k) {
            const TEntJwwBlockTree& node = doc.EntBlockTree[k];
            if (node.parent < 0) continue;
            ASSERT_LT(node.parent, k);
            ASSERT_EQ(doc.EntBlockTree[node.parent].level + 1, node.level);
            ASSERT_GE(node.level, doc.EntBlockTree[k - 1].level);
        }
    }
}

}  // namespace
}  // namespace tw
