// The drawing's entities as typed Python objects, walked through the one
// visitor (document/EntityView.h), and its lines as one NumPy array.
#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <optional>
#include <string>

#include "document/EntityView.h"
#include "python/Binding.h"
#include "util/Func_2.h"

namespace tw::python {

namespace {

// What every entity has; each kind's geometry is set on it by name.
struct Entity {
    std::string kind;
    int group, layer, pen, line_type, width;
};

py::tuple Xy(double x, double y) {
    return py::make_tuple(x, y);
}

void SetGeometry(py::object& e, const TEntJwwLine& r) {
    e.attr("start") = Xy(r.start_x, r.start_y);
    e.attr("end") = Xy(r.end_x, r.end_y);
}

void SetGeometry(py::object& e, const TEntJwwEnko& r) {
    e.attr("centre") = Xy(r.start_x, r.start_y);
    e.attr("radius") = r.dHankei;
    e.attr("flattening") = r.dHenpeiRitsu;
    e.attr("start_angle") = r.radKaishiKaku;  // radians, as stored
    e.attr("swept_angle") = r.radEnkoKaku;
    e.attr("tilt") = r.radKatamukiKaku;
    e.attr("full") = r.bZenEnFlg != 0;
}

void SetGeometry(py::object& e, const TEntJwwTen& r) {
    e.attr("at") = Xy(r.start_x, r.start_y);
    e.attr("temporary") = r.bKariten != 0;
    e.attr("marker") = r.nCode;
    e.attr("angle") = r.radKaitenKaku;
    e.attr("marker_scale") = r.dBairitsu;
}

void SetGeometry(py::object& e, const TEntJwwMoji& r) {
    e.attr("start") = Xy(r.start_x, r.start_y);
    e.attr("end") = Xy(r.end_x, r.end_y);
    e.attr("style") = r.nMojiShu;
    e.attr("width") = r.dSizeX;
    e.attr("height") = r.dSizeY;
    e.attr("spacing") = r.dKankaku;
    e.attr("angle") = r.degKakudo;
    e.attr("font") = ToUtf8(r.strFontName);
    e.attr("text") = ToUtf8(r.str);
}

void SetGeometry(py::object& e, const TEntJwwSunpo& r) {
    e.attr("start") = Xy(r.Sen.start_x, r.Sen.start_y);
    e.attr("end") = Xy(r.Sen.end_x, r.Sen.end_y);
    e.attr("text") = ToUtf8(r.Moji.str);
    e.attr("text_start") = Xy(r.Moji.start_x, r.Moji.start_y);
    e.attr("text_end") = Xy(r.Moji.end_x, r.Moji.end_y);
    e.attr("sxf") = r.bSxfMode != 0;
}

void SetGeometry(py::object& e, const TEntJwwSolid& r) {
    e.attr("points") = py::make_tuple(Xy(r.start_x, r.start_y), Xy(r.end_x, r.end_y),
                                      Xy(r.DPoint2_x, r.DPoint2_y), Xy(r.DPoint3_x, r.DPoint3_y));
    e.attr("color") = r.Color;
}

void SetGeometry(py::object& e, const TEntJwwBlock& r) {
    e.attr("at") = Xy(r.DPKijunTen_x, r.DPKijunTen_y);
    e.attr("scale") = Xy(r.dBairitsuX, r.dBairitsuY);
    e.attr("angle") = r.radKaitenKaku;
    e.attr("number") = r.nNumber;
}

struct Filter {
    std::optional<std::string> kind;
    std::optional<int> layer, group;

    bool Passes(const char* k, const TEntJwwAttr& a) const {
        return (!kind || *kind == k) && (!layer || *layer == a.nLayer) &&
               (!group || *group == a.nGLayer);
    }
};

py::list Entities(const TJwwData& doc, const Filter& filter) {
    py::list out;
    ForEachEntity(EntityView::Of(doc), [&]<class R>(const R& record) {
        const TEntJwwAttr& a = record.att;
        if (!filter.Passes(EntityKind<R>::name, a)) return;
        py::object e = py::cast(Entity{EntityKind<R>::name, a.nGLayer, a.nLayer, a.nPenColor,
                                       a.nPenStyle, a.nPenWidth});
        SetGeometry(e, record);
        out.append(e);
    });
    return out;
}

// The lines' end points, one row (x1, y1, x2, y2) each, written straight
// into the array.
py::array_t<double> LinesArray(const TJwwData& doc) {
    const EntityView view = EntityView::Of(doc);
    py::ssize_t n = 0;
    ForEachEntityOf<TEntJwwLine>(view, [&](const TEntJwwLine&) { ++n; });
    py::array_t<double> out({n, py::ssize_t{4}});
    auto rows = out.mutable_unchecked<2>();
    py::ssize_t i = 0;
    ForEachEntityOf<TEntJwwLine>(view, [&](const TEntJwwLine& l) {
        rows(i, 0) = l.start_x;
        rows(i, 1) = l.start_y;
        rows(i, 2) = l.end_x;
        rows(i, 3) = l.end_y;
        ++i;
    });
    return out;
}

}  // namespace

void BindEntities(py::module_& m, DrawingClass& drawing) {
    py::class_<Entity>(m, "Entity", py::dynamic_attr())
        .def_readonly("kind", &Entity::kind)
        .def_readonly("group", &Entity::group)
        .def_readonly("layer", &Entity::layer)
        .def_readonly("pen", &Entity::pen)
        .def_readonly("line_type", &Entity::line_type)
        .def_readonly("pen_width", &Entity::width)
        .def("__repr__", [](const Entity& e) {
            return "<tintwright.Entity " + e.kind + " group " + std::to_string(e.group) +
                   " layer " + std::to_string(e.layer) + ">";
        });
    drawing
        .def_property_readonly("entities", [](const TJwwData& d) { return Entities(d, Filter{}); })
        .def(
            "query",
            [](const TJwwData& d, std::optional<std::string> kind, std::optional<int> layer,
               std::optional<int> group) {
                return Entities(d, Filter{kind, layer, group});
            },
            py::kw_only(), py::arg("kind") = py::none(), py::arg("layer") = py::none(),
            py::arg("group") = py::none())
        .def("lines_array", &LinesArray, "The lines as a float64 array of rows (x1, y1, x2, y2).");
}

}  // namespace tw::python
