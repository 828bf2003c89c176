// Reading, saving, DXF export, rendering and the colour chart, each with the
// GIL released while the library works; failures raise Python exceptions.
#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include <filesystem>
#include <sstream>

#include <tintwright/dxf/DxfExport.h>
#include <tintwright/jww/Reader.h>
#include <tintwright/util/Func_2.h>
#include <tintwright/util/OutputFile.h>
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

std::unique_ptr<TJwwData> Read(const fs::path& file, const py::object& readError) {
    auto doc = std::make_unique<TJwwData>();
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
    return doc;
}

void Save(TJwwData& doc, const fs::path& file, const std::string& version,
          const std::string& textCode) {
    const int32_t ver = Choose(cli::kFormats, version, "version");
    const TTextCode code = Choose(cli::kTextCodes, textCode, "text_code");
    bool ok;
    {
        const InUse saving(doc, /*exclusive=*/true);
        py::gil_scoped_release free;
        doc.SetFileOutOption(code == TTextCode::Utf16 ? kOutUtf16 : 0);
        ok = doc.FileOut(file.u16string(), ver);
    }
    if (!ok)
        throw py::value_error("cannot write " + ToUtf8(file.u16string()) + ": " + doc.FileOutError);
}

// The DXF export's warnings (what the file leaves out), as a list.
std::vector<std::string> ExportDxf(const TJwwData& doc, const fs::path& file,
                                   const std::string& version, const std::string& units) {
    const dxf::DxfOptions options{Choose(cli::kDxfVersions, version, "version"),
                                  Choose(cli::kUnits, units, "units")};
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

void Render(const TJwwData& doc, const fs::path& file, double dpi, const std::string& fit,
            const std::string& background, bool print) {
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
    const InUse rendering(doc);
    py::gil_scoped_release free;
    try {
        render::RenderReport report;
        WriteOutputFile(file, cli::RenderedBytes(doc, format, options, report), /*replace=*/true);
    } catch (const std::exception& e) {
        py::gil_scoped_acquire held;
        throw py::value_error(e.what());
    }
}

void Chart(const fs::path& path, const std::string& palette, const std::string& version,
           const std::string& textCode) {
    cli::ChartOptions options;
    options.output = ToUtf8(path.u16string());
    options.palette = Choose(cli::kPalettes, palette, "palette");
    options.version = Choose(cli::kFormats, version, "version");
    options.textCode = Choose(cli::kTextCodes, textCode, "text_code");
    options.force = true;
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

}  // namespace

void BindFiles(py::module_& m, DrawingClass& drawing) {
    const py::object readError =
        py::exception<std::runtime_error>(m, "ReadError", PyExc_ValueError);
    m.def(
        "read", [readError](const fs::path& path) { return Read(path, readError); },
        py::arg("path"), "Reads a JWW drawing; tintwright.ReadError when it cannot.");
    m.def("chart", &Chart, py::arg("path"), py::kw_only(), py::arg("palette") = "dxf",
          py::arg("version") = "6.00", py::arg("text_code") = "ansi",
          "Writes the colour chart drawing, as `tintwright-cli chart` does.");
    drawing
        .def("save", &Save, py::arg("path"), py::kw_only(), py::arg("version") = "6.00",
             py::arg("text_code") = "ansi")
        .def("export_dxf", &ExportDxf, py::arg("path"), py::kw_only(), py::arg("version") = "2007",
             py::arg("units") = "real")
        .def("render", &Render, py::arg("path"), py::kw_only(), py::arg("dpi") = 150.0,
             py::arg("fit") = "paper", py::arg("background") = "white", py::arg("print") = false);
}

}  // namespace tw::python
