// The page's window onto the library (embind): bytes in and out as
// Uint8Array, failures as a JavaScript Error carrying the reason.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <exception>
#include <string>

#include "web/Session.h"

namespace tw::web {

namespace {

using emscripten::val;

Session& TheSession() {
    static Session session;
    return session;
}

val Bytes(const std::string& bytes) {
    const auto view =
        emscripten::typed_memory_view(bytes.size(), reinterpret_cast<const uint8_t*>(bytes.data()));
    return val::global("Uint8Array").new_(view);
}

[[noreturn]] void Fail(const std::exception& e) {
    val::global("Error").new_(std::string(e.what())).throw_();
}

// Runs f, turning a C++ failure into a JavaScript exception.
template <class F>
val Guarded(F f) {
    try {
        return f();
    } catch (const std::exception& e) {
        Fail(e);
    }
}

val Open(const std::string& bytes) {
    return Guarded([&] {
        TheSession().Open(bytes);
        return val::undefined();
    });
}

void Close() {
    TheSession().Close();
}

val NeedDrawing() {
    return val::global("Error").new_(std::string("no drawing is open"));
}

val Draw(bool print) {
    if (!TheSession().HasDrawing()) NeedDrawing().throw_();
    return Guarded([&] {
        render::CanvasBackend canvas;
        const std::string status = TheSession().Draw(print, canvas);
        val result = val::object();
        result.set("status", status);
        const auto& commands = canvas.Commands();
        result.set("commands",
                   val::global("Float64Array")
                       .new_(emscripten::typed_memory_view(commands.size(), commands.data())));
        val texts = val::array();
        for (const std::string& text : canvas.Texts())
            texts.call<void>("push", text);
        result.set("texts", texts);
        return result;
    });
}

val Svg(bool print) {
    if (!TheSession().HasDrawing()) NeedDrawing().throw_();
    return Guarded([&] { return Bytes(TheSession().Svg(print)); });
}

val ExportDxf(const std::string& version) {
    if (!TheSession().HasDrawing()) NeedDrawing().throw_();
    return Guarded([&] { return Bytes(TheSession().Dxf(version)); });
}

val SaveJww(const std::string& version, const std::string& textCode) {
    if (!TheSession().HasDrawing()) NeedDrawing().throw_();
    return Guarded([&] { return Bytes(TheSession().Jww(version, textCode)); });
}

val Layers() {
    if (!TheSession().HasDrawing()) NeedDrawing().throw_();
    return Guarded([&] {
        val rows = val::array();
        for (const LayerRow& row : TheSession().Layers()) {
            val item = val::object();
            item.set("group", row.group);
            item.set("layer", row.layer);
            item.set("groupName", row.groupName);
            item.set("name", row.name);
            item.set("entities", static_cast<double>(row.entities));
            rows.call<void>("push", item);
        }
        return rows;
    });
}

val ChartBytes(const std::string& palette, const std::string& version,
               const std::string& textCode) {
    return Guarded([&] { return Bytes(Chart(palette, version, textCode)); });
}

}  // namespace

EMSCRIPTEN_BINDINGS(tintwright) {
    emscripten::function("open", &Open);
    emscripten::function("close", &Close);
    emscripten::function("draw", &Draw);
    emscripten::function("svg", &Svg);
    emscripten::function("exportDxf", &ExportDxf);
    emscripten::function("saveJww", &SaveJww);
    emscripten::function("layers", &Layers);
    emscripten::function("chart", &ChartBytes);
}

}  // namespace tw::web
