// The Python module tintwright: a drawing read, built, saved, exported and
// rendered through the library.
#include "python/Binding.h"

namespace {

std::unique_ptr<tw::TJwwData> NewDrawing() {
    auto doc = std::make_unique<tw::TJwwData>();
    doc->DataDefaultSet();
    return doc;
}

// Drawing.__new__ on its own (as copy, pickle or a subclass may call it) left
// an object whose methods reached a drawing never made. The object is made
// with its new, empty drawing at once; __init__ then finds it made.
PyObject* NewDrawingObject(PyTypeObject* type, PyObject* args, PyObject* kwargs) {
    namespace detail = pybind11::detail;
    PyObject* self = detail::pybind11_object_new(type, args, kwargs);
    if (self == nullptr) return nullptr;
    auto* instance = reinterpret_cast<detail::instance*>(self);
    detail::type_info* drawing = detail::get_type_info(typeid(tw::TJwwData));
    instance->get_value_and_holder(drawing).value_ptr() = NewDrawing().release();
    drawing->init_instance(instance, nullptr);
    return self;
}

}  // namespace

PYBIND11_MODULE(tintwright, m) {
    using namespace tw::python;
    m.doc() = "Jw_cad drawings (JWW): read, build, save, export to DXF, render";
    DrawingClass drawing(m, "Drawing", "A JWW drawing: Drawing() is a new, empty one.",
                         py::custom_type_setup([](PyHeapTypeObject* type) {
                             type->ht_type.tp_new = NewDrawingObject;
                         }));
    drawing.def(py::init(&NewDrawing));
    BindFacts(drawing);
    BindEntities(m, drawing);
    BindBuilding(drawing);
    BindFiles(m, drawing);
}
