// tintwright-cli: the colour chart and the JWW reader on the command line.
#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <system_error>

#include "app/cli/ChartCommand.h"

namespace {

constexpr int kUsageError = 2;

// The running executable, beside which the program keeps its TEMP folder.
std::string ExecutablePath(const char* argv0) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) return self.string();
    return std::filesystem::absolute(argv0, error).string();
}

const std::map<std::string, int> kPalettes{
    {"dxf", static_cast<int>(tw::TPalette::Dxf)},
    {"mix", static_cast<int>(tw::TPalette::Mix)},
    {"grad", static_cast<int>(tw::TPalette::Grad)},
};

const std::map<std::string, int> kFormats{
    {"2.20", 220}, {"2.23", 223}, {"2.25", 225}, {"2.30", 230}, {"3.00", 300},
    {"3.51", 351}, {"4.20", 420}, {"6.00", 600}, {"7.00", 700},
};

const std::map<std::string, int> kTextCodes{
    {"ansi", static_cast<int>(tw::TTextCode::Ansi)},
    {"utf16", static_cast<int>(tw::TTextCode::Utf16)},
};

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Tintwright: writes a colour-chart test drawing for Jw_cad as a JWW file.",
                 "tintwright-cli"};
    app.set_version_flag("--version", std::string("tintwright-cli ") + TW_VERSION);
    app.require_subcommand(1);

    tw::cli::ChartOptions chart;
    int palette = static_cast<int>(chart.palette);
    int textCode = static_cast<int>(chart.textCode);
    CLI::App* chartCommand =
        app.add_subcommand("chart", "Write the colour chart, as the window's \"Jww保存\" does");
    chartCommand
        ->add_option("OUTPUT", chart.output, "File to write; \".jww\" is added without extension")
        ->required();
    chartCommand->add_option("--palette", palette, "Palette of the 256 extended colours")
        ->transform(CLI::CheckedTransformer(kPalettes))
        ->default_str("dxf");
    chartCommand->add_option("--format", chart.version, "JWW format version")
        ->transform(CLI::CheckedTransformer(kFormats))
        ->default_str("6.00");
    chartCommand->add_option("--text-code", textCode, "Text code of the file's texts")
        ->transform(CLI::CheckedTransformer(kTextCodes))
        ->default_str("ansi");
    chartCommand->add_flag("--force", chart.force, "Replace an existing OUTPUT");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // --help and --version end here too, with exit code 0.
        return app.exit(e) == 0 ? 0 : kUsageError;
    }

    if (chartCommand->parsed()) {
        chart.palette = static_cast<tw::TPalette>(palette);
        chart.textCode = static_cast<tw::TTextCode>(textCode);
        return tw::cli::RunChart(chart, ExecutablePath(argv[0]), std::cout, std::cerr);
    }
    return kUsageError;
}
