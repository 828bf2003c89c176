// Block definitions that insert one another, built with the document's own
// operations: the drawings whose insertion trees grow far beyond their size
// (fan-outs, chains, cycles). Tests, fuzz seeds and benchmarks share them.
#pragma once

#include <cstdint>
#include <string>

#include <tintwright/document/JwwUnit.h>
#include <tintwright/util/Func_2.h>

namespace tw {

struct Nesting {
    int32_t definitions = 1;
    int32_t times = 1;          // each definition inserts the next this often
    bool closed = false;        // the last inserts the first, making a cycle
    size_t lastNameLength = 0;  // a long name for the last definition; 0 keeps "D<n>"
};

// Definitions 0 to definitions - 1 on top of the defaults, and one insertion
// of definition 0; the block tree is made.
inline bool BuildNesting(TJwwData& doc, const Nesting& nesting) {
    doc.DataDefaultSet();
    doc.SetTableLengths();
    bool ok = true;
    for (int32_t i = 0; i < nesting.definitions; ++i) {
        const bool last = i + 1 == nesting.definitions;
        const std::u16string name = last && nesting.lastNameLength > 0
                                        ? std::u16string(nesting.lastNameLength, u'n')
                                        : u"D" + IntToText(i);
        ok = ok && doc.AddBlkDef(1, 0, 0, 1, 1, 0, 0, 4, name);
    }
    for (int32_t i = 0; i < nesting.definitions; ++i) {
        const bool last = i + 1 == nesting.definitions;
        if (last && !nesting.closed) break;
        const int32_t inserted = last ? 0 : i + 1;
        for (int32_t k = 0; k < nesting.times; ++k)
            ok = ok && doc.AddBlkBlock(i, 1, 0, 0, 1, 1, 0, 0, inserted, k, 0, 1, 1, 0);
    }
    ok = ok && doc.AddEntBlock(1, 0, 0, 1, 1, 0, 0, 0, 0, 0, 1, 1, 0);
    doc.MakeBlockTree();
    return ok;
}

}  // namespace tw
