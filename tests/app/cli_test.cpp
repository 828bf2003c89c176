// tintwright-cli chart, run as a program: its exit codes, messages, the
// ".jww" extension, --force, and that it writes what the save command writes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/Unit1.h"
#include "tests/app/FormFixture.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

// The command line sits beside this test program.
fs::path CliPath() {
    return fs::read_symlink("/proc/self/exe").parent_path() / "tintwright-cli";
}

std::string ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

struct CliResult {
    int code;
    std::string out, err;
};

class ChartCli : public FormTest {
  protected:
    // Runs the command line in the test folder with the given arguments,
    // after the shell commands in before.
    CliResult Cli(const std::string& args, const std::string& before = "") {
        const fs::path out = dir.path() / "stdout.txt";
        const fs::path err = dir.path() / "stderr.txt";
        const std::string command = "cd '" + dir.path().string() + "' && " + before + "'" +
                                    CliPath().string() + "' " + args + " >'" + out.string() +
                                    "' 2>'" + err.string() + "'";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(out), ReadText(err)};
    }

    // What the save command writes with these choices.
    std::vector<uint8_t> SavedBy(TPalette palette, int32_t version, TTextCode code) {
        form.Palette = palette;
        form.Version = version;
        form.TextCode = code;
        const fs::path file = dir.path() / "by-form.jww";
        EXPECT_EQ(SaveTo(file), kSaveDoneMessage);
        return ReadBytes(file);
    }
};

TEST_F(ChartCli, DefaultsWriteTheWindowsChartAndAddTheExtension) {
    ASSERT_TRUE(fs::exists(CliPath()));
    const CliResult run = Cli("chart chart");
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "保存完了しました\n");
    EXPECT_EQ(run.err, "");
    ASSERT_TRUE(fs::is_regular_file(dir.path() / "chart.jww"));
    EXPECT_FALSE(fs::exists(dir.path() / "chart"));
    EXPECT_EQ(ReadBytes(dir.path() / "chart.jww"), SavedBy(TPalette::Dxf, 600, TTextCode::Ansi));
}

TEST_F(ChartCli, OptionsReachTheSaveCommand) {
    struct Case {
        std::string args;
        TPalette palette;
        int32_t version;
        TTextCode code;
    };
    const Case cases[] = {
        {"--palette grad --format 2.30 --text-code utf16", TPalette::Grad, 230, TTextCode::Utf16},
        {"--palette mix --format 7.00", TPalette::Mix, 700, TTextCode::Ansi},
        {"--format 3.51 --text-code ansi", TPalette::Dxf, 351, TTextCode::Ansi},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const CliResult run = Cli("chart out.jww --force " + c.args);
        ASSERT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(ReadBytes(dir.path() / "out.jww"), SavedBy(c.palette, c.version, c.code));
    }
}

TEST_F(ChartCli, ExistingFileIsReplacedOnlyWithForce) {
    const fs::path file = dir.path() / "chart.jww";
    std::ofstream(file) << "keep me";

    const CliResult refused = Cli("chart chart.jww");
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_NE(refused.err.find("正常保存出来ませんでした"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("--force"), std::string::npos) << refused.err;
    EXPECT_EQ(ReadText(file), "keep me");

    const CliResult forced = Cli("chart chart --force");  // the same file, once ".jww" is added
    EXPECT_EQ(forced.code, 0) << forced.err;
    EXPECT_EQ(ReadBytes(file), SavedBy(TPalette::Dxf, 600, TTextCode::Ansi));
}

// A link to nowhere is an existing name too: only --force writes through it.
TEST_F(ChartCli, DanglingLinkIsReplacedOnlyWithForce) {
    fs::create_symlink(dir.path() / "gone.jww", dir.path() / "link.jww");
    const CliResult refused = Cli("chart link.jww");
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.err.find("--force"), std::string::npos) << refused.err;
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.jww"));
    EXPECT_FALSE(fs::exists(dir.path() / "gone.jww"));
}

TEST_F(ChartCli, PlacesThatCannotBeWrittenFailWithAReason) {
    fs::create_directory(dir.path() / "folder.jww");
    std::ofstream(dir.path() / "plain") << "x";
    for (const std::string target :
         {"missing/chart.jww", "plain/chart.jww", "folder.jww --force"}) {
        SCOPED_TRACE(target);
        const CliResult run = Cli("chart " + target);
        EXPECT_EQ(run.code, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("正常保存出来ませんでした: ", 0), 0u) << run.err;
        EXPECT_GT(run.err.size(), std::string("正常保存出来ませんでした: \n").size());
    }
    EXPECT_FALSE(fs::exists(dir.path() / "missing"));
    EXPECT_TRUE(fs::is_directory(dir.path() / "folder.jww"));
    EXPECT_EQ(ReadText(dir.path() / "plain"), "x");
}

TEST_F(ChartCli, UsageErrorsExitWith2) {
    for (const std::string args :
         {"", "chart", "chart a --palette red", "chart a --format 6.0", "chart a --format 5.00",
          "chart a --text-code sjis", "chart a b", "paint a", "--no-such-option", "check", "dump",
          "dump a --images-to"}) {
        SCOPED_TRACE(args);
        const CliResult run = Cli(args);
        EXPECT_EQ(run.code, 2);
        EXPECT_FALSE(run.err.empty());
    }
    EXPECT_FALSE(fs::exists(dir.path() / "a.jww"));
}

// The file chart writes is one that check accepts and dump reads back.
TEST_F(ChartCli, CheckAndDumpReadTheChart) {
    for (const std::string format :
         {"2.20", "2.23", "2.25", "2.30", "3.00", "3.51", "4.20", "6.00", "7.00"}) {
        SCOPED_TRACE(format);
        ASSERT_EQ(Cli("chart c.jww --force --text-code utf16 --format " + format).code, 0);
        EXPECT_EQ(Cli("check c.jww").code, 0);
        const CliResult dump = Cli("dump c.jww --json");
        EXPECT_EQ(dump.code, 0) << dump.err;
        EXPECT_NE(dump.out.find("\"entity_count\": 268"), std::string::npos);
        EXPECT_NE(dump.out.find("色設定テストデータ"), std::string::npos);
    }
    std::ofstream(dir.path() / "plain.txt") << "not a drawing";
    EXPECT_EQ(Cli("check plain.txt").code, 1);
    EXPECT_EQ(Cli("dump missing.jww").code, 1);
}

// Each message names what went wrong, in the words of the system where it
// has them.
TEST_F(ChartCli, MessagesNameTheProblem) {
    fs::create_directory(dir.path() / "folder");
    std::ofstream(dir.path() / "plain.txt") << "not a drawing";
    std::ofstream(dir.path() / "v.jww", std::ios::binary)
        << "JwwData." << std::string("\xbd\x02\0\0", 4);
    ASSERT_EQ(mkfifo((dir.path() / "fifo.jww").c_str(), 0600), 0);
    const std::string bytes = "\"$(printf 'n\\377')\"";  // a name that is not UTF-8
    std::ofstream(dir.path() / "n\xff.jww") << "x";
    const struct {
        std::string before, args;
        int code;
        std::string message;
    } cases[] = {
        {"", "paint a", 2, "unknown subcommand paint"},
        {"", "--no-such-option", 2, "unknown option --no-such-option"},
        {"", "chart a --frob", 2, "unknown option --frob"},
        {"", "check missing.jww", 1, "missing.jww: no such file"},
        {"", "check folder", 1, "folder: a folder, not a file"},
        {"", "check plain.txt", 1, "plain.txt: not a JWW drawing"},
        {"", "check v.jww", 1, "format version 701 is not one of 220 to 700"},
        {"", "chart fifo.jww --force", 1, "fifo.jww: not a file"},
        {"trap '' XFSZ; ulimit -f 1; ", "chart big.jww", 1,
         "big.jww: cannot write the file: File too large"},
        {"", "chart " + bytes + ".jww", 1, "not UTF-8, so it cannot be kept exactly"},
        {"", "check " + bytes + ".jww", 1, ": not a JWW drawing"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const CliResult run = Cli(c.args, c.before);
        EXPECT_EQ(run.code, c.code);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    EXPECT_EQ(ReadText(dir.path() / "n\xff.jww"), "x");
    EXPECT_FALSE(fs::exists(dir.path() / "big.jww"));
}

TEST_F(ChartCli, HelpAndVersion) {
    const CliResult help = Cli("--help");
    EXPECT_EQ(help.code, 0);
    for (const char* command : {"chart", "check", "dump"}) {
        EXPECT_NE(help.out.find(command), std::string::npos) << command;
    }
    const CliResult chartHelp = Cli("chart --help");
    EXPECT_EQ(chartHelp.code, 0);
    EXPECT_NE(chartHelp.out.find("--palette"), std::string::npos);
    EXPECT_NE(chartHelp.out.find("3.51"), std::string::npos);
    const CliResult version = Cli("--version");
    EXPECT_EQ(version.code, 0);
    EXPECT_NE(version.out.find("tintwright-cli "), std::string::npos);
}

}  // namespace
}  // namespace tw
