// Reading, saving, DXF export, rendering and the colour chart, each with the
// GIL released while the library works; failures raise Python exceptions.
// A drawing is read with its embedded images, which it keeps through save,
// export and render. No output replaces an existing file unless
// overwrite=True, and none replaces the file the drawing was read from but a
// save.
#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include <filesystem>
#include <optional>
#include <sstream>

#include <tintwright/document/SaveReport.h>
#include <tintwright/dxf/DxfExport.h>
#include <tintwright/jww/Reader.h>
#include <tintwright/render/ReportText.h>
#include <tintwright/util/Func_2.h>
#include <tintwright/util/OutputFile.h>
#include <tintwright/util/ReplaceableFile.h>
#include "app/cli/ChartCommand.h"
#include "app/cli/Choices.h"
#include "app/cli/RenderCommand.h"
#include "python/Binding.h"
#include "python/InUse.h"

namespace tw::python {

namespace {

namespace fs = std::filesystem;

// The value of a named choice; ValueError naming the choices otherwise.
template <class T>
T Choose(const cli::Choices<T>& choices, const std::string& name, const char* what) {
    if (const auto value = cli::FindValue(choices, name)) return *value;
    std::string names;
    for (const std::string& n : cli::NamesOf(choices))
        names += (names.empty() ? "" : ", ") + n;
    throw py::value_error(std::string(what) + " must be one of " + names + ", not " + name);
}

// How a Python caller asks to replace a file, named in the refusals.
constexpr std::string_view kOverwrite = "overwrite=True";

// FileExistsError when target exists and replacing it was not asked for.
void RefuseToReplace(const fs::path& target, bool overwrite) {
    const std::string refusal = RefusalToReplace(target, overwrite, kOverwrite);
    if (refusal.empty()) return;
    PyErr_SetString(PyExc_FileExistsError, refusal.c_str());
    throw py::error_already_set();
}

// ValueError for an output that is the file the drawing was read from.
void RefuseOwnFile(const TJwwData& doc, const fs::path& output) {
    if (!doc.Ref || doc.Ref->DrawingPath.empty()) return;
    const std::string refusal = RefusalToOverwriteInput(fs::path(doc.Ref->DrawingPath), output);
    if (!refusal.empty()) throw py::value_error(refusal);
}

std::unique_ptr<TJwwData> Read(const fs::path& file, const py::object& readError) {
    auto doc = std::make_unique<TJwwData>();
    doc->BindImageExr = true;  // the images kept in memory, as the file holds them
    jwwin::ReadReport report;
    {
        py::gil_scoped_release free;
        report = jwwin::ReadDrawingFile(*doc, file, {});
    }
    if (!report.ok) {
        py::object error = readError(ToUtf8(file.u16string()) + ": " + report.reason +
                                     " (at offset " + std::to_string(report.stoppedAt) + ")");
        error.attr("reason") = report.reason;
        error.attr("offset") = report.stoppedAt;
        PyErr_SetObject(readError.ptr(), error.ptr());
        throw py::error_already_set();
    }
    doc->Ref->DrawingPath = file.u16string();
    return doc;
}

// The version a save writes when none is named: the drawing's own when it
// was read, else the chart's default.
int32_t OwnVersion(const TJwwData& doc) {
    return doc.Source.read ? doc.Source.version : 600;
}

// A save keeps what it can of the drawing: with no version or text code
// named, the ones it was read in, so that an unchanged drawing is saved as
// it was; a save that drops or replaces anything says what in a warning.
void Save(TJwwData& doc, const fs::path& file, const std::optional<std::string>& version,
          const std::optional<std::string>& textCode, bool overwrite) {
    const int32_t ver = version ? Choose(cli::kFormats, *version, "version") : OwnVersion(doc);
    const bool utf16 = textCode
                           ? Choose(cli::kTextCodes, *textCode, "text_code") == TTextCode::Utf16
                           : doc.Source.utf16;
    RefuseToReplace(file, overwrite);
    bool ok;
    SaveReport report;
    {
        const InUse saving(doc, /*exclusive=*/true);
        py::gil_scoped_release free;
        doc.SetFileOutOption(utf16 ? kOutUtf16 : 0);
        ok = doc.FileOut(file.u16string(), ver, report);
    }
    if (!ok)
        throw py::value_error("cannot write " + ToUtf8(file.u16string()) + ": " + doc.FileOutError);
    if (!report.Lossless()) {
        const std::string said = ToUtf8(file.u16string()) + " lost " + DescribeLosses(report);
        if (PyErr_WarnEx(PyExc_UserWarning, said.c_str(), 1) != 0) throw py::error_already_set();
    }
}

// The DXF export's warnings (what the file leaves out), as a list.
std::vector<std::string> ExportDxf(const TJwwData& doc, const fs::path& file,
                                   const std::string& version, const std::string& units,
                                   bool overwrite) {
    const dxf::DxfOptions options{Choose(cli::kDxfVersions, version, "version"),
                                  Choose(cli::kUnits, units, "units"), overwrite,
                                  std::string(kOverwrite)};
    RefuseOwnFile(doc, file);
    RefuseToReplace(file, overwrite);
    dxf::ExportReport report;
    {
        const InUse exporting(doc);
        py::gil_scoped_release free;
        report = dxf::ExportDxf(doc, file, options);
    }
    if (!report.ok)
        throw py::value_error("cannot write " + ToUtf8(file.u16string()) + ": " + report.reason);
    return report.warnings;
}

render::RenderReport Render(const TJwwData& doc, const fs::path& file, double dpi,
                            const std::string& fit, const std::string& background, bool print,
                            bool overwrite) {
    RefuseOwnFile(doc, file);
    std::string format;
    try {
        format = cli::RenderFormatOf(file);
    } catch (const cli::RenderFailure& e) {
        throw py::value_error(e.what());
    }
    if (!(dpi > 0 && dpi <= 4800)) throw py::value_error("dpi must be above 0 and at most 4800");
    if (fit != "paper" && fit != "extents") throw py::value_error("fit must be paper or extents");
    if (background != "white" && background != "black")
        throw py::value_error("background must be white or black");
    cli::RenderCommandOptions options;
    options.dpi = dpi;
    options.fit = fit == "extents" ? render::Fit::Extents : render::Fit::Paper;
    options.print = print;
    options.blackBackground = background == "black";
    RefuseToReplace(file, overwrite);
    const InUse rendering(doc);
    py::gil_scoped_release free;
    render::RenderReport report;
    try {
        WriteOutputFile(file, cli::RenderedBytes(doc, format, options, report), overwrite);
    } catch (const OutputRefused& e) {
        py::gil_scoped_acquire held;
        PyErr_SetString(PyExc_OSError, e.what());
        throw py::error_already_set();
    } catch (const std::exception& e) {
        py::gil_scoped_acquire held;
        throw py::value_error(e.what());
    }
    return report;
}

void Chart(const fs::path& path, const std::string& palette, const std::string& version,
           const std::string& textCode, bool overwrite) {
    cli::ChartOptions options;
    options.output = ToUtf8(path.u16string());
    options.palette = Choose(cli::kPalettes, palette, "palette");
    options.version = Choose(cli::kFormats, version, "version");
    options.textCode = Choose(cli::kTextCodes, textCode, "text_code");
    RefuseToReplace(path, overwrite);
    options.force = overwrite;
    // The chart keeps its TEMP folder beside the program: a fresh folder of
    // its own here, removed afterwards.
    const py::object folder = py::module_::import("tempfile").attr("mkdtemp")();
    const std::string exe = folder.cast<std::string>() + "/tintwright";
    std::ostringstream out, err;
    int code;
    {
        py::gil_scoped_release free;
        code = cli::RunChart(options, exe, out, err);
    }
    py::module_::import("shutil").attr("rmtree")(folder, py::arg("ignore_errors") = true);
    if (code != 0) {
        std::string reason = err.str();
        if (!reason.empty() && reason.back() == '\n') reason.pop_back();
        throw py::value_error(reason);
    }
}

void BindRenderReport(py::module_& m) {
    py::class_<render::RenderReport>(m, "RenderReport",
                                     "What a render drew, and what it left out and why.")
        .def_readonly("visited", &render::RenderReport::visited, "entities looked at")
        .def_readonly("drawn", &render::RenderReport::drawn)
        .def_readonly("hidden", &render::RenderReport::hidden, "on hidden layers or groups")
        .def_readonly("left_out", &render::RenderReport::leftOut,
                      "what the medium does not show (print: auxiliary lines, ...)")
        .def_readonly("outside", &render::RenderReport::culled, "outside the view")
        .def_readonly("undrawable", &render::RenderReport::undrawable)
        .def_readonly("reasons", &render::RenderReport::reasons,
                      "why the undrawable ones were not drawn, with their numbers")
        .def("__str__", &render::ReportText);
}

}  // namespace

void BindFiles(py::module_& m, DrawingClass& drawing) {
    BindRenderReport(m);
    const py::object readError =
        py::exception<std::runtime_error>(m, "ReadError", PyExc_ValueError);
    m.def(
        "read", [readError](const fs::path& path) { return Read(path, readError); },
        py::arg("path"), "Reads a JWW drawing; tintwright.ReadError when it cannot.");
    m.def("chart", &Chart, py::arg("path"), py::kw_only(), py::arg("palette") = "dxf",
          py::arg("version") = "6.00", py::arg("text_code") = "ansi", py::arg("overwrite") = false,
          "Writes the colour chart drawing, as `tintwright-cli chart` does; FileExistsError for "
          "an existing file unless overwrite=True.");
    drawing
        .def("save", &Save, py::arg("path"), py::kw_only(), py::arg("version") = py::none(),
             py::arg("text_code") = py::none(), py::arg("overwrite") = false,
             "Saves the drawing as a JWW file, with its embedded images, in the version and text "
             "code it was read in unless others are named (a new drawing: 6.00, ansi); a "
             "UserWarning "
             "says what the chosen version or text code could not hold. FileExistsError for an "
             "existing file unless overwrite=True.")
        .def("export_dxf", &ExportDxf, py::arg("path"), py::kw_only(), py::arg("version") = "2007",
             py::arg("units") = "real", py::arg("overwrite") = false,
             "Exports the drawing to DXF, its placed images into <stem>_images beside it; returns "
             "the warnings (what the file leaves out). FileExistsError for an existing file or "
             "image unless overwrite=True.")
        .def("render", &Render, py::arg("path"), py::kw_only(), py::arg("dpi") = 150.0,
             py::arg("fit") = "paper", py::arg("background") = "white", py::arg("print") = false,
             py::arg("overwrite") = false,
             "Draws the drawing as SVG, PNG or PDF (by the extension) and returns the "
             "RenderReport; FileExistsError for an existing file unless overwrite=True.");
}

}  // namespace tw::python
