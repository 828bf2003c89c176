// Building a drawing with keyword arguments, through the named-argument
// forms of the building operations (document/EntityArgs.h). Each add_...
// adds to the drawing, or with block=NAME to that block definition.
#include <pybind11/stl.h>

#include <cmath>
#include <optional>
#include <string>

#include <tintwright/document/JwwUnit.h>
#include <tintwright/util/Func_2.h>
#include "python/Binding.h"
#include "python/InUse.h"

namespace tw::python {

namespace {

using XY = std::pair<double, double>;

constexpr int kLayersPerGroup = 16;
constexpr int kHighestPen = 356;

Point2 P(const XY& xy) {
    if (!std::isfinite(xy.first) || !std::isfinite(xy.second))
        throw py::value_error("coordinates must be finite numbers");
    return {xy.first, xy.second};
}

// The attributes every operation takes, as keyword arguments.
struct Attributes {
    int group = 0, layer = 0, pen = 1, line_type = 1, width = 0;

    AttrArgs Args(int32_t flags = 0) const {
        if (group < 0 || group >= kLayersPerGroup || layer < 0 || layer >= kLayersPerGroup)
            throw py::value_error("group and layer must be 0 to 15");
        if (pen < 0 || pen > kHighestPen) throw py::value_error("pen must be 0 to 356");
        if (width < 0) throw py::value_error("width must not be negative");
        return {0, group, layer, pen, line_type, width, flags};
    }
};

Attributes AttributesOf(const py::kwargs& kw) {
    Attributes a;
    for (const auto& [key, value] : kw) {
        const std::string name = py::str(key);
        int& field = name == "group"       ? a.group
                     : name == "layer"     ? a.layer
                     : name == "pen"       ? a.pen
                     : name == "line_type" ? a.line_type
                     : name == "width"     ? a.width
                                           : throw py::type_error("unexpected argument " + name);
        field = value.cast<int>();
    }
    return a;
}

// The index of the definition named `name`; ValueError when there is none.
int32_t DefinitionIndex(const TJwwData& doc, const std::string& name) {
    const int32_t index = doc.GetBlkNo(FromUtf8(name));
    if (index < 0) throw py::value_error("no block definition named " + name);
    return index;
}

// Adds to the drawing, or to the definition `block`; the block tree is
// made again so that the drawing can be saved at any time.
template <class Args>
void Add(TJwwData& doc, const std::optional<std::string>& block, const Args& args) {
    RefuseChangeWhileInUse(doc);
    const bool ok = block ? doc.AddBlk(DefinitionIndex(doc, *block), args) : doc.AddEnt(args);
    if (!ok) throw py::value_error("the entity cannot be added: the drawing is full");
    if (block || std::is_same_v<Args, BlockArgs>) doc.MakeBlockTree();
}

constexpr int32_t kFullCircleFlag = 8;
constexpr int32_t kTemporaryPointFlag = 8;

void AddLine(TJwwData& d, XY start, XY end, std::optional<std::string> block, py::kwargs kw) {
    Add(d, block, LineArgs{AttributesOf(kw).Args(), P(start), P(end)});
}

void AddArc(TJwwData& d, XY centre, double radius, double start_angle, double swept_angle,
            double flattening, double tilt, std::optional<std::string> block, py::kwargs kw) {
    if (!(radius > 0) || !std::isfinite(radius)) throw py::value_error("radius must be above 0");
    if (!(flattening > 0)) throw py::value_error("flattening must be above 0");
    const bool full = std::fabs(swept_angle) >= 360;
    Add(d, block,
        ArcArgs{AttributesOf(kw).Args(full ? kFullCircleFlag : 0), P(centre), radius, flattening,
                start_angle, swept_angle, tilt});
}

void AddPoint(TJwwData& d, XY at, int marker, double angle, double marker_scale, bool temporary,
              std::optional<std::string> block, py::kwargs kw) {
    AttrArgs a = AttributesOf(kw).Args(temporary ? kTemporaryPointFlag : 0);
    a.tp = marker;
    Add(d, block, PointArgs{a, P(at), angle, marker_scale});
}

// The text's look, checked.
TextArgs Text(const std::u16string& font, const std::u16string& text, int style, double width,
              double height, double spacing, double angle) {
    if (!(width > 0) || !(height > 0))
        throw py::value_error("text width and height must be above 0");
    if (text.empty()) throw py::value_error("the text is empty");
    return {style, width, height, spacing, angle, font, text};
}

void AddText(TJwwData& d, const std::string& text, XY at, int base, int style, double width,
             double height, double spacing, double angle, const std::string& font,
             std::optional<std::string> block, py::kwargs kw) {
    if (base < 1 || base > 9) throw py::value_error("base must be 1 to 9");
    AttrArgs a = AttributesOf(kw).Args();
    a.tp = base;
    const std::u16string f = FromUtf8(font), t = FromUtf8(text);
    Add(d, block, TextAtArgs{a, Text(f, t, style, width, height, spacing, angle), P(at)});
}

void AddSolid(TJwwData& d, std::vector<XY> points, int color, std::optional<std::string> block,
              py::kwargs kw) {
    if (points.size() < 2 || points.size() > 4) throw py::value_error("a solid has 2 to 4 points");
    // A triangle repeats its first point, a two-point solid its second.
    if (points.size() == 2) points.insert(points.end(), 2, points[1]);
    if (points.size() == 3) points.push_back(points[0]);
    Add(d, block,
        SolidArgs{AttributesOf(kw).Args(), color, P(points[0]), P(points[1]), P(points[2]),
                  P(points[3])});
}

void AddDimension(TJwwData& d, XY start, XY end, const std::string& text, XY text_at, int text_pen,
                  int base, double width, double height, double spacing, double angle,
                  const std::string& font, std::optional<std::string> block, py::kwargs kw) {
    if (base < 1 || base > 9) throw py::value_error("base must be 1 to 9");
    const std::u16string f = FromUtf8(font), t = FromUtf8(text);
    Add(d, block,
        DimensionAtArgs{{AttributesOf(kw).Args(), P(start), P(end), text_pen, base, 0, 0,
                         Text(f, t, 0, width, height, spacing, angle)},
                        P(text_at)});
}

std::string AddBlockDefinition(TJwwData& d, const std::string& name, py::kwargs kw) {
    if (name.empty()) throw py::value_error("a block definition needs a name");
    RefuseChangeWhileInUse(d);
    const AttrArgs a = AttributesOf(kw).Args();
    if (!d.AddBlkDef(a.cn, a.lg, a.ly, a.co, a.tp, a.wd, a.fl, 0, FromUtf8(name)))
        throw py::value_error("the block definition cannot be added");
    return ToUtf8(std::u16string(BareName(d.EntBlockDef[d.EntBlockDefN - 1].strName)));
}

void Insert(TJwwData& d, const std::string& name, XY at, XY scale, double angle, py::kwargs kw) {
    if (scale.first == 0 || scale.second == 0) throw py::value_error("scale must not be 0");
    const int32_t number = d.GetBlkNumber(DefinitionIndex(d, name));
    Add(d, std::nullopt,
        BlockArgs{AttributesOf(kw).Args(), number, P(at), scale.first, scale.second, angle});
}

}  // namespace

void BindBuilding(DrawingClass& drawing) {
    using py::arg;
    const auto block = arg("block") = py::none();
    drawing.def("add_line", &AddLine, arg("start"), arg("end"), py::kw_only(), block)
        .def("add_arc", &AddArc, arg("centre"), arg("radius"), py::kw_only(),
             arg("start_angle") = 0.0, arg("swept_angle") = 360.0, arg("flattening") = 1.0,
             arg("tilt") = 0.0, block)
        .def("add_point", &AddPoint, arg("at"), py::kw_only(), arg("marker") = 0,
             arg("angle") = 0.0, arg("marker_scale") = 1.0, arg("temporary") = false, block)
        .def("add_text", &AddText, arg("text"), arg("at"), py::kw_only(), arg("base") = 1,
             arg("style") = 0, arg("width") = 3.0, arg("height") = 3.0, arg("spacing") = 0.0,
             arg("angle") = 0.0, arg("font") = "MS Gothic", block)
        .def("add_solid", &AddSolid, arg("points"), py::kw_only(), arg("color") = 0, block)
        .def("add_dimension", &AddDimension, arg("start"), arg("end"), py::kw_only(), arg("text"),
             arg("text_at"), arg("text_pen") = 1, arg("base") = 2, arg("width") = 3.0,
             arg("height") = 3.0, arg("spacing") = 0.0, arg("angle") = 0.0,
             arg("font") = "MS Gothic", block)
        .def("add_block_definition", &AddBlockDefinition, arg("name"),
             "Adds an empty definition; returns its name (made unique).")
        .def("insert", &Insert, arg("name"), arg("at"), py::kw_only(), arg("scale") = XY{1.0, 1.0},
             arg("angle") = 0.0);
}

}  // namespace tw::python
