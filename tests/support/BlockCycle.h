// A drawing whose two definitions insert each other ("outer" and "部品"),
// inserted once, and one insertion of a definition that does not exist: what
// an export must leave out and say so.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <tintwright/document/JwwUnit.h>

namespace tw {

inline void BuildBlockCycle(TJwwData& doc) {
    doc.DataDefaultSet();
    for (const std::u16string name : {u"outer", u"部品"}) {
        ASSERT_TRUE(doc.AddBlkDef(0, 0, 0, 1, 1, 0, 0, 0, name));
        doc.AddBlkLine(doc.EntBlockDefN - 1, 0, 0, 0, 1, 1, 0, 0, 0, 0, 1, 1);
        doc.AddBlkDefPost(doc.EntBlockDefN - 1);
    }
    const uint32_t outer = doc.EntBlockDef[0].nNumber, inner = doc.EntBlockDef[1].nNumber;
    doc.AddBlkBlock(0, 0, 0, 0, 1, 1, 0, 0, inner, 0, 0, 1, 1, 0);
    doc.AddBlkBlock(1, 0, 0, 0, 1, 1, 0, 0, outer, 0, 0, 1, 1, 0);  // closes the cycle
    doc.AddEntBlock(0, 0, 0, 1, 1, 0, 0, outer, 0, 0, 1, 1, 0);
    doc.EntBlock[0].nNumber = outer;
    doc.AddEntBlock(0, 0, 0, 1, 1, 0, 0, outer, 0, 0, 1, 1, 0);
    doc.EntBlock[1].nNumber = 999;  // no such definition
}

// The warnings an export of BuildBlockCycle's drawing gives.
inline const std::vector<std::string> kBlockCycleWarnings = {
    "block \"部品\" inserts \"outer\", which contains it: that insertion is left out",
    "1 insertions of blocks the drawing does not define left out"};

}  // namespace tw
