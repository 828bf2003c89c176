// What a drawing holds beside its entities: the same description as
// `tintwright-cli dump --json` (app/cli/JsonDump), as Python objects.
#include <pybind11/stl.h>

#include <tintwright/document/Extents.h>
#include <tintwright/document/LayerUsage.h>
#include <tintwright/document/OutputRules.h>
#include <tintwright/util/Func_2.h>
#include "app/cli/DrawingFacts.h"
#include "app/cli/JsonDump.h"
#include "python/Binding.h"
#include "python/InUse.h"

namespace tw::python {

namespace {

// One key of the dump's description, made into Python objects by json.
py::object Described(TJwwData& doc, const char* key) {
    const py::object loads = py::module_::import("json").attr("loads");
    return loads(py::bytes(cli::DescriptionJson(doc)))[key];
}

py::list Layers(const TJwwData& doc) {
    py::list out;
    for (const cli::LayerFacts& layer : cli::LayersOf(doc)) {
        py::dict entry;
        entry["group"] = layer.group;
        entry["layer"] = layer.layer;
        entry["name"] = ToUtf8(layer.name);
        entry["state"] = layer.state;
        entry["scale"] = doc.EntLgrp.at(static_cast<size_t>(layer.group)).adScale;
        entry["entities"] = layer.usage.entities;
        entry["in_blocks"] = layer.usage.inBlocks;
        out.append(entry);
    }
    return out;
}

// {(group, layer): (entities, in blocks)} for the layers that hold any.
py::dict LayerUsageOf(const TJwwData& doc) {
    py::dict out;
    for (const cli::LayerFacts& layer : cli::LayersOf(doc)) {
        if (layer.usage.entities == 0 && layer.usage.inBlocks == 0) continue;
        out[py::make_tuple(layer.group, layer.layer)] =
            py::make_tuple(layer.usage.entities, layer.usage.inBlocks);
    }
    return out;
}

// (min_x, min_y, max_x, max_y) in paper millimetres, None for an empty
// drawing: of every entity, as dump reports them, or of what prints.
py::object Extents(const TJwwData& doc, bool print) {
    const auto box = print ? DrawnExtents(doc, rules::LayerStates::Of(doc), rules::Medium::Print)
                           : GetMinMaxZahyo(doc);
    if (!box) return py::none();
    return py::make_tuple(box->minX, box->minY, box->maxX, box->maxY);
}

}  // namespace

void BindFacts(DrawingClass& drawing) {
    drawing.def_property_readonly("version", [](const TJwwData& d) { return d.Enthd.jwVer; })
        .def_property_readonly(
            "text_code", [](const TJwwData& d) { return d.Source.utf16 ? "utf16" : "ansi"; },
            "The text code the drawing was read in (a new drawing: ansi), which save keeps.")
        .def_property(
            "memo", [](const TJwwData& d) { return ToUtf8(d.Enthd.strMemo); },
            [](TJwwData& d, const std::string& memo) {
                RefuseChangeWhileInUse(d);
                d.Enthd.strMemo = FromUtf8(memo);
            })
        .def_property_readonly("header", [](TJwwData& d) { return Described(d, "header"); })
        .def_property_readonly("layer_groups",
                               [](TJwwData& d) { return Described(d, "layer_groups"); })
        .def_property_readonly("layers", &Layers)
        .def_property_readonly("pens", [](TJwwData& d) { return Described(d, "pens"); })
        .def_property_readonly("colors", [](TJwwData& d) { return Described(d, "colors"); })
        .def_property_readonly("blocks", [](TJwwData& d) { return Described(d, "blocks"); })
        .def_property_readonly("counts", [](TJwwData& d) { return Described(d, "counts"); })
        .def("extents", &Extents, py::arg("print") = false,
             "The box of every entity, or with print=True of what prints (shown layers, "
             "no auxiliary lines or temporary points), in paper millimetres.")
        .def("layer_usage", &LayerUsageOf);
}

}  // namespace tw::python
