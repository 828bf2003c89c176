// TJwwData::MakeBlockTree: the tree of block insertions, expanded through the
// definitions, and which definitions are in use and under which number they
// are written.
#include <algorithm>
#include <cmath>
#include <deque>
#include <unordered_map>

#include <tintwright/document/Counted.h>
#include <tintwright/document/DefinitionIndex.h>
#include <tintwright/document/JwwUnit.h>
#include <tintwright/document/Transform.h>

namespace tw {

namespace {

// A drawing whose definitions insert each other many times over expands
// exponentially, so the tree gets a memory budget that grows with the block
// records it is built from, within fixed bounds. Whatever does not fit is
// left out and counted; which definitions are in use does not depend on it.
constexpr size_t kBudgetPerSourceByte = 64;
constexpr size_t kMinBudget = size_t{32} << 20;
constexpr size_t kMaxBudget = size_t{256} << 20;

// One node as the depth-first walk finds it; its children are linked in
// member order.
struct Shape {
    const TEntJwwBlock* insertion;
    int32_t defno;
    int32_t firstChild = -1;
    int32_t nextSibling = -1;
};

struct Shapes {
    std::vector<Shape> nodes;  // the top-level nodes first, one per insertion
    size_t roots = 0;
    int32_t cut = 0;  // nodes whose nested insertions were left out
};

size_t NameBytes(const std::u16string& name) {
    // Short names live inside the string itself.
    return name.size() > std::u16string().capacity() ? (name.size() + 1) * sizeof(char16_t) : 0;
}

size_t SourceBytes(std::span<const TEntJwwBlock> insertions,
                   std::span<const TEntJwwBlockDef> defs) {
    size_t bytes = insertions.size() * sizeof(TEntJwwBlock);
    for (const auto& def : defs) {
        bytes += sizeof(TEntJwwBlockDef) + NameBytes(def.strName) +
                 Counted(def.mBlock, def.mBlockN).size() * sizeof(TEntJwwBlock);
    }
    return bytes;
}

class Budget {
  public:
    Budget(std::span<const TEntJwwBlock> insertions, std::span<const TEntJwwBlockDef> defs)
        : defs_(defs),
          left_(std::clamp(SourceBytes(insertions, defs) * kBudgetPerSourceByte, kMinBudget,
                           kMaxBudget)) {}

    // Takes what one node of definition defno costs in all the walk's arrays,
    // or false when that is more than is left.
    bool Take(int32_t defno) {
        size_t cost = sizeof(Shape) + sizeof(int32_t) + sizeof(TEntJwwBlockTree);
        if (defno >= 0) cost += NameBytes(defs_[static_cast<size_t>(defno)].strName);
        if (cost > left_) return false;
        left_ -= cost;
        return true;
    }

  private:
    std::span<const TEntJwwBlockDef> defs_;
    size_t left_;
};

TEntJwwBlockTree MakeNode(const TEntJwwAttr& att, int32_t level, int32_t parent,
                          const TEntJwwBlock& insertion, const Transform& xf, int32_t defno,
                          std::span<const TEntJwwBlockDef> defs) {
    TEntJwwBlockTree node;
    node.att = att;
    node.level = level;
    node.parent = parent;
    node.no = insertion.nNumber;
    node.defno = defno;
    if (defno >= 0) node.name = defs[static_cast<size_t>(defno)].strName;
    node.x = xf.tx;
    node.y = xf.ty;
    node.r1 = xf.a;
    node.r2 = xf.b;
    node.r3 = xf.c;
    node.r4 = xf.d;
    return node;
}

bool Expandable(const Shape& node, std::span<const TEntJwwBlockDef> defs) {
    return node.defno >= 0 && defs[static_cast<size_t>(node.defno)].mBlockN > 0;
}

std::span<const TEntJwwBlock> MembersOf(const Shape& node, std::span<const TEntJwwBlockDef> defs) {
    const TEntJwwBlockDef& def = defs[static_cast<size_t>(node.defno)];
    return Counted(def.mBlock, def.mBlockN);
}

// Depth first, so that one marker per definition tells whether it lies on
// the path from the root: a definition met again on its own path is a node
// but is not expanded, as it would repeat the same insertions without end.
// Time and memory are linear in the nodes made. When the budget is spent the
// walk stops and counts the nodes it leaves incomplete.
Shapes WalkTree(std::span<const TEntJwwBlock> insertions, std::span<const TEntJwwBlockDef> defs,
                const DefinitionIndex& index) {
    Budget budget(insertions, defs);
    Shapes shapes;
    for (const auto& insertion : insertions) {
        const int32_t defno = index.Find(insertion.nNumber);
        if (!budget.Take(defno)) break;
        shapes.nodes.push_back({&insertion, defno});
    }
    shapes.roots = shapes.nodes.size();
    shapes.cut = static_cast<int32_t>(insertions.size() - shapes.roots);

    struct Step {
        size_t node;
        size_t next = 0;  // member to add next
        int32_t lastChild = -1;
    };
    std::vector<Step> path;
    std::vector<uint8_t> onPath(defs.size());
    const auto enter = [&](size_t node) {
        const Shape& shape = shapes.nodes[node];
        if (!Expandable(shape, defs) || onPath[static_cast<size_t>(shape.defno)]) return;
        onPath[static_cast<size_t>(shape.defno)] = 1;
        path.push_back({node});
    };
    for (size_t root = 0; root < shapes.roots; ++root) {
        enter(root);
        while (!path.empty()) {
            Step& step = path.back();
            const auto members = MembersOf(shapes.nodes[step.node], defs);
            if (step.next == members.size()) {
                onPath[static_cast<size_t>(shapes.nodes[step.node].defno)] = 0;
                path.pop_back();
                continue;
            }
            const TEntJwwBlock& member = members[step.next];
            const int32_t defno = index.Find(member.nNumber);
            if (!budget.Take(defno)) {
                shapes.cut += static_cast<int32_t>(path.size());
                for (size_t later = root + 1; later < shapes.roots; ++later)
                    shapes.cut += Expandable(shapes.nodes[later], defs) ? 1 : 0;
                return shapes;
            }
            ++step.next;
            const auto child = static_cast<int32_t>(shapes.nodes.size());
            shapes.nodes.push_back({&member, defno});
            Shape& previous = shapes.nodes[static_cast<size_t>(
                step.lastChild < 0 ? static_cast<int32_t>(step.node) : step.lastChild)];
            (step.lastChild < 0 ? previous.firstChild : previous.nextSibling) = child;
            step.lastChild = child;
            enter(static_cast<size_t>(child));  // may move step
        }
    }
    return shapes;
}

// The walked nodes in breadth-first order, each placed through its parent.
std::vector<TEntJwwBlockTree> Assemble(const Shapes& shapes,
                                       std::span<const TEntJwwBlockDef> defs) {
    std::vector<TEntJwwBlockTree> tree;
    std::vector<int32_t> shapeOf;  // tree index -> walked node
    tree.reserve(shapes.nodes.size());
    shapeOf.reserve(shapes.nodes.size());
    for (size_t i = 0; i < shapes.roots; ++i) {
        const TEntJwwBlock& insertion = *shapes.nodes[i].insertion;
        tree.push_back(MakeNode(insertion.att, 0, -1, insertion, InsertionTransform(insertion),
                                shapes.nodes[i].defno, defs));
        shapeOf.push_back(static_cast<int32_t>(i));
    }
    // The loop reaches the nodes it appends.
    for (size_t k = 0; k < tree.size(); ++k) {
        const Shape& shape = shapes.nodes[static_cast<size_t>(shapeOf[k])];
        if (shape.firstChild < 0) continue;
        const TEntJwwAttr& att = defs[static_cast<size_t>(shape.defno)].att;
        const Transform parent{tree[k].r1, tree[k].r2, tree[k].r3,
                               tree[k].r4, tree[k].x,  tree[k].y};
        const int32_t level = tree[k].level + 1;
        for (int32_t c = shape.firstChild; c >= 0;
             c = shapes.nodes[static_cast<size_t>(c)].nextSibling) {
            const Shape& child = shapes.nodes[static_cast<size_t>(c)];
            const TEntJwwBlock& member = *child.insertion;
            tree.push_back(MakeNode(att, level, static_cast<int32_t>(k), member,
                                    parent.After(InsertionTransform(member)), child.defno, defs));
            shapeOf.push_back(c);
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
    EntBlockTreeCut = 0;
    const auto defs = Counted(EntBlockDef, EntBlockDefN);
    for (auto& def : defs) {
        def.ref_flag = false;
        def.ref_no = -1;
    }
    EntBlockNum = 0;
    const auto insertions = Counted(EntBlock, EntBlockN);
    if (insertions.empty()) return;

    const DefinitionIndex index(defs);
    const Shapes shapes = WalkTree(insertions, defs, index);
    EntBlockTreeCut = shapes.cut;
    EntBlockTree = Assemble(shapes, defs);
    EntBlockTreeN = static_cast<int32_t>(EntBlockTree.size());
    MarkDefinitionsInUse(insertions, defs, index);

    for (auto& def : defs) {
        if (def.ref_flag) def.ref_no = EntBlockNum++;
    }
}

}  // namespace tw
