// TJwwData::MakeBlockTree: the tree of block insertions, expanded through the
// definitions, and which definitions are in use and under which number they
// are written.
#include <cmath>
#include <deque>
#include <unordered_map>

#include "document/Counted.h"
#include "document/JwwUnit.h"

namespace tw {

namespace {

// A drawing whose definitions insert each other many times over expands
// exponentially; a damaged or hostile file must not exhaust memory, so the
// tree stops growing at this many nodes. Which definitions are in use does
// not depend on it.
constexpr size_t kMaxTreeNodes = size_t{1} << 20;

struct Matrix {
    double r1, r2, r3, r4;  // [r1 r2; r3 r4]
};

Matrix InsertionMatrix(const TEntJwwBlock& insertion) {
    const double c = std::cos(insertion.radKaitenKaku);
    const double s = std::sin(insertion.radKaitenKaku);
    return {insertion.dBairitsuX * c, -insertion.dBairitsuY * s, insertion.dBairitsuX * s,
            insertion.dBairitsuY * c};
}

Matrix Product(const Matrix& p, const Matrix& m) {
    return {p.r1 * m.r1 + p.r2 * m.r3, p.r1 * m.r2 + p.r2 * m.r4, p.r3 * m.r1 + p.r4 * m.r3,
            p.r3 * m.r2 + p.r4 * m.r4};
}

// Index of the first definition of each number.
class DefinitionIndex {
  public:
    explicit DefinitionIndex(std::span<const TEntJwwBlockDef> defs) {
        for (size_t i = 0; i < defs.size(); ++i) {
            first_.try_emplace(defs[i].nNumber, static_cast<int32_t>(i));
        }
    }
    int32_t Find(uint32_t number) const {
        const auto found = first_.find(number);
        return found == first_.end() ? -1 : found->second;
    }

  private:
    std::unordered_map<uint32_t, int32_t> first_;
};

TEntJwwBlockTree MakeNode(const TEntJwwAttr& att, int32_t level, int32_t parent,
                          const TEntJwwBlock& insertion, double x, double y, const Matrix& m,
                          int32_t defno, std::span<const TEntJwwBlockDef> defs) {
    TEntJwwBlockTree node;
    node.att = att;
    node.level = level;
    node.parent = parent;
    node.no = insertion.nNumber;
    node.defno = defno;
    if (defno >= 0) node.name = defs[static_cast<size_t>(defno)].strName;
    node.x = x;
    node.y = y;
    node.r1 = m.r1;
    node.r2 = m.r2;
    node.r3 = m.r3;
    node.r4 = m.r4;
    return node;
}

// True when node k's definition already occurs among its ancestors: expanding
// it again would repeat the same insertions without end.
bool InsertsAnAncestor(const std::vector<TEntJwwBlockTree>& tree, size_t k) {
    for (int32_t p = tree[k].parent; p >= 0; p = tree[static_cast<size_t>(p)].parent) {
        if (tree[static_cast<size_t>(p)].defno == tree[k].defno) return true;
    }
    return false;
}

std::vector<TEntJwwBlockTree> BuildTree(std::span<const TEntJwwBlock> insertions,
                                        std::span<const TEntJwwBlockDef> defs,
                                        const DefinitionIndex& index) {
    std::vector<TEntJwwBlockTree> tree;
    tree.reserve(std::min(insertions.size(), kMaxTreeNodes));
    for (const auto& insertion : insertions) {
        if (tree.size() == kMaxTreeNodes) return tree;
        tree.push_back(MakeNode(insertion.att, 0, -1, insertion, insertion.DPKijunTen_x,
                                insertion.DPKijunTen_y, InsertionMatrix(insertion),
                                index.Find(insertion.nNumber), defs));
    }
    // Breadth first: the loop reaches the nodes it appends.
    for (size_t k = 0; k < tree.size(); ++k) {
        if (tree[k].defno < 0 || InsertsAnAncestor(tree, k)) continue;
        const TEntJwwBlockDef& def = defs[static_cast<size_t>(tree[k].defno)];
        const TEntJwwBlockTree parent = tree[k];  // appending may move tree[k]
        const Matrix p{parent.r1, parent.r2, parent.r3, parent.r4};
        for (const auto& member : Counted(def.mBlock, def.mBlockN)) {
            if (tree.size() == kMaxTreeNodes) return tree;
            const double x = parent.x + p.r1 * member.DPKijunTen_x + p.r2 * member.DPKijunTen_y;
            const double y = parent.y + p.r3 * member.DPKijunTen_x + p.r4 * member.DPKijunTen_y;
            tree.push_back(MakeNode(def.att, parent.level + 1, static_cast<int32_t>(k), member, x,
                                    y, Product(p, InsertionMatrix(member)),
                                    index.Find(member.nNumber), defs));
        }
    }
    return tree;
}

// Marks every definition reachable from the drawing's insertions: exactly
// those that some node of the complete tree names.
void MarkDefinitionsInUse(std::span<const TEntJwwBlock> insertions, std::span<TEntJwwBlockDef> defs,
                          const DefinitionIndex& index) {
    std::deque<int32_t> pending;
    const auto mark = [&](uint32_t number) {
        const int32_t found = index.Find(number);
        if (found < 0 || defs[static_cast<size_t>(found)].ref_flag) return;
        defs[static_cast<size_t>(found)].ref_flag = true;
        pending.push_back(found);
    };
    for (const auto& insertion : insertions)
        mark(insertion.nNumber);
    while (!pending.empty()) {
        const TEntJwwBlockDef& def = defs[static_cast<size_t>(pending.front())];
        pending.pop_front();
        for (const auto& member : Counted(def.mBlock, def.mBlockN))
            mark(member.nNumber);
    }
}

}  // namespace

void TJwwData::MakeBlockTree() {
    EntBlockTree = std::vector<TEntJwwBlockTree>();
    EntBlockTreeN = 0;
    const auto defs = Counted(EntBlockDef, EntBlockDefN);
    for (auto& def : defs) {
        def.ref_flag = false;
        def.ref_no = -1;
    }
    EntBlockNum = 0;
    const auto insertions = Counted(EntBlock, EntBlockN);
    if (insertions.empty()) return;

    const DefinitionIndex index(defs);
    EntBlockTree = BuildTree(insertions, defs, index);
    EntBlockTreeN = static_cast<int32_t>(EntBlockTree.size());
    MarkDefinitionsInUse(insertions, defs, index);

    for (auto& def : defs) {
        if (def.ref_flag) def.ref_no = EntBlockNum++;
    }
}

}  // namespace tw
