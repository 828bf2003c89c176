// tintwright-cli export, run as a program: the colour chart in its three
// palettes in every DXF version checked by ezdxf, replacing only with
// --force, and failures that write nothing and say why.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <tintwright/document/DrawingRules.h>
#include <tintwright/document/OutputRules.h>
#include <tintwright/dxf/AciColors.h>
#include <tintwright/dxf/DxfExport.h>
#include <tintwright/jww/Reader.h>
#include "support/BlockCycle.h"
#include "support/DxfCheck.h"
#include "tests/app/FormFixture.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

class ExportCli : public FormTest {
  protected:
    // Runs the command line in the test folder; the exit code and stderr.
    std::pair<int, std::string> Export(const std::string& args) {
        const fs::path cli = fs::read_symlink("/proc/self/exe").parent_path() / "tintwright-cli";
        const fs::path err = dir.path() / "stderr.txt";
        const std::string command = "cd '" + dir.path().string() + "' && '" + cli.string() +
                                    "' export " + args + " >/dev/null 2>'" + err.string() + "'";
        const int status = std::system(command.c_str());
        std::ifstream in(err);
        std::stringstream text;
        text << in.rdbuf();
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text.str()};
    }

    fs::path Chart(TPalette palette, const std::string& name) {
        form.Palette = palette;
        const fs::path file = dir.path() / (name + ".jww");
        EXPECT_EQ(SaveTo(file), kSaveDoneMessage);
        return file;
    }

    fs::path Damaged() {
        const fs::path file = dir.path() / "damaged.jww";
        std::ofstream(file, std::ios::binary) << "JwwData." << std::string(40, '\xFF');
        return file;
    }
};

// The chart's lines and their colours, as its tables give them.
struct ChartLines {
    size_t count = 0;
    std::set<int64_t> colors;
};
ChartLines LinesOf(const fs::path& chart) {
    TJwwData doc;
    EXPECT_TRUE(jwwin::ReadDrawingFile(doc, chart.u16string(), {}).ok);
    ChartLines lines;
    ForEachEntityOf<TEntJwwLine>(EntityView::Of(doc), [&](const TEntJwwLine& line) {
        ++lines.count;
        if (const auto c = rules::PenColor(doc, line.att.nPenColor, false))
            lines.colors.insert(rules::RgbOf(*c));
    });
    return lines;
}

TEST_F(ExportCli, TheChartInEveryPaletteAndVersionPassesEzdxfInItsOwnColours) {
    const std::vector<std::pair<TPalette, std::string>> palettes = {
        {TPalette::Dxf, "dxf"}, {TPalette::Mix, "mix"}, {TPalette::Grad, "grad"}};
    std::string charts;
    for (const auto& [palette, name] : palettes)
        charts += " '" + Chart(palette, "chart-" + name).string() + "'";
    std::vector<fs::path> files;
    for (const std::string version : {"R12", "2000", "2007"}) {
        const fs::path folder = dir.path() / version;
        fs::create_directory(folder);
        const auto [code, err] =
            Export("--dxf " + version + " --to '" + folder.string() + "'" + charts);
        EXPECT_EQ(code, 0) << err;
        EXPECT_NE(err.find("3 done, 0 failed"), std::string::npos) << err;
        for (const auto& [palette, name] : palettes)
            files.push_back(folder / ("chart-" + name + ".dxf"));
    }
    const nlohmann::json report = CheckDxfFiles(files);
    ASSERT_TRUE(report.is_object());
    for (const fs::path& file : files) {
        const nlohmann::json& r = report[file.string()];
        EXPECT_TRUE(r["errors"].empty()) << file << r.dump();
        const fs::path chart = dir.path() / file.filename().replace_extension(".jww");
        const ChartLines lines = LinesOf(chart);
        EXPECT_EQ(r["entities"].value("LINE", 0U), lines.count) << file;
        // Black and white are index 7 alone, drawn in the reader's foreground.
        std::set<int64_t> trueColors = lines.colors;
        std::erase_if(trueColors, [](int64_t rgb) {
            return dxf::IsForegroundColor(static_cast<uint32_t>(rgb));
        });
        if (file.parent_path().filename() == "2007")
            EXPECT_EQ(r["true_colors"].get<std::set<int64_t>>(), trueColors) << file;
    }
}

TEST_F(ExportCli, AnExistingFileIsReplacedOnlyWithForce) {
    const fs::path chart = Chart(TPalette::Dxf, "chart");
    std::ofstream(dir.path() / "out.dxf") << "keep";
    const auto [refused, reason] = Export("chart.jww out.dxf");
    EXPECT_EQ(refused, 1);
    EXPECT_NE(reason.find("--force"), std::string::npos) << reason;
    EXPECT_EQ(ReadBytes(dir.path() / "out.dxf"), (std::vector<uint8_t>{'k', 'e', 'e', 'p'}));
    EXPECT_EQ(Export("chart.jww out.dxf --force").first, 0);
    EXPECT_GT(fs::file_size(dir.path() / "out.dxf"), 1000U);
}

// A written file whose export left something out says what on stderr: each
// warning the library gives for the drawing as saved.
TEST_F(ExportCli, WhatTheExportLeavesOutIsNamedOnStderr) {
    TJwwData built;
    BuildBlockCycle(built);
    const fs::path file = dir.path() / "cycle.jww";
    ASSERT_TRUE(built.FileOut(file.u16string(), 700));
    TJwwData saved;
    ASSERT_TRUE(jwwin::ReadDrawingFile(saved, file.u16string(), {}).ok);
    const dxf::ExportReport expected = dxf::ExportDxf(saved, dir.path() / "in-process.dxf", {});
    ASSERT_FALSE(expected.warnings.empty());
    const auto [code, err] = Export("cycle.jww out.dxf");
    EXPECT_EQ(code, 0) << err;
    for (const std::string& warning : expected.warnings)
        EXPECT_NE(err.find(warning), std::string::npos) << warning << "\n" << err;
}

TEST_F(ExportCli, FailuresWriteNothingAndSayWhy) {
    Damaged();
    const auto [code, err] = Export("damaged.jww out.dxf");
    EXPECT_EQ(code, 1);
    EXPECT_NE(err.find("cannot be read"), std::string::npos) << err;
    EXPECT_FALSE(fs::exists(dir.path() / "out.dxf"));

    // A target that is a folder stays as it was.
    Chart(TPalette::Dxf, "chart");
    fs::create_directory(dir.path() / "folder.dxf");
    const auto [folderCode, folderErr] = Export("chart.jww folder.dxf --force");
    EXPECT_EQ(folderCode, 1);
    EXPECT_NE(folderErr.find("cannot write"), std::string::npos) << folderErr;
    EXPECT_TRUE(fs::is_empty(dir.path() / "folder.dxf"));

    // A batch names the file that failed and why, and converts the others.
    fs::create_directory(dir.path() / "out");
    const auto [batchCode, summary] = Export("--to out chart.jww damaged.jww");
    EXPECT_EQ(batchCode, 1);
    EXPECT_NE(summary.find("1 done, 1 failed\nfailed:\n  damaged.jww: cannot be read"),
              std::string::npos)
        << summary;
    EXPECT_TRUE(fs::exists(dir.path() / "out" / "chart.dxf"));
    EXPECT_FALSE(fs::exists(dir.path() / "out" / "damaged.dxf"));
}

// Outputs that would overwrite an input or another file's output are
// refused before anything is written, each with its reason.
TEST_F(ExportCli, AnOutputThatIsAnInputOrTakenIsRefused) {
    Chart(TPalette::Dxf, "chart");
    const std::vector<uint8_t> chart = ReadBytes(dir.path() / "chart.jww");
    fs::create_directories(dir.path() / "a");
    fs::create_directories(dir.path() / "b");
    fs::copy_file(dir.path() / "chart.jww", dir.path() / "a/x.jww");
    fs::copy_file(dir.path() / "chart.jww", dir.path() / "b/x.jww");
    fs::copy_file(dir.path() / "chart.jww", dir.path() / "a/x.dxf");
    fs::create_directory_symlink("a", dir.path() / "link");
    struct Case {
        std::string args;
        std::string reason;
    };
    const Case cases[] = {
        {"chart.jww chart.jww --force", "is the input itself"},
        {"chart.jww ./a/../chart.jww --force", "is the input itself"},
        {"--to out a/x.jww b/x.jww --force",
         "b/x.jww: its output out/x.dxf is already the output of a/x.jww"},
        {"--to a b/x.jww a/x.dxf --force", "its output a/x.dxf is the input a/x.dxf"},
        // Through a link to the input's folder.
        {"--to link b/x.jww a/x.dxf --force", "its output link/x.dxf is the input a/x.dxf"},
    };
    fs::create_directory(dir.path() / "out");
    for (const Case& c : cases) {
        const auto [code, err] = Export(c.args);
        EXPECT_EQ(code, 1) << c.args;
        EXPECT_NE(err.find(c.reason), std::string::npos) << c.args << "\n" << err;
    }
    EXPECT_EQ(ReadBytes(dir.path() / "chart.jww"), chart);
    EXPECT_EQ(ReadBytes(dir.path() / "a/x.dxf"), chart);
}

// A file name cannot drive the terminal or forge lines of the report.
TEST_F(ExportCli, FileNamesAreShownWithControlsEscaped) {
    Damaged();
    const std::string name = "evil\x1b]0;title\x07\n1 done, 0 failed.jww";
    fs::copy_file(dir.path() / "damaged.jww", dir.path() / name);
    fs::create_directory(dir.path() / "out");
    const auto [code, err] = Export("--to out evil*");
    EXPECT_EQ(code, 1) << err;
    EXPECT_EQ(err.find('\x1b'), std::string::npos) << err;
    EXPECT_EQ(err.find('\x07'), std::string::npos) << err;
    EXPECT_NE(err.find("evil\\x1b]0;title\\x07\\x0a1 done, 0 failed"), std::string::npos) << err;
}

}  // namespace
}  // namespace tw
