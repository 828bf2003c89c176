// What the sections of one export share: the output, the version's
// features, handles, the names of layers, line types, text styles and
// blocks, and the attributes every entity carries (layer, line type, colour,
// line weight).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include <tintwright/document/JwwUnit.h>
#include <tintwright/document/OutputRules.h>
#include <tintwright/dxf/Dialect.h>
#include <tintwright/dxf/DxfExport.h>
#include <tintwright/dxf/Names.h>
#include <tintwright/dxf/TagWriter.h>

namespace tw::dxf {

// A bound image the file refers to: the copy beside it and its pixel size.
struct ImageFile {
    std::u16string name;
    std::u16string relativePath;  // from the DXF's folder
    double pixelsX = 0, pixelsY = 0;
    uint64_t definition = 0;           // IMAGEDEF handle
    std::vector<uint64_t> reactors;    // one IMAGEDEF_REACTOR per IMAGE
    std::vector<uint64_t> placements;  // the IMAGE each reactor belongs to
};

// The handles the tables, layouts and dictionaries are known by.
struct FixedHandles {
    uint64_t vportTable, ltypeTable, layerTable, styleTable, viewTable, ucsTable, appidTable,
        dimstyleTable, blockRecordTable;
    uint64_t rootDictionary, groupDictionary, layoutDictionary, imageDictionary, imageVariables;
    uint64_t modelLayout, paperLayout;
    uint64_t modelRecord, paperRecord;
};

class Context {
  public:
    Context(const TJwwData& doc, TagWriter& w, const DxfOptions& options,
            std::vector<ImageFile> images);

    const TJwwData& doc;
    TagWriter& w;
    const DxfOptions options;
    const Dialect dialect;
    // Entities keep their screen colours; widths and dash lengths are the printed ones.
    const rules::Appearance screen;
    const rules::Appearance print;
    const Names names;
    FixedHandles fixed{};
    std::vector<uint64_t> blockRecords;  // per definition
    std::vector<ImageFile> images;
    // The image file of that name; none when it was not staged.
    ImageFile* ImageNamed(const std::u16string& name);
    std::vector<std::string> warnings;
    // Insertions naming a definition the drawing does not have: left out.
    int64_t insertionsOfNoDefinition = 0;
    int64_t textsWithReaderCodes = 0;  // see HasReaderCodes

    uint64_t NewHandle() { return next_++; }
    // A handle for a record of its own where the version has handles, else 0.
    uint64_t NewHandleIfAny() { return dialect.handles ? NewHandle() : 0; }
    // A number no handle of the file reaches, written as $HANDSEED before
    // the handles are made.
    uint64_t HandleSeed() const { return seed_; }
    // Whether every handle made so far is below HandleSeed().
    bool HandlesWithinSeed() const { return next_ <= seed_; }

    // The multiplier of the coordinates of an entity of layer group
    // `group` placed straight in the drawing.
    double GroupScale(int32_t group) const;

    // Opens an entity: its type, handle and owner (2000 and later), layer,
    // line type, colour `rgb` (0xRRGGBB; and true colour in 2007), the line
    // weight nearest `width` (printed millimetres), the line type's scale,
    // and the subclass marker `subclass` of its data (none when empty).
    // Returns its handle (0 in R12, which has none).
    uint64_t BeginEntity(std::string_view type, std::string_view subclass, const TEntJwwAttr& att,
                         std::optional<uint32_t> rgb, double width, uint64_t owner,
                         double lineTypeScale);
    // Opens a table entry or an object: type, handle and owner.
    void BeginRecord(std::string_view type, uint64_t handle, uint64_t owner, int handleCode = 5);
    // A subclass marker, written from 2000 on.
    void Subclass(std::string_view marker);

    // Says that record `number` (from 1, in drawing order) of kind `kind`
    // in `where` was left out for a value that is not a finite number: the
    // first few by name, the rest in a count at the end.
    void LeftOutNotFinite(std::string_view kind, size_t number, std::string_view where);
    // The count, when more were left out than were named; call once, last.
    void SayHowManyLeftOut();

  private:
    std::unordered_map<std::u16string, size_t> imageAt_;  // position in images by name
    int Aci(uint32_t rgb);

    size_t leftOut_ = 0;

    uint64_t next_ = 1;
    uint64_t seed_ = 0;
    std::unordered_map<uint32_t, int> aci_;
};

}  // namespace tw::dxf
