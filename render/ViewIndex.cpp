#include <tintwright/render/ViewIndex.h>

#include <algorithm>

namespace tw::render {

namespace {

constexpr size_t kLeafEntries = 8;

Box Union(const Box& a, const Box& b) {
    return {std::min(a.minX, b.minX), std::min(a.minY, b.minY), std::max(a.maxX, b.maxX),
            std::max(a.maxY, b.maxY)};
}

bool Small(const Box& box, double pixel) {
    return box.Width() < pixel && box.Height() < pixel;
}

Point Centre(const Box& box) {
    return {(box.minX + box.maxX) / 2, (box.minY + box.maxY) / 2};
}

}  // namespace

ViewIndex::ViewIndex(std::vector<IndexedEntry> entries) : entries_(std::move(entries)) {
    if (entries_.empty()) return;
    nodes_.reserve(2 * entries_.size() / kLeafEntries + 1);
    nodes_.emplace_back();
    Build(0, 0, entries_.size());
}

// Fills nodes_[at] for entries_[begin, end), splitting them at the median
// of the longer side's centres until a leaf holds a few entries, kept in
// drawing order. An inner node's two children follow one another.
void ViewIndex::Build(size_t at, size_t begin, size_t end) {
    Node node;
    node.box = entries_[begin].box;
    for (size_t i = begin; i < end; ++i) {
        node.box = Union(node.box, entries_[i].box);
        node.records += entries_[i].records;
        node.whole = node.whole || entries_[i].whole;
        if (i == begin || entries_[i].position > node.last) {
            node.last = entries_[i].position;
            node.rgb = entries_[i].rgb;
        }
    }
    const auto first = entries_.begin() + static_cast<std::ptrdiff_t>(begin);
    const auto last = entries_.begin() + static_cast<std::ptrdiff_t>(end);
    if (end - begin <= kLeafEntries) {
        std::sort(first, last, [](const IndexedEntry& a, const IndexedEntry& b) {
            return a.position < b.position;
        });
        node.first = static_cast<int32_t>(begin);
        node.count = static_cast<int32_t>(end - begin);
        nodes_[at] = node;
        return;
    }
    const bool alongX = node.box.Width() >= node.box.Height();
    const size_t middle = begin + (end - begin) / 2;
    std::nth_element(first, entries_.begin() + static_cast<std::ptrdiff_t>(middle), last,
                     [alongX](const IndexedEntry& a, const IndexedEntry& b) {
                         const Point ca = Centre(a.box), cb = Centre(b.box);
                         return alongX ? ca.x < cb.x : ca.y < cb.y;
                     });
    node.children = static_cast<int32_t>(nodes_.size());
    nodes_[at] = node;
    nodes_.resize(nodes_.size() + 2);
    Build(static_cast<size_t>(node.children), begin, middle);
    Build(static_cast<size_t>(node.children) + 1, middle, end);
}

ViewIndex::Query ViewIndex::Find(const Box& view, double pixel) const {
    Query query;
    if (nodes_.empty()) return query;
    std::vector<int32_t> stack{0};
    while (!stack.empty()) {
        const Node& node = nodes_[static_cast<size_t>(stack.back())];
        stack.pop_back();
        if (!node.box.Overlaps(view)) {
            query.culledRecords += node.records;
        } else if (!node.whole && Small(node.box, pixel)) {
            query.marks.push_back({node.last, Centre(node.box), node.rgb});
            query.markRecords += node.records;
        } else if (node.children >= 0) {
            stack.push_back(node.children + 1);
            stack.push_back(node.children);
        } else {
            for (int32_t i = node.first; i < node.first + node.count; ++i)
                Take(entries_[static_cast<size_t>(i)], view, pixel, query);
        }
    }
    const auto byPosition = [](const auto& a, const auto& b) { return a.position < b.position; };
    std::sort(query.marks.begin(), query.marks.end(), byPosition);
    std::sort(query.full.begin(), query.full.end());
    return query;
}

void ViewIndex::Take(const IndexedEntry& entry, const Box& view, double pixel, Query& query) {
    if (!entry.box.Overlaps(view)) {
        query.culledRecords += entry.records;
    } else if (!entry.whole && Small(entry.box, pixel)) {
        query.marks.push_back({entry.position, Centre(entry.box), entry.rgb});
        query.markRecords += entry.records;
    } else {
        query.full.push_back(entry.position);
    }
}

}  // namespace tw::render
