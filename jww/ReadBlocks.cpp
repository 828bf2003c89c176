// The block-definition section as read: a count, then one list record per
// definition with its head, name and member records.
#include <tintwright/jww/ReadBlocks.h>

#include <tintwright/jww/Records.h>

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
    // Definitions are added as they are read, never sized from the count.
    for (int32_t position = 1; position <= count && rd.TagsLeft(); ++position) {
        TEntJwwBlockDef& def = doc.EntBlockDef.emplace_back();
        doc.EntBlockDefN = doc.Enthd.n2 = static_cast<int32_t>(doc.EntBlockDef.size());
        ReadDefinition(def, position, rd);
    }
    // A preview that stops early reports the file's count, as it does for n1
    // and N; the array holds only what it read.
    doc.EntBlockDefN = doc.Enthd.n2 = count;
}

}  // namespace tw::jwwin
