// The block-definition section as read: a count, then one list record per
// definition with its head, name and member records.
#include "jww/ReadBlocks.h"

#include "jww/Records.h"

namespace tw::jwwin {

namespace {

// Bytes of the longer time field that a negative dtime announces.
constexpr uint64_t kLongTimeBytes = 8;

// position: the definition's 1-based place in the section.
void ReadDefinition(TEntJwwBlockDef& def, int32_t position, ObjectReader& rd) {
    ArchiveReader& ar = rd.archive();
    rd.ReadListTag();
    rec::describeHead(ar, def);
    if (static_cast<int32_t>(def.dtime) < 0) {
        ar.Skip(kLongTimeBytes);
        def.dtime = static_cast<uint32_t>(position);
    }
    def.strName = ar.ReadText();
    const int32_t members = ar.Count();
    rd.CountObject();  // the list itself, before its members
    rd.ReadOrderList(DefinitionTarget(def), members, /*inBlock=*/true);
}

}  // namespace

void ReadBlockSection(TJwwData& doc, ObjectReader& rd) {
    doc.EntBlockDefN = doc.Enthd.n2 = 0;
    // A preview that used up its tags inside the entities stops there.
    if (!rd.TagsLeft()) return;
    const int32_t count = rd.archive().Count();
    if (count < 0) throw ReadError(kFileIoError);
    // The count is the file's, as n1 and N are, even where a preview stops
    // early; definitions are added as they are read, never sized from it.
    doc.EntBlockDefN = doc.Enthd.n2 = count;
    for (int32_t position = 1; position <= count && rd.TagsLeft(); ++position)
        ReadDefinition(doc.EntBlockDef.emplace_back(), position, rd);
}

}  // namespace tw::jwwin
