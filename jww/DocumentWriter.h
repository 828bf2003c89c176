// The sections of a JWW file and the record writers they share. Private to
// the writer; FileOut (jww/FileOut.cpp) is the public entry point.
//
// Every section continues the numbering of the one ArchiveWriter of a file.
// Records are filtered and clamped on copies and then walked with the record
// descriptions of jww/Records.h; the document changes only where noted.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>

#include <tintwright/document/DrawingRules.h>
#include <tintwright/document/EntityView.h>
#include <tintwright/document/JwwUnit.h>
#include <tintwright/document/RefTable.h>
#include <tintwright/document/jwwtype.h>
#include <tintwright/jww/ArchiveWriter.h>

namespace tw::jwwout {

// Attribute kind of a block definition's own attributes; entity records use
// their entity kind (kEntLine .. kEntBlock).
constexpr int kAttrBlockDef = 8;

// The last extended pen colour; colours above it are known to no reader.
constexpr uint16_t kLastExtColor = rules::kLastExtColor;

// Number of object records that EntityWriter::WriteAll writes for src:
// one per writable entry, six more for each SXF-mode dimension written below
// version 4.20 when the document's own version (jwVer) is 4.20 or newer.
// Throws WriteError when the number does not fit a count.
int32_t CountRecords(const EntityView& src, int32_t version, int32_t jwVer);

// The attribute record as written for an entity of the given kind: pen
// style and colour mapped for old files and checked, layers and width
// clamped.
TEntJwwAttr FilterAttr(TEntJwwAttr a, int kind, int32_t version, const TRefTable& ref);

// FilterAttr for one file, with the answers for every pen style and every
// pen colour up to the last extended one worked out once: a drawing's
// records ask for them a million times. Colours beyond that are all treated
// alike, kept or replaced by the same fallback.
class AttrFilter {
  public:
    AttrFilter(int32_t version, const TRefTable& ref);
    // Filters a in place.
    void Apply(TEntJwwAttr& a, int kind) const;

  private:
    static constexpr int kKinds = kAttrBlockDef + 1;  // by kind, 0 unused
    static constexpr uint16_t kTabledColors = kLastExtColor + 1;
    std::array<std::array<uint8_t, 256>, kKinds> styles_{};
    std::array<std::array<uint16_t, kTabledColors>, kKinds> colors_{};
    std::array<bool, kKinds> keepsOtherColors_{};
    std::array<uint16_t, kKinds> otherColor_{};
};

// Counts into ar what the attribute record `before` lost as `after`, the
// record as written in ar's version.
void CountAttrLosses(ArchiveWriter& ar, const TEntJwwAttr& before, const TEntJwwAttr& after);

// A character width or height as written: its magnitude, within 1e-10..1e10.
double ClampTextSize(double size);

// StripLineCodes in place, without copying a text it would not change.
void StripLineCodesOf(std::u16string& t);

// Turns t, a copy of a text record's text, into the text as written, by the
// FileOutOpt bits.
void PrepareText(std::u16string& t, int32_t options, const TRefTable& ref);

// Writes entity records. One writer serves the entity section and the
// members of block definitions, reusing its scratch records.
class EntityWriter {
  public:
    EntityWriter(ArchiveWriter& ar, const TJwwData& doc, const TRefTable& ref);

    // One object record per writable entry of src, in order (an SXF-mode
    // dimension below version 4.20 is followed by its six parts).
    void WriteAll(const EntityView& src);
    // FilterAttr in place, with this file's version and reference table;
    // what it changes or the version drops is counted in the archive.
    void Filter(TEntJwwAttr& a, int kind);
    // ChangeBlockNo from a table made once: a drawing may insert many of
    // many definitions.
    uint32_t BlockNumber(uint32_t n) const;

  private:
    void Body(const TEntJwwLine& r);
    void Body(const TEntJwwEnko& r);
    void Body(const TEntJwwTen& r);
    void Body(const TEntJwwMoji& r);
    void Body(const TEntJwwSunpo& r);
    void Body(const TEntJwwSolid& r);
    void Body(const TEntJwwBlock& r);
    void DimensionParts();
    void PrepareFontAndSize(TEntJwwMoji& moji) const;

    ArchiveWriter& ar_;
    const TJwwData& doc_;
    const TRefTable& ref_;
    const AttrFilter filter_;
    std::unordered_map<uint32_t, uint32_t> blockNumbers_;
    TEntJwwLine line_;
    TEntJwwEnko arc_;
    TEntJwwTen point_;
    TEntJwwMoji text_;
    TEntJwwSunpo dim_;
    TEntJwwSolid solid_;
    TEntJwwBlock block_;
};

// Items 1 to 39: magic, version, header and tables, entity count. Sets
// doc.Enthd.jwID to "JwwData.". Throws WriteError when a table is shorter
// than the format's fixed length.
void WriteHeaderSection(ArchiveWriter& ar, TJwwData& doc);

// The definitions in use (ref_flag) with their members. Cuts or pads the
// member order list of each written definition to its N entries.
void WriteBlockSection(ArchiveWriter& ar, TJwwData& doc, EntityWriter& entities);

// From version 7.00: the bound images that texts name, embedded whole.
// Recomputes every image's exf flag. Throws WriteError when an image cannot
// be read completely.
void WriteImageSection(ArchiveWriter& ar, TJwwData& doc);

// The whole file, every section in order.
void WriteDocument(ArchiveWriter& ar, TJwwData& doc);

}  // namespace tw::jwwout
