#include "app/cli/DrawingFacts.h"

namespace tw::cli {

const char* KindName(int32_t kind) {
    static constexpr const char* kNames[kKinds] = {"line",      "arc",   "point", "text",
                                                   "dimension", "solid", "block"};
    return kNames[kind - 1];
}

KindCounts CountsOf(const TJwwData& doc) {
    return {doc.EntLineN,  doc.EntEnkoN,  doc.EntTenN,  doc.EntMojiN,
            doc.EntSunpoN, doc.EntSolidN, doc.EntBlockN};
}

KindCounts CountsOf(const TEntJwwBlockDef& def) {
    return {def.mLineN, def.mEnkoN, def.mTenN, def.mMojiN, def.mSunpoN, def.mSolidN, def.mBlockN};
}

}  // namespace tw::cli
