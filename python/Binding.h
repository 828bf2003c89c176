// The parts of the Python module tintwright, each binding one concern of
// the Drawing class (python/*.cpp); Module.cpp puts them together.
#pragma once

#include <pybind11/pybind11.h>

#include "document/JwwUnit.h"

namespace tw::python {

namespace py = pybind11;

using DrawingClass = py::class_<TJwwData>;

// version, memo, header, layers, pens, colors, blocks, extents, layer_usage.
void BindFacts(DrawingClass& drawing);
// entities, query, lines_array.
void BindEntities(py::module_& m, DrawingClass& drawing);
// add_line ... insert.
void BindBuilding(DrawingClass& drawing);
// read, save, export_dxf, render and chart, with the GIL released.
void BindFiles(py::module_& m, DrawingClass& drawing);

}  // namespace tw::python
