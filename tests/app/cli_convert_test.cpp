// tintwright-cli convert, run as a program: a drawing in its own version and
// text code byte for byte, in others with what it lost by kind, --strict
// writing nothing that would lose, and outputs it refuses.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/SavedAgain.h"
#include "tests/app/FormFixture.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

const fs::path kShared = TW_SHARED_TESTDATA;

class ConvertCli : public FormTest {
  protected:
    // Runs the command line in the test folder; the exit code and stderr.
    std::pair<int, std::string> Convert(const std::string& args) {
        const fs::path cli = fs::read_symlink("/proc/self/exe").parent_path() / "tintwright-cli";
        const fs::path err = dir.path() / "stderr.txt";
        const std::string command = "cd '" + dir.path().string() + "' && '" + cli.string() +
                                    "' convert " + args + " >/dev/null 2>'" + err.string() + "'";
        const int status = std::system(command.c_str());
        std::ifstream in(err);
        std::stringstream text;
        text << in.rdbuf();
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text.str()};
    }

    // The version and text code of the file name in the test folder.
    void ExpectSavedAs(const std::string& name, int32_t version, bool utf16) {
        TJwwData back;
        ASSERT_NO_FATAL_FAILURE(test::ReadInto(back, dir.path() / name));
        EXPECT_EQ(back.Source.version, version) << name;
        EXPECT_EQ(back.Source.utf16, utf16) << name;
    }

    // The dxf chart in 6.00, code page 932.
    fs::path Chart() {
        const fs::path file = dir.path() / "chart.jww";
        EXPECT_EQ(SaveTo(file), kSaveDoneMessage);
        return file;
    }
};

TEST_F(ConvertCli, KeepsTheDrawingsOwnVersionAndCodeByteForByte) {
    ASSERT_TRUE(fs::is_directory(kShared)) << "no shared drawings at " << kShared;
    for (const char* name : {"Test1.jww", "2blocks.jww"}) {
        SCOPED_TRACE(name);
        const auto [code, err] =
            Convert("'" + (kShared / name).string() + "' out.jww --strict --force");
        EXPECT_EQ(code, 0) << err;
        EXPECT_EQ(err, "");
        EXPECT_TRUE(test::FileBytes(dir.path() / "out.jww") == test::FileBytes(kShared / name));
    }
}

TEST_F(ConvertCli, ReportsWhatAnOlderVersionLosesByKind) {
    Chart();
    const auto [code, err] = Convert("chart.jww old.jww --format 3.51");
    EXPECT_EQ(code, 0) << err;
    EXPECT_EQ(
        err,
        "chart.jww: lost SXF colour and line-type tables: 1, drawing settings: 1, pen colours "
        "replaced: 256\n");
    ExpectSavedAs("old.jww", 351, false);
}

TEST_F(ConvertCli, TextCodeIsChosenOrKept) {
    Chart();
    ASSERT_EQ(Convert("chart.jww wide.jww --text-code utf16").first, 0);
    ExpectSavedAs("wide.jww", 600, true);
    ASSERT_EQ(Convert("wide.jww seven.jww --format 7.00").first, 0);  // keeps UTF-16
    ExpectSavedAs("seven.jww", 700, true);
    ASSERT_EQ(Convert("seven.jww back.jww --text-code ansi").first, 0);  // keeps 7.00
    ExpectSavedAs("back.jww", 700, false);
}

TEST_F(ConvertCli, StrictRefusesAnyLossAndWritesNothing) {
    Chart();
    std::ofstream(dir.path() / "stderr.txt").close();
    const auto before = std::distance(fs::directory_iterator(dir.path()), {});
    const auto [code, err] = Convert("chart.jww old.jww --format 3.51 --strict");
    EXPECT_EQ(code, 1);
    EXPECT_NE(err.find("pen colours replaced: 256"), std::string::npos) << err;
    EXPECT_FALSE(fs::exists(dir.path() / "old.jww"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), before);  // no temporary left
}

TEST_F(ConvertCli, RefusesItsInputAndExistingFilesWithoutForce) {
    const std::vector<uint8_t> chart = test::FileBytes(Chart());
    fs::create_symlink(dir.path() / "chart.jww", dir.path() / "link.jww");
    for (const char* output : {"chart.jww", "link.jww"}) {
        SCOPED_TRACE(output);
        const auto [code, err] = Convert(std::string("chart.jww ") + output + " --force");
        EXPECT_EQ(code, 1);
        EXPECT_NE(err.find("is the input itself"), std::string::npos) << err;
    }
    EXPECT_TRUE(test::FileBytes(dir.path() / "chart.jww") == chart);

    { std::ofstream(dir.path() / "taken.jww") << "taken"; }
    EXPECT_EQ(Convert("chart.jww taken.jww").first, 1);
    EXPECT_EQ(test::FileBytes(dir.path() / "taken.jww").size(), 5u);
    EXPECT_EQ(Convert("chart.jww taken.jww --force").first, 0);
    EXPECT_TRUE(test::FileBytes(dir.path() / "taken.jww") == chart);
}

TEST_F(ConvertCli, ManyFilesIntoAFolder) {
    Chart();
    fs::create_directory(dir.path() / "out");
    fs::copy_file(dir.path() / "chart.jww", dir.path() / "second.jww");
    const auto [code, err] = Convert("--to out chart.jww second.jww --format 7.00");
    EXPECT_EQ(code, 0) << err;
    for (const char* name : {"out/chart.jww", "out/second.jww"})
        ExpectSavedAs(name, 700, false);
    EXPECT_EQ(Convert("chart.jww").first, 2);  // IN without OUT
}

}  // namespace
}  // namespace tw
