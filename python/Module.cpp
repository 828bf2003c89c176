// The Python module tintwright: a drawing read, built, saved, exported and
// rendered through the library.
#include "python/Binding.h"

PYBIND11_MODULE(tintwright, m) {
    using namespace tw::python;
    m.doc() = "Jw_cad drawings (JWW): read, build, save, export to DXF, render";
    DrawingClass drawing(m, "Drawing", "A JWW drawing: Drawing() is a new, empty one.");
    drawing.def(py::init([] {
        auto doc = std::make_unique<tw::TJwwData>();
        doc->DataDefaultSet();
        return doc;
    }));
    BindFacts(drawing);
    BindEntities(m, drawing);
    BindBuilding(drawing);
    BindFiles(m, drawing);
}
