// The block-definition section: every definition that an insertion reaches
// (ref_flag, left by MakeBlockTree), each followed by its member records.
#include <algorithm>

#include <tintwright/document/Counted.h>
#include <tintwright/jww/DocumentWriter.h>
#include <tintwright/jww/Records.h>
#include <tintwright/util/Func_2.h>

namespace tw::jwwout {

namespace {

constexpr uint32_t kLongTimeBit = 0x80000000u;

void WriteDefinition(ArchiveWriter& ar, TJwwData& doc, TEntJwwBlockDef& def,
                     EntityWriter& entities) {
    // A reader takes a time with the top bit set for the mark of a longer
    // field, so such a value could not be read back.
    if (def.dtime & kLongTimeBit) throw WriteError("a block definition's time cannot be stored");
    ar.BeginRecord(RecordClass::List);
    TEntJwwBlockDef head;
    head.att = def.att;
    entities.Filter(head.att, kAttrBlockDef);
    head.nNumber = entities.BlockNumber(def.nNumber);
    head.bRefferd = def.bRefferd;
    head.dtime = def.dtime;
    rec::describeHead(ar, head);
    ar.WriteString(StripLineCodes(def.strName));
    def.mNo.resize(static_cast<size_t>(std::max(def.N, 0)));  // missing entries are skipped
    const EntityView members = EntityView::Of(def);
    ar.WriteCount(CountRecords(members, ar.version(), doc.Enthd.jwVer));
    ar.CountObject();  // the list itself, before its members
    entities.WriteAll(members);
}

}  // namespace

void WriteBlockSection(ArchiveWriter& ar, TJwwData& doc, EntityWriter& entities) {
    const std::span<TEntJwwBlockDef> defs = Counted(doc.EntBlockDef, doc.Enthd.n2);
    // The count is that of the records that follow, which is EntBlockNum
    // whenever MakeBlockTree has run since the blocks last changed.
    const auto used = std::count_if(defs.begin(), defs.end(),
                                    [](const TEntJwwBlockDef& d) { return d.ref_flag; });
    ar.WriteCount(static_cast<int32_t>(used));
    ar.Lose(SaveLoss::Definitions, static_cast<int64_t>(defs.size()) - used);
    for (TEntJwwBlockDef& def : defs) {
        if (def.ref_flag) WriteDefinition(ar, doc, def, entities);
    }
}

}  // namespace tw::jwwout
