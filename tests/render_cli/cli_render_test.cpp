// tintwright-cli render on bad input: a damaged drawing writes nothing, an
// existing output is kept unless --force and kept when writing fails, and a
// batch goes on past a damaged file and says which failed.
#include <gtest/gtest.h>

#include <fstream>

#include <tintwright/document/JwwUnit.h>
#include "support/TempDir.h"
#include "tests/render_cli/CliRun.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

class RenderCli : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(Cli(dir.path(), "chart chart.jww").code, 0);
        const std::string whole = ReadText(dir.path() / "chart.jww");
        Write("cut.jww", whole.substr(0, whole.size() / 3));
        Write("noise.jww", "JwwData. but nothing after it");
    }
    void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir.path() / name, std::ios::binary) << bytes;
    }
    std::string Read(const std::string& name) { return ReadText(dir.path() / name); }
    bool Exists(const std::string& name) { return fs::exists(dir.path() / name); }
    // Nothing but the test's own files and the inputs.
    size_t FileCount() {
        return static_cast<size_t>(std::distance(fs::directory_iterator(dir.path()), {}));
    }

    TempDir dir;
};

TEST_F(RenderCli, DamagedDrawingExitsOneAndWritesNothing) {
    for (const std::string& input : {"cut.jww", "noise.jww", "missing.jww"}) {
        for (const std::string& output : {"out.svg", "out.png", "out.pdf"}) {
            const CommandResult r = Cli(dir.path(), "render " + input + " " + output);
            EXPECT_EQ(r.code, 1) << input << " -> " << output;
            EXPECT_NE(r.err.find("cannot be read"), std::string::npos) << r.err;
            EXPECT_FALSE(Exists(output));
        }
    }
    EXPECT_EQ(FileCount(), 5u);  // chart, cut, noise, stdout, stderr: no temporary left
}

TEST_F(RenderCli, ExistingOutputIsKeptWithoutForce) {
    Write("out.svg", "mine");
    const CommandResult r = Cli(dir.path(), "render chart.jww out.svg");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("--force"), std::string::npos);
    EXPECT_EQ(Read("out.svg"), "mine");
    EXPECT_EQ(Cli(dir.path(), "render chart.jww out.svg --force").code, 0);
    EXPECT_EQ(Read("out.svg").rfind("<?xml", 0), 0u);
}

// Whatever its extension, an output that is the drawing itself (by a link,
// a hard link or another spelling) is refused, even with --force.
TEST_F(RenderCli, AnOutputThatIsTheInputIsRefused) {
    const std::string chart = Read("chart.jww");
    fs::create_symlink(dir.path() / "chart.jww", dir.path() / "link.svg");
    fs::create_hard_link(dir.path() / "chart.jww", dir.path() / "hard.png");
    Write("drawing.svg", chart);  // a drawing under another extension
    fs::create_directories(dir.path() / "sub");
    const std::pair<std::string, std::string> cases[] = {
        {"chart.jww", "link.svg"},
        {"chart.jww", "hard.png"},
        {"chart.jww", "./sub/../link.svg"},
        {"drawing.svg", "drawing.svg"},
    };
    for (const auto& [input, output] : cases) {
        const CommandResult r = Cli(dir.path(), "render " + input + " " + output + " --force");
        EXPECT_EQ(r.code, 1) << output;
        EXPECT_NE(r.err.find("is the input itself"), std::string::npos) << r.err;
        EXPECT_EQ(Read(input), chart);
    }
}

// --force replaces a file, not its protection: the tests run as root, whom
// the system would let write, so the refusal is the program's own.
TEST_F(RenderCli, AWriteProtectedOutputIsKeptEvenWithForce) {
    Write("out.svg", "mine");
    fs::permissions(dir.path() / "out.svg", fs::perms(0444));
    const CommandResult r = Cli(dir.path(), "render chart.jww out.svg --force");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("out.svg: the file is write-protected"), std::string::npos) << r.err;
    EXPECT_EQ(Read("out.svg"), "mine");
    EXPECT_EQ(fs::status(dir.path() / "out.svg").permissions(), fs::perms(0444));
    EXPECT_EQ(FileCount(), 6u);  // the inputs, out.svg, stdout, stderr: no temporary left
}

// A file size limit makes every write fail, as a full disk would.
TEST_F(RenderCli, FailedWriteKeepsTheExistingFile) {
    for (const std::string& output : {"out.svg", "out.png", "out.pdf"}) {
        Write(output, "mine");
        const CommandResult r =
            RunIn(dir.path(), "trap '' XFSZ; ulimit -f 2; '" + CliPath().string() +
                                  "' render chart.jww " + output + " --force");
        EXPECT_EQ(r.code, 1) << output;
        EXPECT_NE(r.err.find("cannot write"), std::string::npos) << r.err;
        EXPECT_EQ(Read(output), "mine");
    }
}

// A drawing 100 km wide fits no PDF page: refused with the sizes, nothing
// written, instead of an empty page reported as drawn.
TEST_F(RenderCli, APdfPageTooLargeIsRefused) {
    TJwwData doc;
    doc.DataDefaultSet();
    ASSERT_TRUE(
        doc.AddEnt(LineArgs{.a = {.cn = 0, .lg = 0, .ly = 0, .co = 1, .tp = 1, .wd = 0, .fl = 0},
                            .p1 = {0, 0},
                            .p2 = {1e8, 0}}));
    ASSERT_TRUE(doc.FileOut((dir.path() / "wide.jww").u16string(), 600));
    const CommandResult r = Cli(dir.path(), "render wide.jww out.pdf --fit extents");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("not rendered: the page would be"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("mm, more than the 45455070 mm a side a PDF page can have"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(Exists("out.pdf"));
}

TEST_F(RenderCli, UnknownFormatIsRefused) {
    const CommandResult r = Cli(dir.path(), "render chart.jww out.bmp");
    EXPECT_EQ(r.code, 1);
    EXPECT_FALSE(Exists("out.bmp"));
}

TEST_F(RenderCli, ADpiOutOfRangeOrNotANumberIsAUsageError) {
    for (const char* dpi : {"nan", "-nan", "inf", "0", "2401"}) {
        const CommandResult r =
            Cli(dir.path(), std::string("render --dpi ") + dpi + " chart.jww out.png");
        EXPECT_EQ(r.code, 2) << dpi << ": " << r.err;
        EXPECT_FALSE(Exists("out.png")) << dpi;
    }
}

TEST_F(RenderCli, BatchGoesOnPastADamagedFile) {
    fs::create_directory(dir.path() / "pictures");
    const CommandResult r =
        Cli(dir.path(), "render --to pictures --format png --dpi 20 chart.jww cut.jww");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("[1/2] chart.jww: done"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("[2/2] cut.jww: failed"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("1 done, 1 failed"), std::string::npos);
    EXPECT_TRUE(Exists("pictures/chart.png"));
    EXPECT_FALSE(Exists("pictures/cut.png"));
}

}  // namespace
}  // namespace tw
