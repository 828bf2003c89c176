// The boxes of a drawing's own entries, kept between a viewer's pictures: a
// hierarchy of boxes over them, so that a picture visits only what is in
// view, and takes whatever is smaller than a pixel (an entry, or a whole
// branch of small entries) as one mark without looking inside it.
#pragma once

#include <cstdint>
#include <vector>

#include <tintwright/render/Primitives.h>

namespace tw::render {

// One of the drawing's own entries as drawn: where its expanded records
// reach (pens and marks included), the colour drawn last, how many records.
struct IndexedEntry {
    int32_t position = 0;  // in the drawing's order list
    Box box;
    uint32_t rgb = 0;
    int64_t records = 0;
    // Never taken as a mark: a record of it has no colour or a coordinate
    // that is not finite, which only drawing it in full reports.
    bool whole = false;
};

class ViewIndex {
  public:
    ViewIndex() = default;
    explicit ViewIndex(std::vector<IndexedEntry> entries);

    // What a picture of the view at `pixel` millimetres a pixel needs.
    struct Query {
        struct Mark {
            int32_t position;  // the last entry it stands for
            Point at;
            uint32_t rgb;
        };
        std::vector<int32_t> full;  // entries to draw in full, in drawing order
        std::vector<Mark> marks;    // in drawing order
        int64_t markRecords = 0;    // the records the marks stand for
        int64_t culledRecords = 0;  // the records off the view
    };
    Query Find(const Box& view, double pixel) const;

  private:
    struct Node {
        Box box;
        uint32_t rgb = 0;  // of its last entry
        int32_t last = 0;  // its last entry's position
        int64_t records = 0;
        bool whole = false;  // holds an entry that is never a mark
        int32_t first = 0;   // leaf: its entries in entries_[first, first + count)
        int32_t count = 0;
        int32_t children = -1;  // inner: nodes_[children] and nodes_[children + 1]
    };
    void Build(size_t at, size_t begin, size_t end);
    static void Take(const IndexedEntry& entry, const Box& view, double pixel, Query& query);

    std::vector<IndexedEntry> entries_;
    std::vector<Node> nodes_;
};

}  // namespace tw::render
