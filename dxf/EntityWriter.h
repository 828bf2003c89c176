// The DXF entities of each record kind, for ForEachEntity: a line is a LINE,
// an arc a CIRCLE, ARC or ELLIPSE (a POLYLINE in R12), a point a POINT, a
// text a TEXT (an MTEXT or several TEXTs when long, an IMAGE for a bound
// image), a dimension its parts, a solid a
// SOLID (a curved one a HATCH, or SOLID triangles in R12), an insertion an
// INSERT.
#pragma once

#include <cstdint>
#include <vector>

#include <tintwright/document/DefinitionIndex.h>
#include <tintwright/document/Geometry.h>
#include <tintwright/dxf/Context.h>
#include <tintwright/dxf/TextValues.h>

namespace tw::dxf {

struct EntityCounts;

class EntityWriter {
  public:
    // Entities owned by block record `owner`. With `scaleByGroup` (the
    // drawing's own entities) each is scaled by its layer group's scale;
    // members of definitions keep their stored size and take the scale of
    // the insertion that places them. Insertions of the `skipped` definitions
    // (those that would insert a definition into itself) are left out.
    EntityWriter(Context& c, const DefinitionIndex& definitions,
                 const std::vector<int32_t>& skipped, uint64_t owner, bool scaleByGroup);

    void operator()(const TEntJwwLine& line);
    void operator()(const TEntJwwEnko& arc);
    void operator()(const TEntJwwTen& point);
    void operator()(const TEntJwwMoji& text);
    void operator()(const TEntJwwSunpo& dimension);
    void operator()(const TEntJwwSolid& solid);
    void operator()(const TEntJwwBlock& insertion);

  private:
    double Scale(const TEntJwwAttr& att) const;
    // Opens an entity of att in `color`, as heavy as att prints; returns its
    // handle.
    uint64_t Begin(std::string_view type, std::string_view subclass, const TEntJwwAttr& att,
                   std::optional<uint32_t> color);
    // Opens the entity of a record in its pen colour, as heavy as it prints.
    template <class R>
    uint64_t Begin(std::string_view type, std::string_view subclass, const R& record) {
        return Begin(type, subclass, record.att, c_.screen.Color(record.att.nPenColor),
                     c_.print.WidthMillimetres(record));
    }
    uint64_t Begin(std::string_view type, std::string_view subclass, const TEntJwwAttr& att,
                   std::optional<uint32_t> color, double width);
    void Polyline(const TEntJwwAttr& att, const std::vector<geom::Point>& points, bool closed);
    void Triangle(const TEntJwwAttr& att, std::optional<uint32_t> color,
                  const std::array<geom::Point, 4>& corners);
    void Hatch(const TEntJwwAttr& att, std::optional<uint32_t> color,
               const std::vector<geom::Point>& outline);
    void Image(const TEntJwwMoji& text, const geom::ImagePlacement& image);
    // A text's characters: a TEXT, an MTEXT or TEXT pieces when long.
    void Characters(const TEntJwwMoji& text);
    static double TextHeight(const TEntJwwMoji& text);
    // A TEXT of `piece` of the text, its value `value` as encoded.
    void Text(const TEntJwwMoji& text, const Baseline& line, const std::string& value);
    void MText(const TEntJwwMoji& text);

    Context& c_;
    const DefinitionIndex& definitions_;
    const std::vector<int32_t>& skipped_;  // definitions not inserted here
    uint64_t owner_;
    bool scaleByGroup_;
    double scale_ = 1;  // of the record being written
};

}  // namespace tw::dxf
