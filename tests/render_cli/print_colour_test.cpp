// Test1 asks for monochrome print (nColorPrint 0): its print has no colour
// but grey, its screen and --colour always keep the pens' colours.
#include <gtest/gtest.h>

#include <regex>

#include "support/TempDir.h"
#include "tests/render_cli/CliRun.h"

namespace tw {
namespace {

// Whether the SVG uses any colour that is not a grey.
bool HasColour(const std::string& svg) {
    const std::regex hex("#([0-9a-f]{2})([0-9a-f]{2})([0-9a-f]{2})");
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), hex); it != std::sregex_iterator();
         ++it) {
        if ((*it)[1] != (*it)[2] || (*it)[2] != (*it)[3]) return true;
    }
    return false;
}

TEST(PrintColour, MonochromeDrawingsPrintWithoutColourUnlessAsked) {
    const std::filesystem::path drawing = std::filesystem::path(TW_SHARED_TESTDATA) / "Test1.jww";
    ASSERT_TRUE(std::filesystem::exists(drawing)) << "the shared drawings are missing";
    struct Case {
        std::string options;
        bool colour;
    };
    for (const Case& c : {Case{"", true}, Case{"--print", false},
                          Case{"--print --colour always", true}, Case{"--colour never", true}}) {
        TempDir dir;
        const CommandResult r =
            Cli(dir.path(), "render " + drawing.string() + " out.svg " + c.options);
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(HasColour(ReadText(dir.path() / "out.svg")), c.colour) << c.options;
    }
}

}  // namespace
}  // namespace tw
