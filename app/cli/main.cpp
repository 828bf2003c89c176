// tintwright-cli: the colour chart, the JWW reader and the DXF export on the
// command line.
#include <unistd.h>
#include <CLI/CLI.hpp>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include <tintwright/util/CommandLine.h>
#include <tintwright/util/Func_2.h>
#include "TwVersion.h"
#include "app/cli/ChartCommand.h"
#include "app/cli/Choices.h"
#include "app/cli/ConvertCommand.h"
#include "app/cli/DumpCommand.h"
#include "app/cli/ExportCommand.h"
#include "app/cli/InterruptHandlers.h"
#include "app/cli/RenderCommand.h"
#include "app/cli/RenderFormats.h"

using tw::cli::kDxfVersions;
using tw::cli::kFormats;
using tw::cli::kPalettes;
using tw::cli::kTextCodes;
using tw::cli::kUnits;
using tw::cli::NamesOf;
using tw::cli::ValueOf;

namespace {

constexpr int kUsageError = 2;

// The running executable, beside which the program keeps its TEMP folder.
std::string ExecutablePath(const char* argv0) {
    return tw::ToUtf8(tw::ExecutableFile(argv0).u16string());
}

// CLI::Range lets NaN through: every comparison with it is false.
const CLI::Validator kFiniteNumber(
    [](const std::string& text) {
        return std::isfinite(std::strtod(text.c_str(), nullptr)) ? std::string()
                                                                 : "not a finite number: " + text;
    },
    "FINITE");

// The first word the parser did not take, named as what it looks like; a
// missing subcommand too. Empty when there is none.
std::string UnknownWord(const CLI::App& app) {
    const std::vector<std::string> extras = app.remaining(/*recurse=*/true);
    const bool inCommand = !app.get_subcommands().empty();
    if (extras.empty())
        return inCommand
                   ? ""
                   : "a subcommand is required: chart, check, dump, render, export or convert";
    const std::string& word = extras.front();
    if (word.rfind('-', 0) == 0) return "unknown option " + word;
    return (inCommand ? "unexpected argument " : "unknown subcommand ") + word;
}

}  // namespace

int main(int argc, char** argv) {
    tw::cli::InstallInterruptHandlers();
    tw::UseUtf8BinaryOutput();
    const std::vector<std::string> arguments = tw::Utf8Arguments(argc, argv);
    CLI::App app{"Tintwright: writes a colour-chart test drawing for Jw_cad as a JWW file.",
                 "tintwright-cli"};
    app.set_version_flag("--version", std::string("tintwright-cli ") + TW_VERSION_TEXT);
    // Unknown words are collected and named below, instead of the parser's
    // "A subcommand is required".
    app.require_subcommand(0, 1);
    app.allow_extras();
    // A file name such as "/drawings/x.jww" is no option, on Windows too.
    app.allow_windows_style_options(false);

    tw::cli::ChartOptions chart;
    std::string palette = "dxf";
    std::string format = "6.00";
    std::string textCode = "ansi";
    CLI::App* chartCommand =
        app.add_subcommand("chart", "Write the colour chart, as the window's \"Jww保存\" does");
    chartCommand
        ->add_option("OUTPUT", chart.output, "File to write; \".jww\" is added without extension")
        ->required();
    chartCommand->add_option("--palette", palette, "Palette of the 256 extended colours")
        ->capture_default_str()
        ->check(CLI::IsMember(NamesOf(kPalettes)));
    chartCommand->add_option("--format", format, "JWW format version")
        ->capture_default_str()
        ->check(CLI::IsMember(NamesOf(kFormats)));
    chartCommand->add_option("--text-code", textCode, "Text code of the file's texts")
        ->capture_default_str()
        ->check(CLI::IsMember(NamesOf(kTextCodes)));
    chartCommand->add_flag("--force", chart.force, "Replace an existing OUTPUT");

    std::string checkFile;
    CLI::App* checkCommand = app.add_subcommand(
        "check", "Exit 0 when FILE is a JWW drawing of version 2.20 to 7.00, 1 otherwise");
    checkCommand->add_option("FILE", checkFile, "File to check")->required();

    std::string dumpFile;
    tw::cli::DumpOptions dump;
    CLI::App* dumpCommand = app.add_subcommand(
        "dump", "Print a drawing's version, memo, entity counts, block definitions and images");
    dumpCommand->add_option("FILE", dumpFile, "JWW file to read")->required();
    dumpCommand->add_flag("--json", dump.json, "Print one JSON object with every entity");
    dumpCommand
        ->add_option("--images-to", dump.imagesTo, "Also extract the embedded images into DIR")
        ->type_name("DIR");
    dumpCommand->add_flag("--force", dump.force, "Replace existing files in DIR");

    std::vector<std::string> renderArgs;
    tw::cli::RenderCommandOptions render;
    std::string renderTo;
    std::string renderFormat;
    std::string fit = "paper";
    std::string background = "white";
    std::string colour = "auto";
    CLI::App* renderCommand = app.add_subcommand(
        "render", "Draw a drawing as " + tw::cli::RenderFormatsText("", ", ", " or ") +
                      ": render IN OUT, or render --to DIR FILE...");
    renderCommand
        ->add_option(
            "FILES", renderArgs,
            "IN.jww " + tw::cli::RenderFormatsText("OUT.", "|") + ", or with --to the drawings")
        ->required();
    renderCommand->add_option("--to", renderTo, "Write each FILE into DIR")->type_name("DIR");
    renderCommand->add_option("--format", renderFormat, "Format of the files written with --to")
        ->check(CLI::IsMember(tw::cli::RenderFormatNames()));
    renderCommand->add_option("--dpi", render.dpi, "Pixels per inch of a PNG")
        ->capture_default_str()
        ->check(CLI::Range(1.0, 2400.0))
        ->check(kFiniteNumber);
    renderCommand->add_option("--fit", fit, "Show the paper sheet or the drawing's extents")
        ->capture_default_str()
        ->check(CLI::IsMember({"paper", "extents"}));
    renderCommand->add_option("--background", background, "Background colour")
        ->capture_default_str()
        ->check(CLI::IsMember({"white", "black"}));
    renderCommand->add_flag("--print", render.print,
                            "Draw what prints, in print colours and widths");
    renderCommand
        ->add_option("--colour", colour,
                     "Print in colour: as the drawing says (auto), always or never")
        ->capture_default_str()
        ->check(CLI::IsMember({"auto", "always", "never"}));
    renderCommand->add_flag("--force", render.force, "Replace existing outputs");
    for (CLI::App* command : {chartCommand, checkCommand, dumpCommand, renderCommand})
        command->allow_extras();

    std::vector<std::string> exportFiles;
    std::string exportTo;
    std::string dxfVersion = "2007";
    std::string units = "real";
    tw::cli::ExportOptions exportOptions;
    CLI::App* exportCommand = app.add_subcommand(
        "export", "Write a drawing as a DXF file: IN OUT, or --to DIR FILE... on all cores");
    exportCommand->add_option("FILES", exportFiles, "IN OUT, or with --to the files to convert")
        ->required();
    exportCommand->add_option("--to", exportTo, "Convert every FILE to DIR/<name>.dxf")
        ->type_name("DIR");
    exportCommand->add_option("--dxf", dxfVersion, "DXF version")
        ->capture_default_str()
        ->check(CLI::IsMember(NamesOf(kDxfVersions)));
    exportCommand
        ->add_option("--units", units,
                     "real: each layer group at its scale, in millimetres; paper: as stored")
        ->capture_default_str()
        ->check(CLI::IsMember(NamesOf(kUnits)));
    exportCommand->add_flag("--force", exportOptions.force, "Replace existing output files");
    exportCommand->allow_extras();

    std::vector<std::string> convertFiles;
    std::string convertTo;
    std::string convertFormat;
    std::string convertTextCode;
    tw::cli::ConvertOptions convertOptions;
    CLI::App* convertCommand = app.add_subcommand(
        "convert",
        "Write a drawing again as a JWW file, in its own format version and text code or in "
        "others: IN OUT, or --to DIR FILE...");
    convertCommand->add_option("FILES", convertFiles, "IN OUT, or with --to the files to convert")
        ->required();
    convertCommand->add_option("--to", convertTo, "Convert every FILE to DIR/<name>.jww")
        ->type_name("DIR");
    convertCommand
        ->add_option("--format", convertFormat, "JWW format version (default: the file's)")
        ->check(CLI::IsMember(NamesOf(kFormats)));
    convertCommand
        ->add_option("--text-code", convertTextCode, "Text code of the texts (default: the file's)")
        ->check(CLI::IsMember(NamesOf(kTextCodes)));
    convertCommand->add_flag("--strict", convertOptions.strict,
                             "Fail and write nothing when the output would lose anything");
    convertCommand->add_flag("--force", convertOptions.force, "Replace existing output files");
    convertCommand->allow_extras();

    try {
        // CLI11 takes the arguments after the program's name, last first.
        std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
        if (!reversed.empty()) reversed.pop_back();
        app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        // --help and --version end here too, with exit code 0.
        return app.exit(e) == 0 ? 0 : kUsageError;
    }
    if (const std::string unknown = UnknownWord(app); !unknown.empty()) {
        std::cerr << unknown << "\nRun with --help for more information.\n";
        return kUsageError;
    }

    if (chartCommand->parsed()) {
        chart.palette = ValueOf(kPalettes, palette);
        chart.version = ValueOf(kFormats, format);
        chart.textCode = ValueOf(kTextCodes, textCode);
        return tw::cli::RunChart(chart, ExecutablePath(argv[0]), std::cout, std::cerr);
    }
    if (checkCommand->parsed()) return tw::cli::RunCheck(checkFile);
    if (exportCommand->parsed()) {
        exportOptions.dxf = {ValueOf(kDxfVersions, dxfVersion), ValueOf(kUnits, units)};
        if (!exportTo.empty())
            return tw::cli::RunExportBatch(exportFiles, exportTo, exportOptions, std::cerr,
                                           isatty(STDERR_FILENO) != 0);
        if (exportFiles.size() != 2) {
            std::cerr << "export: give IN and OUT, or --to DIR and the files\n";
            return kUsageError;
        }
        return tw::cli::RunExport(exportFiles[0], exportFiles[1], exportOptions, std::cerr);
    }
    if (convertCommand->parsed()) {
        if (!convertFormat.empty()) convertOptions.version = ValueOf(kFormats, convertFormat);
        if (!convertTextCode.empty())
            convertOptions.utf16 = ValueOf(kTextCodes, convertTextCode) == tw::TTextCode::Utf16;
        if (!convertTo.empty())
            return tw::cli::RunConvertBatch(convertFiles, convertTo, convertOptions, std::cerr,
                                            isatty(STDERR_FILENO) != 0);
        if (convertFiles.size() != 2) {
            std::cerr << "convert: give IN and OUT, or --to DIR and the files\n";
            return kUsageError;
        }
        return tw::cli::RunConvert(convertFiles[0], convertFiles[1], convertOptions, std::cerr);
    }
    if (dumpCommand->parsed()) return tw::cli::RunDump(dumpFile, dump);
    if (renderCommand->parsed()) {
        render.fit = fit == "extents" ? tw::render::Fit::Extents : tw::render::Fit::Paper;
        render.blackBackground = background == "black";
        if (colour != "auto") render.colour = colour == "always";
        if (!renderTo.empty()) {
            if (renderFormat.empty()) {
                std::cerr << "render --to needs --format " << tw::cli::RenderFormatsText("", "|")
                          << "\n";
                return kUsageError;
            }
            return tw::cli::RunRenderBatch(renderArgs, renderTo, renderFormat, render, std::cout,
                                           std::cerr);
        }
        if (renderArgs.size() != 2) {
            std::cerr << "render needs IN and OUT (or --to DIR --format F FILE...)\n";
            return kUsageError;
        }
        return tw::cli::RunRender(renderArgs[0], renderArgs[1], render, std::cout, std::cerr);
    }
    return kUsageError;
}
